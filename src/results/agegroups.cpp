#include "agegroups.h"

namespace quilvarden::results {

namespace {

// The swimmer's class for the stroke of an event code (100B, 200S): breaststroke and
// individual medley have their own; free, back and fly share one.
QString classFor(const imports::FileSwim& swim, const QString& eventCode)
{
    QString stroke = eventCode;
    while (!stroke.isEmpty() && stroke.front().isDigit())
        stroke.remove(0, 1);
    if (stroke.startsWith(u'B'))
        return swim.classBreast;
    return stroke.startsWith(u'S') ? swim.classMedley : swim.classFree;
}

std::optional<int> ageOf(const imports::FileResults& file, const QDate& born)
{
    const imports::AgeDate& at = file.ageDate;
    if (!born.isValid() || !at.date.isValid())
        return std::nullopt;
    int age = at.date.year() - born.year();
    if (!at.byYear &&
        (at.date.month() < born.month() || (at.date.month() == born.month() && at.date.day() < born.day())))
        --age;
    return age;
}

} // namespace

std::optional<bool> swimsIn(const imports::FileResults& file, const imports::FileSwim& swim,
                            const QString& eventCode, const imports::FileAgeGroup& group)
{
    if (swim.relay)
        return std::nullopt;
    if ((group.gender == u"M" || group.gender == u"F") && !swim.swimmerGender.isEmpty() &&
        swim.swimmerGender != group.gender)
        return false;
    if (!group.handicap.isEmpty()) {
        const QString sportClass = classFor(swim, eventCode);
        if (sportClass.isEmpty())
            return std::nullopt;
        if (sportClass != group.handicap)
            return false;
    }
    if (group.minAge <= 0 && group.maxAge < 0)
        return true;
    const std::optional<int> age = ageOf(file, swim.born);
    if (!age)
        return std::nullopt;
    return *age >= group.minAge && (group.maxAge < 0 || *age <= group.maxAge);
}

} // namespace quilvarden::results
