#include "rules.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

// The rules' JSON, as `quilvarden-db rules --format json` prints it and `--from` reads it.
namespace quilvarden::rules {

namespace {

constexpr int MostScorers = 1000;
constexpr qsizetype MostGuests = 1000;

QJsonArray tableJson(const QList<double>& points)
{
    QJsonArray array;
    for (const double value : points)
        array.append(value);
    return array;
}

const char* afterWord(After after)
{
    return after == After::Step ? "step" : "zero";
}

const char* tiesWord(Ties ties)
{
    return ties == Ties::Full ? "full" : "share";
}

const char* totalsWord(EqualTotals totals)
{
    return totals == EqualTotals::Shared ? "shared" : "consecutive";
}

Result<QList<double>> tableOf(const QJsonValue& value, const QString& key, const QString& what)
{
    if (!value.isArray())
        return refusal(QCoreApplication::translate("Rules", "«%1» ha de ser unha lista de puntos.").arg(key));
    QList<double> points;
    for (const QJsonValue& item : value.toArray()) {
        if (!item.isDouble())
            return refusal(
                QCoreApplication::translate("Rules", "«%1» ha de ser unha lista de números.").arg(key));
        points << item.toDouble();
    }
    return checkedTable(points, what);
}

// One of the words a key takes; the first is what a missing key means.
Result<int> wordOf(const QJsonObject& object, const QString& key, const QStringList& words)
{
    if (!object.contains(key))
        return 0;
    const QJsonValue value = object.value(key);
    const qsizetype index = value.isString() ? words.indexOf(value.toString()) : -1;
    if (index < 0)
        return refusal(QCoreApplication::translate("Rules", "«%1» ha de ser %2.")
                           .arg(key, words.join(QCoreApplication::translate("Rules", " ou "))));
    return static_cast<int>(index);
}

Result<int> capOf(const QJsonObject& scorers, const QString& key)
{
    if (!scorers.contains(key))
        return 0;
    const QJsonValue value = scorers.value(key);
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 0 || number > MostScorers || std::floor(number) != number)
        return refusal(QCoreApplication::translate(
                           "Rules", "«scorers.%1» ha de ser un número enteiro de 0 (sen límite) a %2.")
                           .arg(key)
                           .arg(MostScorers));
    return static_cast<int>(number);
}

Result<bool> refuseUnknownKeys(const QJsonObject& object, const QStringList& known, const QString& prefix)
{
    for (const QString& key : object.keys())
        if (!known.contains(key))
            return refusal(
                QCoreApplication::translate("Rules", "Non se coñece a clave «%1%2»: as claves son %3.")
                    .arg(prefix, key, known.join(QStringLiteral(", "))));
    return true;
}

Result<bool> readScorers(const QJsonObject& object, MeetRules& rules)
{
    if (!object.contains(QStringLiteral("scorers")))
        return true;
    if (!object.value(QStringLiteral("scorers")).isObject())
        return refusal(QCoreApplication::translate(
            "Rules", "«scorers» ha de ser un obxecto: {\"individual\": N, \"relay\": N}."));
    const QJsonObject scorers = object.value(QStringLiteral("scorers")).toObject();
    if (auto known = refuseUnknownKeys(scorers, {QStringLiteral("individual"), QStringLiteral("relay")},
                                       QStringLiteral("scorers."));
        !known)
        return known;
    const Result<int> individual = capOf(scorers, QStringLiteral("individual"));
    if (!individual)
        return individual.failure();
    const Result<int> relay = capOf(scorers, QStringLiteral("relay"));
    if (!relay)
        return relay.failure();
    rules.individualScorers = *individual;
    rules.relayScorers = *relay;
    return true;
}

Result<bool> readRelay(const QJsonObject& object, MeetRules& rules)
{
    const QJsonValue relay = object.value(QStringLiteral("relay"));
    if (relay.isUndefined() || relay.toString() == QLatin1String("double"))
        return true;
    if (!relay.isArray())
        return refusal(
            QCoreApplication::translate("Rules", "«relay» ha de ser \"double\" ou unha lista de puntos."));
    const Result<QList<double>> table =
        tableOf(relay, QStringLiteral("relay"), QCoreApplication::translate("Rules", "A táboa das remudas"));
    if (!table)
        return table.failure();
    rules.relay = *table;
    return true;
}

Result<bool> readGuests(const QJsonObject& object, MeetRules& rules)
{
    const QJsonValue guests = object.value(QStringLiteral("guests"));
    if (guests.isUndefined())
        return true;
    if (!guests.isArray() || guests.toArray().size() > MostGuests)
        return refusal(
            QCoreApplication::translate("Rules", "«guests» ha de ser unha lista de códigos de club."));
    for (const QJsonValue& guest : guests.toArray()) {
        const QString code = guest.toString().trimmed();
        if (!guest.isString() || code.isEmpty())
            return refusal(QCoreApplication::translate(
                "Rules", "«guests» ha de ser unha lista de códigos de club, sen ningún baleiro."));
        if (!rules.isGuest(code))
            rules.guests << code;
    }
    return true;
}

Result<bool> readWords(const QJsonObject& object, MeetRules& rules)
{
    const Result<int> after =
        wordOf(object, QStringLiteral("after"), {QStringLiteral("zero"), QStringLiteral("step")});
    if (!after)
        return after.failure();
    const Result<int> ties =
        wordOf(object, QStringLiteral("ties"), {QStringLiteral("share"), QStringLiteral("full")});
    if (!ties)
        return ties.failure();
    const Result<int> totals = wordOf(object, QStringLiteral("equal_totals"),
                                      {QStringLiteral("consecutive"), QStringLiteral("shared")});
    if (!totals)
        return totals.failure();
    const Result<int> ranking =
        wordOf(object, QStringLiteral("ranking"), {QStringLiteral("categories"), QStringLiteral("open")});
    if (!ranking)
        return ranking.failure();
    rules.ranking = *ranking == 1 ? Ranking::Open : Ranking::Categories;
    rules.after = *after == 1 ? After::Step : After::Zero;
    rules.ties = *ties == 1 ? Ties::Full : Ties::Share;
    rules.equalTotals = *totals == 1 ? EqualTotals::Shared : EqualTotals::Consecutive;
    return true;
}

Result<bool> readName(const QJsonObject& object, MeetRules& rules)
{
    const QJsonValue name = object.value(QStringLiteral("name"));
    if (!name.isUndefined() && !name.isString())
        return refusal(QCoreApplication::translate("Rules", "«name» ha de ser un texto."));
    rules.name = name.toString().simplified().left(200);
    if (rules.name.isEmpty())
        rules.name = tableText(rules.individual);
    return true;
}

} // namespace

