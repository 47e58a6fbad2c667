#include "mainwindow.h"

#include "app/dialogs.h"
#include "app/leaguedialog.h"
#include "app/messagebox.h"
#include "app/registers.h"
#include "app/startup.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quilvarden::app {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(tr("Introducción de Resultados"));
    buildRegisterMenu();
    buildResultsMenu();
    buildStandingsMenu();
    buildHelpMenu();
}

FrmIntroRes* MainWindow::form() const
{
    return qobject_cast<FrmIntroRes*>(centralWidget());
}

QAction* MainWindow::addAction(QMenu* menu, const char* name, const QString& text,
                               const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

void MainWindow::buildRegisterMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("&Rexistro"));
    menu->setObjectName(QStringLiteral("menuRexistro"));
    const struct {
        const char* name;
        QString text;
        RegisterChoice choice;
        QKeySequence shortcut;
    } choices[] = {
        {"actionNovoDesdePrograma", tr("&Novo co programa do campionato…"), RegisterChoice::MakeFromProgramme,
         QKeySequence::New},
        {"actionNovoBaleiro", tr("Novo &baleiro…"), RegisterChoice::MakeEmpty, {}},
        {"actionNovoExemplo", tr("Novo co campionato de &exemplo…"), RegisterChoice::MakeDemo, {}},
        {"actionAbrir", tr("&Abrir…"), RegisterChoice::OpenFile, QKeySequence(tr("Ctrl+O"))},
        {"actionAbrirServidor", tr("Abrir nun &servidor…"), RegisterChoice::OpenServer, {}},
    };
    for (const auto& item : choices) {
        if (item.choice == RegisterChoice::OpenFile)
            menu->addSeparator();
        connect(addAction(menu, item.name, item.text, item.shortcut), &QAction::triggered, this,
                [this, choice = item.choice] { chooseAndOpen(static_cast<int>(choice)); });
    }
    menu->addSeparator();
    connect(addAction(menu, "actionImportarPrograma", tr("&Importar o programa do campionato…")),
            &QAction::triggered, this, &MainWindow::importProgramme);
    connect(addAction(menu, "actionRegras", tr("Re&gras do campionato…")), &QAction::triggered, this, [this] {
        if (FrmIntroRes* open = form())
            open->editRules();
    });
    connect(addAction(menu, "actionCategorias", tr("&Categorías do campionato…")), &QAction::triggered, this,
            [this] {
                if (FrmIntroRes* open = form())
                    open->editCategories();
            });
    menu->addSeparator();
    connect(addAction(menu, "actionSair", tr("Saí&r"), QKeySequence(tr("Ctrl+Q"))), &QAction::triggered, this,
            &QWidget::close);
}

void MainWindow::buildResultsMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("R&esultados"));
    menu->setObjectName(QStringLiteral("menuResultados"));
    // The cursor back to "Orde", to score the next event, wherever it was.
    connect(addAction(menu, "actionIrAOrde", tr("Ir a &Orde"), QKeySequence(tr("Ctrl+L"))),
            &QAction::triggered, this, [this] {
                if (FrmIntroRes* open = form())
                    open->focusOrder();
            });
    menu->addSeparator();
    connect(addAction(menu, "actionPuntuarDesdeResultados", tr("&Puntuar desde resultados…")),
            &QAction::triggered, this, [this] { forward("actionPuntuarResultados"); });
}

void MainWindow::buildStandingsMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("&Clasificacións"));
    menu->setObjectName(QStringLiteral("menuClasificacions"));
    connect(addAction(menu, "actionGardar", tr("&Gardar…"), QKeySequence(tr("Ctrl+S"))), &QAction::triggered,
            this, [this] { forward("actionGardarClasificacions"); });
    connect(addAction(menu, "actionImprimir", tr("&Imprimir…"), QKeySequence(tr("Ctrl+P"))),
            &QAction::triggered, this, [this] { forward("actionImprimirClasificacions"); });
    connect(addAction(menu, "actionPublicar", tr("&Publicar en directo…")), &QAction::triggered, this,
            [this] { forward("actionPublicarEnDirecto"); });
    menu->addSeparator();
    connect(addAction(menu, "actionLiga", tr("Abrir &liga…")), &QAction::triggered, this, [this] {
        const QString path = FileDialog::openFileName(this, tr("Abrir liga"), tr("Liga (*.json)"));
        if (!path.isEmpty())
            LeagueDialog::openLeague(this, path);
    });
}

