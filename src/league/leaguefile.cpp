#include "leaguefile.h"

#include "league/clubs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quilvarden::league {

namespace {

Failure refusal(const QString& why)
{
    return Failure::database(Failure::InvalidArgument, why);
}

Outcome refuseUnknownKeys(const QJsonObject& object, const QStringList& keys, const QString& where)
{
    for (const QString& key : object.keys())
        if (!keys.contains(key))
            return refusal(
                QCoreApplication::translate("League", "Non se coñece a clave «%1»%2: as claves son %3.")
                    .arg(key, where, keys.join(QStringLiteral(", "))));
    return Done{};
}

// A text that must be there and not be blank.
Result<QString> textOf(const QJsonObject& object, const QString& key, const QString& where)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return refusal(QCoreApplication::translate("League", "Falta «%1»%2.").arg(key, where));
    if (!value.isString() || value.toString().trimmed().isEmpty())
        return refusal(
            QCoreApplication::translate("League", "«%1»%2 ha de ser un texto non baleiro.").arg(key, where));
    return value.toString().trimmed();
}

Result<Matchday> matchdayOf(const QJsonValue& value, qsizetype number, const QString& folder)
{
    const QString where = QCoreApplication::translate("League", " na xornada %1").arg(number);
    if (!value.isObject())
        return refusal(QCoreApplication::translate(
                           "League", "A xornada %1 ha de ser un obxecto: {\"name\": …, \"register\": …}.")
                           .arg(number));
    const QJsonObject object = value.toObject();
    if (Outcome known =
            refuseUnknownKeys(object, {QStringLiteral("name"), QStringLiteral("register")}, where);
        !known)
        return known.failure();
    Result<QString> name = textOf(object, QStringLiteral("name"), where);
    if (!name)
        return name.failure();
    if (!object.contains(QStringLiteral("register")))
        return Matchday{*name, {}};
    Result<QString> place = textOf(object, QStringLiteral("register"), where);
    if (!place)
        return place.failure();
    const bool server = place->startsWith(u"postgresql://") || place->startsWith(u"postgres://");
    return Matchday{*name, server ? *place : QDir(folder).filePath(*place)};
}

Result<QList<Matchday>> matchdaysOf(const QJsonValue& value, const QString& folder)
{
    if (!value.isArray() || value.toArray().isEmpty())
        return refusal(QCoreApplication::translate(
            "League", "«matchdays» ha de ser unha lista de xornadas, polo menos unha."));
    QList<Matchday> matchdays;
    for (const QJsonValue& each : value.toArray()) {
        Result<Matchday> matchday = matchdayOf(each, matchdays.size() + 1, folder);
        if (!matchday)
            return matchday.failure();
        for (const Matchday& before : matchdays)
            if (before.name.compare(matchday->name, Qt::CaseInsensitive) == 0)
                return refusal(QCoreApplication::translate("League", "Dúas xornadas chámanse «%1».")
                                   .arg(matchday->name));
        matchdays.append(*matchday);
    }
    return matchdays;
}

// Rows of two or more MATCHDAY:CLUB references.
Result<QList<QStringList>> rowsOf(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return QList<QStringList>();
    const Failure wrong =
        refusal(QCoreApplication::translate(
                    "League", "«%1» ha de ser unha lista de listas de dous ou máis clubs \"XORNADA:CLUB\".")
                    .arg(key));
    if (!value.isArray())
        return wrong;
    QList<QStringList> rows;
    for (const QJsonValue& row : value.toArray()) {
        if (!row.isArray() || row.toArray().size() < 2)
            return wrong;
        QStringList references;
        for (const QJsonValue& reference : row.toArray()) {
            if (!reference.isString() || !reference.toString().contains(u':'))
                return wrong;
            references << reference.toString();
        }
        rows << references;
    }
    return rows;
}

Result<std::optional<rules::EqualTotals>> equalTotalsOf(const QJsonObject& object)
{
    const QJsonValue value = object.value(QStringLiteral("equal_totals"));
    if (value.isUndefined())
        return std::optional<rules::EqualTotals>();
    if (value.toString() == u"consecutive")
        return std::optional(rules::EqualTotals::Consecutive);
    if (value.toString() == u"shared")
        return std::optional(rules::EqualTotals::Shared);
    return refusal(
        QCoreApplication::translate("League", "«equal_totals» ha de ser \"consecutive\" ou \"shared\"."));
}

// A whole number of at least 1, or none.
std::optional<qsizetype> countOf(const QJsonValue& value)
{
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 1 || number != static_cast<double>(static_cast<qsizetype>(number)))
        return std::nullopt;
    return static_cast<qsizetype>(number);
}

