#include "systemerror.h"

#include <QCoreApplication>

#include <cstring>
#include <utility>

namespace quilvarden {

namespace {

// The C library's English words and the program's Galician for them.
constexpr std::pair<const char*, const char*> Texts[] = {
    {"No such file or directory", QT_TRANSLATE_NOOP("Text", "Non existe o ficheiro ou o cartafol")},
    {"Permission denied", QT_TRANSLATE_NOOP("Text", "Permiso denegado")},
    {"No space left on device", QT_TRANSLATE_NOOP("Text", "Non queda espazo no dispositivo")},
    {"Read-only file system", QT_TRANSLATE_NOOP("Text", "O sistema de ficheiros só se pode ler")},
    {"Is a directory", QT_TRANSLATE_NOOP("Text", "É un cartafol")},
    {"File exists", QT_TRANSLATE_NOOP("Text", "O ficheiro xa existe")},
    {"File name too long", QT_TRANSLATE_NOOP("Text", "O nome do ficheiro é longo de máis")},
    {"Disk quota exceeded", QT_TRANSLATE_NOOP("Text", "Superouse a cota do disco")},
    {"File too large", QT_TRANSLATE_NOOP("Text", "O ficheiro é grande de máis")},
    {"Input/output error", QT_TRANSLATE_NOOP("Text", "Erro de entrada ou saída")},
    {"Too many levels of symbolic links",
     QT_TRANSLATE_NOOP("Text", "Demasiados niveis de ligazóns simbólicas")},
    {"Not a directory", QT_TRANSLATE_NOOP("Text", "Non é un cartafol")},
    {"Directory not empty", QT_TRANSLATE_NOOP("Text", "O cartafol non está baleiro")},
    {"Device or resource busy", QT_TRANSLATE_NOOP("Text", "O dispositivo ou o recurso está ocupado")},
    {"Too many open files", QT_TRANSLATE_NOOP("Text", "Hai demasiados ficheiros abertos")},
    {"Operation not permitted", QT_TRANSLATE_NOOP("Text", "Operación non permitida")},
    {"Text file busy", QT_TRANSLATE_NOOP("Text", "O ficheiro está en uso")},
    {"Broken pipe", QT_TRANSLATE_NOOP("Text", "Rompeu a conexión entre os programas")},
    {"Connection refused", QT_TRANSLATE_NOOP("Text", "Conexión rexeitada")},
    {"Connection reset by peer", QT_TRANSLATE_NOOP("Text", "O outro extremo cortou a conexión")},
    {"Network is unreachable", QT_TRANSLATE_NOOP("Text", "Non se pode chegar á rede")},
    {"No route to host", QT_TRANSLATE_NOOP("Text", "Non hai camiño ata o servidor")},
    {"Connection timed out", QT_TRANSLATE_NOOP("Text", "Esgotouse o tempo da conexión")},
    {"Address already in use", QT_TRANSLATE_NOOP("Text", "O enderezo xa está en uso")},
    {"Cannot assign requested address", QT_TRANSLATE_NOOP("Text", "Non se pode asignar o enderezo pedido")},
};

} // namespace

QString systemErrorText(const QString& cLibraryText)
{
    for (const auto& [english, galician] : Texts)
        if (cLibraryText == QLatin1StringView(english))
            return QCoreApplication::translate("Text", galician);
    return cLibraryText;
}

QString systemErrorText(int errorNumber)
{
    // strerrordesc_np: the English text whatever LC_MESSAGES says.
    const char* english = ::strerrordesc_np(errorNumber);
    return english ? systemErrorText(QString::fromUtf8(english)) : QString::number(errorNumber);
}

} // namespace quilvarden
