#include "app/dialogs.h"
#include "app/frmintrores.h"
#include "app/messagebox.h"
#include "app/startup.h"
#include "data/database.h"
#include "rules/rules.h"
#include "support/resultsfile.h"
#include "support/scratchdb.h"
#include "support/toolrun.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;

// Scoring from the results file in the window: the results list's menu, what it proposes,
// storing it, and storing it again.
class TestResultsWindow : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<app::FrmIntroRes> m_window;
    QStringList m_told;
    QStringList m_errors;
    QStringList m_asked;
    QMessageBox::StandardButton m_answer = QMessageBox::No;
    QString m_results;

    QString path() const { return m_dir.filePath(QStringLiteral("quilvarden.MDB")); }
    qsizetype listed() const
    {
        return m_window->findChild<QListView*>(QStringLiteral("lista"))->model()->rowCount();
    }

    // The menu of the results list, its action, and the dialog it opens.
    QDialog* propose()
    {
        auto* list = m_window->findChild<QListView*>(QStringLiteral("lista"));
        Q_EMIT list->customContextMenuRequested(QPoint(10, 10));
        auto* menu = list->findChild<QMenu*>(QStringLiteral("menuLista"));
        if (!menu || menu->actions().size() != 1 ||
            menu->actions().first()->text() != QString::fromUtf8("Puntuar desde resultados…"))
            return nullptr;
        menu->actions().first()->trigger();
        menu->close();
        return m_window->findChild<QDialog*>(QStringLiteral("dlgPuntuarResultados"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString programme = m_dir.filePath(QStringLiteral("programme.lef"));
        const QString results = m_dir.filePath(QStringLiteral("results.lef"));
        QVERIFY(testsupport::writeMeetFile(programme, false));
        QVERIFY(testsupport::writeMeetFile(results, true));
        QCOMPARE(testsupport::runTool({QStringLiteral("import-lenex"), programme, path()}).status, 0);
        app::MessageBox::setHandler([this](const app::MessageBox::Request& request) {
            if (request.icon == QMessageBox::Question) {
                m_asked.append(request.text);
                return m_answer;
            }
            (request.icon == QMessageBox::Information ? m_told : m_errors).append(request.text);
            return QMessageBox::Ok;
        });
        m_results = results;
        app::FileDialog::setHandler([this](const QString&, const QString&, QString*) { return m_results; });
        auto opened = app::openWindow(path());
        QVERIFY(opened);
        m_window = std::move(opened).value();
        m_window->show();
    }

    void cancelStoresNothing()
    {
        QDialog* dialog = propose();
        QVERIFY(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnCancelarPuntos")),
                          Qt::LeftButton);
        QCOMPARE(listed(), 0);
        QVERIFY(testsupport::queryRows(path(), QStringLiteral("SELECT id FROM puntos")).isEmpty());
    }

    // Another meet's results (its events under other ids) are proposed only once the operator
    // says they are this meet's.
    void anotherMeetsResultsAskedFirst()
    {
        QString other = QString::fromUtf8(testsupport::readFile(m_results));
        other.replace(QStringLiteral("eventid=\""), QStringLiteral("eventid=\"9"));
        const QString programmeResults = m_results;
        m_results = m_dir.filePath(QStringLiteral("other.lef"));
        QVERIFY(testsupport::writeFile(m_results, other.toUtf8()));
        QVERIFY(!propose());
        QCOMPARE(m_asked.size(), 1);
        QVERIFY2(m_asked[0].contains(QStringLiteral("ningunha das súas probas ten o identificador")),
                 qPrintable(m_asked[0]));
        m_answer = QMessageBox::Yes;
        const auto closed = [](QDialog* dialog) {
            if (!dialog)
                return false;
            dialog->reject();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return true;
        };
        QVERIFY(closed(propose()));
        m_answer = QMessageBox::No;
        m_results = programmeResults;
        QVERIFY(closed(propose()));
        QCOMPARE(m_asked.size(), 2);
        QVERIFY(testsupport::queryRows(path(), QStringLiteral("SELECT id FROM puntos")).isEmpty());
    }

    void proposesAndStores()
    {
        QDialog* dialog = propose();
        QVERIFY(dialog);
        const QString shown = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtPuntos"))->toPlainText();
        for (const QString& line :
             {QStringLiteral("01   100LF VIGO     19,00"), QStringLiteral("03  4X50LF CORUÑA   38,00"),
              QStringLiteral("nada sen club")})
            QVERIFY2(shown.contains(line), qPrintable(line + QStringLiteral(" not in:\n") + shown));
        // Event 4's category 13-14 left out: the proposal is made again without it.
        auto* categories = dialog->findChild<QListWidget*>(QStringLiteral("lstCategorias"));
        QVERIFY(categories && categories->count() == 2 && categories->item(1)->text() == u"13-14");
        categories->item(1)->setCheckState(Qt::Unchecked);
        const QString again = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtPuntos"))->toPlainText();
        QVERIFY2(again.contains(QStringLiteral("  Categorías sen puntuar: 13-14 (non pedida)")) &&
                     again.contains(QStringLiteral("01   100LF VIGO     19,00")),
                 qPrintable(again));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnGardarPuntos")), Qt::LeftButton);
        QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(u'\n')));
        // The list and the standings show them at once: 8, and event 4's LUGO and VIGO.
        QCOMPARE(listed(), 10);
        const QString standings = m_window->findChild<QPlainTextEdit*>(QStringLiteral("clas"))->toPlainText();
        QVERIFY2(standings.contains(QStringLiteral("  1  VIGO        81,00\n  2  CORUÑA      69,50")),
                 qPrintable(standings));

        // Asked again, the events keep what they have (event 4 gets its 13-14 now), and the
        // operator is told.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        dialog = propose();
        QVERIFY(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnGardarPuntos")), Qt::LeftButton);
        QCOMPARE(listed(), 11);
        QCOMPARE(m_told.size(), 1);
        QVERIFY2(m_told[0].contains(QStringLiteral("01, 02, 03")), qPrintable(m_told[0]));
    }

    // Rules set while the window is open count from the next proposal: one swim a club, and a
    // guest club passed over (CORUÑA takes event 1's second place behind VIGO, LUGO being the
    // guest's).
    void proposesByTheMeetsRules()
    {
        rules::MeetRules meetRules = *rules::preset(QStringLiteral("9-7-6-5-4-3-2-1"));
        meetRules.individualScorers = 1;
        meetRules.guests = {QStringLiteral("LUG")};
        {
            auto database = data::Database::open(path());
            QVERIFY(database && (*database)->setMeetRules(meetRules));
        }
        QVERIFY(propose());
        QDialog* dialog = nullptr; // the one open, not those before it
        for (QDialog* found : m_window->findChildren<QDialog*>(QStringLiteral("dlgPuntuarResultados")))
            dialog = found->isVisible() ? found : dialog;
        QVERIFY(dialog);
        const QString shown = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtPuntos"))->toPlainText();
        for (const QString& line :
             {QStringLiteral("Puntuación: 9-7-6-5-4-3-2-1\n"), QStringLiteral("01   100LF CORUÑA    7,00"),
              QStringLiteral("un club convidado")})
            QVERIFY2(shown.contains(line), qPrintable(line + QStringLiteral(" not in:\n") + shown));
        dialog->findChild<QCheckBox*>(QStringLiteral("chkSubstituir"))->setChecked(true);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnGardarPuntos")), Qt::LeftButton);
        QCOMPARE(testsupport::queryRows(path(), QStringLiteral("SELECT club, SUM(puntos) FROM puntos "
                                                               "GROUP BY club ORDER BY club")),
                 (QStringList{QStringLiteral("CORUÑA|43"), QStringLiteral("VIGO|39")}));
    }
};

QTEST_MAIN(TestResultsWindow)
#include "tst_resultswindow.moc"
