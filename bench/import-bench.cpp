// quilvarden-import-bench: times the import of a meet's clubs as the number of clubs grows,
// from a Lenex file written in a temporary folder to the codes and short names the register
// would get: reading the file, then giving the clubs their codes and names. Two kinds of
// meet: every club with one name and one code (the hardest case for short names), and
// clubs whose names differ only in a digit. Prints one table.

#include "imports/clubs.h"
#include "imports/lenex.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quilvarden;

namespace {

QByteArray lenexOf(int clubs, bool sameName)
{
    QByteArray xml =
        R"(<LENEX version="3.0"><MEETS><MEET name="Bench"><SESSIONS><SESSION number="1"><EVENTS>)"
        R"(<EVENT eventid="1" number="1" gender="F"><SWIMSTYLE distance="100" relaycount="1")"
        R"( stroke="FREE"/></EVENT></EVENTS></SESSION></SESSIONS><CLUBS>)";
    for (int c = 0; c < clubs; ++c) {
        xml += QStringLiteral(R"(<CLUB clubid="%1" code="%2" name="Club Natación Vigo%3"/>)")
                   .arg(c)
                   .arg(sameName ? QStringLiteral("0") : QStringLiteral("C%1").arg(c % 3))
                   .arg(sameName ? QString() : QStringLiteral(" %1").arg(c % 10))
                   .toUtf8();
    }
    return xml + "</CLUBS></MEET></MEETS></LENEX>";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    std::printf("| meet | clubs | read (ms) | codes and names (ms) |\n|---|---|---|---|\n");
    for (const bool sameName : {true, false}) {
        for (const int clubs : {1000, 5000, 20000}) {
            const QString path = folder.filePath(QStringLiteral("meet.lef"));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(lenexOf(clubs, sameName)) < 0 || !file.flush())
                return 1;
            file.close();
            std::vector<double> reading;
            std::vector<double> naming;
            for (int repetition = 0; repetition < 5; ++repetition) {
                QElapsedTimer timer;
                timer.start();
                const Result<imports::FileMeet> meet = imports::readLenexMeet(path);
                reading.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
                if (!meet)
                    return 1;
                timer.restart();
                const imports::ClubAssignment assignment = imports::assignClubs(meet->clubs, {});
                naming.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
                if (assignment.clubs.size() != clubs)
                    return 1;
            }
            std::sort(reading.begin(), reading.end());
            std::sort(naming.begin(), naming.end());
            std::printf("| %s | %d | %.1f | %.1f |\n",
                        sameName ? "one name, one code" : "names apart by a digit", clubs,
                        reading[reading.size() / 2], naming[naming.size() / 2]);
        }
    }
    return 0;
}
