#pragma once

#include "league/leaguefile.h"
#include "league/table.h"

#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace quilvarden::app {

// A league's standings, read only: its text as the tool writes it, saved as CSV or JSON, and
// added up again from the registers on request. The registers are read on a thread of their
// own, so that a slow one (a server far away) never freezes the window.
class LeagueDialog : public QDialog {
    Q_OBJECT
public:
    // Adds up the league of the file and shows it in a dialog of its own; a league file or a
    // register that cannot be read is told in a message instead, and no dialog opens.
    static void openLeague(QWidget* parent, const QString& path);

private:
    struct Read {
        league::LeagueFile file;
        league::LeagueTable table;
    };
    // Reads the league on another thread; done gets the outcome back on this one, unless the
    // context is gone by then.
    static void readInBackground(QObject* context, const QString& path,
                                 std::function<void(const Result<Read>&)> done);
    static QString failureText(const QString& path, const Failure& failure);

    LeagueDialog(const QString& path, QWidget* parent);
    void present(const Read& read);
    void reload();
    void save(bool json);

    QString m_path;
    Read m_read;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_reload = nullptr;
};

} // namespace quilvarden::app
