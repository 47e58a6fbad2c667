// quilvarden-bench: times what the operator does at the scoring table, on registers of
// several sizes, through the window's own code and widgets.
//
// The benchmark runs in two kinds of process. The first one (no --size) builds each
// register in a temporary file, times the program's start-up on it by running
// `quilvarden --database FILE --exit-when-shown`, and then starts itself again with
// `--size N --database FILE` to time the window's operations on that register, so that
// every size's peak memory is its own. It collects the figures and prints one table.

#include "app/frmintrores.h"
#include "app/messagebox.h"
#include "app/resultsmodel.h"
#include "app/startup.h"
#include "data/database.h"
#include "data/watch.h"
#include "setup/demomeet.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace quilvarden;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void say(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputs("\n", stderr);
    std::fflush(stderr);
}

[[noreturn]] void die(const QString& text)
{
    say(QStringLiteral("quilvarden-bench: %1").arg(text));
    std::exit(1);
}

double mebibytes(long kibibytes)
{
    return static_cast<double>(kibibytes) / 1024.0;
}

// The peak resident memory of this process so far.
long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs one timed action and gives its wall time in milliseconds. Every timing of the
// window's operations goes through here, and only those: a profiler told to collect inside
// this function alone (valgrind --tool=callgrind --collect-atstart=no
// --toggle-collect='*timed*') sees exactly what the figures measure.
[[gnu::noinline]] double timed(const std::function<void()>& action)
{
    const Clock::time_point start = Clock::now();
    action();
    return millisecondsSince(start);
}

// One line of the table: an operation timed on one register size.
struct Figure {
    QString operation;
    qint64 size = 0;
    double median = 0;
    double p10 = 0;
    double p90 = 0;
    double peakMiB = 0;
    qsizetype repetitions = 0;
};

// Nearest-rank percentile of sorted samples.
double percentile(const std::vector<double>& sorted, double p)
{
    const auto count = static_cast<double>(sorted.size());
    auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * count));
    rank = std::clamp<std::size_t>(rank, 1, sorted.size());
    return sorted[rank - 1];
}

Figure summarise(const QString& operation, qint64 size, std::vector<double> samples, double peakMiB)
{
    if (samples.empty())
        die(QStringLiteral("no samples for %1").arg(operation));
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {operation,
            size,
            median,
            percentile(samples, 10),
            percentile(samples, 90),
            peakMiB,
            static_cast<qsizetype>(n)};
}

// Figures travel from the per-size process to the first one as tab-separated lines.
QByteArray encode(const Figure& f)
{
    return QStringLiteral("figure\t%1\t%2\t%3\t%4\t%5\t%6\t%7\n")
        .arg(f.operation)
        .arg(f.size)
        .arg(f.median, 0, 'g', 17)
        .arg(f.p10, 0, 'g', 17)
        .arg(f.p90, 0, 'g', 17)
        .arg(f.peakMiB, 0, 'g', 17)
        .arg(f.repetitions)
        .toUtf8();
}

std::optional<Figure> decode(const QString& line)
{
    const QStringList parts = line.split(QLatin1Char('\t'));
    if (parts.size() != 8 || parts[0] != QLatin1String("figure"))
        return std::nullopt;
    return Figure{parts[1],
                  parts[2].toLongLong(),
                  parts[3].toDouble(),
                  parts[4].toDouble(),
                  parts[5].toDouble(),
                  parts[6].toDouble(),
                  parts[7].toLongLong()};
}

// Milliseconds with three significant digits (at most three decimals).
QString ms(double value)
{
    if (value >= 100)
        return QString::number(value, 'f', 0);
    if (value >= 10)
        return QString::number(value, 'f', 1);
    if (value >= 1)
        return QString::number(value, 'f', 2);
    return QString::number(value, 'f', 3);
}

// ---------------------------------------------------------------------------------------
// Child processes