Result<PhaseGroup> groupOf(const QJsonValue& value, const QString& where)
{
    const Failure wrong =
        refusal(QCoreApplication::translate(
                    "League", "Cada grupo%1 ha de ser {\"name\": …} con un só de «first» (un número), "
                              "«positions» (unha lista de postos desde 1) ou «rest»: true.")
                    .arg(where));
    const QJsonObject object = value.toObject();
    if (!value.isObject())
        return wrong;
    if (Outcome known = refuseUnknownKeys(object,
                                          {QStringLiteral("name"), QStringLiteral("first"),
                                           QStringLiteral("positions"), QStringLiteral("rest")},
                                          where);
        !known)
        return known.failure();
    Result<QString> name = textOf(object, QStringLiteral("name"), where);
    if (!name)
        return name.failure();
    PhaseGroup group{*name, 0, {}, false};
    const QJsonValue first = object.value(QStringLiteral("first"));
    const QJsonValue positions = object.value(QStringLiteral("positions"));
    const QJsonValue rest = object.value(QStringLiteral("rest"));
    if (int(!first.isUndefined()) + int(!positions.isUndefined()) + int(!rest.isUndefined()) != 1)
        return wrong;
    if (!first.isUndefined() && !countOf(first))
        return wrong;
    group.first = countOf(first).value_or(0);
    if (!rest.isUndefined() && rest != QJsonValue(true))
        return wrong;
    group.rest = !rest.isUndefined();
    if (!positions.isUndefined() && (!positions.isArray() || positions.toArray().isEmpty()))
        return wrong;
    for (const QJsonValue& each : positions.toArray()) {
        if (!countOf(each))
            return wrong;
        group.positions << *countOf(each);
    }
    return group;
}

// No two groups of one name, one position in one group only, one group of the rest at most.
Outcome checkGroups(const QList<PhaseGroup>& groups, const QString& where)
{
    QStringList names;
    QList<qsizetype> positions;
    qsizetype rests = 0;
    for (const PhaseGroup& group : groups) {
        if (names.contains(group.name, Qt::CaseInsensitive))
            return refusal(
                QCoreApplication::translate("League", "Dous grupos%1 chámanse «%2».").arg(where, group.name));
        names << group.name;
        rests += group.rest ? 1 : 0;
        for (qsizetype position : group.positions) {
            if (positions.contains(position))
                return refusal(QCoreApplication::translate("League", "O posto %1 está en dous grupos%2.")
                                   .arg(position)
                                   .arg(where));
            positions << position;
        }
    }
    if (rests > 1)
        return refusal(QCoreApplication::translate("League", "Só un grupo%1 pode levar «rest».").arg(where));
    return Done{};
}

Result<data::Standing> standingOf(const QJsonObject& object, const QString& where)
{
    const QJsonValue value = object.value(QStringLiteral("standing"));
    if (value.isUndefined() || value.toString() == u"combined")
        return data::Standing::Combined;
    if (value.toString() == u"men")
        return data::Standing::Men;
    if (value.toString() == u"women")
        return data::Standing::Women;
    return refusal(
        QCoreApplication::translate("League", "«standing»%1 ha de ser \"combined\", \"men\" ou \"women\".")
            .arg(where));
}

Result<qsizetype> afterOf(const QJsonObject& object, const QList<Matchday>& matchdays, const QString& where)
{
    const QJsonValue value = object.value(QStringLiteral("after"));
    if (value.isUndefined())
        return refusal(
            QCoreApplication::translate("League", "Falta «after»%1: a xornada tras a que se divide.")
                .arg(where));
    const QString word = value.isDouble() ? QString::number(value.toDouble()) : value.toString();
    const std::optional<qsizetype> found = matchdayReferred(word, matchdays);
    if (!found || !(value.isDouble() || value.isString()))
        return refusal(QCoreApplication::translate("League", "A liga non ten a xornada «%1» (en «after»%2).")
                           .arg(word, where));
    return *found;
}

