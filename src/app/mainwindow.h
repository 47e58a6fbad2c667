#pragma once

#include "app/frmintrores.h"
#include "text/failure.h"

#include <QMainWindow>

namespace quilvarden::app {

// The program's main window: the menu bar, and the results-entry window of the register
// open in the middle. Opening another register puts a new one there; the old one closes its
// connection, its watch and its live server.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The window of the register open now, or none before the first is opened.
    FrmIntroRes* form() const;

    // Opens the register and shows its window; the one open before stays when it fails.
    // A register opened is remembered for the next start.
    Outcome open(const QString& path);
    // Puts a window already loaded in the middle, in place of the one there.
    void setForm(std::unique_ptr<FrmIntroRes> form);

    void showCentred();

    // The user's guide, in a window of its own.
    void showGuide();

private:
    QAction* addAction(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut = {});
    void buildRegisterMenu();
    void buildResultsMenu();
    void buildStandingsMenu();
    void buildHelpMenu();
    // Runs the same action as the window's own right-click menus.
    void forward(const char* actionName);
    void chooseAndOpen(int choice);
    void importProgramme();
    void showAbout();
    // Failures to open are told; the program goes on with what it had.
    void openOrTell(const QString& path);
};

} // namespace quilvarden::app