struct ChildRun {
    bool exitedNormally = false;
    int exitStatus = -1;
    double wallMs = 0;
    long peakKiB = 0; // the child's own peak resident memory
    QByteArray output;
};

// Starts a program with fork and exec, waits for it with wait4 and gives its wall time from
// fork to its end, its exit status and its peak memory. Its standard error is this
// process's; its standard output is read when captureOutput is set, thrown away otherwise.
ChildRun runChild(const QStringList& command, bool captureOutput)
{
    std::vector<QByteArray> encoded;
    encoded.reserve(static_cast<std::size_t>(command.size()));
    for (const QString& argument : command)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    int devNull = -1;
    if (captureOutput) {
        if (pipe2(pipeEnds, O_CLOEXEC) != 0)
            die(QStringLiteral("pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    } else {
        devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (devNull < 0)
            die(QStringLiteral("/dev/null: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    }

    ChildRun run;
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        die(QStringLiteral("fork: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        dup2(captureOutput ? pipeEnds[1] : devNull, STDOUT_FILENO);
        execve(argv[0], argv.data(), environ);
        _exit(127);
    }
    if (captureOutput) {
        close(pipeEnds[1]);
        char buffer[4096];
        for (;;) {
            const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
            if (got > 0)
                run.output.append(buffer, static_cast<qsizetype>(got));
            else if (got == 0 || errno != EINTR)
                break;
        }
        close(pipeEnds[0]);
    } else {
        close(devNull);
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            die(QStringLiteral("wait4: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    }
    run.wallMs = millisecondsSince(start);
    run.exitedNormally = WIFEXITED(status);
    run.exitStatus = run.exitedNormally ? WEXITSTATUS(status) : -1;
    run.peakKiB = usage.ru_maxrss;
    return run;
}

// ---------------------------------------------------------------------------------------
// Registers

// A connection of the benchmark's own to a register file, apart from the program's.
class OwnConnection {
public:
    explicit OwnConnection(const QString& path) : m_name(QStringLiteral("bench-%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (!db.open())
            die(QStringLiteral("cannot open %1: %2").arg(path, db.lastError().text()));
        // A few pages only, so that the checks made beside the window add nothing worth
        // speaking of to the peak memory of its process.
        exec(QStringLiteral("PRAGMA cache_size=16"));
    }
    ~OwnConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    OwnConnection(const OwnConnection&) = delete;
    OwnConnection& operator=(const OwnConnection&) = delete;

    void exec(const QString& statement)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(statement))
            die(QStringLiteral("%1: %2").arg(statement, query.lastError().text()));
    }

    qint64 number(const QString& statement)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(statement) || !query.next())
            die(QStringLiteral("%1: %2").arg(statement, query.lastError().text()));
        return query.value(0).toLongLong();
    }

    QStringList texts(const QString& statement)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(statement))
            die(QStringLiteral("%1: %2").arg(statement, query.lastError().text()));
        QStringList rows;
        while (query.next())
            rows.append(query.value(0).toString());
        return rows;
    }

    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    static inline int s_count = 0;
    QString m_name;
};

// A register of `awards` awards on the demo meet: meets of 40 events, each event scored for
// its 12 clubs in finishing order (19, 16, 14, 13, then one less a place; twice that for
// relays), every club once an event, the order of the clubs changing from event to event and
// from meet to meet. The file holds no index of the program's, as a register made by another
// program would: the program's first open adds them.
void buildRegister(const QString& path, qint64 awards)
{
    if (Outcome created = data::Database::create(path); !created)
        die(QStringLiteral("cannot create %1: %2").arg(path, created.failure().message()));
    {
        Result<std::unique_ptr<data::Database>> database = data::Database::open(path);
        if (!database)
            die(QStringLiteral("cannot open %1: %2").arg(path, database.failure().message()));
        if (Outcome filled = (*database)->replaceMeetProgramme(setup::demoMeet()); !filled)
            die(QStringLiteral("cannot fill the meet programme: %1").arg(filled.failure().message()));
    }

    OwnConnection own(path);
    own.exec(QStringLiteral("PRAGMA cache_size=-131072"));
    for (const QString& name : own.texts(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index'"
                                                        " AND name LIKE 'quilvarden_puntos_%'")))
        own.exec(QStringLiteral("DROP INDEX \"%1\"").arg(name));
    own.exec(QStringLiteral("CREATE TEMP TABLE bench_club (k INTEGER PRIMARY KEY, name TEXT)"));
    own.exec(
        QStringLiteral("INSERT INTO bench_club (k, name) SELECT ROW_NUMBER() OVER (ORDER BY CLUBCODE) - 1,"
                       " SHORTDESC FROM CLUBDESC"));
    if (own.number(QStringLiteral("SELECT COUNT(*) FROM bench_club")) != 12 ||
        own.number(QStringLiteral("SELECT COUNT(*) FROM EVENT")) != 40)
        die(QStringLiteral("the demo meet is not 40 events and 12 clubs any more"));

    QSqlDatabase db = own.database();
    if (!db.transaction())
        die(db.lastError().text());
    QSqlQuery insert(db);
    // i: the award; m: its meet; e: its event (1..40); p: the place (0..11).
    const QString fill =
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?),"
                       " a(m, e, p) AS (SELECT i / 480, (i % 480) / 12 + 1, i % 12 FROM n)"
                       " INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                       " SELECT printf('%02d', a.e), EVENT.EVENTCODE, EVENT.GENDERCODE, bench_club.name,"
                       "  (CASE a.p WHEN 0 THEN 19 WHEN 1 THEN 16 WHEN 2 THEN 14 ELSE 16 - a.p END)"
                       "  * (CASE WHEN EVENT.EVENTCODE LIKE '%X%' THEN 2 ELSE 1 END)"
                       " FROM a JOIN EVENT ON EVENT.XORDER = a.e"
                       " JOIN bench_club ON bench_club.k = (a.p + 5 * a.e + 7 * a.m) % 12");
    if (!insert.prepare(fill))
        die(insert.lastError().text());
    insert.addBindValue(awards);
    if (!insert.exec())
        die(insert.lastError().text());
    insert.finish();
    if (!db.commit())
        die(db.lastError().text());
    if (own.number(QStringLiteral("SELECT COUNT(*) FROM puntos")) != awards)
        die(QStringLiteral("the register did not get %1 awards").arg(awards));
}

// ---------------------------------------------------------------------------------------
// The window's operations, in the per-size process

struct Repetitions {
    int lookup = 2000;
    int record = 200;
    int recordShown = 50;
    int undo = 100;
    int reload = 100;
    int standings = 30;
    int startUp = 10;

    static Repetitions all(int n) { return {n, n, n, n, n, n, n}; }
};

// Counts the paint events a widget receives, so that a timing can wait until a view has
// really been drawn again.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    ~PaintCounter() override { m_widget->removeEventFilter(this); }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    QWidget* m_widget;
    int m_count = 0;
};

