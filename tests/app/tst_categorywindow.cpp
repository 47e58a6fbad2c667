#include "app/frmintrores.h"
#include "app/mainwindow.h"
#include "app/messagebox.h"
#include "app/startup.h"
#include "support/scratchdb.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;

// A meet that ranks categories at the window: Alevín in events 1 and 2, Infantil in 2 and 3;
// event 4 ranks none.
class TestCategoryWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<app::FrmIntroRes> m_window;
    QStringList m_errors;
    QStringList m_questions;

    QString path() const { return m_dir->filePath(QStringLiteral("quilvarden.MDB")); }
    template <typename T = QWidget> T* control(const char* name) const
    {
        return m_window->findChild<T*>(QString::fromLatin1(name));
    }
    QComboBox* box() const { return control<QComboBox>("cmbCategoria"); }
    QString points() const { return control<QLineEdit>("puntos")->text(); }
    static QString u8(const char* text) { return QString::fromUtf8(text); }
    // Texts parted by "|".
    static QStringList list(const char* texts) { return QString::fromUtf8(texts).split(u'|'); }

    static QList<data::MeetCategory> twoCategories()
    {
        return {{u8("Alevín"), -1, -1, {}, {}, {1, 2}}, {u8("Infantil"), -1, -1, {}, {}, {2, 3}}};
    }
    QStringList offered() const
    {
        QStringList items;
        for (int i = 0; i < box()->count(); ++i)
            items << box()->itemText(i);
        return items;
    }

    void withDatabase(const std::function<void(data::Database&)>& use)
    {
        auto database = data::Database::open(path());
        QVERIFY(database);
        use(**database);
    }

    void open()
    {
        auto opened = app::openWindow(path());
        QVERIFY(opened);
        m_window = std::move(opened).value();
        m_window->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void type(const char* order)
    {
        auto* field = control<QLineEdit>("orde");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(order));
    }

    // Ctrl+K, then the arrow keys down the categories.
    void choose(int downs)
    {
        QTest::keyClick(m_window.get(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), box());
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(box(), Qt::Key_Down);
    }

    void award(const char* club)
    {
        auto* clubs = control<QListWidget>("club");
        clubs->setCurrentItem(clubs->findItems(QString::fromUtf8(club), Qt::MatchExactly).value(0));
        QTest::mouseClick(control<QPushButton>("btnEngadir"), Qt::LeftButton);
    }

    QStringList lines(const char* list) const
    {
        const QAbstractItemModel* model = control<QListView>(list)->model();
        QStringList result;
        for (int row = 0; row < model->rowCount(); ++row)
            result << model->index(row, 0).data().toString();
        return result;
    }

    void useRules(const QList<double>& table, int scorers,
                  rules::Ranking ranking = rules::Ranking::Categories)
    {
        rules::MeetRules chosen = rules::leagueRules();
        chosen.name = QStringLiteral("Propias");
        chosen.individual = table;
        chosen.individualScorers = scorers;
        chosen.ranking = ranking;
        withDatabase([&](data::Database& db) { QVERIFY(db.setMeetRules(chosen)); });
    }

