#include "failure.h"

namespace quilvarden {

QString describeError(int number)
{
    switch (number) {
    case Failure::Overflow:
        return QStringLiteral("Desbordamento");
    case Failure::DivisionByZero:
        return QStringLiteral("División por cero");
    case Failure::TypeMismatch:
        return QStringLiteral("Non coinciden os tipos");
    case Failure::InvalidUseOfNull:
        return QStringLiteral("Uso non válido de Null");
    case Failure::InvalidArgument:
        return QStringLiteral("Argumento non válido");
    case Failure::FileNotFound:
        return QStringLiteral("Non se atopa o ficheiro");
    case Failure::DiskFull:
        return QStringLiteral("Non hai espazo no disco");
    case Failure::ReadOnlyDatabase:
        return QStringLiteral("A base de datos só se pode ler");
    case Failure::LoginRefused:
        return QStringLiteral("O servidor rexeitou o usuario ou o contrasinal");
    case Failure::DiskError:
        return QStringLiteral("Erro ao ler ou escribir no disco");
    case Failure::CannotOpenFile:
        return QStringLiteral("Non se pode abrir o ficheiro");
    case Failure::ConnectionFailed:
        return QStringLiteral("Non se pode chegar á base de datos");
    case Failure::TableNotFound:
        return QStringLiteral("Non se atopa a táboa");
    case Failure::LockedByOtherProgram:
        return QStringLiteral("A base de datos está bloqueada por outro programa");
    case Failure::ColumnNotFound:
        return QStringLiteral("Non se atopa a columna");
    case Failure::ImportFileInvalid:
        return QStringLiteral("O ficheiro que se importa non ten o formato esperado");
    case Failure::UnrecognisedFormat:
        return QStringLiteral("Formato de base de datos non recoñecido");
    case Failure::PortInUse:
        return QStringLiteral("O porto xa o está a usar outro programa");
    case Failure::CannotListen:
        return QStringLiteral("Non se pode escoitar nese enderezo");
    default:
        return QStringLiteral("Erro da base de datos");
    }
}

Failure Failure::overflow(const QString& detail)
{
    return {Overflow, describeError(Overflow), detail};
}

Failure Failure::typeMismatch(const QString& text)
{
    return {TypeMismatch, describeError(TypeMismatch),
            QStringLiteral("O texto «%1» non é un número.").arg(text)};
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
    QString text = QStringLiteral("Erro %1: %2").arg(QString::number(number), description);
    if (!detail.isEmpty())
        text += QLatin1Char('\n') + detail;
    return text;
}

} // namespace quilvarden
