#pragma once

#include "failure.h"

#include <QString>
#include <QStringView>

namespace quilvarden::text {

// The program reads and writes numbers by Spanish rules (decimal comma, no digit grouping),
// whatever locale the machine runs under. None of these functions looks at the locale.

// Lenient reading, for fields where a rough number is enough. Blanks (space, tab, CR, LF)
// are skipped wherever they stand; then an optional sign, digits with "." as the only
// decimal point and an optional exponent (e or E, optional sign, digits) are read up to the
// first character that cannot continue the number. No leading number gives 0, so "13,5"
// gives 13, "7a" gives 7 and "" gives 0. It never fails: a number beyond the range of a
// double gives plus or minus infinity, which callers that compute with it must check.
double readLenient(QStringView text);

// Strict reading: the whole text, blanks (space, tab) around it allowed, must be a number
// in the Spanish form: optional sign, digits with at most one decimal comma, optional
// exponent. "13,5" gives 13.5; "", "abc" and "12.5" fail with the type-mismatch error (13);
// a number beyond the range of a double fails with the overflow error (6). A number too
// small for a double reads as 0.
Result<double> readStrict(QStringView text);

// True exactly for the texts that readStrict reads without failing.
bool isNumber(QStringView text);

// Writes a number without a mask: up to 15 significant digits, decimal comma, no grouping,
// no trailing zeros after the comma and no comma for a whole number (19, 12,5). Very large
// or very small magnitudes use an exponent (1E+20, 1,5E-07), which readStrict reads back.
// The few largest doubles, whose 15 digits would round beyond the range and so not read
// back, keep the digits that do (1,7976931348623157E+308).
// Negative zero is written 0. Infinities and NaN, which no reading produces, are written
// "Infinito", "-Infinito" and "NaN" so that they are never mistaken for a number.
QString writeNumber(double value);

} // namespace quilvarden::text
