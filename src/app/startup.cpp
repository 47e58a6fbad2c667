#include "startup.h"

#include "app/messagebox.h"
#include "app/registers.h"
#include "language/language.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPixmap>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace quilvarden::app {

namespace {

constexpr int ExitStartupFailed = 1;
constexpr int ExitBadArguments = 2;

QString programTitle()
{
    return QCoreApplication::translate("Window", "Introducción de Resultados");
}

void printError(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputs("\n", stderr);
}

// A screenshot, the help or the version shows no window: they need no display.
bool needsNoDisplay(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--screenshot") == 0 || std::strncmp(argv[i], "--screenshot=", 13) == 0 ||
            std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0 ||
            std::strcmp(argv[i], "--version") == 0)
            return true;
    return false;
}

} // namespace

QString defaultDatabasePath()
{
    return QDir::toNativeSeparators(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quilvarden.MDB")));
}

bool runsInstalled()
{
    const QByteArray said = qgetenv("QUILVARDEN_INSTALLED");
    if (!said.isEmpty())
        return said != "0";
    return QDir(QCoreApplication::applicationDirPath()).canonicalPath() !=
           QDir(QStringLiteral(QUILVARDEN_BUILD_BIN_DIR)).canonicalPath();
}

std::optional<QString> registerForInstalled(QWidget* parent)
{
    const QString remembered = rememberedRegister();
    if (!remembered.isEmpty() && (data::isServerUri(remembered) || QFileInfo::exists(remembered)))
        return remembered;
    for (;;) {
        const RegisterChoice choice = WelcomeDialog::ask();
        if (choice == RegisterChoice::Cancel)
            return std::nullopt;
        // A choice cancelled half-way (no file picked) comes back here.
        if (const QString path = chooseRegister(parent, choice); !path.isEmpty())
            return path;
    }
}

Result<StartupOptions> parseArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(programTitle());
    const QCommandLineOption database(
        QStringLiteral("database"),
        QCoreApplication::translate("Window", "Abre esta base de datos en vez de quilvarden.MDB."),
        QCoreApplication::translate("Window", "FICHEIRO"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QCoreApplication::translate("Window", "Garda a imaxe da xanela neste ficheiro PNG e remata."),
        QCoreApplication::translate("Window", "FICHEIRO"));
    QCommandLineOption exitWhenShown(
        QStringLiteral("exit-when-shown"),
        QCoreApplication::translate("Window", "Remata en canto a xanela se amosa (para medir o arranque)."));
    exitWhenShown.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(database);
    parser.addOption(screenshot);
    parser.addOption(exitWhenShown);
    // Read before the parser by language::setUp; here for the help and to be accepted.
    parser.addOption(QCommandLineOption(language::optionName(), language::optionDescription(),
                                        language::optionValueName()));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("Window", "Amosa estas opcións e remata."));
    parser.addOption(help);
    const QCommandLineOption version(QStringLiteral("version"),
                                     QCoreApplication::translate("Window", "Amosa a versión e remata."));
    parser.addOption(version);
    if (!parser.parse(arguments))
        return Failure{0, parser.errorText(), {}};
    if (parser.isSet(version)) {
        StartupOptions asked;
        asked.help = QStringLiteral("quilvarden %1\n").arg(QStringLiteral(QUILVARDEN_VERSION));
        return asked;
    }
    if (parser.isSet(help)) {
        StartupOptions asked;
        asked.help =
            parser.helpText()
                .replace(QStringLiteral("Usage:"), QCoreApplication::translate("Window", "Uso:"))
                .replace(QStringLiteral("Options:"), QCoreApplication::translate("Window", "Opcións:"));
        return asked;
    }
    if (!parser.positionalArguments().isEmpty())
        return Failure{0,
                       QCoreApplication::translate("Window", "Argumento descoñecido: %1")
                           .arg(parser.positionalArguments().first()),
                       {}};
    StartupOptions options;
    options.databasePath = parser.value(database);
    options.screenshotPath = parser.value(screenshot);
    options.exitWhenShown = parser.isSet(exitWhenShown);
    return options;
}