class WindowBench {
public:
    WindowBench(const QString& path, qint64 size, const Repetitions& repetitions)
        : m_path(path), m_size(size), m_repetitions(repetitions)
    {
        app::MessageBox::setHandler([this](const app::MessageBox::Request& request) {
            // A failure is told in a critical box; an undo tells what it took back in an
            // information box, which is no failure.
            (request.icon == QMessageBox::Critical ? m_failures : m_told).append(request.text);
            return QMessageBox::Ok;
        });
        Result<std::unique_ptr<app::FrmIntroRes>> opened = app::openWindow(path);
        if (!opened)
            die(app::startupFailureText(path, opened.failure()));
        m_window = std::move(opened).value();
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            die(QStringLiteral("the window was never shown"));

        m_orde = child<QLineEdit>("orde");
        m_proba = child<QLineEdit>("proba");
        m_puntos = child<QLineEdit>("puntos");
        m_club = child<QListWidget>("club");
        m_lista = child<QListView>("lista");
        m_record = child<QPushButton>("btnEngadir");
        m_undo = child<QPushButton>("btnDesfacerUltimo");
        m_reload = child<QPushButton>("btnRecargar");
        m_standings = child<QPushButton>("btnClasificacions");
        m_watch = child<data::RegisterWatch>(nullptr);
        m_standingViews = {child<QListView>("clas_mas")->viewport(), child<QListView>("clas_fem")->viewport(),
                           child<QListView>("clas_con")->viewport(),
                           child<QPlainTextEdit>("clas")->viewport()};
        if (m_club->count() != 12)
            die(QStringLiteral("the club list shows %1 clubs, not 12").arg(m_club->count()));

        // The list as the operator sees it after "Actualizar Lista": the whole register.
        m_reload->click();
        settle();
        checkListRows(m_size);
        say(QStringLiteral("  [%1 awards] window shown with the register listed; peak memory so far %2 MiB")
                .arg(m_size)
                .arg(mebibytes(peakKiB()), 0, 'f', 1));
    }

