#include "dbtool.h"

#include "data/database.h"
#include "tools/demomeet.h"

#include <QDir>
#include <QFile>

namespace quilvarden::tools {

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

const char* const Usage =
    "Uso:\n"
    "  quilvarden-db create FICHEIRO   crea unha base de datos baleira\n"
    "  quilvarden-db demo FICHEIRO     crea unha base de datos cun campionato de exemplo\n"
    "Ningunha orde sobrescribe un ficheiro que xa exista.\n";

int fail(QTextStream& err, const QString& path, const Failure& failure)
{
    err << QStringLiteral("quilvarden-db: %1: %2").arg(QDir::toNativeSeparators(path), failure.message())
        << Qt::endl;
    return ExitFailed;
}

int create(const QString& path, QTextStream& out, QTextStream& err)
{
    if (Outcome created = data::Database::create(path); !created)
        return fail(err, path, created.failure());
    out << QStringLiteral("Creada a base de datos baleira %1").arg(QDir::toNativeSeparators(path))
        << Qt::endl;
    return 0;
}

int demo(const QString& path, QTextStream& out, QTextStream& err)
{
    if (Outcome created = data::Database::create(path); !created)
        return fail(err, path, created.failure());
    const data::MeetProgramme meet = demoMeet();
    Outcome filled = Failure{};
    {
        Result<std::unique_ptr<data::Database>> database = data::Database::open(path);
        filled = database ? (*database)->replaceMeetProgramme(meet) : Outcome(database.failure());
    }
    if (!filled) {
        // The file is ours, made a moment ago: a half-made demo is no use to anybody.
        QFile::remove(path);
        return fail(err, path, filled.failure());
    }
    out << QStringLiteral("Creada a base de datos %1 cun campionato de exemplo: %2 probas, %3 clubs")
               .arg(QDir::toNativeSeparators(path))
               .arg(meet.events.size())
               .arg(meet.clubs.size())
        << Qt::endl;
    return 0;
}

} // namespace

int runDbTool(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.size() == 1 &&
        (arguments[0] == QStringLiteral("--help") || arguments[0] == QStringLiteral("-h"))) {
        out << QString::fromLatin1(Usage);
        return 0;
    }
    if (arguments.size() != 2) {
        err << QString::fromLatin1(Usage);
        return ExitUsage;
    }
    const QString& command = arguments[0];
    const QString& path = arguments[1];
    if (command == QStringLiteral("create"))
        return create(path, out, err);
    if (command == QStringLiteral("demo"))
        return demo(path, out, err);
    err << QStringLiteral("quilvarden-db: orde descoñecida: %1\n").arg(command) << QString::fromLatin1(Usage);
    return ExitUsage;
}

} // namespace quilvarden::tools
