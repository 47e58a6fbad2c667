#include "registers.h"

#include "app/dialogs.h"
#include "app/messagebox.h"
#include "data/location.h"
#include "setup/setup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace quilvarden::app {

namespace {

QString title()
{
    return QStringLiteral("Quilvarden");
}

QString programmeFilters()
{
    return QCoreApplication::translate(
        "Window", "Programas do campionato (*.lef *.lxf *.mdb);;Lenex (*.lef *.lxf);;Access (*.mdb);;"
                  "Todos os ficheiros (*)");
}

// Where a new register goes: asked, in the user's documents unless told otherwise.
QString askWhereToSave(QWidget* parent)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString filter = QCoreApplication::translate("Window", "Rexistros (*.MDB *.sqlite *.db)");
    QString path = FileDialog::saveFileName(
        parent, QCoreApplication::translate("Window", "Onde gardar o rexistro novo"),
        QDir(documents).filePath(QStringLiteral("campionato.MDB")),
        filter + QStringLiteral(";;") + QCoreApplication::translate("Window", "Todos os ficheiros (*)"),
        &filter);
    return path;
}

// The register made empty or with the example meet; empty when it failed (and said so).
QString made(QWidget* parent, const QString& path, const Result<QString>& result)
{
    if (!result) {
        MessageBox::critical(parent, title(),
                             QCoreApplication::translate("Window", "Non se puido crear o rexistro\n%1\n\n%2")
                                 .arg(data::locate(path).shown(), result.failure().message()));
        return {};
    }
    return path;
}

bool importFile(QWidget* parent, const QString& path, const QString& programme)
{
    const Result<imports::FileMeet> read = setup::readMeetFile(programme);
    if (!read) {
        MessageBox::critical(parent, title(), read.failure().message());
        return false;
    }
    Result<setup::Imported> imported = setup::importProgramme(*read, programme, path, false);
    // A file that would empty the register is brought in only when the operator says so.
    if (imported && imported->takesAway &&
        MessageBox::question(
            parent, title(),
            QCoreApplication::translate("Window", "%1\n\nImportar igualmente?").arg(*imported->takesAway)) ==
            QMessageBox::Yes)
        imported = setup::importProgramme(*read, programme, path, true);
    if (!imported) {
        MessageBox::critical(
            parent, title(),
            QCoreApplication::translate("Window", "Non se puido importar o programa en\n%1\n\n%2")
                .arg(data::locate(path).shown(), imported.failure().message()));
        return false;
    }
    if (imported->takesAway)
        return false; // the operator said no: nothing changed
    MessageBox::information(parent, title(),
                            (QStringList{imported->summary} + imported->notes).join(QStringLiteral("\n")));
    return true;
}

QString makeFromProgramme(QWidget* parent)
{
    const QString programme = FileDialog::openFileName(
        parent, QCoreApplication::translate("Window", "Programa do campionato"), programmeFilters());
    if (programme.isEmpty())
        return {};
    const QString path = askWhereToSave(parent);
    if (path.isEmpty())
        return {};
    if (QFileInfo::exists(path)) {
        MessageBox::critical(parent, title(),
                             QCoreApplication::translate(
                                 "Window", "Xa hai un ficheiro en\n%1\n\nEscolle outro nome: o rexistro novo "
                                           "nunca se fai enriba doutro.")
                                 .arg(QDir::toNativeSeparators(path)));
        return {};
    }
    return importFile(parent, path, programme) ? path : QString();
}

QString askServerAddress(QWidget* parent)
{
    const std::optional<QString> address = TextDialog::getText(
        parent, QCoreApplication::translate("Window", "Abrir nun servidor"),
        QCoreApplication::translate("Window", "Enderezo do rexistro no servidor PostgreSQL\n"
                                              "(o contrasinal vai en ~/.pgpass ou en PGPASSWORD):"),
        QStringLiteral("postgresql://usuario@servidor/campionato"));
    if (!address || address->isEmpty())
        return {};
    if (!data::isServerUri(*address)) {
        MessageBox::critical(parent, title(),
                             QCoreApplication::translate(
                                 "Window", "«%1» non é o enderezo dun servidor: comeza por postgresql://.")
                                 .arg(*address));
        return {};
    }
    return *address;
}

} // namespace

QString chooseRegister(QWidget* parent, RegisterChoice choice)
{
    switch (choice) {
    case RegisterChoice::Cancel:
        return {};
    case RegisterChoice::MakeEmpty: {
        const QString path = askWhereToSave(parent);
        return path.isEmpty() ? QString() : made(parent, path, setup::makeEmpty(path));
    }
    case RegisterChoice::MakeDemo: {
        const QString path = askWhereToSave(parent);
        return path.isEmpty() ? QString() : made(parent, path, setup::makeDemo(path));
    }
    case RegisterChoice::MakeFromProgramme:
        return makeFromProgramme(parent);
    case RegisterChoice::OpenFile:
        return FileDialog::openFileName(
            parent, QCoreApplication::translate("Window", "Abrir un rexistro"),
            QCoreApplication::translate("Window",
                                        "Rexistros (*.MDB *.mdb *.sqlite *.db);;Todos os ficheiros (*)"));
    case RegisterChoice::OpenServer:
        return askServerAddress(parent);
    }
    return {};
}

bool importProgrammeInto(QWidget* parent, const QString& path)
{
    const QString programme = FileDialog::openFileName(
        parent, QCoreApplication::translate("Window", "Importar o programa do campionato"),
        programmeFilters());
    return !programme.isEmpty() && importFile(parent, path, programme);
}

QString rememberedRegister()
{
    return QSettings().value(QStringLiteral("register/last")).toString();
}

void rememberRegister(const QString& path)
{
    // Never a password in the settings: libpq finds it again in ~/.pgpass or PGPASSWORD.
    QSettings().setValue(QStringLiteral("register/last"), setup::withoutPassword(path));
}

namespace {
WelcomeDialog::Handler& welcomeHandler()
{
    static WelcomeDialog::Handler current;
    return current;
}
} // namespace

WelcomeDialog::WelcomeDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("benvida"));
    setWindowTitle(tr("Benvida a Quilvarden"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("Para levar os puntos dun campionato cómpre un rexistro: un ficheiro "
                                "neste ordenador ou unha base de datos nun servidor. Que queres facer?"),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    const std::pair<RegisterChoice, QString> choices[] = {
        {RegisterChoice::MakeFromProgramme,
         tr("Crear un rexistro co &programa do campionato (Lenex ou Access)…")},
        {RegisterChoice::MakeEmpty, tr("Crear un rexistro &baleiro…")},
        {RegisterChoice::MakeDemo, tr("Crear un rexistro co campionato de &exemplo…")},
        {RegisterChoice::OpenFile, tr("&Abrir un rexistro que xa existe…")},
        {RegisterChoice::OpenServer, tr("Abrir un rexistro nun &servidor…")},
        {RegisterChoice::Cancel, tr("Saír")},
    };
    for (const auto& [choice, text] : choices) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, choice = choice] {
            m_choice = choice;
            choice == RegisterChoice::Cancel ? reject() : accept();
        });
    }
}

RegisterChoice WelcomeDialog::ask()
{
    if (welcomeHandler())
        return welcomeHandler()();
    WelcomeDialog dialog;
    dialog.exec();
    return dialog.choice();
}

void WelcomeDialog::setHandler(Handler handler)
{
    welcomeHandler() = std::move(handler);
}

} // namespace quilvarden::app