    ~WindowBench() { app::MessageBox::setHandler({}); }

    WindowBench(const WindowBench&) = delete;
    WindowBench& operator=(const WindowBench&) = delete;

    std::vector<Figure> run()
    {
        std::vector<Figure> figures;
        figures.push_back(lookUp());
        figures.push_back(record(false));
        figures.push_back(record(true));
        figures.push_back(undo());
        figures.push_back(reload());
        figures.push_back(standings());
        return figures;
    }

private:
    // An object of the window by its name; without a name, the window's only one of that type.
    template <typename T> T* child(const char* name) const
    {
        T* found = name ? m_window->findChild<T*>(QString::fromLatin1(name)) : m_window->findChild<T*>();
        if (!found)
            die(QStringLiteral("the window has no %1")
                    .arg(name ? QString::fromLatin1(name)
                              : QString::fromLatin1(T::staticMetaObject.className())));
        return found;
    }

    // Lets the window finish whatever the last operation left to do (repaints, layouts),
    // outside the timings.
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    void checkNoFailure(const QString& operation)
    {
        if (!m_failures.isEmpty())
            die(QStringLiteral("%1 reported: %2").arg(operation, m_failures.join(QStringLiteral(" / "))));
    }

    // After a reload the list holds the register's first page; the rest is read as the
    // operator scrolls down. The lines recorded since stay on top of it until the next reload,
    // which the window also makes by itself once another program has changed the register.
    void checkListRows(qint64 registerSize, qint64 recorded = 0)
    {
        const qint64 rows = m_lista->model()->rowCount();
        if (rows != std::min(registerSize, quilvarden::app::ResultsModel::PageSize) + recorded)
            die(QStringLiteral("the results list has %1 lines, the register %2 awards and %3 recorded since")
                    .arg(rows)
                    .arg(registerSize)
                    .arg(recorded));
    }

    qint64 registerCount()
    {
        OwnConnection own(m_path);
        return own.number(QStringLiteral("SELECT COUNT(*) FROM puntos"));
    }

    // Runs processEvents until every counted view has been painted since its counter
    // were made (at most a few passes), so that a timing covers the repaint it causes.
    static void processUntilPainted(const std::vector<std::unique_ptr<PaintCounter>>& counters)
    {
        for (int pass = 0; pass < 10; ++pass) {
            QApplication::processEvents();
            if (std::all_of(counters.begin(), counters.end(), [](const auto& c) { return c->count() > 0; }))
                return;
        }
        die(QStringLiteral("a view was not painted again after the operation"));
    }

    static std::vector<std::unique_ptr<PaintCounter>> countPaints(const std::vector<QWidget*>& views)
    {
        std::vector<std::unique_ptr<PaintCounter>> counters;
        for (QWidget* view : views)
            counters.push_back(std::make_unique<PaintCounter>(view));
        return counters;
    }

