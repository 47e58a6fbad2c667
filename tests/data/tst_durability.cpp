#include "data/database.h"
#include "support/scratchdb.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <unistd.h>

using namespace quilvarden;

// The register under faults: a process killed at any moment, another program holding the
// file, a full disk, a file that can no longer be written. Nothing reported stored is ever
// lost, nothing is stored twice, and the file stays a sound database.
class TestDurability : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path() const { return m_dir->filePath(QStringLiteral("quilvarden.MDB")); }

    static QString child() { return QStringLiteral(QUILVARDEN_FAULTCHILD); }

    // Lines the child printed, without the trailing line break.
    static QStringList outputLines(QProcess& process)
    {
        return QString::fromUtf8(process.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The file is sound and the program opens it as usual.
    void checkSound()
    {
        QCOMPARE(testsupport::queryRows(path(), QStringLiteral("PRAGMA integrity_check")),
                 QStringList{QStringLiteral("ok")});
        const auto opened = data::Database::open(path());
        QVERIFY2(opened, qPrintable(opened ? QString() : opened.failure().message()));
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(data::Database::create(path()));
    }

    void cleanup() { m_dir.reset(); }

    void killedAtRandomMomentsLosesNothing()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);
        QElapsedTimer spent;
        spent.start();
        int kills = 0;
        qsizetype reportedInAll = 0;
        // Bounded by count and by time, so the test stays well under a minute.
        while (kills < 60 && spent.elapsed() < 25000) {
            const QString tag = QStringLiteral("K%1").arg(kills);
            QProcess process;
            process.start(child(), {QStringLiteral("record"), path(), tag, QStringLiteral("100000")});
            QVERIFY(process.waitForStarted());
            // Anywhere from before the file is opened to well into the recording; on a machine
            // so busy that the child has not stored anything yet, a little later each time.
            const quint32 latest = 120u + (reportedInAll == 0 ? 40u * static_cast<quint32>(kills) : 0u);
            QThread::msleep(random.bounded(1u, latest));
            ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
            QVERIFY(process.waitForFinished());
            ++kills;

            QStringList reported;
            for (const QString& line : outputLines(process))
                if (line.startsWith(QStringLiteral("stored ")))
                    reported << line.mid(7);
            reportedInAll += reported.size();

            checkSound();
            const QStringList stored = testsupport::queryRows(
                path(),
                QStringLiteral("SELECT club FROM puntos WHERE club LIKE '%1-%' ORDER BY id").arg(tag));
            // Every award reported is there, in order; at most the one in flight besides.
            QVERIFY2(
                stored.size() == reported.size() || stored.size() == reported.size() + 1,
                qPrintable(QStringLiteral("%1 stored, %2 reported").arg(stored.size()).arg(reported.size())));
            QCOMPARE(stored.mid(0, reported.size()), reported);
        }
        QCOMPARE(testsupport::queryRows(
                     path(), QStringLiteral("SELECT club FROM puntos GROUP BY club HAVING COUNT(*) > 1")),
                 QStringList());
        qInfo("%d kills, %lld awards reported stored", kills, static_cast<long long>(reportedInAll));
        QVERIFY(reportedInAll > 0);
    }

    void anotherProgramsLockIsWaitedFor()
    {
        QProcess holder;
        holder.start(child(), {QStringLiteral("hold"), path(), QStringLiteral("1500")});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(outputLines(holder), QStringList{QStringLiteral("locked")});

        QProcess recorder;
        recorder.start(child(), {QStringLiteral("record-once"), path(), QStringLiteral("5000")});
        QVERIFY(recorder.waitForFinished(15000));
        QVERIFY(holder.waitForFinished(15000));
        QCOMPARE(recorder.exitCode(), 0);
        QVERIFY(outputLines(recorder).contains(QStringLiteral("stored ONCE-0")));
        QCOMPARE(testsupport::queryRows(path(), QStringLiteral("SELECT club FROM puntos")),
                 QStringList{QStringLiteral("ONCE-0")});
        QCOMPARE(testsupport::queryRows(path(), QStringLiteral("SELECT CLUBCODE FROM CLUBCHAMP")),
                 QStringList{QStringLiteral("HOLDER")});
        checkSound();
    }

    void lockHeldPastTheWaitStoresNothing()
    {
        QProcess holder;
        holder.start(child(), {QStringLiteral("hold"), path(), QStringLiteral("2500")});
        QVERIFY(holder.waitForReadyRead(10000));

        QProcess recorder;
        recorder.start(child(), {QStringLiteral("record-once"), path(), QStringLiteral("400")});
        QVERIFY(recorder.waitForFinished(15000));
        const QStringList said = outputLines(recorder);
        QCOMPARE(recorder.exitCode(), 3);
        QVERIFY2(said.last().startsWith(QStringLiteral("failed 3260 ")),
                 qPrintable(said.join(QLatin1Char('\n'))));
        QVERIFY(said.last().contains(QStringLiteral("bloqueada")));
        QVERIFY(holder.waitForFinished(15000));
        QVERIFY(testsupport::queryRows(path(), QStringLiteral("SELECT club FROM puntos")).isEmpty());
        QCOMPARE(testsupport::queryRows(path(), QStringLiteral("SELECT CLUBCODE FROM CLUBCHAMP")),
                 QStringList{QStringLiteral("HOLDER")});
        checkSound();
    }

    void fullDiskReportedAndRegisterKept()
    {
        // Opened once first, so that the indexes the program adds are already there.
        QVERIFY(data::Database::open(path()));
        const qint64 size = QFileInfo(path()).size();
        QProcess recorder;
        recorder.start(child(),
                       {QStringLiteral("record-limited"), path(), QString::number(size + 64 * 1024)});
        QVERIFY(recorder.waitForFinished(30000));
        const QStringList said = outputLines(recorder);
        QCOMPARE(recorder.exitCode(), 3);
        QVERIFY2(said.last().startsWith(QStringLiteral("failed 3026 ")) ||
                     said.last().startsWith(QStringLiteral("failed 3043 ")),
                 qPrintable(said.last()));
        QStringList reported;
        for (const QString& line : said)
            if (line.startsWith(QStringLiteral("stored ")))
                reported << line.mid(7) + QString(2000, QLatin1Char('x'));
        QVERIFY(!reported.isEmpty());
        checkSound();
        // Exactly what was reported: the award that hit the full disk is not there.
        QCOMPARE(testsupport::queryRows(path(), QStringLiteral("SELECT club FROM puntos ORDER BY id")),
                 reported);
    }

    void readOnlyFileRefusedAtStart()
    {
        QFile::setPermissions(m_dir->path(), QFileDevice::Permissions(0x7777));
        QFile::setPermissions(path(),
                              QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        QProcess recorder;
        recorder.start(child(), {QStringLiteral("record-as-nobody"), path()});
        QVERIFY(recorder.waitForFinished(15000));
        const QStringList said = outputLines(recorder);
        QVERIFY2(!said.isEmpty() && said.last().startsWith(QStringLiteral("failed 3027 ")),
                 qPrintable(said.join(QLatin1Char('\n'))));
        QVERIFY(testsupport::queryRows(path(), QStringLiteral("SELECT club FROM puntos")).isEmpty());
    }

    void folderMadeReadOnlyWhileOpenReported()
    {
        QFile::setPermissions(m_dir->path(), QFileDevice::Permissions(0x7777));
        QFile::setPermissions(path(), QFileDevice::Permissions(0x6666));
        QProcess recorder;
        recorder.start(child(), {QStringLiteral("record-as-nobody"), path()});
        QVERIFY(recorder.waitForReadyRead(10000));
        QCOMPARE(outputLines(recorder), QStringList{QStringLiteral("open")});
        // The folder can no longer take the journal: no award can be stored safely.
        QFile::setPermissions(m_dir->path(), QFileDevice::Permissions(0x5555));
        recorder.write("go\n");
        QVERIFY(recorder.waitForFinished(15000));
        const QStringList said = outputLines(recorder);
        QFile::setPermissions(m_dir->path(), QFileDevice::Permissions(0x7700));
        QVERIFY2(!said.isEmpty() && said.last().startsWith(QStringLiteral("failed ")),
                 qPrintable(said.join(QLatin1Char('\n'))));
        QVERIFY(testsupport::queryRows(path(), QStringLiteral("SELECT club FROM puntos")).isEmpty());
        checkSound();
    }
};

QTEST_GUILESS_MAIN(TestDurability)
#include "tst_durability.moc"
