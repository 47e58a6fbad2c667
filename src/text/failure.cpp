#include "failure.h"

#include <QCoreApplication>

namespace quilvarden {

QString describeError(int number)
{
    switch (number) {
    case Failure::Overflow:
        return QCoreApplication::translate("Text", "Desbordamento");
    case Failure::DivisionByZero:
        return QCoreApplication::translate("Text", "División por cero");
    case Failure::TypeMismatch:
        return QCoreApplication::translate("Text", "Non coinciden os tipos");
    case Failure::InvalidUseOfNull:
        return QCoreApplication::translate("Text", "Uso non válido de Null");
    case Failure::InvalidArgument:
        return QCoreApplication::translate("Text", "Argumento non válido");
    case Failure::FileNotFound:
        return QCoreApplication::translate("Text", "Non se atopa o ficheiro");
    case Failure::DiskFull:
        return QCoreApplication::translate("Text", "Non hai espazo no disco");
    case Failure::ReadOnlyDatabase:
        return QCoreApplication::translate("Text", "A base de datos só se pode ler");
    case Failure::LoginRefused:
        return QCoreApplication::translate("Text", "O servidor rexeitou o usuario ou o contrasinal");
    case Failure::DiskError:
        return QCoreApplication::translate("Text", "Erro ao ler ou escribir no disco");
    case Failure::CannotOpenFile:
        return QCoreApplication::translate("Text", "Non se pode abrir o ficheiro");
    case Failure::ConnectionFailed:
        return QCoreApplication::translate("Text", "Non se pode chegar á base de datos");
    case Failure::TableNotFound:
        return QCoreApplication::translate("Text", "Non se atopa a táboa");
    case Failure::LockedByOtherProgram:
        return QCoreApplication::translate("Text", "A base de datos está bloqueada por outro programa");
    case Failure::ColumnNotFound:
        return QCoreApplication::translate("Text", "Non se atopa a columna");
    case Failure::ImportFileInvalid:
        return QCoreApplication::translate("Text", "O ficheiro que se importa non ten o formato esperado");
    case Failure::UnrecognisedFormat:
        return QCoreApplication::translate("Text", "Formato de base de datos non recoñecido");
    case Failure::PortInUse:
        return QCoreApplication::translate("Text", "O porto xa o está a usar outro programa");
    case Failure::CannotListen:
        return QCoreApplication::translate("Text", "Non se pode escoitar nese enderezo");
    default:
        return QCoreApplication::translate("Text", "Erro da base de datos");
    }
}

Failure Failure::overflow(const QString& detail)
{
    return {Overflow, describeError(Overflow), detail};
}

Failure Failure::typeMismatch(const QString& text)
{
    return {TypeMismatch, describeError(TypeMismatch),
            QCoreApplication::translate("Text", "O texto «%1» non é un número.").arg(text)};
}

Failure Failure::invalidUseOfNull(const QString& detail)
{
    return {InvalidUseOfNull, describeError(InvalidUseOfNull), detail};
}

Failure Failure::divisionByZero(const QString& detail)
{
    return {DivisionByZero, describeError(DivisionByZero), detail};
}

Failure Failure::database(int number, const QString& detail)
{
    return {number, describeError(number), detail};
}

QString Failure::message() const
{
    QString text =
        QCoreApplication::translate("Text", "Erro %1: %2").arg(QString::number(number), description);
    if (!detail.isEmpty())
        text += QLatin1Char('\n') + detail;
    return text;
}

} // namespace quilvarden
