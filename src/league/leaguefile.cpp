#include "leaguefile.h"

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

Result<rules::EqualTotals> equalTotalsOf(const QJsonObject& object)
{
    const QJsonValue value = object.value(QStringLiteral("equal_totals"));
    if (value.isUndefined() || value.toString() == u"consecutive")
        return rules::EqualTotals::Consecutive;
    if (value.toString() == u"shared")
        return rules::EqualTotals::Shared;
    return refusal(
        QCoreApplication::translate("League", "«equal_totals» ha de ser \"consecutive\" ou \"shared\"."));
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
    const QJsonValue phases = object.value(QStringLiteral("phases"));
    if (!phases.isUndefined() && !(phases.isArray() && phases.toArray().isEmpty()))
        return refusal(QCoreApplication::translate(
            "League", "As fases aínda non se poden usar: «phases» ha de ser unha lista baleira."));
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
    Result<rules::EqualTotals> equalTotals = equalTotalsOf(object);
    for (const Failure* failure :
         {matchdays ? nullptr : &matchdays.failure(), same ? nullptr : &same.failure(),
          apart ? nullptr : &apart.failure(), equalTotals ? nullptr : &equalTotals.failure()})
        if (failure)
            return *failure;
    league.matchdays = *matchdays;
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
