#pragma once

#include "data/location.h"
#include "text/failure.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include <memory>

namespace quilvarden::data {

struct OpenOptions;

// What one engine does its own way; the statements themselves are the same for both.
class EngineParticulars {
public:
    virtual ~EngineParticulars() = default;

    virtual QString driverName() const = 0;

    // What can be told before connecting: a missing file, a pipe, an Access file.
    virtual Outcome checkBeforeOpening(const Location& location, const OpenOptions& options) const = 0;
    virtual void configure(QSqlDatabase& db, const Location& location, const OpenOptions& options) const = 0;
    // Run on every new connection once its tables are known to be there: durability, and
    // the indexes that only make things faster (their failure is not one of the connection).
    virtual Outcome prepareConnection(QSqlDatabase& db, const OpenOptions& options) const = 0;

    // Makes a new, empty register; never over one that exists.
    virtual Outcome create(const Location& location) const = 0;

    // Right after BEGIN, for the reads that must see one snapshot of the register.
    virtual Outcome beginSnapshot(QSqlDatabase& db) const = 0;
    // The statements that begin a transaction which reads the register and then writes by
    // what it read (scored events): another such transaction, of any station or program,
    // waits until this one is over, and then reads what it wrote.
    virtual QStringList beginWriting() const = 0;
    // A statement that gives a row when the table :name is there, and never fails for one
    // that is not (a failure would end a server's transaction).
    virtual QString tableExists() const = 0;

    // The name of the notice the register sends with each change to it, to listen for;
    // empty where there is none (the stations look for changes themselves).
    virtual QString changeChannel() const = 0;
    // A number that grows when another connection changes the file; empty where there is none.
    virtual QString changeCounter() const = 0;

    // How a grouping of the register sums the points in its one pass over it. Points that
    // the engine keeps as text and may not read as a number ('12,5', 'abc', as another
    // program may leave them) would be summed as 12 or 0, or not at all: the grouping counts
    // them too, and only when it counts any are they looked for, to be named.
    struct PointsSum {
        QString sum;      // the sum of a group's points
        QString doubtful; // a count, not 0 when there are such points (in the group or the register)
        QString which;    // the condition that finds their awards; empty when there can be none
    };
    // textColumn: the register keeps its points in a text column (made by hand).
    virtual PointsSum pointsSum(bool textColumn) const = 0;
    // Whether the points of an award found so are a number the engine sums rightly after all.
    virtual bool isNumberText(const QVariant& value) const = 0;

    // True when the order numbers of the meet table are whole numbers only, compared as such
    // (an order number with a fraction, or past their range, names no event).
    virtual bool ordersAreWholeNumbers() const = 0;

    virtual Failure failureFrom(const QSqlError& error, const QString& context) const = 0;
    virtual bool isMissingTable(const QSqlError& error) const = 0;
    // The connection to the server is gone: the next action connects again.
    virtual bool isConnectionLost(const QSqlError& error) const = 0;
};

std::unique_ptr<EngineParticulars> particularsOf(Engine engine);

// A connection of its own to a register (a file, created when missing; or a server's
// database), configured and not yet open; for making and looking at registers apart from
// the program's connection.
QSqlDatabase addConnection(const QString& where, const QString& name);

} // namespace quilvarden::data
