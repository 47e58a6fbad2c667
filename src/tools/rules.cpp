#include "rules/rules.h"

#include "data/database.h"
#include "text/systemerror.h"
#include "tools/commands.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace quilvarden::tools {

namespace {

// A rules file is a few lines; anything much larger is not one.
constexpr qint64 MostRulesBytes = 1024 * 1024;

// "despois do posto 4, 1 menos por posto, sen baixar de 0" or "despois do posto 3, ningún punto".
QString afterText(const QList<double>& table, rules::After after)
{
    if (after == rules::After::Zero)
        return QCoreApplication::translate("Tool", "despois do posto %1, ningún punto").arg(table.size());
    const double step = table.size() > 1 ? table[table.size() - 2] - table.last() : 1;
    if (step <= 0) // a flat end goes on giving its last points
        return QCoreApplication::translate("Tool", "despois do posto %1, os mesmos %2 puntos")
            .arg(table.size())
            .arg(rules::tableText({table.last()}));
    return QCoreApplication::translate("Tool", "despois do posto %1, %2 menos por posto, sen baixar de 0")
        .arg(table.size())
        .arg(rules::tableText({step}));
}

QString scorersText(int cap)
{
    return cap == 0 ? QCoreApplication::translate("Tool", "todas") : QString::number(cap);
}

// The rules, one line each, as the operator reads them.
QStringList rulesLines(const rules::MeetRules& meet)
{
    QStringList lines;
    lines << QCoreApplication::translate("Tool", "Nome: %1").arg(meet.name);
    lines << QCoreApplication::translate("Tool", "Probas individuais: %1; %2")
                 .arg(rules::tableText(meet.individual), afterText(meet.individual, meet.after));
    lines << (meet.relay ? QCoreApplication::translate("Tool", "Remudas: %1; %2")
                               .arg(rules::tableText(*meet.relay), afterText(*meet.relay, meet.after))
                         : QCoreApplication::translate("Tool",
                                                       "Remudas: o dobre dos puntos das probas individuais"));
    lines << QCoreApplication::translate(
                 "Tool", "Puntúan de cada club en cada proba: nas individuais, %1; nas remudas, %2")
                 .arg(scorersText(meet.individualScorers), scorersText(meet.relayScorers));
    lines << (meet.ties == rules::Ties::Share
                  ? QCoreApplication::translate(
                        "Tool", "Empates nunha proba: repártense entre eles os puntos dos postos que ocupan")
                  : QCoreApplication::translate(
                        "Tool",
                        "Empates nunha proba: cada un leva os puntos do mellor dos postos que ocupan"));
    lines
        << (meet.equalTotals == rules::EqualTotals::Consecutive
                ? QCoreApplication::translate(
                      "Tool", "Totais iguais na clasificación: postos consecutivos, na orde da clasificación")
                : QCoreApplication::translate(
                      "Tool",
                      "Totais iguais na clasificación: o mesmo posto, e o seguinte salta tantos como eles"));
    lines << (meet.ranking == rules::Ranking::Categories
                  ? QCoreApplication::translate("Tool", "Probas con clasificación absoluta e por categorías: "
                                                        "puntúan as categorías")
                  : QCoreApplication::translate("Tool", "Probas con clasificación absoluta e por categorías: "
                                                        "puntúa a absoluta"));
    lines << QCoreApplication::translate("Tool", "Clubs convidados, que nadan sen puntuar: %1")
                 .arg(meet.guests.isEmpty() ? QCoreApplication::translate("Tool", "ningún")
                                            : meet.guests.join(QStringLiteral(", ")));
    return lines;
}

// The rules a file holds as JSON, or why they cannot be read.
Result<rules::MeetRules> rulesFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure::database(QFileInfo::exists(path) ? Failure::CannotOpenFile : Failure::FileNotFound,
                                 systemErrorText(file.errorString()));
    if (file.size() > MostRulesBytes)
        return Failure::database(
            Failure::InvalidArgument,
            QCoreApplication::translate("Tool", "O ficheiro pasa de %1 bytes: non é un de regras.")
                .arg(MostRulesBytes));
    const QByteArray json = file.read(MostRulesBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Failure::database(Failure::DiskError, systemErrorText(file.errorString()));
    return rules::fromJson(json);
}

// What the command was asked.
struct RulesRun {
    bool json = false;
    bool formatGiven = false;
    std::optional<rules::MeetRules> preset;
    QString from;
};

int showRules(const QString& where, bool json, QTextStream& out, QTextStream& err)
{
    data::OpenOptions reading;
    reading.readOnly = true;
    Result<std::unique_ptr<data::Database>> database = data::Database::open(where, reading);
    if (!database)
        return fail(err, where, database.failure());
    const Result<std::optional<rules::MeetRules>> stored = (*database)->meetRules();
    if (!stored)
        return fail(err, where, stored.failure());
    const rules::MeetRules effective = stored->value_or(rules::leagueRules());
    if (json) {
        out << QString::fromUtf8(rules::toJson(effective));
        return 0;
    }
    if (!*stored)
        out << QCoreApplication::translate(
                   "Tool",
                   "O rexistro non ten regras propias: puntúa coa escala da liga, as regras por omisión "
                   "(score-lenex puntúa un nadador ou remuda de cada club por proba, se non se lle di "
                   "--per-club).")
            << Qt::endl;
    else if (effective == rules::leagueRules())
        out << QCoreApplication::translate("Tool",
                                           "As regras do rexistro son as por omisión, a escala da liga.")
            << Qt::endl;
    for (const QString& line : rulesLines(effective))
        out << line << Qt::endl;
    return 0;
}

int setRules(const QString& where, const RulesRun& run, QTextStream& out, QTextStream& err)
{
    // The file is read before the register is opened: a fault in it changes nothing.
    const Result<rules::MeetRules> wanted =
        run.preset ? Result<rules::MeetRules>(*run.preset) : rulesFromFile(run.from);
    if (!wanted)
        return fail(err, run.from, wanted.failure());
    Result<std::unique_ptr<data::Database>> database = data::Database::open(where);
    if (!database)
        return fail(err, where, database.failure());
    if (Outcome set = (*database)->setMeetRules(*wanted); !set)
        return fail(err, where, set.failure());
    out << QCoreApplication::translate("Tool", "Gardáronse no rexistro as regras «%1».").arg(wanted->name)
        << Qt::endl
        << QCoreApplication::translate("Tool", "Os puntos xa gardados quedan como están; estas regras valen "
                                               "para os que se dean de agora en diante.")
        << Qt::endl;
    for (const QString& line : rulesLines(*wanted))
        out << line << Qt::endl;
    return 0;
}

void declareOptions(CommandLine& commandLine, RulesRun& run)
{
    commandLine.registerArgument();
    commandLine.checked(
        QStringLiteral("format"), QCoreApplication::translate("Tool", "FORMATO"),
        QCoreApplication::translate("Tool", "text (por omisión) ou json"), [&run](const QString& word) {
            run.formatGiven = true;
            run.json = word == u"json";
            return run.json || word == u"text"
                       ? QString()
                       : QCoreApplication::translate("Tool", "--format ha ser text ou json, non «%1»")
                             .arg(word);
        });
    const QString presets = rules::presetNames().join(QStringLiteral(", "));
    commandLine.checked(
        QStringLiteral("preset"), QCoreApplication::translate("Tool", "NOME"),
        QCoreApplication::translate("Tool", "garda no rexistro unhas regras feitas: %1").arg(presets),
        [&run, presets](const QString& name) {
            run.preset = rules::preset(name);
            return run.preset ? QString()
                              : QCoreApplication::translate("Tool", "--preset ha ser un destes: %1; non «%2»")
                                    .arg(presets, name);
        });
    commandLine.text(QStringLiteral("from"), QCoreApplication::translate("Tool", "REGRAS.json"),
                     QCoreApplication::translate(
                         "Tool", "garda no rexistro as regras deste ficheiro JSON (as que dá --format json)"),
                     run.from);
    commandLine.note(QCoreApplication::translate(
        "Tool", "Sen --preset nin --from, amosa as regras do rexistro e non cambia nada nel; un "
                "rexistro sen regras puntúa coa escala da liga. Cambiar as regras non cambia os "
                "puntos xa gardados."));
}

// rules FILE [--format text|json] [--preset NAME | --from FILE.json]
int rulesCommand(const Command& command, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    RulesRun run;
    CommandLine commandLine(command);
    declareOptions(commandLine, run);
    if (const std::optional<int> status = commandLine.read(arguments, out, err))
        return *status;
    const bool setting = run.preset || !run.from.isEmpty();
    if (run.preset && !run.from.isEmpty())
        return commandLine.mistake(
            err, QCoreApplication::translate("Tool", "--preset e --from non van xuntos: dá só un dos dous"));
    if (setting && run.formatGiven)
        return commandLine.mistake(
            err, QCoreApplication::translate(
                     "Tool", "--format só vale para amosar as regras, non con --preset nin con --from"));
    const QString where = commandLine.arguments().constFirst();
    return setting ? setRules(where, run, out, err) : showRules(where, run.json, out, err);
}

} // namespace

Command rulesCommand()
{
    return {QStringLiteral("rules"),
            QCoreApplication::translate("Tool", "amosa ou cambia as regras de puntuación do campionato"),
            &rulesCommand};
}

} // namespace quilvarden::tools
