#pragma once

#include "data/engine.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QUuid>

#include <algorithm>
#include <pwd.h>
#include <unistd.h>

namespace testsupport {

// A PostgreSQL server of the test's own: a cluster made with initdb in a temporary folder,
// reached on a Unix socket in that folder only, stopped and removed at the end. Run as the
// postgres user when the tests run as root (the server refuses root).
class PgServer {
public:
    PgServer() = default;
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;
    ~PgServer() { stop(); }

    // Empty when started; otherwise why not.
    QString start()
    {
        m_bin = binaries();
        if (m_bin.isEmpty())
            return QStringLiteral("initdb and pg_ctl not found (install the postgresql package)");
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        if (geteuid() == 0) {
            const passwd* user = getpwnam("postgres");
            if (!user ||
                ::chown(QFile::encodeName(m_dir.path()).constData(), user->pw_uid, user->pw_gid) != 0)
                return QStringLiteral(
                    "the tests run as root and there is no postgres user to run the server");
            m_asPostgres = true;
        }
        const QString init =
            run(QStringLiteral("initdb"),
                QStringList{QStringLiteral("-D"), data(), QStringLiteral("-U"), QStringLiteral("quilvarden"),
                            QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-locale"),
                            QStringLiteral("--no-sync")} +
                    authentication());
        if (!init.isEmpty())
            return init;
        return startServer();
    }

    // Starts a server stopped with stop() again, on the same data. With a port, it listens on
    // 127.0.0.1 too.
    QString startServer()
    {
        const QString tcp = m_port > 0 ? QStringLiteral("-c listen_addresses='127.0.0.1' -p %1").arg(m_port)
                                       : QStringLiteral("-c listen_addresses=''");
        return run(QStringLiteral("pg_ctl"),
                   {QStringLiteral("-D"), data(), QStringLiteral("-l"), m_dir.filePath(QStringLiteral("log")),
                    QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("-o"),
                    QStringLiteral("-k %1 %2 -c fsync=%3 -c max_connections=60")
                        .arg(m_dir.path(), tcp, m_durable ? QStringLiteral("on") : QStringLiteral("off")),
                    QStringLiteral("start")});
    }

    // Lets users in only with their password (scram-sha-256), the quilvarden user with this
    // one (before start()); uri() gives it.
    void requirePassword(const QString& password) { m_password = password; }

    // A line of pg_hba.conf put before the others, read by the running server at once.
    QString prependHba(const QString& line)
    {
        QFile file(data() + QStringLiteral("/pg_hba.conf"));
        if (!file.open(QIODevice::ReadWrite))
            return QStringLiteral("pg_hba.conf: ") + file.errorString();
        const QByteArray rest = file.readAll();
        file.resize(0);
        file.write(line.toUtf8() + '\n' + rest);
        file.close();
        return run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), data(), QStringLiteral("reload")});
    }

    // Every commit to the disk, as a meet's server does (the tests leave that out, for speed).
    void setDurable(bool durable) { m_durable = durable; }

    // Listens on this port of 127.0.0.1 too (before start()).
    void listenOn(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }

    // A clean shutdown (mode fast) or one as in a power cut (immediate).
    QString stop(const QString& mode = QStringLiteral("fast"))
    {
        if (m_bin.isEmpty() || !QFile::exists(data() + QStringLiteral("/postmaster.pid")))
            return {};
        return run(QStringLiteral("pg_ctl"),
                   {QStringLiteral("-D"), data(), QStringLiteral("-m"), mode, QStringLiteral("-w"),
                    QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("stop")});
    }

    // The URI of a database of this server, as a station is given it: on its socket, or on
    // a port of 127.0.0.1 (the server's own, or one in front of it).
    QString uri(const QString& database, quint16 port = 0) const
    {
        const QString user =
            m_password.isEmpty()
                ? QStringLiteral("quilvarden")
                : QStringLiteral("quilvarden:") + QString::fromLatin1(QUrl::toPercentEncoding(m_password));
        if (port > 0)
            return QStringLiteral("postgresql://%1@127.0.0.1:%2/%3")
                .arg(user, QString::number(port), database);
        // The socket's name carries the port the server listens on.
        return QStringLiteral("postgresql://%1@%2%3/%4")
            .arg(user, QString::fromLatin1(QUrl::toPercentEncoding(m_dir.path())),
                 m_port > 0 ? QStringLiteral(":%1").arg(m_port) : QString(), database);
    }

    // A new, empty database; its name.
    QString newDatabase()
    {
        const QString name = QStringLiteral("t%1").arg(++m_databases);
        const QString connection = QUuid::createUuid().toString();
        {
            QSqlDatabase db = quilvarden::data::addConnection(uri(QStringLiteral("postgres")), connection);
            if (db.open())
                QSqlQuery(QStringLiteral("CREATE DATABASE %1").arg(name), db);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
        return name;
    }

private:
    QString data() const { return m_dir.filePath(QStringLiteral("data")); }

    // Everyone trusted, or the password asked for (initdb reads it from a file).
    QStringList authentication() const
    {
        if (m_password.isEmpty())
            return {QStringLiteral("-A"), QStringLiteral("trust")};
        QFile file(m_dir.filePath(QStringLiteral("password")));
        if (file.open(QIODevice::WriteOnly))
            file.write(m_password.toUtf8() + '\n');
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        return {QStringLiteral("-A"), QStringLiteral("scram-sha-256"),
                QStringLiteral("--pwfile=") + file.fileName()};
    }

    // Debian keeps the server's programs out of PATH, under its major version.
    static QString binaries()
    {
        QStringList versions =
            QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(versions.begin(), versions.end(),
                  [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
        for (const QString& version : versions) {
            const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(version);
            if (QFile::exists(bin + QStringLiteral("/initdb")))
                return bin;
        }
        const QString found = QStandardPaths::findExecutable(QStringLiteral("initdb"));
        return found.isEmpty() ? QString() : QFileInfo(found).absolutePath();
    }

    // Empty when the program ended well; its output otherwise.
    QString run(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        const QString path = m_bin + u'/' + program;
        if (m_asPostgres)
            process.start(
                QStringLiteral("runuser"),
                QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), path} +
                    arguments);
        else
            process.start(path, arguments);
        if (!process.waitForFinished(120000)) {
            process.kill();
            return program + QStringLiteral(" did not finish");
        }
        if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
            return {};
        return program + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll());
    }

    QTemporaryDir m_dir;
    QString m_bin;
    bool m_asPostgres = false;
    int m_databases = 0;
    quint16 m_port = 0;
    bool m_durable = false;
    QString m_password;
};

// Where a test's register goes: a file in the folder, or a new database of the server.
inline QString newRegister(quilvarden::data::Engine engine, const QTemporaryDir& dir, PgServer* server)
{
    return engine == quilvarden::data::Engine::Sqlite ? dir.filePath(QStringLiteral("quilvarden.MDB"))
                                                      : server->uri(server->newDatabase());
}

// Runs a test class once on SQLite files and once on a server of the tests' own; the class
// is made from the engine and the server (none for files). The number of failures.
template <class Test> int runOnFileAndServer(int argc, char** argv)
{
    Test onFile(quilvarden::data::Engine::Sqlite, nullptr);
    int failures = QTest::qExec(&onFile, argc, argv);
    PgServer server;
    if (const QString why = server.start(); !why.isEmpty()) {
        qCritical("The PostgreSQL server for the tests did not start: %s", qPrintable(why));
        return failures + 1;
    }
    Test onServer(quilvarden::data::Engine::Postgres, &server);
    return failures + QTest::qExec(&onServer, argc, argv);
}

} // namespace testsupport
