#include "publish.h"
#include "text/masks.h"
#include "text/names.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace quilvarden::publish {

namespace {

QString monthName(int month)
{
    static const char* const names[] = {
        QT_TRANSLATE_NOOP("Publish", "xaneiro"),  QT_TRANSLATE_NOOP("Publish", "febreiro"),
        QT_TRANSLATE_NOOP("Publish", "marzo"),    QT_TRANSLATE_NOOP("Publish", "abril"),
        QT_TRANSLATE_NOOP("Publish", "maio"),     QT_TRANSLATE_NOOP("Publish", "xuño"),
        QT_TRANSLATE_NOOP("Publish", "xullo"),    QT_TRANSLATE_NOOP("Publish", "agosto"),
        QT_TRANSLATE_NOOP("Publish", "setembro"), QT_TRANSLATE_NOOP("Publish", "outubro"),
        QT_TRANSLATE_NOOP("Publish", "novembro"), QT_TRANSLATE_NOOP("Publish", "decembro"),
    };
    return QCoreApplication::translate("Publish", names[std::clamp(month, 1, 12) - 1]);
}

// "7 de decembro", with the year or without.
QString dayOf(const QDate& date, bool withYear)
{
    const QString day =
        QCoreApplication::translate("Publish", "%1 de %2").arg(date.day()).arg(monthName(date.month()));
    return withYear ? QCoreApplication::translate("Publish", "%1 de %2").arg(day).arg(date.year()) : day;
}

} // namespace

QString meetDates(const QDate& from, const QDate& to)
{
    if (!from.isValid())
        return {};
    if (!to.isValid() || to <= from)
        return dayOf(from, true);
    if (from.year() != to.year())
        return dayOf(from, true) + QStringLiteral(" – ") + dayOf(to, true);
    if (from.month() != to.month())
        return dayOf(from, false) + QStringLiteral(" – ") + dayOf(to, true);
    return QString::number(from.day()) + u'–' + dayOf(to, true);
}

QStringList meetLines(const data::MeetIdentity& meet)
{
    QStringList lines;
    if (const QString name = text::cleanName(meet.name); !name.isEmpty())
        lines << name;
    QStringList where;
    if (const QString place = text::cleanName(meet.place); !place.isEmpty())
        where << place;
    if (const QString dates = meetDates(meet.from, meet.to); !dates.isEmpty())
        where << dates;
    if (!where.isEmpty())
        lines << where.join(QStringLiteral(", "));
    return lines;
}

QStringList rulesLines(const Edition& edition)
{
    const std::optional<rules::MeetRules>& rules = edition.standings.rules;
    if (!rules)
        return {};
    QString name = text::cleanName(rules->name);
    if (name.isEmpty())
        name = rules::tableText(rules->individual);
    return {QCoreApplication::translate("Publish", "Puntuación: %1").arg(name)};
}

QString positionText(const data::StandingRow& row)
{
    return row.position ? QString::number(*row.position) : QString();
}

QString guestMark()
{
    return QCoreApplication::translate("Publish", "(convidado)");
}

QString pointsText(const QVariant& points)
{
    if (points.isNull())
        return {};
    bool number = false;
    const double value = points.toDouble(&number);
    if (!number || !std::isfinite(value))
        return text::valueText(points);
    // Rounded to the hundredth first, so that -0.001 is no "-0,00".
    const double hundredths = std::round(value * 100.0);
    const QString digits = QString::number(std::abs(hundredths) / 100.0, 'f', 2).replace(u'.', u',');
    return hundredths < 0 ? u'-' + digits : digits;
}

QString clubName(const Edition& edition, const QVariant& club)
{
    if (club.typeId() == QMetaType::QString)
        if (const auto full = edition.fullNames.constFind(club.toString());
            full != edition.fullNames.constEnd())
            if (const QString name = text::cleanName(*full); !name.isEmpty())
                return name;
    return club.typeId() == QMetaType::QString ? text::cleanName(club.toString()) : text::valueText(club);
}

} // namespace quilvarden::publish
