#pragma once

#include "data/database.h"
#include "publish/publish.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>

#include <memory>
#include <optional>

namespace quilvarden::live {

// What the live pages show: the standings' edition and the top lines of the results list.
struct LiveEdition {
    publish::Edition edition;
    QList<data::AwardRow> latest;
    std::optional<qint64> latestAwardId;
};

// How many lines of the results list the pages show.
inline constexpr qint64 LatestAwards = 12;

// Everything the server answers with, made once per change so that serving never waits.
struct Pages {
    quint64 version = 0;
    QByteArray page;  // the phone page
    QByteArray board; // the projector's page
    QByteArray event; // the update stream's message for this version
    QByteArray csv;
    QByteArray pdf;
    QByteArray json;
};

// The live part of both pages: edition lines, an optional note (the register out of reach),
// the latest awards and the standings: the meet's three, then each category's, with a choice
// between them for the phone where there are categories. Every text from the register is
// escaped.
QString liveFragment(const LiveEdition& live, quint64 version, const QString& note);

// A whole page around the fragment (the phone's linking to the league's page when leagueLink):
// for phones, or large for a projector (board), headed by
// the meet's lines (publish::meetLines; none for a register that names no meet) and the
// rules' line (publish::rulesLines; none for a register without rules).
QByteArray pageHtml(const QString& fragment, bool board, const QStringList& meet = {},
                    const QStringList& rules = {}, bool leagueLink = false);

// The head of every page and the opening of its body: the title, the body's class, and the
// update stream its script follows.
QString pageStart(const QString& title, const QString& bodyClass, const QString& events);

// A standing's anchor: "masculina", "feminina", "conxunta".
QString anchorOf(data::Standing which);
// One standing as a table, anchored by its kind, or for a category (counted from 1) by the
// category's place among them ("masculina-2") with its name for the page's script.
QString standingTable(const publish::Edition& edition, const data::StandingSection& section,
                      qsizetype category);

// One message of the update stream (text/event-stream): the version, the latest award's id
// and the fragment, as one line of JSON.
QByteArray streamEvent(quint64 version, const std::optional<qint64>& latestAward, const QString& fragment);

// The note shown while the register cannot be read: since when, and the time of the figures
// shown. Never why: the reason names the register's server, its user and its database, and
// is told to the operator only.
QString unavailableNote(const QDateTime& since, const QDateTime& figuresOf);

// Every answer for one edition but the PDF, which takes far longer to make than all the rest
// together and is made apart. The note is empty while the register is read normally.
// The phone page links to the league's page when there is one.
std::shared_ptr<Pages> renderPages(const LiveEdition& live, quint64 version, const QString& note,
                                   bool leagueLink = false);

} // namespace quilvarden::live

Q_DECLARE_METATYPE(std::shared_ptr<const quilvarden::live::Pages>)
