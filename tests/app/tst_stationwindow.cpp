#include "app/frmintrores.h"
#include "app/messagebox.h"
#include "app/startup.h"
#include "data/database.h"
#include "support/pgserver.h"
#include "support/scratchdb.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;

// The window as one station of several: it follows what the others record, takes back its
// own awards, and says clearly when the server cannot be reached. On a file and a server.
class TestStationWindow : public QObject {
    Q_OBJECT

public:
    TestStationWindow(data::Engine engine, testsupport::PgServer* server) : m_engine(engine), m_server(server)
    {
    }

private:
    const data::Engine m_engine;
    testsupport::PgServer* m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_where;
    std::unique_ptr<app::FrmIntroRes> m_window;
    std::unique_ptr<data::Database> m_other; // another station
    QStringList m_errors;
    QStringList m_told;

    QLineEdit* field(const char* name) const
    {
        return m_window->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QListWidget* clubs() const { return m_window->findChild<QListWidget*>(QStringLiteral("club")); }
    void click(const char* name)
    {
        QTest::mouseClick(m_window->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    QStringList listed() const
    {
        QAbstractItemModel* model = m_window->findChild<QListView*>(QStringLiteral("lista"))->model();
        QStringList lines;
        for (int row = 0; row < model->rowCount(); ++row)
            lines << model->index(row, 0).data().toString();
        return lines;
    }
    void pick(const QString& club)
    {
        clubs()->setCurrentItem(clubs()->findItems(club, Qt::MatchExactly).value(0));
    }
    data::Award award(const char* club, double points) const
    {
        return {QStringLiteral("01"), QStringLiteral("100FR"), QStringLiteral("F"), QString::fromLatin1(club),
                points};
    }

private Q_SLOTS:
    void initTestCase()
    {
        qInfo("%s", m_engine == data::Engine::Sqlite ? "on an SQLite file" : "on a PostgreSQL server");
    }

    void init()
    {
        m_errors.clear();
        m_told.clear();
        app::MessageBox::setHandler([this](const app::MessageBox::Request& request) {
            (request.icon == QMessageBox::Information ? m_told : m_errors).append(request.text);
            return QMessageBox::Ok;
        });
        m_dir = std::make_unique<QTemporaryDir>();
        m_where = testsupport::newRegister(m_engine, *m_dir, m_server);
        QVERIFY(data::Database::create(m_where));
        QVERIFY(testsupport::runOn(
            m_where,
            {QStringLiteral("INSERT INTO EVENT (XORDER, EVENTCODE, GENDERCODE) VALUES (1, '100FR', 'F')"),
             QStringLiteral("INSERT INTO CLUBCHAMP (CLUBCODE) VALUES ('A'), ('B'), ('C')"),
             QStringLiteral("INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC) VALUES ('A', 'VIGO'), ('B', 'LUGO'),"
                            " ('C', 'CEE')")}));
        auto opened = app::openWindow(m_where);
        QVERIFY2(opened, qPrintable(opened ? QString() : opened.failure().message()));
        m_window = std::move(opened).value();
        m_window->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto other = data::Database::open(m_where);
        QVERIFY(other);
        m_other = std::move(other).value();
    }

    void cleanup()
    {
        m_other.reset();
        m_window.reset();
        app::MessageBox::setHandler({});
    }

    void followsOtherStationsWithoutDisturbingTheOperator()
    {
        click("btnClasificacions");
        // The operator in the middle of scoring: an event, a club picked, points being typed.
        field("orde")->setText(QStringLiteral("01"));
        pick(QStringLiteral("LUGO"));
        QLineEdit* points = field("puntos");
        points->setFocus();
        points->selectAll();
        QTest::keyClicks(points, QStringLiteral("1"));
        QVERIFY(m_other->recordAward(award("CEE", 19)));
        // Within a second the line is there, and the standings count it.
        QTRY_COMPARE_WITH_TIMEOUT(listed(), QStringList{QStringLiteral("01  100FRF CEE      19,00")}, 1000);
        QTRY_VERIFY_WITH_TIMEOUT(m_window->findChild<QPlainTextEdit*>(QStringLiteral("clas"))
                                     ->toPlainText()
                                     .contains(QStringLiteral("CEE")),
                                 1000);
        QCOMPARE(QApplication::focusWidget(), points);
        QCOMPARE(points->text(), QStringLiteral("1"));
        QCOMPARE(points->cursorPosition(), 1);
        QCOMPARE(clubs()->currentItem()->text(), QStringLiteral("LUGO"));
        QVERIFY(m_errors.isEmpty());
    }

    void standingsThatCannotBeBuiltWhileFollowingPopNothingUp()
    {
        if (m_engine != data::Engine::Sqlite)
            return; // a server's points column takes numbers only
        click("btnClasificacions");
        {
            // Another program stores points that are no number.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("hand"));
            db.setDatabaseName(m_where);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) "
                                                      "VALUES ('01', 'E', 'M', 'CEE', 'abc')")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("hand"));
        QTRY_COMPARE_WITH_TIMEOUT(listed().size(), 1, 1000);
        QTest::qWait(300); // past the standings' rebuild
        QCOMPARE(m_errors, QStringList());
        click("btnClasificacions"); // asked for: told
        QCOMPARE(m_errors.size(), 1);
        QVERIFY2(m_errors[0].startsWith(QStringLiteral("Erro 13")), qPrintable(m_errors[0]));
    }

    void undoTakesBackThisStationsAwardAndSaysWhich()
    {
        field("orde")->setText(QStringLiteral("01"));
        pick(QStringLiteral("VIGO"));
        click("btnEngadir");
        QVERIFY(m_other->recordAward(award("CEE", 16)));
        click("btnDesfacerUltimo");
        QCOMPARE(m_told, QStringList{QStringLiteral("Desfíxose a marca:\n01  100FRF VIGO     19,00")});
        QCOMPARE(testsupport::queryRows(m_where, QStringLiteral("SELECT club FROM puntos")),
                 QStringList{QStringLiteral("CEE")});
    }

    void aServerAwaySaysSoAndKeepsTheFields()
    {
        if (m_engine != data::Engine::Postgres)
            return; // a file is never away
        field("orde")->setText(QStringLiteral("01"));
        pick(QStringLiteral("VIGO"));
        QCOMPARE(m_server->stop(), QString());
        click("btnEngadir");
        QCOMPARE(m_errors.size(), 1);
        QVERIFY2(m_errors[0].startsWith(QStringLiteral("Erro 3151")) &&
                     m_errors[0].contains(QStringLiteral("servidor")),
                 qPrintable(m_errors[0]));
        QCOMPARE(field("puntos")->text(), QStringLiteral("19"));
        QCOMPARE(clubs()->currentItem()->text(), QStringLiteral("VIGO"));
        // Back again: the next action connects anew, and the award is stored once.
        QCOMPARE(m_server->startServer(), QString());
        click("btnEngadir");
        QCOMPARE(m_errors.size(), 1);
        QCOMPARE(testsupport::queryRows(m_where, QStringLiteral("SELECT club, puntos FROM puntos")),
                 QStringList{QStringLiteral("VIGO|19")});
        QCOMPARE(field("puntos")->text(), QStringLiteral("16"));
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return testsupport::runOnFileAndServer<TestStationWindow>(argc, argv);
}

#include "tst_stationwindow.moc"
