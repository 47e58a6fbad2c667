#pragma once

#include "imports/lenex.h"

#include <optional>

// Who swims in an age group or class the file ranks without saying who is in it.
namespace quilvarden::results {

// Whether the swimmer of a swim is one the group ranks: the gender where the group has one,
// the class for the event's stroke (its event code) where it is a class, the age at the
// file's age date where it has ages. Nothing where the file does not tell (a relay, a
// swimmer without a date of birth or class, a file without an age date).
std::optional<bool> swimsIn(const imports::FileResults& file, const imports::FileSwim& swim,
                            const QString& eventCode, const imports::FileAgeGroup& group);

} // namespace quilvarden::results