QByteArray toJson(const MeetRules& rules)
{
    QJsonObject object{
        {QStringLiteral("name"), rules.name},
        {QStringLiteral("individual"), tableJson(rules.individual)},
        {QStringLiteral("after"), QString::fromLatin1(afterWord(rules.after))},
        {QStringLiteral("relay"),
         rules.relay ? QJsonValue(tableJson(*rules.relay)) : QJsonValue(QStringLiteral("double"))},
        {QStringLiteral("scorers"), QJsonObject{{QStringLiteral("individual"), rules.individualScorers},
                                                {QStringLiteral("relay"), rules.relayScorers}}},
        {QStringLiteral("ties"), QString::fromLatin1(tiesWord(rules.ties))},
        {QStringLiteral("equal_totals"), QString::fromLatin1(totalsWord(rules.equalTotals))},
        {QStringLiteral("guests"), QJsonArray::fromStringList(rules.guests)},
    };
    // Written only where it is not the default, so that rules set before read as they were.
    if (rules.ranking == Ranking::Open)
        object.insert(QStringLiteral("ranking"), QStringLiteral("open"));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

Result<MeetRules> fromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return refusal(QCoreApplication::translate("Rules", "Non é JSON: %1 (carácter %2).")
                           .arg(error.errorString())
                           .arg(error.offset));
    if (!document.isObject())
        return refusal(QCoreApplication::translate(
            "Rules", "As regras han de ser un obxecto JSON: {\"individual\": [9, 7, 6, …], …}."));
    const QJsonObject object = document.object();
    if (auto known = refuseUnknownKeys(
            object,
            {QStringLiteral("name"), QStringLiteral("individual"), QStringLiteral("after"),
             QStringLiteral("relay"), QStringLiteral("scorers"), QStringLiteral("ties"),
             QStringLiteral("equal_totals"), QStringLiteral("guests"), QStringLiteral("ranking")},
            QString());
        !known)
        return known.failure();
    if (!object.contains(QStringLiteral("individual")))
        return refusal(QCoreApplication::translate(
            "Rules", "Falta «individual», a táboa de puntos das probas individuais."));
    MeetRules rules;
    const Result<QList<double>> individual =
        tableOf(object.value(QStringLiteral("individual")), QStringLiteral("individual"),
                QCoreApplication::translate("Rules", "A táboa das probas individuais"));
    if (!individual)
        return individual.failure();
    rules.individual = *individual;
    for (auto step : {readRelay, readScorers, readWords, readGuests, readName})
        if (const Result<bool> read = step(object, rules); !read)
            return read.failure();
    return rules;
}

} // namespace quilvarden::rules
