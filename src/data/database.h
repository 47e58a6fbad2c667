#pragma once

#include "data/engine.h"
#include "data/location.h"
#include "data/meet.h"
#include "rules/rules.h"
#include "text/failure.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class QSqlDatabase;
class QSqlDriver;
class QSqlQuery;

namespace quilvarden::data {

// An award as the operator recorded it: the texts of the fields, the points as a number.
struct Award {
    QString order;
    QString eventCode;
    QString gender;
    QString club;
    double points = 0;
    QString category = {}; // the category the award scores in (an age group, a class); empty: none
};

// The awards of one event, scored together from a results file.
struct EventAwards {
    double order = 0; // the event's order number
    QList<Award> awards;
    // Only the awards of these categories ("" for those of none) are the event's to store:
    // the event's awards in other categories are kept as they are, and do not count as awards
    // already there. Empty: the whole event.
    QStringList only = {};
};

// How scored events go into the register.
struct StoreOptions {
    // The meet of the results file they were scored from (as the caller names meets; empty
    // when unknown). Awards stored are marked with it, so that a later export of the same
    // meet can bring an event up to date.
    QString source;
    // Replace the awards of every event that has some, however they came.
    bool replace = false;
    // Only tell what storing would do: nothing is written.
    bool dryRun = false;
};

// What storing scored events did, by order number.
struct StoredEvents {
    QList<double> stored;    // every event whose awards were stored (those below among them)
    QList<double> replaced;  // stored over awards that were there (replace)
    QList<double> updated;   // stored over the awards of an earlier export of the same meet, which
                             // ranked fewer or other swims
    QList<double> leftAlone; // not stored: awards typed at a window, or of another file, are there
    QList<double> unchanged; // not stored: the same awards as the earlier export are there
};

// One event and club with the sum of its points there, for checking against a results sheet.
struct EventClubPoints {
    QVariant order;
    QVariant eventCode;
    QVariant gender;
    QVariant club;
    QVariant points;
    QString category = {}; // empty: the points of the awards of no category
};

// A row of the register as the database gives it (texts, numbers, or Null).
struct AwardRow {
    QVariant order;
    QVariant eventCode;
    QVariant gender;
    QVariant club;
    QVariant points;
    QString category = {}; // empty: none
};

// The event found for an order number. Any column may be Null.
struct EventRow {
    QVariant code;
    QVariant gender;
    QVariant id; // the meet-management program's own id of the event, where it gives one
};

// One club's line in a standing: its position (none for a guest, who is listed after the
// clubs in competition and takes no position from them).
struct StandingRow {
    QVariant club;
    QVariant total;
    std::optional<qint64> position = {};
    bool guest = false;
};

// A club's total of points in the events of one gender code.
struct ClubTotal {
    QVariant club;
    QVariant gender;
    QVariant total;
    QString category = {}; // empty: all the club's awards (the meet's standings)
};

enum class Standing { Men, Women, Combined };

struct OpenOptions {
    // How long to wait for another program that holds the file locked (or for the server to
    // answer) before reporting.
    int busyTimeoutMs = 5000;
    // Only to read (publishing): the file and its folder may be read-only, and nothing is
    // written to the file, not even its journal mode or indexes.
    bool readOnly = false;
};

// An award taken back, as it was.
struct UndoneAward {
    qint64 id = 0;
    AwardRow award;
};

// The one open connection to the results register: an SQLite file, or a PostgreSQL server
// that several stations share. Every statement of the program runs through it; errors come
// back as values for the window to show. When a server cannot be reached, the operation
// fails with error 3151 and the next one connects again.
class Database {
public:
    // Opens an existing register (a file path or a postgresql:// URI) read-write, or only to
    // read, and checks that it holds every table and column the program uses. Writes
    // nothing to it when it fails.
    static Result<std::unique_ptr<Database>> open(const QString& where, const OpenOptions& options = {});

    // Makes a new register with empty meet tables: a file, or the tables in a server's
    // database (the database too when the server has none of that name). Never over one
    // that exists; on failure nothing is left behind.
    static Outcome create(const QString& where);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The file's path or the server's URI, as given; shown() hides a password.
    const QString& path() const { return m_location.text; }
    QString shown() const { return m_location.shown(); }
    bool onServer() const { return m_location.engine == Engine::Postgres; }

