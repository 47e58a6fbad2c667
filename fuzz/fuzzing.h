#pragma once

// What the fuzz targets share: turning the fuzzer's bytes into texts and numbers, and
// stopping with a readable report when a property does not hold.

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringView>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <span>

namespace quilvarden::fuzz {

using Bytes = std::span<const std::uint8_t>;

// Wide enough for any sum or difference of two 64-bit numbers, and for their magnitudes.
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

inline UInt128 magnitudeOf(Int128 number)
{
    return number < 0 ? UInt128{0} - static_cast<UInt128>(number) : static_cast<UInt128>(number);
}

// The bytes as UTF-8, the way a field's text arrives from the database or a file. Invalid
// sequences become replacement characters.
inline QString fromUtf8(Bytes bytes)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<qsizetype>(bytes.size()));
}

// The bytes two at a time as UTF-16 code units, so that unpaired surrogates, nulls and any
// other code unit reach the functions too. An odd last byte is dropped.
inline QString fromUtf16(Bytes bytes)
{
    const auto units = static_cast<qsizetype>(bytes.size() / 2);
    QString text(units, Qt::Uninitialized);
    if (units > 0)
        std::memcpy(text.data(), bytes.data(), static_cast<std::size_t>(units) * 2);
    return text;
}

// Eight bytes as the machine holds them.
template <typename T> T fromRaw(Bytes bytes)
{
    static_assert(sizeof(T) == 8);
    T value{};
    std::memcpy(&value, bytes.data(), sizeof(T));
    return value;
}

// The text with every character outside ASCII replaced by "?", which no number contains,
// so that a regular expression can look at any text, unpaired surrogates included.
inline QString asciiOnly(QStringView text)
{
    QString result = text.toString();
    for (QChar& c : result) {
        if (c.unicode() >= 0x80)
            c = u'?';
    }
    return result;
}

// A regular expression that must match the whole text.
inline QRegularExpression whole(const QString& pattern)
{
    QRegularExpression expression(QRegularExpression::anchoredPattern(pattern));
    expression.optimize();
    return expression;
}

// A text as a report shows it: printable ASCII as it is, everything else as \uXXXX.
inline QByteArray shown(QStringView text)
{
    QByteArray result = "\"";
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\' && c != u'"')
            result += static_cast<char>(c.unicode());
        else
            result += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    }
    return result + '"';
}

inline QByteArray shown(double value)
{
    return QByteArray::number(value, 'g', 17);
}

[[noreturn]] inline void fail(const char* file, int line, const char* property, const QByteArray& detail)
{
    std::fprintf(stderr, "\n%s:%d: property broken: %s\n  %s\n", file, line, property, detail.constData());
    std::fflush(stderr);
    std::abort();
}

// |a - b| without overflowing, in the widest floating point there is.
inline long double distance(double a, double b)
{
    return std::fabs(static_cast<long double>(a) - static_cast<long double>(b));
}

// 10^-places, or 0 where that is below every double.
inline long double unitOfPlace(qsizetype places)
{
    return std::pow(10.0L, -static_cast<long double>(places));
}

} // namespace quilvarden::fuzz

// Stops the run when the property does not hold; the detail (a QByteArray expression) is
// built only then.
#define FUZZ_CHECK(property, detail)                                                                         \
    do {                                                                                                     \
        if (!(property))                                                                                     \
            ::quilvarden::fuzz::fail(__FILE__, __LINE__, #property, (detail));                               \
    } while (false)
