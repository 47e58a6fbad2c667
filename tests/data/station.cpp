// A scoring station for the tests of several stations on one register: it records and
// takes back awards at random through the program's own data code, for a given time, and
// says what it did on standard output, one line after each step has returned:
//   stored ID CLUB GENDER POINTS | undone ID CLUB | failed NUMBER | settled | done
//
//   station REGISTER TAG SECONDS SEED

#include "data/database.h"
#include "support/childlines.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>

using namespace quilvarden;

using testsupport::say;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 5)
        return 2;
    const QString where = arguments[1];
    const QString tag = arguments[2];
    const qint64 runFor = arguments[3].toLongLong() * 1000;
    QRandomGenerator random(arguments[4].toUInt());
    QElapsedTimer clock;
    clock.start();

    std::unique_ptr<data::Database> database;
    int recorded = 0;
    while (clock.elapsed() < runFor) {
        if (!database) {
            auto opened = data::Database::open(where, {2000});
            if (!opened) {
                say(QStringLiteral("failed %1").arg(opened.failure().number));
                QThread::msleep(100);
                continue;
            }
            database = std::move(opened).value();
        }
        // Records first, so that every undo has an award of its own to take back.
        if (recorded == 0 || random.bounded(10) < 7) {
            const QString club = QStringLiteral("%1-%2").arg(tag).arg(random.bounded(3));
            const QString gender = random.bounded(2) ? QStringLiteral("M") : QStringLiteral("F");
            const double points = random.bounded(38) / 2.0;
            const Result<qint64> stored = database->recordAward(
                {QStringLiteral("%1").arg(random.bounded(1, 40), 2, 10, QLatin1Char('0')),
                 QStringLiteral("100L"), gender, club, points});
            if (stored) {
                ++recorded;
                say(QStringLiteral("stored %1 %2 %3 %4").arg(*stored).arg(club, gender).arg(points));
            } else {
                say(QStringLiteral("failed %1").arg(stored.failure().number));
            }
        } else {
            const Result<std::optional<data::UndoneAward>> undone = database->undoLatestAward();
            if (!undone)
                say(QStringLiteral("failed %1").arg(undone.failure().number));
            else if (undone->has_value())
                say(QStringLiteral("undone %1 %2").arg((*undone)->id).arg((*undone)->award.club.toString()));
        }
        QThread::msleep(random.bounded(15u));
    }
    // What a lost server left unanswered is settled before the station closes.
    for (int tries = 0; database && tries < 100; ++tries) {
        if (database->settle()) {
            say(QStringLiteral("settled"));
            break;
        }
        QThread::msleep(200);
    }
    say(QStringLiteral("done"));
    return 0;
}
