#include "app/frmintrores.h"
#include "app/mainwindow.h"
#include "app/messagebox.h"
#include "app/rulesdialog.h"
#include "support/scratchdb.h"
#include "support/testmeet.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;

// The meet's rules set in the window's dialog, and the points the window proposes by them.
class TestRulesWindow : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<app::MainWindow> m_main;
    QList<app::MessageBox::Request> m_messages;
    QMessageBox::StandardButton m_answer = QMessageBox::No;

    QString path() const { return m_dir->filePath(QStringLiteral("regras.MDB")); }
    app::FrmIntroRes* form() const { return m_main->form(); }
    template <typename T = QLineEdit> T* control(const char* name) const
    {
        return m_main->findChild<T*>(QString::fromLatin1(name));
    }
    QString proposed() const { return control("puntos")->text(); }

    void type(const char* name, const QString& value)
    {
        QLineEdit* field = control(name);
        field->selectAll();
        QTest::keyClicks(field, value);
    }

    void record(const QString& club)
    {
        auto* clubs = control<QListWidget>("club");
        clubs->setCurrentItem(clubs->findItems(club, Qt::MatchExactly).value(0));
        QTest::mouseClick(control<QPushButton>("btnEngadir"), Qt::LeftButton);
    }

    // The points stored, oldest first.
    QStringList storedPoints() const
    {
        return testsupport::queryRows(path(), QStringLiteral("SELECT puntos FROM puntos ORDER BY id"));
    }

    app::RulesDialog* openRules()
    {
        // A dialog closed before is gone first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        control<QAction>("actionRegras")->trigger();
        return m_main->findChild<app::RulesDialog*>();
    }

    // Opens the dialog, lets the change fill its fields and presses "Gardar".
    template <typename Change> void setRules(Change change)
    {
        app::RulesDialog* dialog = openRules();
        QVERIFY(dialog);
        change(*dialog);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }

    static void typeTable(app::RulesDialog& dialog, const char* table, bool zeroAfter = true)
    {
        dialog.findChild<QLineEdit*>(QStringLiteral("taboaIndividual"))->setText(QString::fromUtf8(table));
        dialog.findChild<QComboBox*>(QStringLiteral("despois"))->setCurrentIndex(zeroAfter ? 1 : 0);
    }

    std::optional<rules::MeetRules> storedRules() const
    {
        auto opened = data::Database::open(path());
        if (!opened)
            return std::nullopt;
        const auto read = (*opened)->meetRules();
        return read ? *read : std::nullopt;
    }

    static QStringList words(const char* text) { return QString::fromUtf8(text).split(u' '); }

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8()); }

    void init()
    {
        m_messages.clear();
        m_answer = QMessageBox::No;
        app::MessageBox::setHandler([this](const app::MessageBox::Request& request) {
            m_messages << request;
            return request.icon == QMessageBox::Question ? m_answer : QMessageBox::Ok;
        });
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(testsupport::makeTestMeet(path()));
        m_main = std::make_unique<app::MainWindow>();
        QVERIFY(m_main->open(path()));
    }

    void cleanup()
    {
        m_main.reset();
        m_dir.reset();
        app::MessageBox::setHandler({});
    }

    // Four awards in a row, one club each: the proposal before each and after the last.
    void proposalsByTheTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("zeroAfter");
        QTest::addColumn<QString>("relayTable"); // empty: relays double
        QTest::addColumn<QString>("order");
        QTest::addColumn<QStringList>("proposals");
        QTest::newRow("zero after the end") << "9 7 6" << true << ""
                                            << "01" << words("9 7 6 0 0");
        QTest::newRow("stepping on after the end") << "9 7 6" << false << ""
                                                   << "01" << words("9 7 6 5 4");
        QTest::newRow("half points") << "9,5 7 6" << true << ""
                                     << "02" << words("9,5 7 6 0 0");
        QTest::newRow("relay doubles") << "9 7 6" << true << ""
                                       << "03" << words("18 14 12 0 0");
        QTest::newRow("relay table of its own") << "9 7 6" << true << "10 5"
                                                << "03" << words("10 5 0 0 0");
    }
    void proposalsByTheTable()
    {
        QFETCH(QString, table);
        QFETCH(bool, zeroAfter);
        QFETCH(QString, relayTable);
        QFETCH(QString, order);
        QFETCH(QStringList, proposals);
        setRules([&](app::RulesDialog& dialog) {
            typeTable(dialog, table.toUtf8().constData(), zeroAfter);
            if (!relayTable.isEmpty()) {
                dialog.findChild<QComboBox*>(QStringLiteral("remudas"))->setCurrentIndex(1);
                dialog.findChild<QLineEdit*>(QStringLiteral("taboaRemudas"))->setText(relayTable);
            }
        });
        QVERIFY(storedRules());
        type("orde", order);
        const QStringList clubs = words("VIGO O'GROVE CORUÑA LUGO");
        for (qsizetype place = 0; place < clubs.size(); ++place) {
            QCOMPARE(proposed(), proposals[place]);
            record(clubs[place]);
        }
        QCOMPARE(proposed(), proposals.last());
        QCOMPARE(storedPoints().join(u' '), proposals.mid(0, 4).join(u' ').replace(u',', u'.'));
        QVERIFY(m_messages.isEmpty());
    }

    // Points nudged are stored as they stand; the next award still takes the next place.
    void nudgedPointsKeepTheCount()
    {
        setRules([](app::RulesDialog& dialog) { typeTable(dialog, "9 7 6"); });
        type("orde", QStringLiteral("01"));
        QTest::mouseClick(control<QPushButton>("btnMedioMais"), Qt::LeftButton);
        QCOMPARE(proposed(), QStringLiteral("9,5"));
        record(QStringLiteral("VIGO"));
        QCOMPARE(proposed(), QStringLiteral("7"));
        QTest::mouseClick(control<QPushButton>("btnMedioMenos"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>("btnMedioMenos"), Qt::LeftButton);
        record(QStringLiteral("LUGO"));
        QCOMPARE(proposed(), QStringLiteral("6"));
        QCOMPARE(storedPoints(), words("9.5 6"));
    }

    void anotherOrderNumberStartsAgain()
    {
        setRules([](app::RulesDialog& dialog) { typeTable(dialog, "9 7 6"); });
        type("orde", QStringLiteral("01"));
        record(QStringLiteral("VIGO"));
        record(QStringLiteral("LUGO"));
        QCOMPARE(proposed(), QStringLiteral("6"));
        type("orde", QStringLiteral("02"));
        QCOMPARE(proposed(), QStringLiteral("9"));
        // Taken back, the award frees its place.
        record(QStringLiteral("VIGO"));
        QTest::mouseClick(control<QPushButton>("btnDesfacerUltimo"), Qt::LeftButton);
        QCOMPARE(proposed(), QStringLiteral("9"));
    }

    void guestAwardAsked_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("next");
        QTest::newRow("no") << int(QMessageBox::No) << QStringList() << "9";
        QTest::newRow("yes") << int(QMessageBox::Yes) << QStringList{QStringLiteral("9")} << "7";
    }
    void guestAwardAsked()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, stored);
        QFETCH(QString, next);
        setRules([](app::RulesDialog& dialog) {
            typeTable(dialog, "9 7 6");
            auto* guests = dialog.findChild<QListWidget*>(QStringLiteral("convidados"));
            for (int i = 0; i < guests->count(); ++i)
                if (guests->item(i)->data(Qt::UserRole) == QStringLiteral("CNGRO"))
                    guests->item(i)->setCheckState(Qt::Checked);
        });
        QCOMPARE(storedRules()->guests, QStringList{QStringLiteral("CNGRO")});
        m_answer = QMessageBox::StandardButton(answer);
        type("orde", QStringLiteral("01"));
        record(QStringLiteral("O'GROVE"));
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].icon, QMessageBox::Question);
        QVERIFY(m_messages[0].text.contains(QStringLiteral("«O'GROVE» é un club convidado")));
        QCOMPARE(storedPoints(), stored);
        QCOMPARE(proposed(), next);
    }

    // A club's second award in an event is asked about when one scores; the other kind of
    // event has its own cap.
    void capAsked_data()
    {
        QTest::addColumn<int>("individualCap");
        QTest::addColumn<int>("relayCap");
        QTest::addColumn<QString>("order");
        QTest::addColumn<bool>("asked");
        QTest::newRow("individual cap, individual event") << 1 << 0 << "01" << true;
        QTest::newRow("individual cap, relay event") << 1 << 0 << "03" << false;
        QTest::newRow("relay cap, relay event") << 0 << 1 << "03" << true;
        QTest::newRow("cap of two") << 2 << 0 << "01" << false;
    }
    void capAsked()
    {
        QFETCH(int, individualCap);
        QFETCH(int, relayCap);
        QFETCH(QString, order);
        QFETCH(bool, asked);
        setRules([&](app::RulesDialog& dialog) {
            dialog.findChild<QSpinBox*>(QStringLiteral("puntuanIndividual"))->setValue(individualCap);
            dialog.findChild<QSpinBox*>(QStringLiteral("puntuanRemudas"))->setValue(relayCap);
        });
        type("orde", order);
        record(QStringLiteral("VIGO"));
        record(QStringLiteral("LUGO"));
        QVERIFY(m_messages.isEmpty());
        record(QStringLiteral("VIGO"));
        QCOMPARE(m_messages.size(), asked ? 1 : 0);
        QCOMPARE(storedPoints().size(), asked ? 2 : 3);
        if (asked)
            QVERIFY2(m_messages[0].text.contains(
                         QStringLiteral("«VIGO» xa leva nesta proba as marcas que puntúan por club (1)")),
                     qPrintable(m_messages[0].text));
    }

    // No rules stored: the league's scale as it always was, step field and all; the dialog
    // shows it and, cancelled, stores nothing.
    void registerWithoutRules()
    {
        type("orde", QStringLiteral("01"));
        QStringList seen;
        for (const QString& club : words("VIGO O'GROVE CORUÑA LUGO")) {
            seen << proposed();
            record(club);
        }
        seen << proposed();
        QCOMPARE(seen, words("19 16 14 13 12"));
        QCOMPARE(control("paso")->text(), QStringLiteral("1"));
        app::RulesDialog* dialog = openRules();
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("presets"))->currentText(),
                 QStringLiteral("liga"));
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("taboaIndividual"))->text(),
                 QStringLiteral("19 16 14 13"));
        dialog->reject();
        QVERIFY(!storedRules());
        QCOMPARE(proposed(), QStringLiteral("12"));
        QVERIFY(m_messages.isEmpty());
    }

    void faultyTableTold_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("told");
        QTest::newRow("not a number") << "taboaIndividual"
                                      << "9 x 6"
                                      << "«x» non é un número de puntos.";
        QTest::newRow("rising") << "taboaIndividual"
                                << "6 7"
                                << "A táboa individual sobe no posto 2";
        QTest::newRow("empty") << "taboaIndividual"
                               << ""
                               << "A táboa individual non ten ningún posto.";
        QTest::newRow("relay table") << "taboaRemudas"
                                     << "4 8"
                                     << "A táboa das remudas sobe no posto 2";
    }
    void faultyTableTold()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, told);
        app::RulesDialog* dialog = openRules();
        dialog->findChild<QComboBox*>(QStringLiteral("remudas"))->setCurrentIndex(1);
        dialog->findChild<QLineEdit*>(QStringLiteral("taboaRemudas"))->setText(QStringLiteral("8 4"));
        dialog->findChild<QLineEdit*>(field)->setText(typed);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].text.contains(told), qPrintable(m_messages[0].text));
        QVERIFY(m_messages[0].text.contains(QStringLiteral("Non se gardou nada.")));
        QVERIFY(dialog->isVisible());
        QVERIFY(!storedRules());
    }

    void presetFillsTheFields()
    {
        app::RulesDialog* dialog = openRules();
        dialog->findChild<QComboBox*>(QStringLiteral("presets"))->setCurrentText(QStringLiteral("6-4-3-2-1"));
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("taboaIndividual"))->text(),
                 QStringLiteral("6 4 3 2 1"));
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("despois"))->currentIndex(), 1);
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("remudas"))->currentIndex(), 1);
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("taboaRemudas"))->text(),
                 QStringLiteral("8 4 2"));
        QVERIFY(dialog->findChild<QLineEdit*>(QStringLiteral("taboaRemudas"))->isEnabled());
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(storedRules(), rules::preset(QStringLiteral("6-4-3-2-1")));
    }

    // What another station stored shows in the dialog, and in the next lookup.
    void rulesStoredElsewhereFollowed()
    {
        type("orde", QStringLiteral("01"));
        QCOMPARE(proposed(), QStringLiteral("19"));
        rules::MeetRules other{QStringLiteral("outra"), {5, 3}, rules::After::Zero};
        other.relayScorers = 2;
        other.ties = rules::Ties::Full;
        other.guests = {QStringLiteral("CNLUG"), QStringLiteral("FORA")};
        QVERIFY((*data::Database::open(path()))->setMeetRules(other));
        type("orde", QStringLiteral("03"));
        QCOMPARE(proposed(), QStringLiteral("10"));
        app::RulesDialog* dialog = openRules();
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("presets"))->currentIndex(), -1);
        QCOMPARE(dialog->findChild<QSpinBox*>(QStringLiteral("puntuanRemudas"))->value(), 2);
        QCOMPARE(dialog->findChild<QSpinBox*>(QStringLiteral("puntuanIndividual"))->text(),
                 QStringLiteral("todas"));
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("empates"))->currentIndex(), 1);
        auto* guests = dialog->findChild<QListWidget*>(QStringLiteral("convidados"));
        QStringList checked;
        for (int i = 0; i < guests->count(); ++i)
            if (guests->item(i)->checkState() == Qt::Checked)
                checked << guests->item(i)->text();
        QCOMPARE(checked, (QStringList{QStringLiteral("LUGO (CNLUG)"), QStringLiteral("FORA")}));
        // Kept as they were, the rules keep their guests, even one the register does not know.
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(storedRules()->guests, other.guests);
    }

    // Rules changed with an event on show: its proposal follows at once.
    void proposalFollowsTheDialog()
    {
        type("orde", QStringLiteral("01"));
        record(QStringLiteral("VIGO"));
        QCOMPARE(proposed(), QStringLiteral("16"));
        setRules([](app::RulesDialog& dialog) { typeTable(dialog, "9 7 6"); });
        QCOMPARE(proposed(), QStringLiteral("7"));
        setRules([](app::RulesDialog& dialog) {
            dialog.findChild<QComboBox*>(QStringLiteral("presets"))->setCurrentText(QStringLiteral("liga"));
        });
        QCOMPARE(proposed(), QStringLiteral("16"));
    }

    // A register that refuses the rules: its own message, and the dialog stays.
    void unwritableRegisterTold()
    {
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("DROP TABLE quilvarden_regras"),
             QStringLiteral("CREATE TABLE quilvarden_regras (regras TEXT NOT NULL CHECK (regras = ''))")}));
        app::RulesDialog* dialog = openRules();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].text.contains(QStringLiteral("CHECK constraint failed")),
                 qPrintable(m_messages[0].text));
        QVERIFY(dialog->isVisible());
    }
};

QTEST_MAIN(TestRulesWindow)
#include "tst_ruleswindow.moc"
