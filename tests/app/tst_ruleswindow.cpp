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
    template <typename T = QLineEdit> static T* find(const QObject* in, const char* name)
    {
        return in->findChild<T*>(QString::fromLatin1(name));
    }
    QString proposed() const { return find(m_main.get(), "puntos")->text(); }
    void click(const char* button) { find<QPushButton>(m_main.get(), button)->click(); }
    void order(const char* text)
    {
        find(m_main.get(), "orde")->selectAll();
        QTest::keyClicks(find(m_main.get(), "orde"), QString::fromLatin1(text));
    }
    void record(const QString& club)
    {
        auto* clubs = find<QListWidget>(m_main.get(), "club");
        clubs->setCurrentItem(clubs->findItems(club, Qt::MatchExactly).value(0));
        click("btnEngadir");
    }
    QString storedPoints() const
    {
        return testsupport::queryRows(path(), QStringLiteral("SELECT puntos FROM puntos ORDER BY id"))
            .join(u' ');
    }
    std::optional<rules::MeetRules> storedRules() const
    {
        const auto read = (*data::Database::open(path()))->meetRules();
        return read ? *read : std::nullopt;
    }
    app::RulesDialog* openRules()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the last one closed
        find<QAction>(m_main.get(), "actionRegras")->trigger();
        return m_main->findChild<app::RulesDialog*>();
    }
    // Types the individual table (none: kept), 0 after its end, and the changes; then "Gardar".
    template <typename Change> app::RulesDialog* setRules(const char* table, Change change)
    {
        app::RulesDialog* dialog = openRules();
        if (table) {
            find(dialog, "taboaIndividual")->setText(QString::fromUtf8(table));
            find<QComboBox>(dialog, "despois")->setCurrentIndex(1);
        }
        change(*dialog);
        find<QDialogButtonBox>(dialog, "")->button(QDialogButtonBox::Ok)->click();
        return dialog;
    }
    app::RulesDialog* setRules(const char* table)
    {
        return setRules(table, [](QDialog&) {});
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
        app::MessageBox::setHandler({});
    }

    // Four awards in a row: the proposal before each and after the last.
    void proposalsByTheTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("relayTable"); // empty: relays double
        QTest::addColumn<QString>("order");
        QTest::addColumn<QStringList>("proposals");
        const auto row = [](const char* name, const char* table, const char* relay, const char* order,
                            const char* proposals) {
            QTest::newRow(name) << QString::fromUtf8(table) << QString::fromUtf8(relay)
                                << QString::fromLatin1(order) << words(proposals);
        };
        row("individual", "9 7 6", "", "01", "9 7 6 0 0");
        row("half points", "9,5 7 6", "", "02", "9,5 7 6 0 0");
        row("relay doubles", "9 7 6", "", "03", "18 14 12 0 0");
        row("relay table of its own", "9 7 6", "10 5", "03", "10 5 0 0 0");
        row("no rules: the league", "", "", "01", "19 16 14 13 12");
    }
    void proposalsByTheTable()
    {
        QFETCH(QString, table);
        QFETCH(QString, relayTable);
        QFETCH(QString, order);
        QFETCH(QStringList, proposals);
        if (!table.isEmpty())
            setRules(table.toUtf8().constData(), [&](QDialog& dialog) {
                find<QComboBox>(&dialog, "remudas")->setCurrentIndex(relayTable.isEmpty() ? 0 : 1);
                find(&dialog, "taboaRemudas")->setText(relayTable);
            });
        QCOMPARE(storedRules().has_value(), !table.isEmpty());
        this->order(order.toLatin1().constData());
        QStringList seen;
        for (const QString& club : words("VIGO O'GROVE CORUÑA LUGO")) {
            seen << proposed();
            record(club);
        }
        QCOMPARE(seen << proposed(), proposals);
        QCOMPARE(storedPoints(), proposals.mid(0, 4).join(u' ').replace(u',', u'.'));
        QVERIFY(m_messages.isEmpty());
    }

    // Nudged points are stored as they stand and take one place; an award taken back frees
    // its place; another order number starts again.
    void placesCountedByAwards()
    {
        setRules("9 7 6");
        order("01");
        click("btnMedioMais");
        record(QStringLiteral("VIGO"));
        click("btnMedioMenos");
        click("btnMedioMenos");
        record(QStringLiteral("LUGO"));
        QCOMPARE(storedPoints(), QStringLiteral("9.5 6"));
        QCOMPARE(proposed(), QStringLiteral("6"));
        click("btnDesfacerUltimo");
        QCOMPARE(proposed(), QStringLiteral("7"));
        order("02");
        QCOMPARE(proposed(), QStringLiteral("9"));
    }

    // Guests (O'GROVE is CNGRO) and a club's awards past its cap are asked; No stores nothing.
    void awardsAsked_data()
    {
        QTest::addColumn<int>("individualCap");
        QTest::addColumn<int>("relayCap");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("third"); // the club of the third award
        QTest::addColumn<QString>("asked");
        const auto row = [](const char* name, int individual, int relay, const char* order, const char* third,
                            const char* asked) {
            QTest::newRow(name) << individual << relay << QString::fromLatin1(order)
                                << QString::fromUtf8(third) << QString::fromUtf8(asked);
        };
        row("guest", 0, 0, "01", "O'GROVE", "«O'GROVE» é un club convidado");
        row("individual cap", 1, 0, "01", "VIGO",
            "«VIGO» xa leva nesta proba as marcas que puntúan por club (1)");
        row("individual cap, relay", 1, 0, "03", "VIGO", "");
        row("relay cap", 0, 1, "03", "VIGO", "«VIGO» xa leva");
        row("cap of two", 2, 0, "01", "VIGO", "");
    }
    void awardsAsked()
    {
        QFETCH(int, individualCap);
        QFETCH(int, relayCap);
        QFETCH(QString, order);
        QFETCH(QString, third);
        QFETCH(QString, asked);
        setRules(nullptr, [&](QDialog& dialog) {
            find<QSpinBox>(&dialog, "puntuanIndividual")->setValue(individualCap);
            find<QSpinBox>(&dialog, "puntuanRemudas")->setValue(relayCap);
            find<QListWidget>(&dialog, "convidados")->item(1)->setCheckState(Qt::Checked);
        });
        QCOMPARE(storedRules()->guests, QStringList{QStringLiteral("CNGRO")});
        this->order(order.toLatin1().constData());
        record(QStringLiteral("VIGO"));
        record(QStringLiteral("LUGO"));
        const QString before = proposed();
        record(third);
        QCOMPARE(m_messages.size(), asked.isEmpty() ? 0 : 1);
        QCOMPARE(storedPoints().split(u' ').size(), asked.isEmpty() ? 3 : 2);
        if (!asked.isEmpty()) {
            QVERIFY2(m_messages[0].text.contains(asked), qPrintable(m_messages[0].text));
            QCOMPARE(proposed(), before);
            m_answer = QMessageBox::Yes;
            record(third);
            QCOMPARE(storedPoints().split(u' ').size(), 3);
        }
    }

    // Awards stored elsewhere count, under any text of the order number; other events and
    // clubs do not.
    void capCountsTheRegister()
    {
        QVERIFY(testsupport::runOn(
            path(), {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES"
                                    " ('1', '100FR', 'F', 'VIGO', 9), ('02', '100FR', 'M', "
                                    "'LUGO', 9), ('01', '100FR', 'F', 'VIGOS', 9)")}));
        setRules(nullptr, [](QDialog& dialog) { find<QSpinBox>(&dialog, "puntuanIndividual")->setValue(1); });
        order("01");
        record(QStringLiteral("LUGO"));
        QVERIFY(m_messages.isEmpty());
        record(QStringLiteral("VIGO"));
        QCOMPARE(m_messages.size(), 1);
    }

    void faultyTableTold_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("told");
        const auto row = [](const char* name, const char* field, const char* typed, const char* told) {
            QTest::newRow(name) << QString::fromLatin1(field) << QString::fromUtf8(typed)
                                << QString::fromUtf8(told);
        };
        row("not a number", "taboaIndividual", "9 x 6", "«x» non é un número de puntos.");
        row("relay rising", "taboaRemudas", "4 8",
            "A táboa das remudas sobe no posto 2: ningún posto dá máis puntos ca o anterior.");
    }
    void faultyTableTold()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, told);
        const app::RulesDialog* dialog = setRules(nullptr, [&](QDialog& shown) {
            find<QComboBox>(&shown, "remudas")->setCurrentIndex(1);
            find(&shown, "taboaRemudas")->setText(QStringLiteral("8 4"));
            shown.findChild<QLineEdit*>(field)->setText(typed);
        });
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, told + QStringLiteral("\nNon se gardou nada."));
        QVERIFY(dialog->isVisible());
        QVERIFY(!storedRules());
    }

    // The dialog shows the rules stored (by another station too); a preset picked fills it,
    // caps and all, but keeps the guests; the proposal on show follows once it closes.
    void rulesShownAndFollowed()
    {
        order("01");
        rules::MeetRules other{QStringLiteral("outra"), {5, 3}, rules::After::Zero};
        other.relayScorers = 2;
        other.guests = {QStringLiteral("FORA")};
        QVERIFY((*data::Database::open(path()))->setMeetRules(other));
        order("03");
        QCOMPARE(proposed(), QStringLiteral("10"));
        setRules(nullptr, [](QDialog& dialog) {
            QCOMPARE(find<QComboBox>(&dialog, "presets")->currentIndex(), -1);
            QCOMPARE(find<QSpinBox>(&dialog, "puntuanRemudas")->value(), 2);
            QCOMPARE(find<QSpinBox>(&dialog, "puntuanIndividual")->text(), QStringLiteral("todas"));
            QCOMPARE(find<QListWidget>(&dialog, "convidados")->item(4)->text(), QStringLiteral("FORA"));
            find<QComboBox>(&dialog, "presets")->setCurrentText(QStringLiteral("6-4-3-2-1"));
            QCOMPARE(find(&dialog, "taboaIndividual")->text(), QStringLiteral("6 4 3 2 1"));
            QCOMPARE(find(&dialog, "taboaRemudas")->text(), QStringLiteral("8 4 2"));
        });
        rules::MeetRules expected = *rules::preset(QStringLiteral("6-4-3-2-1"));
        expected.guests = other.guests;
        QCOMPARE(storedRules(), expected);
        QCOMPARE(proposed(), QStringLiteral("8"));
    }

    // A register that refuses the rules: its own message, and the dialog stays.
    void unwritableRegisterTold()
    {
        QVERIFY(testsupport::runOn(
            path(), {QStringLiteral("DROP TABLE quilvarden_regras"),
                     QStringLiteral("CREATE TABLE quilvarden_regras (regras TEXT CHECK (0))")}));
        QVERIFY(setRules("9")->isVisible());
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].text.contains(QStringLiteral("CHECK constraint failed")),
                 qPrintable(m_messages[0].text));
    }
};

QTEST_MAIN(TestRulesWindow)
#include "tst_ruleswindow.moc"
