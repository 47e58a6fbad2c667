#include "location.h"

#include <QDir>
#include <QRegularExpression>

namespace quilvarden::data {

bool isServerUri(const QString& text)
{
    return text.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive) ||
           text.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive);
}

Location locate(const QString& text)
{
    return {isServerUri(text) ? Engine::Postgres : Engine::Sqlite, text};
}

QString Location::shown() const
{
    if (engine == Engine::Sqlite)
        return QDir::toNativeSeparators(text);
    // user:password@ in the authority, password=... among the parameters.
    static const QRegularExpression inAuthority(QStringLiteral("^([a-z]+://[^:@/?]*):[^@/?]*@"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression asParameter(QStringLiteral("([?&]password=)[^&]*"),
                                                QRegularExpression::CaseInsensitiveOption);
    QString hidden = text;
    hidden.replace(inAuthority, QStringLiteral("\\1:***@"));
    hidden.replace(asParameter, QStringLiteral("\\1***"));
    return hidden;
}

} // namespace quilvarden::data