    // The short names of the clubs taking part, as the club list shows them.
    Result<QStringList> clubNames();
    // The meet's clubs as the register describes them (with the file id and code of the
    // last import), and the club names that awards carry.
    Result<RegisteredMeet> meetClubs();

    // The first event with this running order number, or nothing when there is none.
    Result<std::optional<EventRow>> findEvent(double orderNumber);
    // How many awards of the register give points to this club (the name as awards carry
    // it) in the event of this order number, whatever text the order number has there. With a
    // category, only the club's awards in it ("": those of no category).
    Result<int> clubAwardsInEvent(double orderNumber, const QString& club,
                                  const std::optional<QString>& category = std::nullopt);

    // Stores one award and gives its id. When it returns without failure the award is
    // committed to disk, exactly once; when it fails, the award is not in the register
    // (an award whose commit went unanswered is looked for, and taken out again if the
    // answer cannot be had, at the next action).
    Result<qint64> recordAward(const Award& award);

    // The largest order number of the programme (the events' numbers that read as numbers),
    // or nothing for a programme without one.
    Result<std::optional<double>> highestOrderNumber();

    // Stores the awards of several events in one transaction: all of them or none. An event
    // already has awards when an award's order number reads as the same number ("7", "07").
    // Such an event is left alone, unless all its awards were stored from a results file of
    // the same source and differ from the new ones (then they are replaced: the file now
    // ranks more or other swims), or options.replace says to replace them whatever they are.
    // Stores made at the same moment by other stations or programs wait for each other, so
    // that each event ends with exactly one set of awards. The awards stored count as
    // recorded through this connection (the window's undo takes them back one by one, the
    // last first).
    Result<StoredEvents> storeEventAwards(const QList<EventAwards>& events, const StoreOptions& options);
    // The points of each club in each event: one row per order number, event code, gender and
    // club, by order number and then by points, the most first.
    Result<QList<EventClubPoints>> pointsByEvent();
    // Takes back the latest award recorded through this connection that is still in the
    // register, then the one before it, and so on. A connection that has recorded nothing
    // takes back the latest award of the register. Nothing when there is nothing to take.
    // When it fails, the award is still in the register (as for recordAward).
    Result<std::optional<UndoneAward>> undoLatestAward();

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
    // The same for each category's awards, by category; none in a register that keeps none.
    Result<QList<ClubTotal>> categoryTotals();

    // The meet the register holds, as its latest import remembered it: empty for a register
    // made by hand or imported from a file that does not name its meet.
    Result<MeetIdentity> meetHeld();
    // The competition's rules the register holds; none for a register whose rules were never
    // set (the league's scale holds). Rules stored that no longer read are refused, named.
    Result<std::optional<rules::MeetRules>> meetRules();
    // Keeps the rules in the register, in place of any before; stored awards keep their points.
    Outcome setMeetRules(const rules::MeetRules& rules);
    // The club names that awards carry for the rules' guests: each guest as written (a club
    // without a description is known by its code) and the short name of each club described
    // under a guest's code. rules::isGuestName tells whether an award's club is one of them.
    Result<QStringList> guestClubNames(const rules::MeetRules& rules);
    // The categories the meet ranks, as its latest programme import gave them, with their
    // events' order numbers from the lowest; none for a meet that ranks none.
    Result<QList<MeetCategory>> meetCategories();
    // Keeps the meet's categories in place of those kept (typed for a programme that brings
    // none); awards keep the categories they were given. Names must be distinct.
    Outcome setMeetCategories(const QList<MeetCategory>& categories);
    // The clubs' full names (LONGDESC) by the short names the awards carry; a club without
    // one, or a register without the column, has none.
    Result<QHash<QString, QString>> clubFullNames();

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

    // Settles what a lost server left unanswered: an award reported not stored is taken out
    // if its commit did reach the register, an award reported not taken back is put back if
    // its undo did. Done when there is nothing to settle, or once settled.
    Outcome settle();