    void lookUpOrder(const QString& order)
    {
        m_orde->setText(order);
        if (m_proba->text().isEmpty() || m_puntos->text().isEmpty())
            die(QStringLiteral("order %1 was not looked up").arg(order));
    }

    static QString orderText(int index)
    {
        return QStringLiteral("%1").arg(index % 40 + 1, 2, 10, QLatin1Char('0'));
    }

    Figure lookUp()
    {
        const QString first = QStringLiteral("05");
        const QString second = QStringLiteral("06");
        std::vector<double> samples;
        samples.reserve(static_cast<std::size_t>(m_repetitions.lookup));
        m_orde->setText(QString());
        for (int r = -10; r < m_repetitions.lookup; ++r) {
            const QString& text = (r & 1) ? second : first;
            const double elapsed = timed([&] { m_orde->setText(text); });
            if (r >= 0)
                samples.push_back(elapsed);
            QApplication::processEvents();
        }
        if (m_proba->text().isEmpty())
            die(QStringLiteral("the lookup found no event"));
        checkNoFailure(QStringLiteral("the lookup"));
        return summarise(QStringLiteral("lookup (one keystroke in Orde)"), m_size, std::move(samples),
                         mebibytes(peakKiB()));
    }

    // Picks the next club, looking the next event up first when its twelve clubs are done.
    void prepareAward(int index)
    {
        if (index % 12 == 0)
            lookUpOrder(orderText(m_event++));
        m_club->setCurrentRow(index % 12);
        settle();
    }

    // Records awards one after another. The first timing ends when the click returns, the
    // award stored and on disk; the second (untilShown) when the results list has been drawn
    // again with the new line on top, as the operator sees it.
    Figure record(bool untilShown)
    {
        const qint64 before = registerCount();
        const int repetitions = untilShown ? m_repetitions.recordShown : m_repetitions.record;
        std::vector<double> samples;
        samples.reserve(static_cast<std::size_t>(repetitions));
        const int warmUp = 5;
        for (int r = -warmUp; r < repetitions; ++r) {
            prepareAward(r + warmUp);
            const auto counters = countPaints({m_lista->viewport()});
            const double elapsed = timed([&] {
                m_record->click();
                if (untilShown)
                    processUntilPainted(counters);
            });
            if (r >= 0)
                samples.push_back(elapsed);
            settle();
        }
        checkNoFailure(QStringLiteral("recording an award"));
        const qint64 added = repetitions + warmUp;
        if (registerCount() != before + added)
            die(QStringLiteral("recording did not store one award a click"));
        checkListRows(m_size, added);
        Figure figure = summarise(untilShown ? QStringLiteral("record one award, until the list shows it")
                                             : QStringLiteral("record one award (Engadir, commit on disk)"),
                                  m_size, std::move(samples), mebibytes(peakKiB()));
        // Back to the register's size for the operations that follow, by a connection of the
        // bench's own: to the window, another program's change, which it follows.
        {
            QSignalSpy followed(m_watch, &data::RegisterWatch::changed);
            {
                OwnConnection own(m_path);
                own.exec(QStringLiteral("DELETE FROM puntos WHERE id > (SELECT id FROM puntos ORDER BY id"
                                        " LIMIT 1 OFFSET %1)")
                             .arg(m_size - 1));
            }
            if (!followed.wait(5000))
                die(QStringLiteral("the window never saw the awards taken out behind it"));
        }
        settle();
        checkListRows(m_size);
        return figure;
    }

