#pragma once

#include "imports/filemeet.h"
#include "text/failure.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace quilvarden::imports {

// Reads the events and clubs of the first meet of a Lenex 3 file (.lef, or .lxf zipped; see
// lenexXml for the files it refuses).
// Each event gives its number as the order number, its gender (M, F, X for mixed, A when
// the file gives none: every swimmer) and an event code from its swim style (see
// lenexEventCode); rounds that share a number keep the first. The clubs are the CLUB
// elements of the meet (never those of record lists or time standards), each once: a club
// listed twice under the same clubid, or the same code, name and team number, is one club.
// Unattached swimmers score for no club and stay out, as does a club with neither name
// nor code that nobody swims for. A file that is not a Lenex meet is refused.
Result<FileMeet> readLenexMeet(const QString& path);

// The same reading from a file's contents, as if read from a file of that name (its ending
// tells a .lxf; it names the file in messages).
Result<FileMeet> readLenexMeet(const QByteArray& contents, const QString& name);

// The results of a Lenex results file, read in the same pass as its meet (the same events
// and the same clubs, merged and left out by the same rules as readLenexMeet).
struct FileAgeGroup {
    QString id;       // agegroupid
    QString name;     // as the file names it, for messages
    int minAge = -1;  // -1: no lower limit
    int maxAge = -1;  // -1: no upper limit
    QString handicap; // the sport class of a para-swimming group (its handicap); empty for none
    // The official ranking of the age group: each result's place as the file writes it (a
    // place may repeat for a tie; empty or no whole number where the file gives none, as for
    // a disqualified swim).
    QList<std::pair<QString, QString>> places; // resultid, place, in the file's order
    QString gender = {};                       // upper case, as the file gives it; empty for none
    // Every age: no limit either way (-1; some programs write 0 for no lower limit, or an
    // upper one of 99 or more). A class of para swimmers is never every age, whatever its ages.
    bool covers() const { return handicap.isEmpty() && minAge <= 0 && (maxAge < 0 || maxAge >= 99); }
};

// One EVENT element: an event, or one round of it (heats, semi-finals, final, a swim-off),
// which may share its number with the other rounds or have a number of its own.
struct FileEvent {
    QString id;         // eventid
    int number = 0;     // the running order number, as the meet's events give it
    QString code;       // the event code, as readLenexMeet gives it
    QString gender;     // M, F, X or A
    QString round;      // Lenex round, upper case: TIM, FHT, FIN, SEM, QUA, PRE, SOP, SOS, SOQ; or empty
    QString previousId; // preveventid: the round before this one
    bool relay = false;
    QList<FileAgeGroup> ageGroups;
};

// An EVENT of the file that no meet has (a number past 999, a distance or gender of no swim),
// left out of the meet and of its results.
struct LeftOutEvent {
    QString number; // as the file writes it
    QString why;
};

// One swim: a swimmer's or a relay's result in an event.
struct FileSwim {
    QString resultId;
    QString eventId;
    qsizetype club = -1; // the club in FileMeet::clubs; -1: unattached, or a club left out
    QString clubShown;   // the club's name as the file gives it, for messages
    QString who;         // the swimmer ("Surname, Name") or the relay ("CLUB, remuda 2"), for messages
    QString swimTime;    // as the file writes it (HH:MM:SS.hh), or empty
    QString status;      // upper case: empty for a valid swim; EXH, DSQ, DNS, DNF, SICK, WDR...
    bool relay = false;
    // The swimmer, where the file tells (never for a relay): the date of birth, the gender
    // (M or F) and the sport classes of a para swimmer (HANDICAP), empty where it gives none.
    QDate born = {};
    QString swimmerGender = {};
    QString classFree = {};   // free, back and fly
    QString classBreast = {}; // breaststroke
    QString classMedley = {}; // individual medley
};

// The date the swimmers' ages are reckoned at (AGEDATE): by the year of the date (the age
// turned in that year) or at the date itself. Invalid where the file gives none, or one of
// another kind.
struct AgeDate {
    QDate date;
    bool byYear = true;
};

struct FileResults {
    FileMeet meet;
    QList<FileEvent> events; // every event and round of the file, in the file's order
    QList<LeftOutEvent> leftOut;
    QList<FileSwim> swims;
    AgeDate ageDate = {};
};

// The name of the category an age group that is not every age ranks: the file's name for it,
// else what it is ("25-29", "80+", "0-10", its class), as the programme's import names it.
QString categoryName(const FileAgeGroup& group);

Result<FileResults> readLenexResults(const QString& path);
Result<FileResults> readLenexResults(const QByteArray& contents, const QString& name);

// A Lenex swim time (HH:MM:SS.hh) in hundredths of a second; nothing for NT, an empty or a
// malformed time.
std::optional<qint64> lenexSwimTime(const QString& text);

// The event code of a swim style: the distance, a letter for the stroke (L free, E back,
// B breast, M fly, S medley, O any other; fin swimming A and a second letter) and one for
// a technique other than plain swimming (P kick, Z pull, U underwater, D glide, I start,
// V turn), with "<swimmers>X" in front for a relay: 200E, 4X50L, 4X25LP, 50MP.
QString lenexEventCode(int distance, int relayCount, const QString& stroke, const QString& technique = {});

} // namespace quilvarden::imports
