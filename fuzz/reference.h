#pragma once

// Reference readings for the fuzz targets. The text library reads numbers with its own
// parser; here the grammar is a regular expression and the value comes from the C library,
// whose conversion rounds correctly, so the two share no code.

#include "fuzzing.h"

#include <QRegularExpression>
#include <QString>
#include <QStringView>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <optional>

namespace quilvarden::fuzz {

struct ReferenceNumber {
    double value = 0;
    bool overflow = false; // beyond the range of a double
};

// A number in the C library's own form (point for the decimal separator, nothing around it)
// read in the "C" locale, whatever the process's locale is.
inline ReferenceNumber readByCLibrary(const QString& text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const QByteArray latin = text.toLatin1();
    char* end = nullptr;
    errno = 0;
    const double value = strtod_l(latin.constData(), &end, cLocale);
    // ERANGE also comes for a result too small for a double; only an infinite one is an overflow.
    const bool overflow = errno == ERANGE && std::isinf(value);
    if (end != latin.constData() + latin.size()) {
        std::fprintf(stderr, "the reference reading stopped early in %s\n", shown(text).constData());
        std::abort();
    }
    return {value, overflow};
}

// The strict Spanish form: blanks (space, tab) around an optional sign, digits with at most
// one decimal comma and at least one digit, and an optional exponent. The number without
// its blanks, or nothing when the text is not in that form.
inline std::optional<QString> strictForm(QStringView text)
{
    static const QRegularExpression form =
        whole(QStringLiteral("[ \\t]*([+-]?(?:[0-9]+,?[0-9]*|,[0-9]+)(?:[eE][+-]?[0-9]+)?)[ \\t]*"));
    const auto match = form.match(asciiOnly(text));
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1);
}

// The strict reading of a text as the C library makes it: nothing when the text is not in
// the strict form.
inline std::optional<ReferenceNumber> referenceStrict(QStringView text)
{
    const auto number = strictForm(text);
    if (!number)
        return std::nullopt;
    QString cText = *number;
    cText.replace(u',', u'.');
    return readByCLibrary(cText);
}

// The lenient reading: with every blank (space, tab, CR, LF) taken out, the longest number
// at the start with "." as the decimal point and an exponent only when it has digits;
// 0 when the text does not begin with a number.
inline double referenceLenient(QStringView text)
{
    static const QRegularExpression leading(
        QStringLiteral("\\A[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?"));
    QString packed = asciiOnly(text);
    packed.remove(u' ').remove(u'\t').remove(u'\r').remove(u'\n');
    const auto match = leading.match(packed);
    if (!match.hasMatch())
        return 0;
    return readByCLibrary(match.captured(0)).value;
}

// Equal as numbers: the two zeros are the same number.
inline bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace quilvarden::fuzz
