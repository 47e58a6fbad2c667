#include "leneximport.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <minizip/unzip.h>

namespace quilvarden::tools {

namespace {

Failure lenexFailure(const QString& detail)
{
    return Failure::database(Failure::UnrecognisedFormat, detail);
}

// The first .lef file inside a zipped Lenex file.
Result<QByteArray> unzipLenex(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    unzFile zip = unzOpen64(name.constData());
    if (!zip)
        return lenexFailure(QStringLiteral("O ficheiro .lxf non é un ficheiro zip."));
    QByteArray contents;
    bool found = false;
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK && !found; at = unzGoToNextFile(zip)) {
        char entry[512];
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zip, &info, entry, sizeof entry, nullptr, 0, nullptr, 0) != UNZ_OK)
            break;
        if (!QString::fromUtf8(entry).endsWith(QStringLiteral(".lef"), Qt::CaseInsensitive))
            continue;
        found = true;
        if (unzOpenCurrentFile(zip) != UNZ_OK)
            break;
        char buffer[65536];
        int read = 0;
        while ((read = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
            contents.append(buffer, read);
        const bool whole = read == 0 && unzCloseCurrentFile(zip) == UNZ_OK;
        if (!whole) {
            unzClose(zip);
            return lenexFailure(QStringLiteral("O ficheiro .lef dentro do .lxf está danado."));
        }
    }
    unzClose(zip);
    if (!found)
        return lenexFailure(QStringLiteral("O ficheiro .lxf non contén ningún ficheiro .lef."));
    return contents;
}

QVariant number(const QXmlStreamAttributes& attributes, const char* name)
{
    bool ok = false;
    const int value = attributes.value(QLatin1String(name)).toInt(&ok);
    return ok ? QVariant(value) : QVariant();
}

} // namespace

QString lenexEventCode(int distance, int relayCount, const QString& stroke)
{
    static const QHash<QString, QString> letters = {
        {QStringLiteral("FREE"), QStringLiteral("L")},   {QStringLiteral("BACK"), QStringLiteral("E")},
        {QStringLiteral("BREAST"), QStringLiteral("B")}, {QStringLiteral("FLY"), QStringLiteral("M")},
        {QStringLiteral("MEDLEY"), QStringLiteral("S")}, {QStringLiteral("IMRELAY"), QStringLiteral("S")},
    };
    QString code = QString::number(distance) + letters.value(stroke.toUpper(), QStringLiteral("O"));
    if (relayCount > 1)
        code.prepend(QString::number(relayCount) + QLatin1Char('X'));
    return code;
}

QString deriveShortName(const QString& name, const QStringList& taken)
{
    // Words that most club names share and that tell no club from another.
    static const QSet<QString> generic = {
        QStringLiteral("CLUB"),        QStringLiteral("CLUBE"),         QStringLiteral("NATACION"),
        QStringLiteral("NATACIÓN"),    QStringLiteral("NATATION"),      QStringLiteral("NATAÇÃO"),
        QStringLiteral("NUOTO"),       QStringLiteral("SWIMMING"),      QStringLiteral("SWIM"),
        QStringLiteral("MASTERS"),     QStringLiteral("TEAM"),          QStringLiteral("AQUATIC"),
        QStringLiteral("AQUATICS"),    QStringLiteral("SPORT"),         QStringLiteral("SPORTS"),
        QStringLiteral("DEPORTIVO"),   QStringLiteral("NÁUTICO"),       QStringLiteral("NAUTICO"),
        QStringLiteral("REAL"),        QStringLiteral("SCHWIMMVEREIN"), QStringLiteral("SCHWIMMCLUB"),
        QStringLiteral("SCHWIMMKLUB"), QStringLiteral("VEREIN"),        QStringLiteral("ASD"),
        QStringLiteral("SSD"),
    };
    // The town usually closes a club's name ("Club Natación Coruña", "SC Flipper Gossau"):
    // the last telling word of three letters or more, then the ones before it; the generic
    // words only when there is nothing else, and the name itself when there are no words.
    static const QRegularExpression separators(QStringLiteral("[^\\w'-]+"),
                                               QRegularExpression::UseUnicodePropertiesOption);
    const QStringList words = name.split(separators, Qt::SkipEmptyParts);
    QStringList telling;
    QStringList plain;
    for (qsizetype i = words.size() - 1; i >= 0; --i) {
        qsizetype letters = 0;
        for (const QChar c : words[i])
            letters += c.isLetter() ? 1 : 0;
        if (letters < 3)
            continue;
        (generic.contains(words[i].toUpper()) ? plain : telling) << words[i].left(8);
    }
    QStringList candidates = !telling.isEmpty() ? telling : plain;
    if (candidates.isEmpty()) {
        const QString whole = name.simplified().left(8).trimmed();
        candidates << (whole.isEmpty() ? QStringLiteral("CLUB") : whole);
    }
    auto free = [&taken](const QString& candidate) {
        for (const QString& other : taken)
            if (other.compare(candidate, Qt::CaseInsensitive) == 0)
                return false;
        return true;
    };
    for (const QString& candidate : candidates)
        if (free(candidate))
            return candidate;
    // All taken: the first choice with a number in its last places.
    for (int n = 2;; ++n) {
        const QString suffix = QString::number(n);
        const QString candidate = candidates.first().left(8 - suffix.size()) + suffix;
        if (free(candidate))
            return candidate;
    }
}

