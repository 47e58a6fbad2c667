#pragma once

#include <QString>
#include <QVariant>

namespace quilvarden::text {

// Club names as the program stores and shows them.

// A name as it is stored: composed accents, no control characters (a line break is a
// blank), no direction overrides or other invisible marks (the joiners some scripts need
// stay), blanks collapsed and trimmed.
QString cleanName(const QString& text);

// A name as names are told apart: case and accents ignored (ß as ss).
QString foldName(const QString& text);

// The number of characters of a text as the database counts them (code points).
qsizetype characterCount(const QString& text);

// The first whole characters of a text (grapheme clusters: a letter with its accents, a
// pair of surrogates) that together take at most maxCodePoints code points, without the
// blanks, hyphens and apostrophes a cut may leave at its end.
QString firstCharacters(const QString& text, qsizetype maxCodePoints);

// Names in the order a Galician or Spanish reader expects: alphabetical, case and accents
// weighing only between names otherwise equal, ñ after n (the locale's collation, not the
// order of the bytes). Negative, zero or positive as a comes before, with or after b.
int compareNames(const QString& a, const QString& b);

// A club name as one line of text in a published standing: cleaned as above, and a name
// longer than a line can take cut, with "…" at its end. Numbers and Nulls as they are.
QVariant clubLabel(const QVariant& club);

} // namespace quilvarden::text