    Figure undo()
    {
        std::vector<double> samples;
        samples.reserve(static_cast<std::size_t>(m_repetitions.undo));
        for (int r = -3; r < m_repetitions.undo; ++r) {
            prepareAward(r + 3);
            m_record->click();
            settle();
            const auto counters = countPaints({m_lista->viewport()});
            const double elapsed = timed([&] {
                m_undo->click();
                processUntilPainted(counters);
            });
            if (r >= 0)
                samples.push_back(elapsed);
            settle();
        }
        checkNoFailure(QStringLiteral("undoing an award"));
        if (m_told.size() != m_repetitions.undo + 3)
            die(QStringLiteral("%1 undos told of %2 awards taken back")
                    .arg(m_repetitions.undo + 3)
                    .arg(m_told.size()));
        m_told.clear();
        checkListRows(m_size);
        if (registerCount() != m_size)
            die(QStringLiteral("undo did not take back the award recorded before it"));
        return summarise(QStringLiteral("undo latest award + list reload (Desfacer Último)"), m_size,
                         std::move(samples), mebibytes(peakKiB()));
    }

    Figure reload()
    {
        std::vector<double> samples;
        samples.reserve(static_cast<std::size_t>(m_repetitions.reload));
        for (int r = -3; r < m_repetitions.reload; ++r) {
            const auto counters = countPaints({m_lista->viewport()});
            const double elapsed = timed([&] {
                m_reload->click();
                processUntilPainted(counters);
            });
            if (r >= 0)
                samples.push_back(elapsed);
            settle();
        }
        checkNoFailure(QStringLiteral("reloading the list"));
        checkListRows(m_size);
        return summarise(QStringLiteral("reload list (Actualizar Lista)"), m_size, std::move(samples),
                         mebibytes(peakKiB()));
    }

    Figure standings()
    {
        std::vector<double> samples;
        samples.reserve(static_cast<std::size_t>(m_repetitions.standings));
        for (int r = -2; r < m_repetitions.standings; ++r) {
            const auto counters = countPaints(m_standingViews);
            const double elapsed = timed([&] {
                m_standings->click();
                processUntilPainted(counters);
            });
            if (r >= 0)
                samples.push_back(elapsed);
            settle();
        }
        checkNoFailure(QStringLiteral("building the standings"));
        const qint64 clubs = child<QListView>("clas_con")->model()->rowCount();
        if (clubs != 12)
            die(QStringLiteral("the combined standing lists %1 clubs, not 12").arg(clubs));
        return summarise(QStringLiteral("three standings (Clasificacions)"), m_size, std::move(samples),
                         mebibytes(peakKiB()));
    }

    QString m_path;
    qint64 m_size;
    Repetitions m_repetitions;
    QStringList m_failures;
    QStringList m_told;
    std::unique_ptr<app::FrmIntroRes> m_window;
    QLineEdit* m_orde = nullptr;
    QLineEdit* m_proba = nullptr;
    QLineEdit* m_puntos = nullptr;
    QListWidget* m_club = nullptr;
    QListView* m_lista = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_reload = nullptr;
    QPushButton* m_standings = nullptr;
    data::RegisterWatch* m_watch = nullptr;
    std::vector<QWidget*> m_standingViews;
    int m_event = 0;
};

// ---------------------------------------------------------------------------------------
// The first process: registers, start-up, and the table