void MainWindow::buildHelpMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("A&xuda"));
    menu->setObjectName(QStringLiteral("menuAxuda"));
    connect(addAction(menu, "actionGuia", tr("&Guía de uso"), QKeySequence(Qt::Key_F1)), &QAction::triggered,
            this, &MainWindow::showGuide);
    menu->addSeparator();
    connect(addAction(menu, "actionAcercaDe", tr("&Acerca de Quilvarden")), &QAction::triggered, this,
            &MainWindow::showAbout);
    connect(addAction(menu, "actionAcercaDeQt", tr("Acerca de &Qt")), &QAction::triggered, qApp,
            &QApplication::aboutQt);
}

void MainWindow::forward(const char* actionName)
{
    if (FrmIntroRes* open = form())
        if (auto* action = open->findChild<QAction*>(QString::fromLatin1(actionName)))
            action->trigger();
}

void MainWindow::chooseAndOpen(int choice)
{
    const QString path = chooseRegister(this, static_cast<RegisterChoice>(choice));
    if (!path.isEmpty())
        openOrTell(path);
}

void MainWindow::openOrTell(const QString& path)
{
    if (Outcome opened = open(path); !opened)
        MessageBox::critical(this, windowTitle(), startupFailureText(path, opened.failure()));
}

void MainWindow::importProgramme()
{
    FrmIntroRes* open = form();
    if (!open || !importProgrammeInto(this, open->registerPath()))
        return;
    // The clubs and order numbers of the programme just brought in.
    if (Outcome loaded = open->load(); !loaded)
        MessageBox::critical(this, windowTitle(), loaded.failure().message());
}

Outcome MainWindow::open(const QString& path)
{
    Result<std::unique_ptr<FrmIntroRes>> opened = openWindow(path);
    if (!opened)
        return opened.failure();
    setForm(std::move(opened).value());
    rememberRegister(path);
    return Done{};
}

void MainWindow::setForm(std::unique_ptr<FrmIntroRes> form)
{
    // The old window goes at once, and with it its connection, watch and live server.
    delete takeCentralWidget();
    setCentralWidget(form.release());
    // The window keeps its fixed size; the menu bar sits above it.
    setFixedSize(sizeHint());
    this->form()->focusOrder();
}

void MainWindow::showCentred()
{
    if (const QScreen* screen = this->screen())
        setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    show();
}

void MainWindow::showGuide()
{
    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("guia"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Guía de uso de Quilvarden"));
    auto* browser = new QTextBrowser(dialog);
    browser->setOpenExternalLinks(true);
    QFile guide(QStringLiteral(":/docs/guia.md"));
    if (guide.open(QIODevice::ReadOnly))
        browser->setMarkdown(QString::fromUtf8(guide.readAll()));
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(browser);
    dialog->resize(720, 640);
    dialog->show();
}

void MainWindow::showAbout()
{
    MessageBox::information(
        this, tr("Acerca de Quilvarden"),
        tr("<h3>Quilvarden %1</h3><p>A mesa de puntuación dun campionato de natación entre clubs.</p>"
           "<p>Software libre baixo a licenza GPL-3.0 ou posterior: "
           "<a "
           "href=\"https://www.gnu.org/licenses/gpl-3.0.html\">https://www.gnu.org/licenses/gpl-3.0.html</"
           "a></p>")
            .arg(QStringLiteral(QUILVARDEN_VERSION)));
}

} // namespace quilvarden::app
