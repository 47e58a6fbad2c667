#pragma once

#include "app/frmintrores.h"
#include "app/mainwindow.h"
#include "data/database.h"
#include "text/failure.h"

#include <QIcon>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace quilvarden::app {

struct StartupOptions {
    QString databasePath;       // empty: the default file beside the program
    QString screenshotPath;     // non-empty: render the window to this PNG file and end
    bool exitWhenShown = false; // end as soon as the window is shown (for timing start-up)
    QString help;               // non-empty: --help or --version was asked for; print this and end
};

// The results database the program opens when none is named, run from its build folder:
// quilvarden.MDB in the program's own directory, whatever the working directory is.
QString defaultDatabasePath();

// Whether the program runs installed (anywhere but its build's bin folder): then, with no
// --database, it opens the register used last, or asks. QUILVARDEN_INSTALLED=1 or 0 in the
// environment says so instead.
bool runsInstalled();

// The register to open with no --database, installed: the one used last while it is still
// there, else the operator's choice in the welcome dialog (made there if it is a new one).
// Nothing when the operator leaves.
std::optional<QString> registerForInstalled(QWidget* parent = nullptr);

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
int startUp(const QStringList& arguments, std::unique_ptr<MainWindow>& window);

// The program's name on the desktop: its desktop entry's file name without ".desktop", which
// is also the name of its icons in the icon theme.
QString desktopFileName();

// The program's icon, from the PNGs in the resources (:/icons/SIZE/...), one per size drawn.
QIcon programIcon();

// Tells the desktop which entry and icon the program's windows belong to. Needs a
// QGuiApplication.
void setDesktopIdentity();

// The whole program: the process's exit status.
int runProgram(int argc, char** argv);

} // namespace quilvarden::app