QString startupFailureText(const QString& databasePath, const Failure& failure)
{
    return QCoreApplication::translate("Window", "Non se pode abrir a base de datos\n%1\n\n%2")
        .arg(data::locate(databasePath).shown(), failure.message());
}

Result<std::unique_ptr<FrmIntroRes>> openWindow(const QString& databasePath, const data::OpenOptions& options)
{
    Result<std::unique_ptr<data::Database>> database = data::Database::open(databasePath, options);
    if (!database)
        return database.failure();
    auto window = std::make_unique<FrmIntroRes>(std::move(database).value());
    if (Outcome loaded = window->load(); !loaded)
        return loaded.failure();
    return window;
}

int startUp(const QStringList& arguments, std::unique_ptr<MainWindow>& window)
{
    const Result<StartupOptions> options = parseArguments(arguments);
    if (!options) {
        printError(options.failure().description);
        printError(QCoreApplication::translate(
            "Window", "Uso: quilvarden [--database FICHEIRO] [--screenshot FICHEIRO.png]"));
        return ExitBadArguments;
    }
    if (!options->help.isEmpty()) {
        std::fputs(options->help.toUtf8().constData(), stdout);
        return 0;
    }
    const bool screenshot = !options->screenshotPath.isEmpty();
    QString path = options->databasePath;
    if (path.isEmpty() && !runsInstalled())
        path = defaultDatabasePath();
    if (path.isEmpty() && screenshot) {
        // A picture asks nobody anything: the register used last, or none.
        path = rememberedRegister();
        if (path.isEmpty()) {
            printError(
                QCoreApplication::translate("Window", "Non hai rexistro que abrir: indica --database."));
            return ExitStartupFailed;
        }
    }
    if (path.isEmpty()) {
        const std::optional<QString> chosen = registerForInstalled();
        if (!chosen)
            return 0; // the operator left: nothing made, nothing opened
        path = *chosen;
    }

    Result<std::unique_ptr<FrmIntroRes>> opened = openWindow(path);
    if (!opened) {
        const QString text = startupFailureText(path, opened.failure());
        printError(text);
        if (!screenshot)
            MessageBox::critical(nullptr, programTitle(), text);
        return ExitStartupFailed;
    }
    window = std::make_unique<MainWindow>();
    window->setForm(std::move(opened).value());
    rememberRegister(path);

    if (screenshot) {
        window->show();
        QApplication::processEvents();
        if (!window->grab().save(options->screenshotPath, "PNG")) {
            printError(QCoreApplication::translate("Window", "Non se puido gardar a imaxe en %1")
                           .arg(options->screenshotPath));
            return ExitStartupFailed;
        }
        return 0;
    }
    window->showCentred();
    if (options->exitWhenShown) {
        // The first pass of the event loop draws the window; end right after it.
        QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
    }
    return KeepRunning;
}

QString desktopFileName()
{
    return QStringLiteral("io.github.quilvarden.Quilvarden");
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(desktopFileName()), QSize(size, size));
    return icon;
}

void setDesktopIdentity()
{
    QGuiApplication::setDesktopFileName(desktopFileName());
    QGuiApplication::setWindowIcon(programIcon());
}

int runProgram(int argc, char** argv)
{
#ifdef SIGXFSZ
    // Past a file-size limit a write fails and the window says so; the signal would end the
    // program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Draw off screen unless told otherwise when nothing is shown.
    if (needsNoDisplay(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quilvarden"));
    // Where the register used last is remembered: ~/.config/Quilvarden/quilvarden.conf.
    QApplication::setOrganizationName(QStringLiteral("Quilvarden"));
    setDesktopIdentity();
    // The program's own number rules are Spanish whatever the machine says.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    // The language of the texts (--lang or the system's), before anything is told.
    if (const language::Choice chosen = language::setUp(app, QApplication::arguments()); chosen.wrong) {
        printError(language::wrongValueText(chosen.value));
        return ExitBadArguments;
    }

    std::unique_ptr<MainWindow> window;
    const int status = startUp(QApplication::arguments(), window);
    return status == KeepRunning ? QApplication::exec() : status;
}

} // namespace quilvarden::app
