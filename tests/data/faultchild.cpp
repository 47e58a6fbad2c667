// A second process for the durability tests: it records awards through the program's own
// data code, or holds the file locked as another program would, and says what it did on
// standard output, one line at a time, after each step has returned.

#include "data/database.h"
#include "support/childlines.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <grp.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

using namespace quilvarden;

namespace {

using testsupport::say;

data::Award award(const QString& club)
{
    return {QStringLiteral("01"), QStringLiteral("100FR"), QStringLiteral("M"), club, 19};
}

int failed(const Failure& failure)
{
    say(QStringLiteral("failed %1 %2").arg(failure.number).arg(failure.message().replace(u'\n', u' ')));
    return 3;
}

// Records count awards, club TAG-0, TAG-1 ..., saying "stored TAG-i" after each.
int record(const QString& path, const QString& tag, int count, int timeoutMs, const QString& padding = {})
{
    auto opened = data::Database::open(path, {timeoutMs});
    if (!opened)
        return failed(opened.failure());
    say(QStringLiteral("open"));
    for (int i = 0; i < count; ++i) {
        const QString club = QStringLiteral("%1-%2").arg(tag).arg(i);
        if (auto stored = (*opened)->recordAward(award(club + padding)); !stored)
            return failed(stored.failure());
        say(QStringLiteral("stored ") + club);
    }
    return 0;
}

// Another program writing to the meet tables: holds the write lock for ms milliseconds.
int hold(const QString& path, int ms)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        db.setDatabaseName(path);
        if (!db.open())
            return 2;
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")) ||
            !query.exec(QStringLiteral("INSERT INTO CLUBCHAMP (CLUBCODE) VALUES ('HOLDER')")))
            return 2;
        say(QStringLiteral("locked"));
        QThread::msleep(static_cast<unsigned long>(ms));
        if (!query.exec(QStringLiteral("COMMIT")))
            return 2;
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    say(QStringLiteral("released"));
    return 0;
}

// Runs as nobody when started as root, so that file permissions apply.
bool dropPrivileges()
{
    if (geteuid() != 0)
        return true;
    const gid_t nogroup = 65534;
    const uid_t nobody = 65534;
    return setgroups(0, nullptr) == 0 && setgid(nogroup) == 0 && setuid(nobody) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString mode = args.value(1);
    const QString path = args.value(2);
    if (mode == QStringLiteral("record"))
        return record(path, args.value(3), args.value(4).toInt(), 5000);
    if (mode == QStringLiteral("record-once"))
        return record(path, QStringLiteral("ONCE"), 1, args.value(3).toInt());
    if (mode == QStringLiteral("hold"))
        return hold(path, args.value(3).toInt());
    if (mode == QStringLiteral("record-limited")) {
        // The disk fills up: no file may grow past the given size.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = args.value(3).toULongLong();
        const rlimit size{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &size) != 0)
            return 2;
        return record(path, QStringLiteral("FULL"), 100000, 5000, QString(2000, QLatin1Char('x')));
    }
    if (mode == QStringLiteral("record-as-nobody")) {
        if (!dropPrivileges())
            return 2;
        auto opened = data::Database::open(path, {500});
        if (!opened)
            return failed(opened.failure());
        say(QStringLiteral("open"));
        // Waits until the test has taken the write permission away.
        char line[16];
        if (!std::fgets(line, sizeof line, stdin))
            return 2;
        if (auto stored = (*opened)->recordAward(award(QStringLiteral("READONLY"))); !stored)
            return failed(stored.failure());
        say(QStringLiteral("stored READONLY"));
        return 0;
    }
    std::fputs("usage: faultchild record|record-once|hold|record-limited|record-as-nobody FILE ...\n",
               stderr);
    return 2;
}
