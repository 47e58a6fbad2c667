#include "names.h"

#include <QCollator>
#include <QLocale>
#include <QTextBoundaryFinder>

namespace quilvarden::text {

namespace {

// Long enough for any club name a person reads; short enough that the points stay on the
// line of a printed page.
constexpr qsizetype LongestClubLabel = 40;

} // namespace

QString cleanName(const QString& text)
{
    QString cleaned;
    cleaned.reserve(text.size());
    for (const QChar c : text.normalized(QString::NormalizationForm_C)) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || c.isSpace())
            cleaned += u' ';
        else if (category == QChar::Other_Format && c != QChar(0x200C) && c != QChar(0x200D))
            continue;
        else
            cleaned += c;
    }
    return cleaned.simplified();
}

QString foldName(const QString& text)
{
    QString folded;
    for (const QChar c : text.normalized(QString::NormalizationForm_KD))
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    // Qt folds case letter by letter; ß is the one folding into two that names meet often.
    return folded.toCaseFolded().replace(u'ß', QStringLiteral("ss")).simplified();
}

qsizetype characterCount(const QString& text)
{
    return text.toUcs4().size();
}

QString firstCharacters(const QString& text, qsizetype maxCodePoints)
{
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    qsizetype codePoints = 0;
    for (qsizetype next = clusters.toNextBoundary(); next > 0; next = clusters.toNextBoundary()) {
        const qsizetype size = characterCount(text.mid(end, next - end));
        if (codePoints + size > maxCodePoints)
            break;
        codePoints += size;
        end = next;
    }
    QString cut = text.left(end);
    while (!cut.isEmpty() && (cut.back().isSpace() || cut.back() == u'-' || cut.back() == u'\''))
        cut.chop(1);
    return cut;
}

int compareNames(const QString& a, const QString& b)
{
    // A collator is not to be shared between threads; each gets its own.
    thread_local const QCollator collator(QLocale(QLocale::Galician, QLocale::Spain));
    return collator.compare(a, b);
}

QVariant clubLabel(const QVariant& club)
{
    if (club.typeId() != QMetaType::QString)
        return club;
    const QString name = cleanName(club.toString());
    if (characterCount(name) <= LongestClubLabel)
        return name;
    return QVariant(firstCharacters(name, LongestClubLabel - 1) + u'…');
}

} // namespace quilvarden::text
