#pragma once

#include "league/table.h"
#include "publish/publish.h"

#include <QByteArray>
#include <QDateTime>
#include <QMetaType>
#include <QString>

#include <memory>
#include <optional>

namespace quilvarden::live {

// What the server answers with for the league, made once per change as the meet's pages.
struct LeaguePages {
    quint64 version = 0;
    QByteArray page;  // /liga
    QByteArray event; // the league stream's message for this version
    QByteArray json;  // /liga.json
};

// The league's live part: when it was added up, its standings with every matchday's points
// (today's, the matchday numbered current from 0, marked), then the standings of the matchday
// being swum as its register has them now. Every text from a register or the league file is
// escaped.
struct LeagueView {
    const league::LeagueTable& table;
    qsizetype current;                               // the matchday being swum, from 0
    const std::optional<publish::Edition>& matchday; // its figures now
    QDateTime addedUp;                               // when the league was added up
};
QString leagueFragment(const LeagueView& view, quint64 version, const QString& note);

// The league's page, headed by its name and the matchday being swum, its stream message and
// its JSON (league::asJson).
std::shared_ptr<LeaguePages> renderLeaguePages(const LeagueView& view, quint64 version, const QString& note);

} // namespace quilvarden::live

Q_DECLARE_METATYPE(std::shared_ptr<const quilvarden::live::LeaguePages>)