private Q_SLOTS:
    void init()
    {
        m_errors.clear();
        m_questions.clear();
        app::MessageBox::setHandler([this](const app::MessageBox::Request& request) {
            (request.icon == QMessageBox::Question ? m_questions : m_errors).append(request.text);
            return request.icon == QMessageBox::Question ? QMessageBox::No : QMessageBox::Ok;
        });
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(data::Database::create(path()));
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("INSERT INTO EVENT (XORDER, EVENTCODE, GENDERCODE) VALUES (1, '100FR', 'F'),"
                            " (2, '100FR', 'M'), (3, '200IM', 'X'), (4, '50BK', 'M')"),
             QStringLiteral("INSERT INTO CLUBCHAMP VALUES ('A', 'ESP'), ('B', 'ESP')"),
             QStringLiteral("INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC, LONGDESC) VALUES"
                            " ('A', 'VIGO', ''), ('B', 'LUGO', '')")}));
        withDatabase([](data::Database& db) { QVERIFY(db.setMeetCategories(twoCategories())); });
    }

    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
        app::MessageBox::setHandler({});
    }

    // One category: the award has it with nothing chosen. Several: the one chosen, or none.
    void awardTakesTheCategoryChosen_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("downs");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<bool>("choosing");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("open");
        QTest::newRow("one category")
            << u8("01") << -1 << list("Alevín") << false << u8("01  100FRF VIGO     19,00 Alevín") << false;
        const QStringList both = list("Alevín|Infantil|Absoluta");
        QTest::newRow("two, the first")
            << u8("02") << 0 << both << true << u8("02  100FRM VIGO     19,00 Alevín") << false;
        QTest::newRow("two, the second")
            << u8("02") << 1 << both << true << u8("02  100FRM VIGO     19,00 Infantil") << false;
        QTest::newRow("two, every age")
            << u8("02") << 2 << both << true << u8("02  100FRM VIGO     19,00") << false;
        QTest::newRow("every age scores") << u8("02") << 0 << list("Absoluta|Alevín|Infantil") << true
                                          << u8("02  100FRM VIGO     19,00") << true;
        QTest::newRow("none") << u8("04") << -1 << QStringList() << false << u8("04   50BKM VIGO     19,00")
                              << false;
    }
    void awardTakesTheCategoryChosen()
    {
        QFETCH(QString, order);
        QFETCH(int, downs);
        QFETCH(QStringList, offered);
        QFETCH(bool, choosing);
        QFETCH(QString, line);
        QFETCH(bool, open);
        if (open)
            useRules({19, 16, 14, 13}, 0, rules::Ranking::Open);
        this->open();
        type(qPrintable(order));
        QCOMPARE(this->offered(), offered);
        QVERIFY(box()->isVisible());
        QCOMPARE(box()->isEnabled(), choosing);
        // Tab from Orde goes to the box where there is a choice, else to the clubs.
        QTest::keyClick(control("orde"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), choosing ? static_cast<QWidget*>(box()) : control("club"));
        if (downs >= 0)
            choose(downs);
        award("VIGO");
        QCOMPARE(lines("lista"), QStringList{line});
        // As the register keeps it.
        QTest::mouseClick(control<QPushButton>("btnRecargar"), Qt::LeftButton);
        QCOMPARE(lines("lista"), QStringList{line});
        QVERIFY(m_errors.isEmpty());
    }

    // The proposals go by the places awarded in the category chosen. The standings lists are
    // the meet's own; the text adds each category's.
    void proposalsCountPerCategory_data()
    {
        QTest::addColumn<QList<double>>("table");
        QTest::addColumn<QStringList>("proposed");
        QTest::addColumn<QStringList>("men");
        QTest::addColumn<QString>("infantil");
        QTest::newRow("league scale") << QList<double>() << list("19|16|19|16|16|14|19")
                                      << list("  1  LUGO        35,00|  2  VIGO        19,00") << u8("19,00");
        QTest::newRow("own table") << QList<double>{10, 8, 6} << list("10|8|10|8|8|6|10")
                                   << list("  1  LUGO        18,00|  2  VIGO        10,00") << u8("10,00");
    }
    void proposalsCountPerCategory()
    {
        QFETCH(QList<double>, table);
        QFETCH(QStringList, proposed);
        QFETCH(QStringList, men);
        QFETCH(QString, infantil);
        if (!table.isEmpty())
            useRules(table, 0);
        open();
        QStringList seen;
        type("02");
        seen << points();
        award("VIGO");
        seen << points();
        choose(1); // Infantil
        seen << points();
        award("LUGO");
        seen << points();
        QTest::keyClick(box(), Qt::Key_Up); // back to Alevín, at its second place
        seen << points();
        award("LUGO");
        seen << points();
        type("03"); // another event: its first category, from the first place
        seen << points();
        QCOMPARE(seen, proposed);
        QTest::mouseClick(control<QPushButton>("btnClasificacions"), Qt::LeftButton);
        QCOMPARE(lines("clas_mas"), men);
        const QString text = control<QPlainTextEdit>("clas")->toPlainText();
        QVERIFY(text.startsWith(u8("Clasificación Masculina\n") + men.join(u'\n')));
        QVERIFY(text.contains(u8("Clasificación Masculina: Infantil\n  1  LUGO        ") + infantil));
    }

    // An award taken back frees its place in its own category, chosen or not.
    void undoFreesThePlaceOfItsCategory_data()
    {
        QTest::addColumn<int>("downsBeforeUndo");
        QTest::addColumn<QStringList>("proposed");
        QTest::newRow("category chosen") << 0 << list("8|6|10");
        QTest::newRow("another category") << 1 << list("8|6|10");
    }
    void undoFreesThePlaceOfItsCategory()
    {
        QFETCH(int, downsBeforeUndo);
        QFETCH(QStringList, proposed);
        useRules({10, 8, 6}, 0);
        open();
        type("02");
        award("VIGO");
        award("LUGO");
        choose(downsBeforeUndo);
        QTest::mouseClick(control<QPushButton>("btnDesfacerUltimo"), Qt::LeftButton);
        QCOMPARE(m_errors, QStringList{u8("Desfíxose a marca:\n02  100FRM LUGO      8,00 Alevín")});
        box()->setCurrentIndex(0);
        QStringList seen{points()};
        award("LUGO");
        seen << points();
        box()->setCurrentIndex(1);
        seen << points();
        QCOMPARE(seen, proposed);
    }

    // One award a club in an event: a second in the same category is asked about.
    void capCountsPerCategory_data()
    {
        QTest::addColumn<int>("downs");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("listed");
        QTest::newRow("same category") << 0 << 1 << 1;
        QTest::newRow("other category") << 1 << 0 << 2;
    }
    void capCountsPerCategory()
    {
        QFETCH(int, downs);
        QFETCH(int, asked);
        QFETCH(int, listed);
        useRules({10, 8, 6}, 1);
        open();
        type("02");
        award("VIGO");
        choose(downs);
        award("VIGO");
        QCOMPARE(m_questions.size(), asked);
        if (asked)
            QVERIFY2(m_questions[0].contains(u8("en «Alevín»")), qPrintable(m_questions[0]));
        QCOMPARE(lines("lista").size(), listed);
    }

    // Typed in the dialog: kept when every row reads, else told with the rows left as typed.
    void typedCategories_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QStringList>("offeredFor01");
        QTest::newRow("new") << list("Benxamín||10||4, 1") << QString()
                             << QStringList{u8("Alevín"), u8("Benxamín"), u8("Absoluta")};
        QTest::newRow("name twice") << list("alevín||||3") << u8("distinto") << QStringList{u8("Alevín")};
        QTest::newRow("events misread")
            << list("Xuvenil||||1, x") << u8("«1, x» non se len") << QStringList{u8("Alevín")};
        QTest::newRow("ages crossed")
            << list("Xuvenil|17|15||1") << u8("mínima pasa da máxima") << QStringList{u8("Alevín")};
    }
    void typedCategories()
    {
        QFETCH(QStringList, row);
        QFETCH(QString, refusal);
        QFETCH(QStringList, offeredFor01);
        open();
        type("01");
        m_window->editCategories();
        auto* dialog = m_window->findChild<QDialog*>(QStringLiteral("dlgCategorias"));
        QVERIFY(dialog);
        auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("taboaCategorias"));
        QCOMPARE(table->item(1, 4)->text(), u8("2-3"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnEngadirCategoria")),
                          Qt::LeftButton);
        for (int column = 0; column < row.size(); ++column)
            table->item(2, column)->setText(row[column]);
        dialog->accept();
        QCOMPARE(dialog->isVisible(), !refusal.isEmpty());
        QCOMPARE(m_errors.size(), refusal.isEmpty() ? 0 : 1);
        if (!refusal.isEmpty()) {
            QVERIFY2(m_errors[0].contains(refusal), qPrintable(m_errors[0]));
            QCOMPARE(table->rowCount(), 3);
            QCOMPARE(table->item(2, 4)->text(), row[4]);
            dialog->reject();
        }
        QCOMPARE(offered(), offeredFor01);
        withDatabase([&](data::Database& db) {
            QList<data::MeetCategory> kept = twoCategories();
            if (refusal.isEmpty())
                kept << data::MeetCategory{u8("Benxamín"), -1, 10, {}, {}, {1, 4}};
            QCOMPARE(*db.meetCategories(), kept);
        });
    }

    void rexistroMenuOpensTheDialog()
    {
        auto opened = app::openWindow(path());
        QVERIFY(opened);
        app::MainWindow window;
        window.setForm(std::move(opened).value());
        window.findChild<QAction*>(QStringLiteral("actionCategorias"))->trigger();
        QVERIFY(window.form()->findChild<QDialog*>(QStringLiteral("dlgCategorias")));
    }

    // Categories or none, every control of the form keeps its place; the box lies on none.
    void controlsKeepTheirPlaces()
    {
        open();
        QHash<QString, QRect> withCategories;
        for (const QWidget* child : m_window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            withCategories.insert(child->objectName(), child->geometry());
        m_window.reset();
        withDatabase([](data::Database& db) { QVERIFY(db.setMeetCategories({})); });
        open();
        QVERIFY(!box()->isVisible());
        const QRect boxPlace = withCategories.take(QStringLiteral("cmbCategoria"));
        QCOMPARE(withCategories.size(), 40);
        for (auto it = withCategories.cbegin(); it != withCategories.cend(); ++it) {
            QCOMPARE(control(qPrintable(it.key()))->geometry(), it.value());
            QVERIFY2(!it.value().intersects(boxPlace), qPrintable(it.key()));
        }
    }
};

QTEST_MAIN(TestCategoryWindow)
#include "tst_categorywindow.moc"
