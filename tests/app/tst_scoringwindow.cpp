#include "app/dialogs.h"
#include "app/frmintrores.h"
#include "app/messagebox.h"
#include "app/startup.h"
#include "support/httpclient.h"
#include "support/scratchdb.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using app::FrmIntroRes;

// The operator's road through the window: look events up, record awards, take them back,
// list them and build the standings, checking the fields, the lists and the register.
class TestScoringWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FrmIntroRes> m_window;
    QStringList m_messages;
    QStringList m_told;

    QString path() const { return m_dir->filePath(QStringLiteral("quilvarden.MDB")); }

    QLineEdit* field(const char* name) const
    {
        return m_window->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return field(name)->text(); }
    QListWidget* clubs() const { return m_window->findChild<QListWidget*>(QStringLiteral("club")); }

    void click(const char* button)
    {
        auto* widget = m_window->findChild<QPushButton*>(QString::fromLatin1(button));
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    // Replaces a field's text as the operator would: select all, then type.
    void type(const char* name, const QString& value)
    {
        QLineEdit* edit = field(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, value);
        QCOMPARE(edit->text(), value);
    }

    QPoint clubPoint(const QString& name) const
    {
        const QList<QListWidgetItem*> found = clubs()->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? QPoint() : clubs()->visualItemRect(found.first()).center();
    }

    void selectClub(const QString& name)
    {
        const QPoint point = clubPoint(name);
        QVERIFY(!point.isNull());
        QTest::mouseClick(clubs()->viewport(), Qt::LeftButton, {}, point);
    }

    // A double click on a club, as a person makes it: a click first, then the double click.
    void doubleClickClub(const QString& name)
    {
        const QPoint point = clubPoint(name);
        QVERIFY(!point.isNull());
        QTest::mouseClick(clubs()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(clubs()->viewport(), Qt::LeftButton, {}, point);
    }

    // Every line of a list, the ones it has not read yet included, as scrolling down would.
    QStringList lines(const char* list) const
    {
        const auto* view = m_window->findChild<QListView*>(QString::fromLatin1(list));
        QAbstractItemModel* model = view->model();
        while (model->canFetchMore({}))
            model->fetchMore({});
        QStringList result;
        for (int row = 0; row < model->rowCount(); ++row)
            result << model->index(row, 0).data().toString();
        return result;
    }

    // The register as the database holds it, oldest first.
    QStringList stored() const
    {
        return testsupport::queryRows(path(),
                                      QStringLiteral("SELECT orde, proba, sexo, club, puntos FROM puntos"
                                                     " ORDER BY id"));
    }

    static QString line(const char* text) { return QString::fromUtf8(text); }
    static QStringList words(const char* text) { return QString::fromLatin1(text).split(QLatin1Char(' ')); }

private Q_SLOTS:
    void init()
    {
        m_messages.clear();
        m_told.clear();
        app::MessageBox::setHandler([this](const app::MessageBox::Request& request) {
            // Errors apart from what the program only tells (an undo names what it took back).
            (request.icon == QMessageBox::Information ? m_told : m_messages).append(request.text);
            return QMessageBox::Ok;
        });
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(data::Database::create(path()));
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("INSERT INTO EVENT (XORDER, EVENTCODE, GENDERCODE) VALUES (1, '100FR', 'F'),"
                            " (2, '100FR', 'M'), (3, '4X50FR', 'F'), (4, '4x100IM', 'M'), (5, '200IM', 'X'),"
                            " (12, '50BK', 'M'), (40, '1500FR', 'M'), (0, 'ZERO', 'F'), (8, NULL, 'F'),"
                            " (9, '200BR', NULL)"),
             QStringLiteral(
                 "INSERT INTO CLUBCHAMP VALUES ('A', 'ESP'), ('B', 'ESP'), ('C', 'ESP'), ('D', 'ESP')"),
             QStringLiteral("INSERT INTO CLUBDESC (CLUBCODE, SHORTDESC, LONGDESC) VALUES ('A', 'VIGO', ''), "
                            "('B', 'O''GROVE', ''),"
                            " ('C', 'CORUÑA', ''), ('D', 'LUGO', '')")}));
        auto opened = app::openWindow(path());
        QVERIFY(opened);
        m_window = std::move(opened).value();
        m_window->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
        app::MessageBox::setHandler({});
    }

    void typingAnOrderNumber()
    {
        QLineEdit* orde = field("orde");
        orde->setFocus();
        QTest::keyClick(orde, Qt::Key_0);
        QCOMPARE(text("proba"), QString());
        QTest::keyClick(orde, Qt::Key_1);
        QCOMPARE(text("proba"), QStringLiteral("100FR"));
        QCOMPARE(text("sexo"), QStringLiteral("F"));
        QCOMPARE(text("puntos"), QStringLiteral("19"));
        QCOMPARE(text("paso"), QStringLiteral("1"));
        // A third character empties the event.
        QTest::keyClick(orde, Qt::Key_2);
        QCOMPARE(text("proba"), QString());
        QCOMPARE(text("sexo"), QString());
        QCOMPARE(text("puntos"), QString());
        QTest::keyClick(orde, Qt::Key_Backspace);
        QCOMPARE(text("proba"), QStringLiteral("100FR"));
        QVERIFY(m_messages.isEmpty());
    }

    void lookUps_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("proba");
        QTest::addColumn<QString>("sexo");
        QTest::addColumn<QString>("puntos");
        QTest::addColumn<QString>("paso");
        // Each row starts from event 02 loaded (100FR, M, 19) and the step at 1.
        QTest::newRow("12") << "12"
                            << "50BK"
                            << "M"
                            << "19"
                            << "1";
        QTest::newRow("blank and 1") << " 1"
                                     << "100FR"
                                     << "F"
                                     << "19"
                                     << "1";
        QTest::newRow("relay, upper-case X") << "03"
                                             << "4X50FR"
                                             << "F"
                                             << "38"
                                             << "2";
        QTest::newRow("relay, lower-case x") << "04"
                                             << "4x100IM"
                                             << "M"
                                             << "38"
                                             << "2";
        QTest::newRow("mixed event") << "05"
                                     << "200IM"
                                     << "X"
                                     << "19"
                                     << "1";
        QTest::newRow("letters look up order 0") << "ab"
                                                 << "ZERO"
                                                 << "F"
                                                 << "19"
                                                 << "1";
        // Typed key by key, the first character has emptied the fields already.
        QTest::newRow("no such event") << "39"
                                       << ""
                                       << ""
                                       << ""
                                       << "1";
        QTest::newRow("one half finds nothing") << ".5"
                                                << ""
                                                << ""
                                                << ""
                                                << "1";
        QTest::newRow("one character empties") << "7"
                                               << ""
                                               << ""
                                               << ""
                                               << "1";
        QTest::newRow("three characters empty") << "100"
                                                << ""
                                                << ""
                                                << ""
                                                << "1";
        QTest::newRow("apostrophe") << "'"
                                    << ""
                                    << ""
                                    << ""
                                    << "1";
        QTest::newRow("two apostrophes") << "''"
                                         << "ZERO"
                                         << "F"
                                         << "19"
                                         << "1";
    }

    void lookUps()
    {
        QFETCH(QString, order);
        QFETCH(QString, proba);
        QFETCH(QString, sexo);
        QFETCH(QString, puntos);
        QFETCH(QString, paso);
        field("orde")->setText(QStringLiteral("02"));
        QCOMPARE(text("proba"), QStringLiteral("100FR"));
        type("orde", order);
        QCOMPARE(text("proba"), proba);
        QCOMPARE(text("sexo"), sexo);
        QCOMPARE(text("puntos"), puntos);
        QCOMPARE(text("paso"), paso);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    }

    void individualEventAfterRelayKeepsTheStep()
    {
        type("orde", QStringLiteral("03"));
        QCOMPARE(text("paso"), QStringLiteral("2"));
        type("orde", QStringLiteral("01"));
        QCOMPARE(text("puntos"), QStringLiteral("19"));
        QCOMPARE(text("paso"), QStringLiteral("2"));
    }

    void missingEventCodeOrGenderReported()
    {
        // A lookup that fails empties the event's fields together: "Engadir" has nothing of
        // the event before it to mix with the new order number.
        for (const char* order : {"08", "09"}) {
            m_messages.clear();
            field("orde")->setText(QStringLiteral("02"));
            field("orde")->setText(QString::fromLatin1(order));
            QCOMPARE(m_messages.size(), 1);
            QVERIFY2(m_messages[0].startsWith(QStringLiteral("Erro 94")), qPrintable(m_messages[0]));
            QCOMPARE(text("proba") + text("sexo") + text("puntos"), QString());
            selectClub(QStringLiteral("VIGO"));
            click("btnEngadir");
            QCOMPARE(testsupport::queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM puntos")),
                     QStringList{QStringLiteral("0")});
        }
        QVERIFY(m_window->isVisible());
    }

    void scoringAWholeEvent_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QStringList>("proposals");
        QTest::newRow("individual") << "01" << words("19 16 14 13 12 11 10 9 8 7 6 5 4");
        QTest::newRow("relay") << "03" << words("38 32 28 26 24 22 20 18 16 14 12 10 8");
    }

    void scoringAWholeEvent()
    {
        QFETCH(QString, order);
        QFETCH(QStringList, proposals);
        const QStringList names = {QStringLiteral("VIGO"), QStringLiteral("O'GROVE"),
                                   QStringLiteral("CORUÑA"), QStringLiteral("LUGO")};
        type("orde", order);
        QStringList expectedRows;
        for (qsizetype place = 0; place + 1 < proposals.size(); ++place) {
            QCOMPARE(text("puntos"), proposals[place]);
            const QString club = names[place % names.size()];
            // Each of the three ways of recording in turn.
            if (place % 3 == 0) {
                selectClub(club);
                click("btnEngadir");
            } else if (place % 3 == 1) {
                doubleClickClub(club);
            } else {
                selectClub(club);
                QTest::keyClick(clubs(), Qt::Key_Return);
            }
            expectedRows << QStringList{order, text("proba"), text("sexo"), club, proposals[place]}.join(
                QLatin1Char('|'));
            QCOMPARE(lines("lista").size(), place + 1);
        }
        QCOMPARE(text("puntos"), proposals.last());
        QCOMPARE(stored(), expectedRows);
        QVERIFY(m_messages.isEmpty());
        // The latest award is on top; the first place at the bottom.
        const QString code = text("proba") + text("sexo");
        QCOMPARE(lines("lista").last(),
                 order + QLatin1Char(' ') + QString(7 - code.size(), QLatin1Char(' ')) + code +
                     QStringLiteral(" VIGO    ") + QString(6 - proposals[0].size() - 3, QLatin1Char(' ')) +
                     proposals[0] + QStringLiteral(",00"));
    }

    void resultsLinesAsShown()
    {
        type("orde", QStringLiteral("01"));
        selectClub(QStringLiteral("CORUÑA"));
        click("btnEngadir");
        QCOMPARE(lines("lista"), QStringList{line("01  100FRF CORUÑA   19,00")});
        type("puntos", QStringLiteral("13,5"));
        click("btnEngadir");
        type("puntos", QStringLiteral("100"));
        selectClub(QStringLiteral("O'GROVE"));
        click("btnEngadir");
        const QStringList expected = {line("01  100FRF O'GROVE 100,00"), line("01  100FRF CORUÑA   13,50"),
                                      line("01  100FRF CORUÑA   19,00")};
        QCOMPARE(lines("lista"), expected);
        // Reloaded from the register, the same lines in the order of the register.
        click("btnRecargar");
        QCOMPARE(lines("lista"), (QStringList{expected[1], expected[2], expected[0]}));
        click("btnRecargar");
        QCOMPARE(lines("lista").size(), 3);
    }

    void reloadShowsHighestOrderNumberOnTop()
    {
        for (const char* order : {"05", "02"}) {
            type("orde", QString::fromLatin1(order));
            selectClub(QStringLiteral("VIGO"));
            click("btnEngadir");
            selectClub(QStringLiteral("LUGO"));
            click("btnEngadir");
        }
        click("btnRecargar");
        QCOMPARE(lines("lista"),
                 (QStringList{line("05  200IMX LUGO     16,00"), line("05  200IMX VIGO     19,00"),
                              line("02  100FRM LUGO     16,00"), line("02  100FRM VIGO     19,00")}));
    }

    void reloadListsOrderNumbersByTheirNumber()
    {
        // A meet numbered past 99, its swim-off 998, and an event typed with and without its
        // leading zero, as another station may store them.
        QVERIFY(testsupport::runOn(
            path(), {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos) VALUES"
                                    " ('99', '50FR', 'F', 'LUGO', 19), ('101', '50FR', 'F', 'LUGO', 19),"
                                    " ('100', '50FR', 'F', 'VIGO', 19), ('07', '50FR', 'M', 'VIGO', 16),"
                                    " ('998', '50FR', 'F', 'VIGO', 19), ('7', '50FR', 'M', 'LUGO', 19)")}));
        click("btnRecargar");
        const QStringList expected = {line("998   50FRF VIGO     19,00"), line("101   50FRF LUGO     19,00"),
                                      line("100   50FRF VIGO     19,00"), line("99   50FRF LUGO     19,00"),
                                      line("07   50FRM VIGO     16,00"),  line(" 7   50FRM LUGO     19,00")};
        QCOMPARE(lines("lista"), expected);
        // Taking back the latest award leaves the others in the same order.
        click("btnDesfacerUltimo");
        QCOMPARE(lines("lista"), expected.mid(0, 5));
        QVERIFY(m_messages.isEmpty());
    }

    void tieWithHalfPoints()
    {
        type("orde", QStringLiteral("01"));
        selectClub(QStringLiteral("VIGO"));
        click("btnEngadir");
        // Two clubs share second and third: 15 each.
        click("btnMedioMenos");
        click("btnMedioMenos");
        QCOMPARE(text("puntos"), QStringLiteral("15"));
        click("btnMedioMais");
        click("btnMedioMenos");
        QCOMPARE(text("puntos"), QStringLiteral("15"));
        selectClub(QStringLiteral("LUGO"));
        click("btnEngadir");
        QCOMPARE(text("puntos"), QStringLiteral("14"));
        type("puntos", QStringLiteral("15"));
        selectClub(QStringLiteral("CORUÑA"));
        click("btnEngadir");
        QCOMPARE(text("puntos"), QStringLiteral("14"));
        click("btnMedioMenos");
        QCOMPARE(text("puntos"), QStringLiteral("13,5"));
        selectClub(QStringLiteral("O'GROVE"));
        click("btnEngadir");
        // The half is dropped before the step: 13,5 reads 13.
        QCOMPARE(text("puntos"), QStringLiteral("12"));
        QCOMPARE(stored().last(), QStringLiteral("01|100FR|F|O'GROVE|13.5"));
        QCOMPARE(lines("lista").first(), line("01  100FRF O'GROVE  13,50"));
        QVERIFY(m_messages.isEmpty());
    }

    void halfPointsLeaveOtherTextsAlone()
    {
        for (const char* untouched : {"", "abc", "12.5"}) {
            type("puntos", QString::fromLatin1(untouched));
            click("btnMedioMais");
            click("btnMedioMenos");
            QCOMPARE(text("puntos"), QString::fromLatin1(untouched));
        }
        type("puntos", QStringLiteral("1e20"));
        click("btnMedioMais");
        QCOMPARE(text("puntos"), QStringLiteral("1e20"));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].startsWith(QStringLiteral("Erro 6")));
    }

    void undoInTheMiddleAndAtTheEnd()
    {
        type("orde", QStringLiteral("12"));
        for (const char* club : {"VIGO", "LUGO", "CORUÑA"}) {
            selectClub(QString::fromUtf8(club));
            click("btnEngadir");
        }
        QCOMPARE(text("puntos"), QStringLiteral("13"));
        click("btnDesfacerUltimo");
        // The operator is told which award was taken back.
        QCOMPARE(m_told, QStringList{line("Desfíxose a marca:\n12   50BKM CORUÑA   14,00")});
        // The award is gone, the list reloaded, the proposal not stepped back.
        QCOMPARE(stored(),
                 (QStringList{QStringLiteral("12|50BK|M|VIGO|19"), QStringLiteral("12|50BK|M|LUGO|16")}));
        QCOMPARE(lines("lista"),
                 (QStringList{line("12   50BKM LUGO     16,00"), line("12   50BKM VIGO     19,00")}));
        QCOMPARE(text("puntos"), QStringLiteral("13"));
        selectClub(QStringLiteral("O'GROVE"));
        click("btnEngadir");
        QCOMPARE(stored().last(), QStringLiteral("12|50BK|M|O'GROVE|13"));
        click("btnDesfacerUltimo");
        click("btnDesfacerUltimo");
        click("btnDesfacerUltimo");
        QVERIFY(stored().isEmpty());
        // An empty register leaves no stale line on screen.
        QVERIFY(lines("lista").isEmpty());
        click("btnDesfacerUltimo");
        QVERIFY(stored().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void undoTakesTheLatestRecordedNotTheTopLine()
    {
        type("orde", QStringLiteral("05"));
        selectClub(QStringLiteral("VIGO"));
        click("btnEngadir");
        type("orde", QStringLiteral("02"));
        selectClub(QStringLiteral("LUGO"));
        click("btnEngadir");
        click("btnDesfacerUltimo");
        QCOMPARE(stored(), QStringList{QStringLiteral("05|200IM|X|VIGO|19")});
        QCOMPARE(lines("lista"), QStringList{line("05  200IMX VIGO     19,00")});
    }

    void steppingThroughTheProgramme()
    {
        type("orde", QStringLiteral("01"));
        click("btnOrdeMaisUn");
        QCOMPARE(text("orde"), QStringLiteral("02"));
        QCOMPARE(text("proba"), QStringLiteral("100FR"));
        QCOMPARE(text("sexo"), QStringLiteral("M"));
        click("btnOrdeMaisUn");
        QCOMPARE(text("proba"), QStringLiteral("4X50FR"));
        QCOMPARE(text("puntos"), QStringLiteral("38"));
        click("btnOrdeMenosUn");
        QCOMPARE(text("orde"), QStringLiteral("02"));
        QCOMPARE(text("puntos"), QStringLiteral("19"));
        // Past the last event the fields still show it.
        type("orde", QStringLiteral("40"));
        click("btnOrdeMaisUn");
        QCOMPARE(text("orde"), QStringLiteral("41"));
        QCOMPARE(text("proba"), QStringLiteral("1500FR"));
        type("orde", QStringLiteral("99"));
        click("btnOrdeMaisUn");
        QCOMPARE(text("orde"), QStringLiteral("100"));
        QCOMPARE(text("proba"), QString());
        type("orde", QStringLiteral("01"));
        click("btnOrdeMenosUn");
        QCOMPARE(text("orde"), QStringLiteral("01"));
        type("orde", QStringLiteral("1,5"));
        click("btnOrdeMenosUn");
        QCOMPARE(text("orde"), QStringLiteral("00"));
        QCOMPARE(text("proba"), QStringLiteral("ZERO"));
        type("orde", QStringLiteral("x"));
        click("btnOrdeMaisUn");
        QCOMPARE(text("orde"), QStringLiteral("x"));
    }

    // A programme numbered past 99 (by session, or swim-offs at 998): three digits in Orde,
    // two still finding the events below 100, and every line of the list the same width.
    void aProgrammeNumberedPastNinetyNine()
    {
        QVERIFY(
            testsupport::runOn(path(), {QStringLiteral("INSERT INTO EVENT (XORDER, EVENTCODE, GENDERCODE) "
                                                       "VALUES (100, '100BK', 'M'), (101, '200FR', 'F')")}));
        type("orde", QStringLiteral("101"));
        QCOMPARE(text("proba"), QString()); // read before the programme was known to go past 99
        click("btnRecargar");
        type("orde", QStringLiteral("101"));
        QCOMPARE(text("proba") + text("sexo") + text("puntos"), QStringLiteral("200FRF19"));
        selectClub(QStringLiteral("VIGO"));
        click("btnEngadir");
        type("orde", QStringLiteral("01"));
        QCOMPARE(text("proba") + text("sexo"), QStringLiteral("100FRF"));
        click("btnEngadir");
        type("orde", QStringLiteral("99"));
        click("btnOrdeMaisUn");
        QCOMPARE(text("orde") + u' ' + text("proba") + text("sexo"), QStringLiteral("100 100BKM"));
        click("btnOrdeMenosUn");
        QCOMPARE(text("orde") + u' ' + text("proba"), QStringLiteral("99 100BK"));
        const QStringList expected{line(" 01  100FRF VIGO     19,00"), line("101  200FRF VIGO     19,00")};
        QCOMPARE(lines("lista"), expected);
        QCOMPARE(stored(), (QStringList{line("101|200FR|F|VIGO|19"), line("01|100FR|F|VIGO|19")}));
        click("btnRecargar");
        QCOMPARE(lines("lista"), (QStringList{expected[1], expected[0]}));
    }

    void standings()
    {
        const struct {
            const char* order;
            const char* club;
            const char* points;
        } awards[] = {
            {"02", "VIGO", "19"}, {"02", "LUGO", "16"}, {"01", "LUGO", "19"},  {"01", "CORUÑA", "16"},
            {"05", "VIGO", "19"}, {"12", "LUGO", "3"},  {"01", "VIGO", "7,5"}, {"12", "O'GROVE", "1000"},
        };
        for (const auto& award : awards) {
            type("orde", QString::fromLatin1(award.order));
            type("puntos", QString::fromLatin1(award.points));
            selectClub(QString::fromUtf8(award.club));
            click("btnEngadir");
        }
        click("btnClasificacions");
        const QStringList men = {line("  1  O'GROVE   1000,00"), line("  2  VIGO        19,00"),
                                 line("  3  LUGO        19,00")};
        const QStringList women = {line("  1  LUGO        19,00"), line("  2  CORUÑA      16,00"),
                                   line("  3  VIGO        07,50")};
        const QStringList combined = {line("  1  O'GROVE   1000,00"), line("  2  VIGO        45,50"),
                                      line("  3  LUGO        38,00"), line("  4  CORUÑA      16,00")};
        // VIGO and LUGO tie in the men's standing: positions 2 and 3, in the database's order.
        QStringList menShown = lines("clas_mas");
        QCOMPARE(menShown[0], men[0]);
        const QSet<QString> tied = {menShown[1].mid(5), menShown[2].mid(5)};
        QCOMPARE(tied, (QSet<QString>{men[1].mid(5), men[2].mid(5)}));
        QCOMPARE(menShown[1].left(5), men[1].left(5));
        QCOMPARE(menShown[2].left(5), men[2].left(5));
        QCOMPARE(lines("clas_fem"), women);
        QCOMPARE(lines("clas_con"), combined);
        const QString clas = m_window->findChild<QPlainTextEdit*>(QStringLiteral("clas"))->toPlainText();
        QCOMPARE(clas, (QStringList{line("Clasificación Masculina")} + menShown +
                        QStringList{line("Clasificación Feminina")} + women +
                        QStringList{line("Clasificación Conxunta")} + combined)
                           .join(QLatin1Char('\n')));
        // Twice gives the same, nothing appended.
        click("btnClasificacions");
        QCOMPARE(m_window->findChild<QPlainTextEdit*>(QStringLiteral("clas"))->toPlainText(), clas);
        QCOMPARE(lines("clas_con"), combined);
    }

    void standingsOfAnEmptyRegister()
    {
        click("btnClasificacions");
        QCOMPARE(m_window->findChild<QPlainTextEdit*>(QStringLiteral("clas"))->toPlainText(),
                 line("Clasificación Masculina\nClasificación Feminina\nClasificación Conxunta"));
        QVERIFY(lines("clas_mas").isEmpty() && lines("clas_fem").isEmpty() && lines("clas_con").isEmpty());
    }

    void pointsThatAreNotANumberAreRefused_data()
    {
        QTest::addColumn<QString>("points");
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "abc";
        QTest::newRow("decimal point") << "12.5";
        QTest::newRow("statement") << "0); DELETE FROM puntos; --";
        QTest::newRow("too large") << "1e400";
    }

    void pointsThatAreNotANumberAreRefused()
    {
        QFETCH(QString, points);
        type("orde", QStringLiteral("01"));
        selectClub(QStringLiteral("VIGO"));
        click("btnEngadir");
        type("paso", QStringLiteral("3"));
        type("puntos", points);
        selectClub(QStringLiteral("LUGO"));
        click("btnEngadir");
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].contains(QStringLiteral("«%1»").arg(points)), qPrintable(m_messages[0]));
        QVERIFY(m_messages[0].contains(QStringLiteral("Non se gardou")));
        QCOMPARE(stored(), QStringList{QStringLiteral("01|100FR|F|VIGO|19")});
        QCOMPARE(lines("lista").size(), 1);
        QCOMPARE(text("puntos"), points);
        QCOMPARE(text("paso"), QStringLiteral("3"));
    }

    void stepThatIsNotANumberSaysTheAwardWasStored()
    {
        type("orde", QStringLiteral("01"));
        type("puntos", QStringLiteral("12"));
        type("paso", QStringLiteral("abc"));
        selectClub(QStringLiteral("VIGO"));
        click("btnEngadir");
        QCOMPARE(stored(), QStringList{QStringLiteral("01|100FR|F|VIGO|12")});
        QCOMPARE(lines("lista").size(), 1);
        QCOMPARE(text("puntos"), QStringLiteral("12"));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].contains(QStringLiteral("gardouse")), qPrintable(m_messages[0]));
        QVERIFY(m_messages[0].contains(QStringLiteral("«abc»")));
    }

    void hostileTextsStoredAndShownExactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("apostrophe") << QStringLiteral("O'X");
        QTest::newRow("quotes") << QStringLiteral("\"Q\"");
        QTest::newRow("statement") << QStringLiteral("'); DROP TABLE puntos; --");
        QTest::newRow("semicolon") << QStringLiteral("a;b");
        QTest::newRow("accents") << QStringLiteral("ÁÉÍÓÚñ");
        QTest::newRow("1000 characters") << QString(1000, QLatin1Char('k'));
    }

    void hostileTextsStoredAndShownExactly()
    {
        QFETCH(QString, value);
        field("orde")->setText(value);
        field("proba")->setText(value);
        field("sexo")->setText(value);
        type("puntos", QStringLiteral("16"));
        selectClub(QStringLiteral("O'GROVE"));
        click("btnEngadir");
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        const QString row =
            QStringList{value, value, value, QStringLiteral("O'GROVE"), QStringLiteral("16")}.join(
                QLatin1Char('|'));
        QCOMPARE(stored(), QStringList{row});
        const QString shown = lines("lista").first();
        QVERIFY(shown.startsWith(value));
        QVERIFY(shown.contains(value + value));
        QVERIFY(shown.endsWith(QStringLiteral("O'GROVE  16,00")));
        click("btnRecargar");
        QCOMPARE(lines("lista"), QStringList{shown});
    }

    void withoutAClubTheClubIsEmpty()
    {
        type("orde", QStringLiteral("01"));
        click("btnEngadir");
        QCOMPARE(stored(), QStringList{QStringLiteral("01|100FR|F||19")});
        QCOMPARE(lines("lista"), QStringList{line("01  100FRF          19,00")});
    }

    void keysOtherThanEnterRunNothing()
    {
        type("orde", QStringLiteral("01"));
        clubs()->setFocus();
        // Enter with nothing selected records nothing.
        QTest::keyClick(clubs(), Qt::Key_Return);
        QVERIFY(stored().isEmpty());
        // The first arrow picks the first club, the next one moves on.
        QTest::keyClick(clubs(), Qt::Key_Down);
        QCOMPARE(clubs()->selectedItems().first()->text(), QStringLiteral("CORUÑA"));
        QTest::keyClick(clubs(), Qt::Key_Down);
        const QString chosen = clubs()->selectedItems().first()->text();
        QCOMPARE(chosen, QStringLiteral("LUGO"));
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Escape, Qt::Key_Tab})
            QTest::keyClick(clubs(), key);
        QVERIFY(stored().isEmpty());
        clubs()->setFocus();
        QTest::keyClick(clubs(), Qt::Key_Enter);
        QCOMPARE(stored(), QStringList{QStringLiteral("01|100FR|F|%1|19").arg(chosen)});
        // Enter elsewhere presses no button.
        field("puntos")->setFocus();
        QTest::keyClick(field("puntos"), Qt::Key_Return);
        QCOMPARE(stored().size(), 1);
    }

    void doubleClickOnOtherListsDoesNothing()
    {
        type("orde", QStringLiteral("01"));
        selectClub(QStringLiteral("VIGO"));
        click("btnEngadir");
        auto* lista = m_window->findChild<QListView*>(QStringLiteral("lista"));
        const QPoint point = lista->visualRect(lista->model()->index(0, 0)).center();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(stored().size(), 1);
    }

    void recordingAddsOneLineWithoutReadingTheRegister()
    {
        // An award stored by another program shows only when the list is reloaded.
        QVERIFY(
            testsupport::runOn(path(), {QStringLiteral("INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                                                       " VALUES ('09', '200BR', 'M', 'LUGO', 19)")}));
        type("orde", QStringLiteral("01"));
        selectClub(QStringLiteral("VIGO"));
        click("btnEngadir");
        QCOMPARE(lines("lista"), QStringList{line("01  100FRF VIGO     19,00")});
        click("btnRecargar");
        QCOMPARE(lines("lista").size(), 2);
    }

    void longRegisterListedPageByPage()
    {
        // Order numbers 0001 to 1000, one award each: from the top, 1000 down to 0001.
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000)"
                            " INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                            " SELECT substr('000' || i, -4), '50FR', 'F', 'LUGO', 19 FROM n")}));
        click("btnRecargar");
        QStringList shown = lines("lista");
        QCOMPARE(shown.size(), 1000);
        QCOMPARE(shown[0], line("1000   50FRF LUGO     19,00"));
        QCOMPARE(shown[127], line("0873   50FRF LUGO     19,00"));
        QCOMPARE(shown[128], line("0872   50FRF LUGO     19,00"));
        QCOMPARE(shown[999], line("0001   50FRF LUGO     19,00"));
        type("orde", QStringLiteral("02"));
        selectClub(QStringLiteral("VIGO"));
        click("btnEngadir");
        shown = lines("lista");
        QCOMPARE(shown.size(), 1001);
        QCOMPARE(shown[0], line("02  100FRM VIGO     19,00"));
        QCOMPARE(shown[1], line("1000   50FRF LUGO     19,00"));
        QCOMPARE(shown[1000], line("0001   50FRF LUGO     19,00"));
        click("btnDesfacerUltimo");
        QCOMPARE(lines("lista").size(), 1000);
        QCOMPARE(lines("lista")[0], line("1000   50FRF LUGO     19,00"));
        QVERIFY(m_messages.isEmpty());
    }

    void unreadablePageReportedOnce()
    {
        QVERIFY(testsupport::runOn(
            path(),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
                            " INSERT INTO puntos (orde, proba, sexo, club, puntos)"
                            " SELECT '01', '100FR', 'F', 'LUGO', 19 FROM n")}));
        click("btnRecargar");
        auto* model = m_window->findChild<QListView*>(QStringLiteral("lista"))->model();
        QCOMPARE(model->rowCount(), 128);
        // Another program takes the register away while the operator scrolls down.
        QVERIFY(testsupport::runOn(path(), {QStringLiteral("ALTER TABLE puntos RENAME TO gone")}));
        QVERIFY(model->canFetchMore({}));
        model->fetchMore({});
        QTRY_COMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].contains(QStringLiteral("puntos")), qPrintable(m_messages[0]));
        // The list keeps what it showed and stops reading until the next reload.
        QCOMPARE(model->rowCount(), 128);
        QVERIFY(!model->canFetchMore({}));
        QCOMPARE(model->index(0, 0).data().toString(), line("01  100FRF LUGO     19,00"));
        QVERIFY(m_window->isVisible());
    }

    void timeCalculator()
    {
        type("min", QStringLiteral("1"));
        type("seg", QStringLiteral("05"));
        type("cen", QStringLiteral("32"));
        click("btnTotCen");
        QCOMPARE(text("totcen"), QStringLiteral("6532"));
        type("cen", QStringLiteral("12,5"));
        type("min", QStringLiteral("0"));
        type("seg", QStringLiteral("0"));
        click("btnTotCen");
        QCOMPARE(text("totcen"), QStringLiteral("12,5"));
        // A field that is not a number: the message, and the total as it was.
        type("seg", QStringLiteral("x"));
        click("btnTotCen");
        QCOMPARE(text("totcen"), QStringLiteral("12,5"));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].startsWith(QStringLiteral("Erro 13")), qPrintable(m_messages[0]));
        type("seg", QStringLiteral("1e400"));
        click("btnTotCen");
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(m_messages[1].startsWith(QStringLiteral("Erro 6")));
        QCOMPARE(text("totcen"), QStringLiteral("12,5"));
    }

    void finaCalculator()
    {
        click("btnFina");
        QCOMPARE(text("ptos_fina"), QStringLiteral("720,87 --> 721"));
        // Whole in the field: from its first character, within the 84 px a 90 px field keeps
        // for text inside its 1 px border and Qt's 2 px margins; whole in its tooltip too.
        const auto* result = field("ptos_fina");
        QCOMPARE(result->cursorPosition(), 0);
        const int wide = result->fontMetrics().horizontalAdvance(result->text());
        QVERIFY2(wide <= 84, qPrintable(QString::number(wide)));
        QCOMPARE(result->toolTip(), QStringLiteral("720,87 --> 721"));
        type("b_min", QStringLiteral("14"));
        type("b_seg", QStringLiteral("31"));
        type("b_cen", QStringLiteral("02"));
        type("t_min", QStringLiteral("15"));
        type("t_seg", QStringLiteral("30"));
        type("t_cen", QStringLiteral("00"));
        click("btnFina");
        QCOMPARE(text("ptos_fina"), QStringLiteral("821,55 --> 822"));
        for (const char* name : {"t_min", "t_seg", "t_cen"})
            type(name, QString());
        click("btnFina");
        QCOMPARE(text("ptos_fina"), QStringLiteral("821,55 --> 822"));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].contains(QStringLiteral("cero")), qPrintable(m_messages[0]));
        QVERIFY(m_window->isVisible());
    }

    void standingsMenuOffersSaveAndPrint()
    {
        auto* clas = m_window->findChild<QPlainTextEdit*>(QStringLiteral("clas"));
        Q_EMIT clas->customContextMenuRequested(QPoint(20, 20));
        auto* menu = clas->findChild<QMenu*>(QStringLiteral("menuClas"));
        QVERIFY(menu);
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text();
        QVERIFY2(texts.contains(line("Gardar clasificacións…")), qPrintable(texts.join(QLatin1Char('|'))));
        QVERIFY(texts.contains(line("Imprimir…")));
        QVERIFY(texts.contains(line("Publicar en directo…")));
        menu->close();
    }

    void publishLive()
    {
        QAction* publish = m_window->findChild<QAction*>(QStringLiteral("actionPublicarEnDirecto"));
        // The tests' servers stay on this machine.
        m_window->setLiveListen(QHostAddress(QHostAddress::LocalHost), 0);
        publish->trigger();
        auto* dialog = m_window->findChild<QDialog*>(QStringLiteral("dlgPublicarEnDirecto"));
        QVERIFY2(dialog && dialog->isVisible(), qPrintable(m_messages.join(u'\n')));
        const QUrl address(dialog->findChild<QLabel*>(QStringLiteral("lblEnderezo"))->text());
        QVERIFY(address.isValid() && address.port() > 0);
        QCOMPARE(address.host(), QStringLiteral("127.0.0.1"));
        // The QR code reads back as the address.
        const QString picture = m_dir->filePath(QStringLiteral("qr.png"));
        QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("lblQr"))->pixmap().save(picture));
        QProcess zbar;
        zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), picture});
        QVERIFY(zbar.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(zbar.readAllStandardOutput()).trimmed(), address.toString());

        // An award made in the window is on the web at once.
        type("orde", QStringLiteral("01"));
        doubleClickClub(QStringLiteral("VIGO"));
        const auto served = [&address] {
            testsupport::HttpClient client(static_cast<quint16>(address.port()));
            client.get("/standings.json");
            return client.waitForReply().value_or(testsupport::HttpClient::Reply{}).body;
        };
        QTRY_VERIFY_WITH_TIMEOUT(served().contains("\"club\": \"VIGO\""), 5000);

        // Asked again, the same server and address; stopped, nobody answers.
        dialog->close();
        publish->trigger();
        dialog = m_window->findChild<QDialog*>(QStringLiteral("dlgPublicarEnDirecto"));
        QVERIFY(dialog);
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("lblEnderezo"))->text(), address.toString());
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnDeterPublicacion")),
                          Qt::LeftButton);
        QVERIFY(served().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void saveStandings_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("starts");
        QTest::newRow("text") << "c.txt"
                              << ""
                              << "c.txt" << QByteArray("Impreso o ");
        QTest::newRow("csv") << "c.csv"
                             << ""
                             << "c.csv" << QByteArray("Clasificaci");
        QTest::newRow("html") << "c.html"
                              << ""
                              << "c.html" << QByteArray("<!DOCTYPE html>");
        QTest::newRow("pdf") << "c.pdf"
                             << ""
                             << "c.pdf" << QByteArray("%PDF");
        QTest::newRow("no extension: the filter's") << "c"
                                                    << "CSV (*.csv)"
                                                    << "c.csv" << QByteArray("Clasificaci");
    }

    void saveStandings()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(QByteArray, starts);
        type("orde", QStringLiteral("01"));
        selectClub(QStringLiteral("VIGO"));
        click("btnEngadir");
        app::FileDialog::setHandler([&](const QString&, const QString& filters, QString* selected) {
            if (!filter.isEmpty()) {
                Q_ASSERT(filters.contains(filter));
                *selected = filter;
            }
            return m_dir->filePath(name);
        });
        m_window->findChild<QAction*>(QStringLiteral("actionGardarClasificacions"))->trigger();
        app::FileDialog::setHandler({});
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        QFile file(m_dir->filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray contents = file.readAll();
        QVERIFY2(contents.startsWith(starts), contents.left(40).constData());
        if (!name.endsWith(QStringLiteral(".pdf")))
            QVERIFY(QString::fromUtf8(contents).contains(QStringLiteral("VIGO")));
    }

    void cancelledSaveWritesNothing()
    {
        app::FileDialog::setHandler([](const QString&, const QString&, QString*) { return QString(); });
        const QStringList before = QDir(m_dir->path()).entryList(QDir::Files);
        m_window->findChild<QAction*>(QStringLiteral("actionGardarClasificacions"))->trigger();
        app::FileDialog::setHandler({});
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), before);
        QVERIFY(m_messages.isEmpty());
    }

    void printStandings()
    {
        const QString out = m_dir->filePath(QStringLiteral("printed.pdf"));
        app::PrintDialog::setHandler([&out](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(out);
            return true;
        });
        m_window->findChild<QAction*>(QStringLiteral("actionImprimirClasificacions"))->trigger();
        QFile printed(out);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.read(4) == "%PDF");
        printed.close();
        QVERIFY(printed.remove());
        // Cancelled: nothing printed.
        app::PrintDialog::setHandler([](QPrinter&) { return false; });
        m_window->findChild<QAction*>(QStringLiteral("actionImprimirClasificacions"))->trigger();
        app::PrintDialog::setHandler({});
        QVERIFY(!QFile::exists(out));
        QVERIFY(m_messages.isEmpty());
    }
};

QTEST_MAIN(TestScoringWindow)
#include "tst_scoringwindow.moc"
