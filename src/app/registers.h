#pragma once

#include <QDialog>
#include <QString>

#include <functional>

namespace quilvarden::app {

// The ways to get a register to work on: one made now (empty, from a meet programme, the
// example meet) or one that exists (a file, a server's database).
enum class RegisterChoice { Cancel, MakeEmpty, MakeFromProgramme, MakeDemo, OpenFile, OpenServer };

// Asks what the choice needs (where to save, which programme, which address), makes the
// register when it is a new one and tells the operator any failure. The register's path or
// URI, or empty when the operator cancelled or it failed. Nothing is made without the
// operator choosing where.
QString chooseRegister(QWidget* parent, RegisterChoice choice);

// Brings a meet programme (Lenex .lef/.lxf or Access .mdb) into the register, as
// quilvarden-db import-lenex/import-mdb do; a programme that would empty the register is
// asked about first. True when it was brought in.
bool importProgrammeInto(QWidget* parent, const QString& path);

// The register opened last by this user, as it was remembered (a server's URI without its
// password), or empty.
QString rememberedRegister();
void rememberRegister(const QString& path);

// The first start of an installed program, or its register gone: make one or open one.
class WelcomeDialog : public QDialog {
    Q_OBJECT
public:
    explicit WelcomeDialog(QWidget* parent = nullptr);
    RegisterChoice choice() const { return m_choice; }

    // The operator's choice; a test's handler answers instead when one is set.
    using Handler = std::function<RegisterChoice()>;
    static RegisterChoice ask();
    static void setHandler(Handler handler);

private:
    RegisterChoice m_choice = RegisterChoice::Cancel;
};

} // namespace quilvarden::app
