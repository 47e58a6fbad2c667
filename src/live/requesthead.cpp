#include "requesthead.h"

#include <QByteArrayList>

#include <algorithm>
#include <optional>

namespace quilvarden::live {

namespace {

// A Content-Length this long or longer is past any limit, and past what a number holds.
constexpr qsizetype MaxLengthDigits = 18;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A character of a token (RFC 9110 §5.6.2): a method or a header's name.
bool isTokenChar(char c)
{
    if (isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return true;
    return c != '\0' && QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool isToken(QByteArrayView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isTokenChar);
}

// Only what shows: no space and no control character (a request's target).
bool isVisible(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c != '\x7f'; });
}

// A field's value may hold spaces, tabs and any byte but the control characters (RFC 9110 §5.5).
bool isFieldValue(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == '\t' || (byte >= ' ' && byte != 0x7f);
    });
}

// Spaces and tabs trimmed from both ends (optional whitespace, RFC 9110 §5.6.3).
QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    return text;
}

// The elements of a comma-separated field value, each trimmed.
QList<QByteArrayView> elements(QByteArrayView value)
{
    QList<QByteArrayView> found;
    for (qsizetype from = 0;;) {
        const qsizetype comma = value.indexOf(',', from);
        found.append(trimmed(value.sliced(from, (comma < 0 ? value.size() : comma) - from)));
        if (comma < 0)
            return found;
        from = comma + 1;
    }
}

bool sameWord(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What one request's head says, line by line.
struct Facts {
    bool http10 = false;
    bool readOnly = false; // GET or HEAD
    int headers = 0;
    int hosts = 0;
    std::optional<QByteArrayView> length; // Content-Length, when given (the same each time)
    bool lengthInvalid = false;
    bool transfer = false; // Transfer-Encoding given
    QByteArrayView lastCoding;
    bool close = false;
    bool keepAlive = false;
};

RequestHead refused(int status)
{
    RequestHead head;
    head.verdict = RequestHead::Verdict::Refused;
    head.status = status;
    return head;
}

// "method SP request-target SP HTTP-version" (RFC 9112 §3): 0 when it is, or the status.
int requestLine(QByteArrayView line, Facts& facts)
{
    const qsizetype first = line.indexOf(' ');
    const qsizetype second = first < 0 ? -1 : line.indexOf(' ', first + 1);
    if (second < 0 || line.indexOf(' ', second + 1) >= 0)
        return 400;
    const QByteArrayView method = line.first(first);
    const QByteArrayView target = line.sliced(first + 1, second - first - 1);
    const QByteArrayView version = line.sliced(second + 1);
    if (!isToken(method) || target.isEmpty() || !isVisible(target))
        return 400;
    if (version.size() != 8 || !version.startsWith("HTTP/") || !isDigit(version[5]) || version[6] != '.' ||
        !isDigit(version[7]))
        return 400;
    if (version[5] != '1')
        return 505;
    facts.http10 = version[7] == '0';
    facts.readOnly = method == "GET" || method == "HEAD";
    return 0;
}

void contentLength(QByteArrayView value, Facts& facts)
{
    // A list of the same number, or the same number on several lines, is that number
    // (RFC 9112 §6.3); anything else cannot be framed.
    for (QByteArrayView number : elements(value)) {
        const bool digits = !number.isEmpty() && std::all_of(number.begin(), number.end(), isDigit);
        if (!digits || number.size() > MaxLengthDigits || (facts.length && *facts.length != number))
            facts.lengthInvalid = true;
        facts.length = number;
    }
}

void connectionOptions(QByteArrayView value, Facts& facts)
{
    for (QByteArrayView option : elements(value)) {
        facts.close = facts.close || sameWord(option, "close");
        facts.keepAlive = facts.keepAlive || sameWord(option, "keep-alive");
    }
}

// "name: value" with the name a token right before the colon (RFC 9112 §5.1, §5.2): a line
// that starts with a space or a tab (a folded line) has no name, and is refused like the rest.
bool headerLine(QByteArrayView line, Facts& facts)
{
    const qsizetype colon = line.indexOf(':');
    if (colon < 0 || !isToken(line.first(colon)))
        return false;
    const QByteArrayView name = line.first(colon);
    const QByteArrayView value = trimmed(line.sliced(colon + 1));
    if (!isFieldValue(value))
        return false;
    ++facts.headers;
    if (sameWord(name, "host")) {
        ++facts.hosts;
    } else if (sameWord(name, "content-length")) {
        contentLength(value, facts);
    } else if (sameWord(name, "transfer-encoding")) {
        facts.transfer = true;
        facts.lastCoding = elements(value).constLast();
    } else if (sameWord(name, "connection")) {
        connectionOptions(value, facts);
    }
    return true;
}

// The head is whole: whether its request has one meaning, and what of the connection after.
RequestHead whole(const Facts& facts, qsizetype size, const HeadLimits& limits)
{
    if (size >= limits.maxBytes)
        return refused(413);
    // One Host on HTTP/1.1, at most one on HTTP/1.0 (RFC 9112 §3.2).
    if (facts.hosts > 1 || (facts.hosts == 0 && !facts.http10))
        return refused(400);
    // Content framed two ways, or a way that cannot be followed (RFC 9112 §6.1, §6.3).
    if (facts.lengthInvalid || (facts.transfer && (facts.length || facts.http10)) ||
        (facts.transfer && !sameWord(facts.lastCoding, "chunked")))
        return refused(400);
    const qint64 length = facts.length ? facts.length->toLongLong() : 0;
    if (length > 0 && size + length >= limits.maxBytes)
        return refused(413);
    // Nothing here takes content: a writing method is refused as it would be without it, a
    // read that carries some is not one this server makes sense of.
    if (facts.transfer || length > 0)
        return refused(facts.readOnly ? 400 : 405);
    RequestHead head;
    head.verdict = RequestHead::Verdict::Whole;
    head.size = size;
    head.http10 = facts.http10;
    head.keepAlive = !facts.close && (!facts.http10 || facts.keepAlive);
    return head;
}

// Past the limits, whole or not.
std::optional<int> pastLimits(qsizetype bytes, const Facts& facts, const HeadLimits& limits)
{
    if (bytes >= limits.maxBytes)
        return 413;
    if (facts.headers > limits.maxHeaders)
        return 431;
    return std::nullopt;
}

} // namespace

RequestHead checkHead(QByteArrayView input, const HeadLimits& limits)
{
    qsizetype at = 0;
    while (at < input.size() && (input[at] == '\r' || input[at] == '\n'))
        ++at;
    Facts facts;
    bool first = true;
    for (qsizetype end; (end = input.indexOf('\n', at)) >= 0; at = end + 1, first = false) {
        QByteArrayView line = input.sliced(at, end - at);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.contains('\r'))
            return refused(400);
        if (!first && line.isEmpty())
            return whole(facts, end + 1, limits);
        if (first) {
            if (const int status = requestLine(line, facts); status != 0)
                return refused(status);
        } else if (!headerLine(line, facts)) {
            return refused(400);
        }
        if (const std::optional<int> status = pastLimits(end + 1, facts, limits))
            return refused(*status);
    }
    // The line still coming counts too: a head that fills the limit without its end is over.
    if (const std::optional<int> status = pastLimits(input.size(), facts, limits))
        return refused(*status);
    return {};
}

} // namespace quilvarden::live
