#include "lenexfile.h"

#include "imports/filemeet.h"
#include "imports/zipfile.h"
#include "text/names.h"
#include "text/systemerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace quilvarden::imports {

namespace {

bool isLenexName(QString name)
{
    while (name.endsWith(u'/') || name.endsWith(u'\\'))
        name.chop(1);
    return name.endsWith(QStringLiteral(".lef"), Qt::CaseInsensitive);
}

// What macOS adds beside every file it zips (__MACOSX/._meet.lef): not the file.
bool isMacAttributes(const QString& name)
{
    return name.startsWith(QStringLiteral("__MACOSX/")) ||
           name.section(u'/', -1).startsWith(QStringLiteral("._"));
}

bool looksLikeXml(QByteArray bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return bytes.left(1024).trimmed().startsWith('<');
}

bool looksLikeZip(const QByteArray& bytes)
{
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

// A name inside a zip as messages give it: one line, at most 80 characters, and the code
// page it was read in where that matters (it holds letters outside ASCII).
QString shown(const ZipEntry& entry)
{
    const QString name = text::cleanName(entry.name);
    const QString cut = text::firstCharacters(name, 80);
    QString said =
        QStringLiteral("«%1%2»").arg(cut, cut.size() < name.size() ? QStringLiteral("…") : QString());
    const bool ascii = std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (!entry.codePage.isEmpty() && !ascii)
        said += QCoreApplication::translate("Import", " (nome lido en %1)").arg(entry.codePage);
    return said;
}

QString listed(const QList<ZipEntry>& entries)
{
    QStringList names;
    for (qsizetype i = 0; i < entries.size() && i < 5; ++i)
        names << shown(entries[i]);
    if (entries.size() > 5)
        names << QCoreApplication::translate("Import", "e %1 máis").arg(entries.size() - 5);
    return names.join(QStringLiteral(", "));
}

QString zipFault(ZipFault fault, const QByteArray& contents)
{
    switch (fault) {
    case ZipFault::Empty:
        return QCoreApplication::translate("Import", "o .lxf está baleiro (0 bytes).");
    case ZipFault::CutOff:
        return QCoreApplication::translate(
            "Import", "o .lxf está cortado: a copia non rematou (fáltalle o final do zip, onde está o "
                      "seu índice). Cópiao de novo enteiro.");
    case ZipFault::Split:
        return QCoreApplication::translate(
            "Import", "é unha parte dun zip partido en varios ficheiros; o .lxf ha ser un só zip.");
    case ZipFault::Damaged:
        return QCoreApplication::translate("Import",
                                           "o índice do zip (o seu directorio central) está danado.");
    case ZipFault::None:
    case ZipFault::NotAZip:
        break;
    }
    return looksLikeXml(contents)
               ? QCoreApplication::translate("Import",
                                             "é un ficheiro Lenex sen comprimir (XML), non un zip como ha "
                                             "ser un .lxf: cámbialle o nome a .lef.")
               : QCoreApplication::translate(
                     "Import", "non é un ficheiro zip, como ha ser un .lxf (Lenex comprimido).");
}

QString readFault(ZipReadFault fault, const ZipEntry& entry)
{
    const QString lef = QCoreApplication::translate("Import", "o .lef %1 que leva dentro").arg(shown(entry));
    switch (fault) {
    case ZipReadFault::Encrypted:
        return lef + QCoreApplication::translate(
                         "Import",
                         " está protexido con contrasinal, e este programa non le ficheiros cifrados: "
                         "exporta o .lxf de novo sen contrasinal.");
    case ZipReadFault::Method: {
        const QString method = zipMethodName(entry.method);
        return lef +
               QCoreApplication::translate(
                   "Import", " está comprimido %1, que este programa non sabe ler: comprímeo de novo "
                             "como zip normal (Deflate), ou exporta o .lxf de novo.")
                   .arg(method.isEmpty()
                            ? QCoreApplication::translate("Import", "co método %1 do zip").arg(entry.method)
                            : QCoreApplication::translate("Import", "con %1 (método %2 do zip)")
                                  .arg(method, QString::number(entry.method)));
    }
    case ZipReadFault::TooLarge:
        return lef + QCoreApplication::translate("Import", " é de máis de 100 MB.");
    case ZipReadFault::Damaged:
    case ZipReadFault::None:
        break;
    }
    return lef +
           QCoreApplication::translate("Import", " está danado ou cortado: non se descomprime enteiro.");
}

// The .lef inside a zip: the first, when it holds several (and said so).
Result<LenexXml> unzipLenex(const QByteArray& contents, const QString& name)
{
    ZipArchive zip(contents);
    if (zip.fault() != ZipFault::None)
        return importFileFailure(name, zipFault(zip.fault(), contents));
    QList<ZipEntry> lefs;
    QList<ZipEntry> folders;
    for (const ZipEntry& entry : zip.entries())
        if (isLenexName(entry.name) && !isMacAttributes(entry.name))
            (entry.folder ? folders : lefs).append(entry);
    if (lefs.isEmpty())
        return importFileFailure(
            name, zip.entries().isEmpty()
                      ? QCoreApplication::translate(
                            "Import", "o .lxf está baleiro: é un zip sen ningún ficheiro dentro.")
                  : !folders.isEmpty()
                      ? QCoreApplication::translate(
                            "Import", "o .lxf non leva dentro ningún ficheiro .lef: %1 é un cartafol.")
                            .arg(shown(folders.first()))
                      : QCoreApplication::translate("Import",
                                                    "o .lxf non leva dentro ningún ficheiro .lef (leva %1).")
                            .arg(listed(zip.entries())));
    LenexXml xml;
    if (lefs.size() > 1)
        xml.notes << QCoreApplication::translate(
                         "Import", "O .lxf leva %1 ficheiros .lef (%2): lese só o primeiro, %3.")
                         .arg(QString::number(lefs.size()), listed(lefs), shown(lefs.first()));
    if (const ZipReadFault fault = zip.read(lefs.first(), LargestLenex, xml.bytes);
        fault != ZipReadFault::None)
        return importFileFailure(name, readFault(fault, lefs.first()));
    return xml;
}

// Some programs write their own 8-bit code page and call it UTF-8, or say nothing: such a
// file is read as Windows-1252, the code page of the meet programs that do it.
void decodeEightBit(LenexXml& xml)
{
    static const QRegularExpression declared(
        QStringLiteral("^\\s*<\\?xml[^>]*encoding\\s*=\\s*[\"']([^\"']+)"));
    const QByteArray& bytes = xml.bytes;
    const QString encoding = declared.match(QString::fromLatin1(bytes.left(200))).captured(1);
    const bool wide =
        bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.left(4).contains('\0');
    if (wide || (!encoding.isEmpty() && encoding.compare(QStringLiteral("UTF-8"), Qt::CaseInsensitive) != 0))
        return;
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return;
    QStringDecoder windows("windows-1252");
    xml.text = windows.isValid() ? QString(windows.decode(bytes)) : QString::fromLatin1(bytes);
    xml.bytes.clear();
    xml.notes << QCoreApplication::translate("Import",
                                             "O ficheiro non está en UTF-8: lese como Windows-1252.");
}

Failure tooLarge(const QString& path)
{
    return importFileFailure(
        path, QCoreApplication::translate("Import",
                                          "é de máis de 100 MB; ningún ficheiro Lenex dun campionato o é."));
}

} // namespace

Result<LenexXml> lenexXml(const QByteArray& contents, const QString& name)
{
    if (contents.size() > LargestLenex)
        return tooLarge(name);
    Result<LenexXml> xml = LenexXml{contents, std::nullopt, {}};
    if (name.endsWith(QStringLiteral(".lxf"), Qt::CaseInsensitive))
        xml = unzipLenex(contents, name);
    else if (looksLikeZip(contents))
        return importFileFailure(
            name, QCoreApplication::translate("Import",
                                              "é un ficheiro zip (un Lenex comprimido), non XML como ha ser "
                                              "un .lef: cámbialle o nome a .lxf."));
    if (xml)
        decodeEightBit(*xml);
    return xml;
}

Result<LenexXml> lenexXml(const QString& path)
{
    if (Outcome readable = checkImportFile(path); !readable)
        return readable.failure();
    if (QFileInfo(path).size() > LargestLenex)
        return tooLarge(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure::database(Failure::CannotOpenFile,
                                 QStringLiteral("%1: %2").arg(path, systemErrorText(file.errorString())));
    // One byte more than is allowed, for a file that grows while it is read.
    return lenexXml(file.read(LargestLenex + 1), path);
}

} // namespace quilvarden::imports
