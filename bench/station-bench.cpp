// quilvarden-station-bench: several stations on one register, on a PostgreSQL server of its
// own (durable: every commit to the disk) and on an SQLite file, at 100,000 awards:
//  - recording one award, with its commit, at 1, 4 and 8 stations recording at once, against
//    a bare durable insert through the same driver;
//  - the time from a commit at one station to its line in another station's window;
//  - the standings;
//  - the operator's actions in the window while 8 stations record.
// Prints one table, with the machine it ran on.

#include "app/frmintrores.h"
#include "app/messagebox.h"
#include "app/startup.h"
#include "data/database.h"
#include "data/engine.h"
#include "data/standings.h"
#include "figures.h"
#include "support/pgserver.h"
#include "support/scratchdb.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace quilvarden;
using Clock = std::chrono::steady_clock;

namespace {

double since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void row(const char* what, const char* where, const Figures& f)
{
    std::printf("| %s | %s | %.2f | %.2f | %zu |\n", what, where, f.p50, f.p95, f.count);
}

data::Award award(int i)
{
    return {QStringLiteral("%1").arg(i % 40 + 1, 2, 10, QLatin1Char('0')), QStringLiteral("100L"),
            i % 2 ? QStringLiteral("M") : QStringLiteral("F"), QStringLiteral("C%1").arg(i % 12),
            19.0 - i % 8};
}

// A register of 100,000 awards and a small meet.
bool fill(const QString& where, bool server)
{
    if (!data::Database::create(where))
        return false;
    const QString numbers =
        server ? QStringLiteral("WITH n(i) AS (SELECT generate_series(1, 100000)) ")
               : QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n"
                                " WHERE i < 100000) ");
    return testsupport::runOn(
        where,
        {numbers +
             QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) SELECT"
                            " substr('0' || (i % 40 + 1), length('0' || (i % 40 + 1)) - 1), '100L',"
                            " CASE i % 2 WHEN 0 THEN 'M' ELSE 'F' END, 'C' || (i % 12), 19 - i % 8 FROM n"),
         QStringLiteral(
             "INSERT INTO EVENT (XORDER, EVENTCODE, GENDERCODE) VALUES (1, '100L', 'F'), (2, '100L', 'M')"),
         QStringLiteral("INSERT INTO CLUBCHAMP (CLUBCODE) VALUES ('A'), ('B')"),
         QStringLiteral("INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC) VALUES ('A', 'VIGO'), ('B', 'LUGO')")});
}

// Waits for the threads and gathers their samples in one list.
std::vector<double> joined(std::vector<std::thread>& threads, const std::vector<std::vector<double>>& all)
{
    for (std::thread& t : threads)
        t.join();
    std::vector<double> samples;
    for (const auto& one : all)
        samples.insert(samples.end(), one.begin(), one.end());
    return samples;
}

// Per-award latency of recordAward at this many stations recording at once.
std::vector<double> recording(const QString& where, int stations, int perStation)
{
    std::vector<std::vector<double>> all(static_cast<size_t>(stations));
    std::vector<std::thread> threads;
    for (int s = 0; s < stations; ++s)
        threads.emplace_back([&, s] {
            auto opened = data::Database::open(where);
            if (!opened)
                return;
            for (int i = 0; i < perStation; ++i) {
                const auto start = Clock::now();
                if ((*opened)->recordAward(award(i)))
                    all[static_cast<size_t>(s)].push_back(since(start));
            }
        });
    return joined(threads, all);
}

// A plain INSERT of one award, committed on its own, through the same driver, at this many
// connections inserting at once.
std::vector<double> bareInsert(const QString& where, int stations, int perStation)
{
    std::vector<std::vector<double>> all(static_cast<size_t>(stations));
    std::vector<std::thread> threads;
    for (int s = 0; s < stations; ++s)
        threads.emplace_back([&, s] {
            const QString name = QStringLiteral("bare%1").arg(s);
            {
                QSqlDatabase db = data::addConnection(where, name);
                if (!db.open())
                    return;
                QSqlQuery query(db);
                query.exec(QStringLiteral("SET synchronous_commit TO on"));
                query.prepare(QStringLiteral(
                    "INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES (?, ?, ?, ?, ?)"));
                for (int i = 0; i < perStation; ++i) {
                    const data::Award a = award(i);
                    query.addBindValue(a.order);
                    query.addBindValue(a.eventCode);
                    query.addBindValue(a.gender);
                    query.addBindValue(a.club);
                    query.addBindValue(a.points);
                    const auto start = Clock::now();
                    if (query.exec())
                        all[static_cast<size_t>(s)].push_back(since(start));
                }
                query.finish();
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        });
    return joined(threads, all);
}

// From a commit at another station to the line in this window's list.
std::vector<double> propagation(app::FrmIntroRes& window, data::Database& other, int count)
{
    QAbstractItemModel* list = window.findChild<QListView*>(QStringLiteral("lista"))->model();
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        bool shown = false;
        const auto connection =
            QObject::connect(list, &QAbstractItemModel::modelReset, [&shown] { shown = true; });
        if (!other.recordAward(award(i)))
            continue;
        const auto committed = Clock::now();
        while (!shown && since(committed) < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QObject::disconnect(connection);
        if (shown)
            samples.push_back(since(committed));
        QThread::msleep(50);
    }
    return samples;
}

template <typename Action> std::vector<double> timed(int count, Action action)
{
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        action(i);
        samples.push_back(since(start));
        QCoreApplication::processEvents();
    }
    return samples;
}

