#include "clubs.h"

#include "text/names.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

namespace quilvarden::league {

namespace {

// The name of a register without its folder and extension: "xornada1" for
// "ligas/xornada1.MDB", the database's for a server's URI.
QString registerName(const QString& where)
{
    if (where.contains(QStringLiteral("://")))
        return QUrl(where).path().section(u'/', -1);
    return QFileInfo(where).completeBaseName();
}

Failure refusal(const QString& why)
{
    return Failure::database(Failure::InvalidArgument, why);
}

// Groups of clubs as they are joined, each known by one of its clubs.
class Groups {
public:
    explicit Groups(qsizetype size)
    {
        for (qsizetype i = 0; i < size; ++i)
            m_parent << i;
    }
    qsizetype find(qsizetype club) const
    {
        while (m_parent[club] != club)
            club = m_parent[club];
        return club;
    }
    QList<qsizetype> members(qsizetype root) const
    {
        QList<qsizetype> found;
        for (qsizetype i = 0; i < m_parent.size(); ++i)
            if (find(i) == root)
                found << i;
        return found;
    }
    void join(qsizetype a, qsizetype b) { m_parent[find(b)] = find(a); }

private:
    QList<qsizetype> m_parent;
};

enum class Rule { Id, CodeAndName, Name };

bool matches(const MatchdayClub& a, const MatchdayClub& b, Rule rule)
{
    switch (rule) {
    case Rule::Id:
        return !a.sourceId.isEmpty() && a.sourceId == b.sourceId;
    case Rule::CodeAndName:
        return !a.code.isEmpty() && a.code == b.code && a.name == b.name;
    case Rule::Name:
        break;
    }
    const auto key = [](const MatchdayClub& club) {
        return text::foldName(club.fullName.isEmpty() ? club.name : club.fullName);
    };
    return key(a) == key(b);
}

// Whether the rules may join the groups of a and b: no matchday twice, no clubs kept apart.
bool mayJoin(const Groups& groups, const QList<MatchdayClub>& clubs,
             const QSet<std::pair<qsizetype, qsizetype>>& apart, qsizetype a, qsizetype b)
{
    const QList<qsizetype> left = groups.members(groups.find(a));
    const QList<qsizetype> right = groups.members(groups.find(b));
    for (qsizetype i : left)
        for (qsizetype j : right)
            if (clubs[i].matchday == clubs[j].matchday || apart.contains({i, j}) || apart.contains({j, i}))
                return false;
    return true;
}

LeagueClub leagueClub(const QList<MatchdayClub>& clubs, const QList<qsizetype>& members, bool byName)
{
    qsizetype latest = members.first();
    for (qsizetype member : members)
        if (clubs[member].matchday > clubs[latest].matchday)
            latest = member;
    const MatchdayClub& shown = clubs[latest];
    return {shown.fullName.isEmpty() ? shown.name : shown.fullName, members, byName};
}

} // namespace

std::optional<qsizetype> matchdayReferred(const QString& word, const QList<Matchday>& matchdays)
{
    const QString wanted = word.trimmed();
    for (qsizetype i = 0; i < matchdays.size(); ++i)
        if ((!matchdays[i].where.isEmpty() && registerName(matchdays[i].where) == wanted) ||
            matchdays[i].name.compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    bool number = false;
    const qsizetype at = wanted.toLongLong(&number) - 1;
    if (number && at >= 0 && at < matchdays.size())
        return at;
    return std::nullopt;
}

Result<qsizetype> clubReferred(const QString& reference, const QList<Matchday>& matchdays,
                               const QList<MatchdayClub>& clubs)
{
    const QString matchdayWord = reference.section(u':', 0, 0);
    const QString clubWord = reference.section(u':', 1).trimmed();
    const std::optional<qsizetype> matchday = matchdayReferred(matchdayWord, matchdays);
    if (!matchday)
        return refusal(QCoreApplication::translate("League", "A liga non ten a xornada «%1» (en «%2»).")
                           .arg(matchdayWord, reference));
    for (qsizetype i = 0; i < clubs.size(); ++i)
        if (clubs[i].matchday == *matchday && (clubs[i].name == clubWord || clubs[i].code == clubWord))
            return i;
    return refusal(QCoreApplication::translate("League", "A xornada «%1» non ten o club «%2» (en «%3»).")
                       .arg(matchdays[*matchday].name, clubWord, reference));
}

QList<LeagueClub> matchClubs(const QList<MatchdayClub>& clubs, const Joins& joins)
{
    Groups groups(clubs.size());
    for (const QList<qsizetype>& same : joins.same)
        for (qsizetype club : same)
            groups.join(same.first(), club);
    QSet<std::pair<qsizetype, qsizetype>> apart;
    for (const QList<qsizetype>& row : joins.apart)
        for (qsizetype a : row)
            for (qsizetype b : row)
                if (a != b)
                    apart.insert({a, b});
    QSet<qsizetype> joinedByName;
    for (Rule rule : {Rule::Id, Rule::CodeAndName, Rule::Name})
        for (qsizetype i = 0; i < clubs.size(); ++i)
            for (qsizetype j = i + 1; j < clubs.size(); ++j) {
                if (groups.find(i) == groups.find(j) || !matches(clubs[i], clubs[j], rule) ||
                    !mayJoin(groups, clubs, apart, i, j))
                    continue;
                const bool byName = rule == Rule::Name || joinedByName.contains(groups.find(i)) ||
                                    joinedByName.contains(groups.find(j));
                groups.join(i, j);
                if (byName)
                    joinedByName.insert(groups.find(i));
            }
    QList<LeagueClub> league;
    QSet<qsizetype> done;
    for (qsizetype i = 0; i < clubs.size(); ++i) {
        const qsizetype root = groups.find(i);
        if (!done.contains(root)) {
            done.insert(root);
            league << leagueClub(clubs, groups.members(root), joinedByName.contains(root));
        }
    }
    return league;
}

} // namespace quilvarden::league