    // For watching the register: the driver that brings the server's notices, the channel
    // they come on (empty on a file), a counter that grows when another connection changes
    // a file (empty on a server), and how many times the connection was made anew.
    QSqlDriver* driver() const;
    QString changeChannel() const;
    Result<std::optional<qint64>> changeCounter();
    quint64 connections() const { return m_connections; }

private:
    Database(QString connectionName, Location location, OpenOptions options);
    QSqlDatabase connection() const;
    Outcome connect();
    // Before each operation: connects again when the last one lost the server.
    Outcome ready();
    // The failure of a statement; a lost server is noted, for the next operation to connect.
    Failure failed(const QSqlError& error, const QString& context);
    Outcome checkTables();
    // How the engine sums this register's points (a server's register made by hand may keep
    // them as text), learnt once a connection.
    Result<EngineParticulars::PointsSum> pointsSum();
    // Runs a grouping of the register with the engine's sum and count of doubtful points (%1,
    // %2), and gives the column of that count.
    Result<int> runGrouping(QSqlQuery& q, const char* text, const EngineParticulars::PointsSum& points);
    // Points that the engine keeps as text and that are no number are a type mismatch (13)
    // naming the award: summing them would drop them quietly.
    Outcome refusePointsKeptAsText(QSqlQuery& q, const EngineParticulars::PointsSum& points);
    // Each club's total for each gender code (and category, where the grouping gives one).
    Result<QList<ClubTotal>> totalsOf(const char* grouping);
    Outcome addMissingClubColumns();
    // Whether the register has one of the program's own tables; inside a transaction that
    // writes, it is made first where missing (a user without the right goes on without it).
    Result<bool> hasOwnTable(const char* name, bool make = false);
    Outcome rememberMeet(const MeetIdentity& identity);
    Result<MeetIdentity> rememberedMeet();
    Outcome addMissingMeetColumns();
    // Replaces the categories kept, within the import's transaction.
    Outcome keepCategories(const QList<MeetCategory>& categories);
    Outcome keepAwardCategory(qint64 id, const Award& award);
    static Failure categoriesRefused();
    // What the register holds of the events to store, and what storing them does.
    struct EventStore;
    Outcome storeEvent(EventStore& store, const EventAwards& event, StoredEvents& told);
    Outcome afterLostCommit(EventStore& store, const Failure& failure);
    Outcome forgetScoredAward(qint64 id);
    // The category kept for an award taken back, read before its transaction ends; empty for none.
    Result<QString> categoryOfAward(qint64 id, const AwardRow& award);
    Outcome beginWriting();
    Outcome beginReading();
    void endReading();
    Outcome begin();
    Outcome commit();
    void rollback();
    // Commits what a transaction did, or rolls it back when it failed or the commit fails.
    Outcome endWriting(const Outcome& done);
    Result<RegisteredMeet> registeredMeet();
    // A statement prepared once and kept for the life of the connection.
    Result<QSqlQuery*> prepared(const char* statement);
    // Values bound by name (without the colon) to a statement.
    using Bindings = QList<std::pair<const char*, QVariant>>;
    Outcome execute(QSqlQuery& query, const char* text, const Bindings& values);
    Outcome run(QSqlQuery& query, const char* text, const Bindings& values = {});
    Outcome runText(QSqlQuery& query, const QString& text);

    std::unique_ptr<EngineParticulars> m_engine;
    std::unordered_map<const char*, std::unique_ptr<QSqlQuery>> m_prepared;
    QString m_connectionName;
    Location m_location;
    OpenOptions m_options;
    bool m_lost = false;
    quint64 m_connections = 0;
    QList<qint64> m_recorded;                   // awards recorded through this connection, oldest first
    bool m_recordedAny = false;                 // since it was opened
    std::optional<qint64> m_unsettled;          // an award whose commit went unanswered
    std::optional<UndoneAward> m_unsettledUndo; // an undo whose commit went unanswered
    // Scored events whose commit went unanswered: the awards stored, and those they replaced.
    QList<qint64> m_unsettledStored;
    QList<UndoneAward> m_unsettledReplaced;
    quint64 m_pointsSumOf = 0; // the connection whose points column was looked at
    bool m_pointsAsText = false;
    quint64 m_categoriesKnownOn = 0; // the connection on which the awards' categories table was looked for
    bool m_categoriesKept = false;
};

} // namespace quilvarden::data