Result<LenexMeet> readLenexMeet(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return Failure::database(Failure::FileNotFound,
                                 QStringLiteral("Non existe o ficheiro %1.").arg(path));
    QByteArray xml;
    if (path.endsWith(QStringLiteral(".lxf"), Qt::CaseInsensitive)) {
        Result<QByteArray> unzipped = unzipLenex(path);
        if (!unzipped)
            return unzipped.failure();
        xml = std::move(unzipped).value();
    } else {
        if (!file.open(QIODevice::ReadOnly))
            return Failure::database(Failure::CannotOpenFile, file.errorString());
        xml = file.readAll();
    }

    LenexMeet meet;
    QSet<int> numbers;
    QStringList shortNames;
    QXmlStreamReader reader(xml);
    int meets = 0;
    bool sawLenex = false;
    QVariant session;
    struct Pending {
        QXmlStreamAttributes event;
        QXmlStreamAttributes style;
        QVariant session;
    };
    std::optional<Pending> event;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const auto name = reader.name();
            if (name == u"LENEX")
                sawLenex = true;
            else if (name == u"MEET")
                ++meets;
            if (meets != 1)
                continue;
            if (name == u"SESSION") {
                session = number(reader.attributes(), "number");
            } else if (name == u"EVENT") {
                event = Pending{reader.attributes(), {}, session};
            } else if (name == u"SWIMSTYLE" && event) {
                event->style = reader.attributes();
            } else if (name == u"CLUB") {
                const QXmlStreamAttributes club = reader.attributes();
                const QString code = club.value(QLatin1String("code")).toString();
                const QString longName = club.value(QLatin1String("name")).toString();
                if (code.isEmpty()) {
                    meet.skipped << QStringLiteral("Club «%1» sen código: omitido.").arg(longName);
                    continue;
                }
                QString shortName = club.value(QLatin1String("shortname")).toString();
                if (shortName.isEmpty())
                    shortName = deriveShortName(longName.isEmpty() ? code : longName, shortNames);
                shortNames << shortName;
                const QString nation = club.value(QLatin1String("nation")).toString();
                meet.programme.clubs.append({code, nation.isEmpty() ? QVariant() : QVariant(nation),
                                             shortName, longName.isEmpty() ? QVariant() : QVariant(longName),
                                             true, true});
            }
        } else if (reader.isEndElement() && reader.name() == u"EVENT" && event && meets == 1) {
            const Pending pending = *std::exchange(event, std::nullopt);
            bool ok = false;
            const int order = pending.event.value(QLatin1String("number")).toInt(&ok);
            const QString id = pending.event.value(QLatin1String("eventid")).toString();
            if (!ok) {
                meet.skipped << QStringLiteral("Proba %1 sen número: omitida.").arg(id);
                continue;
            }
            if (numbers.contains(order)) {
                meet.skipped << QStringLiteral("Proba número %1, rolda %2: o número xa o ten outra rolda; "
                                               "queda a primeira.")
                                    .arg(order)
                                    .arg(pending.event.value(QLatin1String("round")).toString());
                continue;
            }
            numbers.insert(order);
            const int distance = pending.style.value(QLatin1String("distance")).toInt();
            const int relayCount = pending.style.value(QLatin1String("relaycount")).toInt();
            QString gender = pending.event.value(QLatin1String("gender")).toString().toUpper();
            if (gender.isEmpty())
                gender = QStringLiteral("A");
            meet.programme.events.append(
                {number(pending.event, "eventid"), order,
                 lenexEventCode(distance, relayCount,
                                pending.style.value(QLatin1String("stroke")).toString()),
                 gender, distance > 0 ? QVariant(distance) : QVariant(), pending.session});
        }
    }
    if (reader.hasError())
        return lenexFailure(QStringLiteral("O ficheiro Lenex non é XML válido (liña %1, columna %2): %3")
                                .arg(reader.lineNumber())
                                .arg(reader.columnNumber())
                                .arg(reader.errorString()));
    if (!sawLenex || meets == 0)
        return lenexFailure(QStringLiteral("O ficheiro non é un ficheiro Lenex con un campionato (MEET)."));
    if (meets > 1)
        meet.skipped << QStringLiteral("O ficheiro ten %1 campionatos: lese só o primeiro.").arg(meets);
    return meet;
}

} // namespace quilvarden::tools
