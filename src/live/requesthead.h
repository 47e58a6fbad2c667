#pragma once

#include <QByteArrayView>

namespace quilvarden::live {

// What the front of a connection's input holds: its first request's head (the request line
// and the header lines up to the blank line), checked by the rules of HTTP/1.1 (RFC 9112)
// before Qt's parser reads it. Qt's parser is lenient where leniency lets a request be read
// two ways (a second Content-Length, a number it cannot read, a folded line, a line without
// a colon), so a head it would read is refused here unless it has one meaning only.
struct RequestHead {
    enum class Verdict {
        Partial, // the head has not come whole yet; what came is fine so far
        Whole,   // a whole head, fine, without content: Qt's parser may read it
        Refused, // answered with status, and the connection closed
    };
    Verdict verdict = Verdict::Partial;
    int status = 0;        // Refused: 400, 405 (content for a page only read), 413, 431 or 505
    qsizetype size = 0;    // Whole: its bytes, the blank lines before it included
    bool http10 = false;   // Whole: an HTTP/1.0 request
    bool keepAlive = true; // Whole: the connection stays open after the answer
};

struct HeadLimits {
    qint64 maxBytes = 16 * 1024; // one request's head, from its first byte to its blank line
    int maxHeaders = 64;         // header lines in one request
};

// The first request at the front of input. Blank lines before a request are skipped
// (RFC 9112 §2.2). A line may end in CRLF or LF; a CR anywhere else is refused.
RequestHead checkHead(QByteArrayView input, const HeadLimits& limits);

} // namespace quilvarden::live
