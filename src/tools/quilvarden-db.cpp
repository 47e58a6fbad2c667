#include "language/language.h"
#include "text/qtmessages.h"
#include "tools/commandline.h"
#include "tools/dbtool.h"

#include <QGuiApplication>
#include <QStringDecoder>

#include <csignal>

namespace {

// Qt takes the arguments for UTF-8, as this system names its files: a name in another code
// page (Latin-1, from an old machine or a Windows share) would come out as another name,
// with U+FFFD for its letters, and open or make another file. Such a name is refused, as
// Windows-1252 reads it.
int refuseNamesNotInUtf8(int argc, char** argv, QTextStream& err)
{
    for (int i = 1; i < argc; ++i) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        [[maybe_unused]] const QString text = utf8.decode(QByteArrayView(argv[i]));
        if (!utf8.hasError())
            continue;
        QStringDecoder windows("windows-1252");
        const QString shown = windows.isValid() ? QString(windows.decode(QByteArrayView(argv[i])))
                                                : QString::fromLatin1(argv[i]);
        return quilvarden::tools::fail(
            err, shown,
            quilvarden::Failure::database(
                quilvarden::Failure::CannotOpenFile,
                QCoreApplication::translate(
                    "Tool", "O nome non está en UTF-8, a codificación dos nomes de ficheiro deste sistema "
                            "(aquí lese como Windows-1252), e o programa non pode abrir un ficheiro así. "
                            "Cámbialle o nome, por exemplo con: convmv -f cp1252 -t utf8 --notest NOME")));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
#ifdef SIGXFSZ
    // Past a file-size limit a write fails and is reported; the signal would end the tool
    // without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    quilvarden::keepQtMessagesQuiet();
    // The PDF writer needs fonts, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QGuiApplication::arguments();
    arguments.removeFirst();
    // The language first, so that every message, the parser's too, is told in it.
    if (const auto language = quilvarden::language::setUp(app, arguments); language.wrong)
        return quilvarden::tools::usageMistake(err, QStringLiteral("quilvarden-db"),
                                               quilvarden::language::wrongValueText(language.value));
    if (const int status = refuseNamesNotInUtf8(argc, argv, err); status != 0)
        return status;
    return quilvarden::tools::runDbTool(quilvarden::language::withoutLanguageOption(arguments), out, err);
}
