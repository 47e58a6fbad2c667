#pragma once

#include "app/frmintrores.h"
#include "data/database.h"
#include "text/failure.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace quilvarden::app {

struct StartupOptions {
    QString databasePath;       // empty: the default file beside the program
    QString screenshotPath;     // non-empty: render the window to this PNG file and end
    bool exitWhenShown = false; // end as soon as the window is shown (for timing start-up)
    QString help;               // non-empty: --help or --version was asked for; print this and end
};

// The results database the program opens when none is named: quilvarden.MDB in the
// program's own directory, whatever the working directory is.
QString defaultDatabasePath();

// Reads the command line; a wrong one gives the text to show and no options.
Result<StartupOptions> parseArguments(const QStringList& arguments);

// Opens the database and creates the window with its load operation run. A failure names
// the file and what is wrong with it.
Result<std::unique_ptr<FrmIntroRes>> openWindow(const QString& databasePath,
                                                const data::OpenOptions& options = {});

// The text shown when the program cannot start on a database.
QString startupFailureText(const QString& databasePath, const Failure& failure);

// What startUp() gives back when the window is open and the event loop should run.
inline constexpr int KeepRunning = -1;

// Everything before the event loop: reads the arguments, opens the database and shows the
// window (held in window), or renders it to a PNG file. Returns KeepRunning, or the exit
// status when the program ends here. Needs a QApplication.
int startUp(const QStringList& arguments, std::unique_ptr<FrmIntroRes>& window);

// The whole program: the process's exit status.
int runProgram(int argc, char** argv);

} // namespace quilvarden::app