// Writes the freshly built register out to the disk, so that the first commits timed do
// not pay for the writing of the whole file.
void flushToDisk(const QString& path)
{
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || fsync(fd) != 0)
        die(QStringLiteral("cannot flush %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    close(fd);
}

Figure timeStartUp(const QString& program, const QString& path, qint64 size, int repetitions)
{
    const QStringList command = {program, QStringLiteral("--database"), path,
                                 QStringLiteral("--exit-when-shown")};
    // The first open of a new register adds the program's indexes to it: a warm-up run,
    // reported apart.
    const ChildRun first = runChild(command, false);
    if (!first.exitedNormally || first.exitStatus != 0)
        die(QStringLiteral("%1 ended with status %2 on %3").arg(program).arg(first.exitStatus).arg(path));
    say(QStringLiteral("  [%1 awards] setup: first start-up (adds the indexes), not in the figures: %2 ms")
            .arg(size)
            .arg(ms(first.wallMs)));
    flushToDisk(path);

    std::vector<double> samples;
    long peak = 0;
    for (int r = 0; r < repetitions; ++r) {
        const ChildRun run = runChild(command, false);
        if (!run.exitedNormally || run.exitStatus != 0)
            die(QStringLiteral("%1 ended with status %2 on %3").arg(program).arg(run.exitStatus).arg(path));
        samples.push_back(run.wallMs);
        peak = std::max(peak, run.peakKiB);
    }
    return summarise(QStringLiteral("start-up to window shown (own process)"), size, std::move(samples),
                     mebibytes(peak));
}

QList<qint64> parseSizes(const QString& text)
{
    QList<qint64> sizes;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 size = part.trimmed().toLongLong(&ok);
        if (!ok || size < 1 || size > 100'000'000)
            return {};
        sizes.append(size);
    }
    return sizes;
}

int runAll(const QList<qint64>& sizes, std::optional<int> repetitions, const QString& directory)
{
    const QString binDir = QCoreApplication::applicationDirPath();
    const QString program = QDir(binDir).filePath(QStringLiteral("quilvarden"));
    if (!QFileInfo(program).isExecutable())
        die(QStringLiteral("%1 is missing: build the quilvarden target").arg(program));
    const Repetitions counts = repetitions ? Repetitions::all(*repetitions) : Repetitions{};

    QTemporaryDir temporary(directory.isEmpty()
                                ? QDir::temp().filePath(QStringLiteral("quilvarden-bench-XXXXXX"))
                                : QDir(directory).filePath(QStringLiteral("quilvarden-bench-XXXXXX")));
    if (!temporary.isValid())
        die(QStringLiteral("cannot make a temporary folder: %1").arg(temporary.errorString()));
    say(QStringLiteral("Registers in %1").arg(temporary.path()));

    std::vector<Figure> figures;
    for (const qint64 size : sizes) {
        const QString path = temporary.filePath(QStringLiteral("register-%1.MDB").arg(size));
        QElapsedTimer building;
        building.start();
        buildRegister(path, size);
        say(QStringLiteral("  [%1 awards] setup: register built in %2 s (%3 MiB on disk before the indexes)")
                .arg(size)
                .arg(static_cast<double>(building.elapsed()) / 1000.0, 0, 'f', 1)
                .arg(static_cast<double>(QFileInfo(path).size()) / 1048576.0, 0, 'f', 1));

        figures.push_back(timeStartUp(program, path, size, counts.startUp));

        QStringList command = {QCoreApplication::applicationFilePath(), QStringLiteral("--size"),
                               QString::number(size), QStringLiteral("--database"), path};
        if (repetitions)
            command << QStringLiteral("--repetitions") << QString::number(*repetitions);
        const ChildRun run = runChild(command, true);
        if (!run.exitedNormally || run.exitStatus != 0)
            die(QStringLiteral("the run on %1 awards failed (status %2)").arg(size).arg(run.exitStatus));
        for (const QString& line :
             QString::fromUtf8(run.output).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (std::optional<Figure> figure = decode(line))
                figures.push_back(*figure);
        }
        say(QStringLiteral("  [%1 awards] the window's process: peak memory %2 MiB (wait4)")
                .arg(size)
                .arg(mebibytes(run.peakKiB), 0, 'f', 1));
        QFile::remove(path);
    }

    // One table: by operation, then by register size.
    QStringList order;
    for (const Figure& f : figures)
        if (!order.contains(f.operation))
            order.append(f.operation);
    std::stable_sort(figures.begin(), figures.end(), [&order](const Figure& a, const Figure& b) {
        return order.indexOf(a.operation) < order.indexOf(b.operation);
    });
    QString table = QStringLiteral(
        "| operation | register size | median (ms) | spread p10–p90 (ms) | peak memory (MiB) | "
        "repetitions |\n|---|--:|--:|--:|--:|--:|\n");
    for (const Figure& f : figures)
        table += QStringLiteral("| %1 | %2 | %3 | %4–%5 | %6 | %7 |\n")
                     .arg(f.operation)
                     .arg(f.size)
                     .arg(ms(f.median), ms(f.p10), ms(f.p90))
                     .arg(f.peakMiB, 0, 'f', 1)
                     .arg(f.repetitions);
    std::fputs(table.toUtf8().constData(), stdout);
    std::fputs("\nTimes: median and 10th–90th percentile of the repetitions. Peak memory: the start-up row\n"
               "is the program's own process (largest of the runs); the others are the peak of the process\n"
               "that holds the window, at the end of that operation's runs (it never goes down).\n",
               stdout);
    return 0;
}

