#pragma once

#include "data/meet.h"
#include "text/failure.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class QSqlDatabase;
class QSqlQuery;

namespace quilvarden::data {

// An award as the operator recorded it: the texts of the fields, the points as a number.
struct Award {
    QString order;
    QString eventCode;
    QString gender;
    QString club;
    double points = 0;
};

// A row of the register as the database gives it (texts, numbers, or Null).
struct AwardRow {
    QVariant order;
    QVariant eventCode;
    QVariant gender;
    QVariant club;
    QVariant points;
};

// The event found for an order number. Either column may be Null.
struct EventRow {
    QVariant code;
    QVariant gender;
};

// One club's line in a standing.
struct StandingRow {
    QVariant club;
    QVariant total;
};

// A club's total of points in the events of one gender code.
struct ClubTotal {
    QVariant club;
    QVariant gender;
    QVariant total;
};

enum class Standing { Men, Women, Combined };

struct OpenOptions {
    // How long to wait for another program that holds the file locked before reporting.
    int busyTimeoutMs = 5000;
    // Only to read (publishing): the file and its folder may be read-only, and nothing is
    // written to the file, not even its journal mode or indexes.
    bool readOnly = false;
};

// The one open connection to the results database. Every statement of the program runs
// through it; errors come back as values for the window to show.
class Database {
public:
    // Opens an existing database file read-write (or only to read) and checks that it holds
    // every table and column the program uses. Writes nothing to the file when it fails.
    static Result<std::unique_ptr<Database>> open(const QString& path, const OpenOptions& options = {});

    // Makes a new database file with the register table and empty meet tables. Refuses to
    // touch a file that already exists; on failure no file is left behind.
    static Outcome create(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; }

    // The short names of the clubs taking part, as the club list shows them.
    Result<QStringList> clubNames();

    // The first event with this running order number, or nothing when there is none.
    Result<std::optional<EventRow>> findEvent(double orderNumber);

    // Stores one award. When it returns without failure, the award is on disk.
    Outcome recordAward(const Award& award);

    // The id of the latest award, or nothing when the register is empty.
    Result<std::optional<qint64>> latestAwardId();

    // The order number of the latest award, Null when the register is empty.
    Result<QVariant> lastEventScored();

    // Deletes one award by its id.
    Outcome deleteAward(qint64 id);

    // A page of the awards with an id up to upToId, in the order of the results list from
    // its top line: the highest order number first and, within one, the lowest points first.
    Result<QList<AwardRow>> awardsPage(qint64 upToId, qint64 offset, qint64 limit);

    // Each club's total for each gender code, by club. Points that are not a number are a
    // type mismatch (13) naming the award, a sum past 64 bits an overflow (6).
    Result<QList<ClubTotal>> clubTotals();

    // Runs the reads in one snapshot of the register: awards stored meanwhile by another
    // program are either all seen or none.
    template <typename T> Result<T> readTogether(const std::function<Result<T>()>& reads)
    {
        if (Outcome begun = beginReading(); !begun)
            return begun.failure();
        Result<T> result = reads();
        endReading();
        return result;
    }

    // Replaces every row of the three meet tables in one transaction; the register is not
    // touched. On failure the tables stay as they were.
    Outcome replaceMeetProgramme(const MeetProgramme& programme);

    // The same, with the programme built from what the register holds, read in the same
    // transaction: an import keeps the codes and short names that awards already carry.
    using ProgrammeBuilder = std::function<Result<MeetProgramme>(const RegisteredMeet&)>;
    Outcome replaceMeetProgramme(const ProgrammeBuilder& build);

private:
    Database(QString connectionName, QString path);
    QSqlDatabase connection() const;
    Outcome checkTables();
    Outcome addMissingClubColumns();
    Outcome beginReading();
    void endReading();
    Result<RegisteredMeet> registeredMeet();
    // A statement prepared once and kept for the life of the connection.
    Result<QSqlQuery*> prepared(const char* statement);

    std::unordered_map<const char*, std::unique_ptr<QSqlQuery>> m_prepared;
    QString m_connectionName;
    QString m_path;
};

} // namespace quilvarden::data