void runOn(const QString& where, const char* name, bool server)
{
    if (!fill(where, server)) {
        std::printf("| could not fill the register on %s | | | | |\n", name);
        return;
    }
    if (server) {
        for (int stations : {1, 4, 8}) {
            const std::string bare = "bare durable insert (" + std::to_string(stations) +
                                     (stations == 1 ? " connection)" : " connections at once)");
            row(bare.c_str(), name, figuresOf(bareInsert(where, stations, 150)));
            const std::string what = "record one award (" + std::to_string(stations) +
                                     (stations == 1 ? " station)" : " stations at once)");
            row(what.c_str(), name, figuresOf(recording(where, stations, 150)));
        }
    }
    auto opened = app::openWindow(where);
    if (!opened)
        return;
    std::unique_ptr<app::FrmIntroRes> window = std::move(opened).value();
    window->showCentred();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return;
    auto other = data::Database::open(where);
    if (!other)
        return;
    row("from a commit at one station to its line in another window", name,
        figuresOf(propagation(*window, **other, server ? 60 : 20)));

    auto standingsOn = data::Database::open(where);
    row("three standings", name, figuresOf(timed(20, [&](int) {
            [[maybe_unused]] const auto s = data::buildStandings(**standingsOn);
        })));

    // The operator at work while 8 stations record.
    std::atomic<bool> stop = false;
    std::vector<std::thread> writers;
    for (int s = 0; s < 8; ++s)
        writers.emplace_back([&] {
            auto station = data::Database::open(where);
            for (int i = 0; station && !stop; ++i) {
                [[maybe_unused]] const auto stored = (*station)->recordAward(award(i));
                QThread::msleep(20);
            }
        });
    auto* orde = window->findChild<QLineEdit*>(QStringLiteral("orde"));
    auto* clubs = window->findChild<QListWidget*>(QStringLiteral("club"));
    const auto press = [&window](const char* button) {
        QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    };
    row("lookup (order number typed), 8 stations writing", name, figuresOf(timed(200, [&](int i) {
            orde->setText(i % 2 ? QStringLiteral("01") : QStringLiteral("02"));
        })));
    clubs->setCurrentRow(0);
    row("record (Engadir), 8 stations writing", name,
        figuresOf(timed(100, [&](int) { press("btnEngadir"); })));
    row("undo (Desfacer Último), 8 stations writing", name,
        figuresOf(timed(50, [&](int) { press("btnDesfacerUltimo"); })));
    row("reload list (Actualizar Lista), 8 stations writing", name,
        figuresOf(timed(50, [&](int) { press("btnRecargar"); })));
    stop = true;
    for (std::thread& t : writers)
        t.join();
}

QString machine()
{
    QFile info(QStringLiteral("/proc/cpuinfo"));
    QString model;
    if (info.open(QIODevice::ReadOnly))
        for (const QByteArray& line : info.readAll().split('\n'))
            if (line.startsWith("model name")) {
                model = QString::fromUtf8(line.mid(line.indexOf(':') + 1)).trimmed();
                break;
            }
    return QStringLiteral("%1, %2 cores").arg(model).arg(QThread::idealThreadCount());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app::MessageBox::setHandler([](const app::MessageBox::Request&) { return QMessageBox::Ok; });
    std::printf("Machine: %s\n\n", qPrintable(machine()));
    std::printf(
        "| operation | register (100,000 awards) | p50 (ms) | p95 (ms) | samples |\n|---|---|--:|--:|--:|\n");

    testsupport::PgServer server;
    server.setDurable(true);
    if (const QString why = server.start(); !why.isEmpty()) {
        std::fprintf(stderr, "The PostgreSQL server did not start: %s\n", qPrintable(why));
        return 1;
    }
    runOn(server.uri(server.newDatabase()), "PostgreSQL server", true);
    QTemporaryDir folder;
    runOn(folder.filePath(QStringLiteral("quilvarden.MDB")), "SQLite file", false);
    return 0;
}
