#pragma once

#include "text/failure.h"

#include <QString>

// The two side calculators of the scoring table. They take the texts of their fields and
// give the text to show, or the failure to report (the result field then keeps its text).
namespace quilvarden::calc {

// A swim time as one count of hundredths: minutes × 60 × 100 + seconds × 100 + hundredths,
// in double precision, written without a mask (1, 05, 32 gives 6532; 0, 0, 12,5 gives 12,5).
// Each field is read strictly, minutes first: an empty or non-numeric field is the
// type-mismatch error; a sum beyond a double, the overflow error. No range is checked:
// 75 seconds are simply 7500 hundredths.
Result<QString> timeInHundredths(const QString& minutes, const QString& seconds, const QString& hundredths);

// A swim time entered in three fields, read leniently (an empty field is 0, "." is the
// decimal point and a comma ends the number).
struct SwimTime {
    QString minutes;
    QString seconds;
    QString hundredths;
};

// FINA points of a swim: 1000 × (base / swim)³, each time counted in whole hundredths
// (halves to the even neighbour: 24,5 hundredths count 24, 25,5 count 26). The text is the
// points with two decimals, " --> " and the points rounded to a whole number:
// "720,87 --> 721". Any real swim time is taken, the 1500 m included. A base time is
// counted before the swim time, so a base time too long fails first (overflow); a swim
// time of zero is the division-by-zero error.
Result<QString> finaPoints(const SwimTime& base, const SwimTime& swim);

} // namespace quilvarden::calc