int runOneSize(qint64 size, const QString& path, std::optional<int> repetitions)
{
    const Repetitions counts = repetitions ? Repetitions::all(*repetitions) : Repetitions{};
    std::vector<Figure> figures;
    {
        WindowBench bench(path, size, counts);
        figures = bench.run();
    }
    for (const Figure& figure : figures)
        std::fputs(encode(figure).constData(), stdout);
    std::fflush(stdout);
    return 0;
}

bool isOneSizeRun(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--size") == 0 || std::strncmp(argv[i], "--size=", 7) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::unique_ptr<QCoreApplication> application;
    if (isOneSizeRun(argc, argv)) {
        application = std::make_unique<QApplication>(argc, argv);
        // As the program itself does: its number rules are Spanish whatever the machine says.
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the scoring table's operations on registers of several sizes."));
    parser.addHelpOption();
    const QCommandLineOption sizesOption(
        QStringLiteral("sizes"), QStringLiteral("Register sizes in awards (default 500,100000,1000000)."),
        QStringLiteral("LIST"), QStringLiteral("500,100000,1000000"));
    const QCommandLineOption repetitionsOption(
        QStringLiteral("repetitions"),
        QStringLiteral("Repetitions of every operation (default: 2000 lookups, 200 awards timed to the "
                       "commit and 50 to the list drawn, 100 undos and reloads, 30 standings, 10 "
                       "start-ups)."),
        QStringLiteral("N"));
    const QCommandLineOption directoryOption(
        QStringLiteral("directory"),
        QStringLiteral("Where to build the registers (default: the system's temporary folder). The disk "
                       "under it decides the cost of a commit."),
        QStringLiteral("DIR"));
    QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Internal: one register size."),
                                  QStringLiteral("N"));
    sizeOption.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption databaseOption(QStringLiteral("database"), QStringLiteral("Internal: its register."),
                                      QStringLiteral("FILE"));
    databaseOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(sizesOption);
    parser.addOption(repetitionsOption);
    parser.addOption(directoryOption);
    parser.addOption(sizeOption);
    parser.addOption(databaseOption);
    parser.process(QCoreApplication::arguments());

    std::optional<int> repetitions;
    if (parser.isSet(repetitionsOption)) {
        bool ok = false;
        const int n = parser.value(repetitionsOption).toInt(&ok);
        if (!ok || n < 1)
            die(QStringLiteral("--repetitions takes a whole number from 1"));
        repetitions = n;
    }

    if (parser.isSet(sizeOption)) {
        bool ok = false;
        const qint64 size = parser.value(sizeOption).toLongLong(&ok);
        if (!ok || size < 1 || !parser.isSet(databaseOption))
            die(QStringLiteral("--size takes a number of awards, with --database"));
        return runOneSize(size, parser.value(databaseOption), repetitions);
    }

    const QList<qint64> sizes = parseSizes(parser.value(sizesOption));
    if (sizes.isEmpty())
        die(QStringLiteral("--sizes takes numbers of awards separated by commas, such as 500,100000"));
    return runAll(sizes, repetitions, parser.value(directoryOption));
}