Result<Phase> phaseOf(const QJsonValue& value, qsizetype number, const QList<Matchday>& matchdays)
{
    const QString where = QCoreApplication::translate("League", " na fase %1").arg(number);
    const QJsonObject object = value.toObject();
    if (!value.isObject())
        return refusal(QCoreApplication::translate(
                           "League", "A fase %1 ha de ser un obxecto: {\"after\": …, \"groups\": [ … ]}.")
                           .arg(number));
    if (Outcome known = refuseUnknownKeys(object,
                                          {QStringLiteral("after"), QStringLiteral("groups"),
                                           QStringLiteral("carry"), QStringLiteral("standing")},
                                          where);
        !known)
        return known.failure();
    Phase phase;
    Result<qsizetype> after = afterOf(object, matchdays, where);
    if (!after)
        return after.failure();
    phase.after = *after;
    const QJsonValue carry = object.value(QStringLiteral("carry"));
    if (!carry.isUndefined() && !carry.isBool())
        return refusal(
            QCoreApplication::translate("League", "«carry»%1 ha de ser true ou false.").arg(where));
    phase.carry = carry.toBool(true);
    Result<data::Standing> standing = standingOf(object, where);
    if (!standing)
        return standing.failure();
    phase.standing = *standing;
    const QJsonValue groups = object.value(QStringLiteral("groups"));
    if (!groups.isArray() || groups.toArray().isEmpty())
        return refusal(
            QCoreApplication::translate("League", "«groups»%1 ha de ser unha lista de grupos, polo menos un.")
                .arg(where));
    for (const QJsonValue& each : groups.toArray()) {
        Result<PhaseGroup> group = groupOf(each, where);
        if (!group)
            return group.failure();
        phase.groups << *group;
    }
    if (Outcome checked = checkGroups(phase.groups, where); !checked)
        return checked.failure();
    return phase;
}

// The phases, each after a later matchday than the one before.
Result<QList<Phase>> phasesOf(const QJsonObject& object, const QList<Matchday>& matchdays)
{
    const QJsonValue value = object.value(QStringLiteral("phases"));
    if (value.isUndefined())
        return QList<Phase>();
    if (!value.isArray())
        return refusal(QCoreApplication::translate("League", "«phases» ha de ser unha lista de fases."));
    QList<Phase> phases;
    for (const QJsonValue& each : value.toArray()) {
        Result<Phase> phase = phaseOf(each, phases.size() + 1, matchdays);
        if (!phase)
            return phase.failure();
        if (!phases.isEmpty() && phase->after <= phases.last().after)
            return refusal(QCoreApplication::translate(
                               "League", "A fase %1 ha de ir tras unha xornada posterior á da fase anterior.")
                               .arg(phases.size() + 1));
        phases << *phase;
    }
    return phases;
}

} // namespace

Result<LeagueFile> leagueFromJson(const QByteArray& json, const QString& folder)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return refusal(QCoreApplication::translate("League", "Non é JSON: %1 (carácter %2).")
                           .arg(error.errorString())
                           .arg(error.offset));
    if (!document.isObject())
        return refusal(QCoreApplication::translate(
            "League", "A liga ha de ser un obxecto JSON: {\"name\": …, \"matchdays\": [ … ]}."));
    const QJsonObject object = document.object();
    if (Outcome known = refuseUnknownKeys(object,
                                          {QStringLiteral("name"), QStringLiteral("matchdays"),
                                           QStringLiteral("same"), QStringLiteral("apart"),
                                           QStringLiteral("equal_totals"), QStringLiteral("phases")},
                                          QString());
        !known)
        return known.failure();
    LeagueFile league;
    Result<QString> name = textOf(object, QStringLiteral("name"), QString());
    if (!name)
        return name.failure();
    league.name = *name;
    if (!object.contains(QStringLiteral("matchdays")))
        return refusal(QCoreApplication::translate("League", "Falta «matchdays», a lista das xornadas."));
    Result<QList<Matchday>> matchdays = matchdaysOf(object.value(QStringLiteral("matchdays")), folder);
    Result<QList<QStringList>> same = rowsOf(object, QStringLiteral("same"));
    Result<QList<QStringList>> apart = rowsOf(object, QStringLiteral("apart"));
    Result<std::optional<rules::EqualTotals>> equalTotals = equalTotalsOf(object);
    for (const Failure* failure :
         {matchdays ? nullptr : &matchdays.failure(), same ? nullptr : &same.failure(),
          apart ? nullptr : &apart.failure(), equalTotals ? nullptr : &equalTotals.failure()})
        if (failure)
            return *failure;
    league.matchdays = *matchdays;
    Result<QList<Phase>> phases = phasesOf(object, league.matchdays);
    if (!phases)
        return phases.failure();
    league.phases = *phases;
    league.same = *same;
    league.apart = *apart;
    league.equalTotals = *equalTotals;
    return league;
}

Result<LeagueFile> readLeagueFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return Failure::database(
            Failure::FileNotFound,
            QCoreApplication::translate("League", "Non hai ficheiro da liga en %1.").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return Failure::database(Failure::CannotOpenFile,
                                 QStringLiteral("%1: %2").arg(path, file.errorString()));
    return leagueFromJson(file.readAll(), QFileInfo(path).absolutePath());
}

} // namespace quilvarden::league
