#include "support/testmeet.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The program as the operator starts it: a process, its exit status, what it prints.
class TestProgram : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    struct Run {
        int status = -1;
        QString errors;
    };

    // The program's settings in the test's folder; QUILVARDEN_INSTALLED=0 keeps a copy of the
    // program elsewhere to the build's rule (the register beside it).
    Run run(const QString& program, const QStringList& arguments, const QString& workingDirectory = {},
            const QString& installed = QStringLiteral("0")) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("QUILVARDEN_INSTALLED"), installed);
        // As under su or in a service: Qt would complain of it on stderr.
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        environment.remove(QStringLiteral("QUILVARDEN_DEBUG"));
        process.setProcessEnvironment(environment);
        process.setProgram(program);
        process.setArguments(arguments);
        if (!workingDirectory.isEmpty())
            process.setWorkingDirectory(workingDirectory);
        process.start();
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    static QString program() { return QStringLiteral(QUILVARDEN_BIN_DIR "/quilvarden"); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    void screenshotOfTheWindow()
    {
        const QString database = m_dir->filePath(QStringLiteral("meet.MDB"));
        const QString picture = m_dir->filePath(QStringLiteral("window.png"));
        QVERIFY(testsupport::makeTestMeet(database));
        const Run result =
            run(program(), {QStringLiteral("--database"), database, QStringLiteral("--screenshot"), picture});
        QVERIFY2(result.status == 0, qPrintable(result.errors));
        // Qt's own chatter is not the program's to print.
        QCOMPARE(result.errors, QString());
        const QImage image(picture);
        // The main window: the menu bar, and below it the 895 × 707 window, black at its foot.
        QCOMPARE(image.width(), 895);
        QVERIFY(image.height() > 707);
        QCOMPARE(QColor(image.pixel(5, image.height() - 107)), QColor(0, 0, 0));
    }

    void failedStartUps_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing file") << QStringLiteral("nowhere.MDB") << QStringLiteral("Erro 3024");
        QTest::newRow("Access file") << QStringLiteral(QUILVARDEN_FIXTURES_DIR "/meet.mdb")
                                     << QStringLiteral("Access");
    }

    void failedStartUps()
    {
        QFETCH(QString, file);
        QFETCH(QString, says);
        const QString path = QFileInfo(file).isAbsolute() ? file : m_dir->filePath(file);
        const QString picture = m_dir->filePath(QStringLiteral("window.png"));
        const Run result =
            run(program(), {QStringLiteral("--database"), path, QStringLiteral("--screenshot"), picture});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.errors.contains(path), qPrintable(result.errors));
        QVERIFY2(result.errors.contains(says), qPrintable(result.errors));
        QVERIFY(!QFile::exists(picture));
    }

    void wrongArguments()
    {
        const Run result = run(program(), {QStringLiteral("--no-such-option")});
        QCOMPARE(result.status, 2);
        QVERIFY2(result.errors.contains(QStringLiteral("Uso:")), qPrintable(result.errors));
    }

    void helpIsNoError()
    {
        QProcess process;
        process.start(program(), {QStringLiteral("--help")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QString help = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(help.contains(QStringLiteral("Uso:")) && help.contains(QStringLiteral("--database")) &&
                     help.contains(QStringLiteral("Abre esta base de datos")),
                 qPrintable(help));
    }

    // Installed, the program opens the register it opened last; a picture with none asks nobody.
    void installedOpensTheOneUsedLast()
    {
        const QString database = m_dir->filePath(QStringLiteral("meet.MDB"));
        const QString picture = m_dir->filePath(QStringLiteral("window.png"));
        const QString one = QStringLiteral("1");
        QVERIFY(testsupport::makeTestMeet(database));
        Run result = run(program(), {QStringLiteral("--screenshot"), picture}, {}, one);
        QCOMPARE(result.status, 1);
        QVERIFY2(result.errors.contains(QStringLiteral("--database")), qPrintable(result.errors));
        QVERIFY(run(program(),
                    {QStringLiteral("--database"), database, QStringLiteral("--screenshot"), picture}, {},
                    one)
                    .status == 0);
        QVERIFY(QFile::remove(picture));
        result = run(program(), {QStringLiteral("--screenshot"), picture}, {}, one);
        QVERIFY2(result.status == 0, qPrintable(result.errors));
        QVERIFY(QFile::exists(picture));
    }

    void databaseBesideTheProgramWhateverTheWorkingDirectory()
    {
        // A copy of the program in a folder of its own, started from elsewhere.
        const QString folder = m_dir->filePath(QStringLiteral("programa"));
        QVERIFY(QDir().mkpath(folder));
        const QString copy = folder + QStringLiteral("/quilvarden");
        QVERIFY(QFile::copy(program(), copy));
        const QString picture = m_dir->filePath(QStringLiteral("window.png"));
        const QString elsewhere = m_dir->filePath(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(testsupport::makeTestMeet(elsewhere + QStringLiteral("/quilvarden.MDB")));

        Run result = run(copy, {QStringLiteral("--screenshot"), picture}, elsewhere);
        QCOMPARE(result.status, 1);
        QVERIFY2(result.errors.contains(folder + QStringLiteral("/quilvarden.MDB")),
                 qPrintable(result.errors));

        QVERIFY(QFile::rename(elsewhere + QStringLiteral("/quilvarden.MDB"),
                              folder + QStringLiteral("/quilvarden.MDB")));
        result = run(copy, {QStringLiteral("--screenshot"), picture}, elsewhere);
        QVERIFY2(result.status == 0, qPrintable(result.errors));
        QVERIFY(QFile::exists(picture));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
