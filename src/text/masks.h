#pragma once

#include "currency.h"

#include <QString>
#include <QStringView>
#include <QVariant>

namespace quilvarden::text {

// Masks lay values into the fixed-width columns of the results lines and the standings.
//
// A character mask is made of "@" placeholders, optionally opened by "!" (which takes no
// place). Without "!" the text is right-aligned in as many places as there are "@", padded
// with blanks on the left; with "!" it is left-aligned, padded on the right. A text as long
// as the placeholders comes back unchanged; a longer one comes back whole, never cut, so
// no letter of a club's name is lost (the rest of its line moves to the right). Width is
// counted in characters as they are seen: a combining accent takes no place.
//
// A numeric mask is made of "0" digit places and at most one "." for the decimal comma.
// The number is rounded to as many decimals as there are "0" after the ".", halves away
// from zero (on the number as it is written with 15 significant digits, so 2,675 gives
// 2,68); the integer part gets at least as many digits as there are "0" before the ".",
// padded with zeros, and none at all when there is no "0" before it and it is zero (".00"
// on 0,5 gives ",50"). A negative number carries "-" unless it rounds to zero. No grouping.
// A text given to a numeric mask is first read strictly; a text that is not a number comes
// back unchanged.
//
// Masks never fail. A Null value (a QVariant that is null or invalid) is taken as the
// empty text.

bool isCharacterMask(QStringView mask);

QString applyMask(const QString& text, QStringView mask);
QString applyMask(double value, QStringView mask);
QString applyMask(Currency value, QStringView mask);
// A value as the database gives it: texts as texts, numbers as numbers.
QString applyMask(const QVariant& value, QStringView mask);

// A value as the window shows it without a mask: a text as it stands, a floating-point
// number by the number rules (12,5), a whole number with all its digits, Null as the
// empty text.
QString valueText(const QVariant& value);

// The number of places a text takes in a fixed-width column.
qsizetype displayWidth(QStringView text);

} // namespace quilvarden::text
