#include "app/frmintrores.h"
#include "app/messagebox.h"
#include "app/startup.h"
#include "support/scratchdb.h"
#include "support/testmeet.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;

// Every field filled with hostile texts, every button pressed after each: the program never
// crashes, every message names its error, and the register holds exactly the awards that
// were reported stored.
class TestHostileInput : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<app::FrmIntroRes> m_window;
    QStringList m_messages;
    QStringList m_told;

    QString path() const { return m_dir->filePath(QStringLiteral("quilvarden.MDB")); }

    QStringList stored() const
    {
        return testsupport::queryRows(
            path(), QStringLiteral("SELECT orde, proba, sexo, club FROM puntos ORDER BY id"));
    }

    static QStringList hostileTexts()
    {
        return {
            QString(),
            QStringLiteral("   "),
            QStringLiteral("'"),
            QStringLiteral("''"),
            QStringLiteral("\"\""),
            QStringLiteral("O'GROVE"),
            QStringLiteral("'); DROP TABLE puntos; --"),
            QStringLiteral("1; DELETE FROM EVENT"),
            QString(10000, QLatin1Char('9')),
            QStringLiteral("A\tB\r\nC\x01\x7f"),
            QStringLiteral("1e308"),
            QStringLiteral("-1,7e308"),
            QStringLiteral("1e99999"),
            QStringLiteral("9,99e-99999"),
            QStringLiteral("14"),
            QStringLiteral("07"),
            QStringLiteral("0,5"),
            QStringLiteral("ÑÁÉ"),
        };
    }

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
        QVERIFY(testsupport::makeTestMeet(path()));
        auto opened = app::openWindow(path());
        QVERIFY(opened);
        m_window = std::move(opened).value();
        m_window->showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
        app::MessageBox::setHandler({});
    }

    void everyFieldEveryButton()
    {
        const QList<QLineEdit*> fields = m_window->findChildren<QLineEdit*>();
        QCOMPARE(fields.size(), 16);
        const QList<QPushButton*> buttons = m_window->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 10);
        auto* club = m_window->findChild<QListWidget*>(QStringLiteral("club"));
        club->setCurrentRow(2); // O'GROVE
        auto* clas = m_window->findChild<QPlainTextEdit*>(QStringLiteral("clas"));
        const QRegularExpression clear(QStringLiteral("^Erro \\d+: \\S"));
        auto text = [this](const char* name) {
            return m_window->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
        };

        QStringList expected;
        qsizetype presses = 0;
        const QStringList texts = hostileTexts();
        for (const QString& hostile : texts) {
            for (qsizetype f = 0; f < fields.size(); ++f) {
                QLineEdit* field = fields[f];
                field->setText(hostile);
                clas->setPlainText(hostile);
                for (QPushButton* button : buttons) {
                    const QString name = button->objectName();
                    // Undo after every third field only, so that awards pile up too.
                    if (name == QStringLiteral("btnDesfacerUltimo") && f % 3 != 0)
                        continue;
                    const qsizetype messagesBefore = m_messages.size();
                    const QString row =
                        QStringList{text("orde"), text("proba"), text("sexo"), club->currentItem()->text()}
                            .join(QLatin1Char('|'));
                    QTest::mouseClick(button, Qt::LeftButton);
                    ++presses;
                    const QStringList said = m_messages.mid(messagesBefore);
                    for (const QString& message : said)
                        QVERIFY2(clear.match(message).hasMatch(), qPrintable(message.left(200)));
                    if (name == QStringLiteral("btnEngadir")) {
                        // Stored unless a message said it was not; a failed proposal after
                        // storing says the award was kept.
                        const bool refused =
                            !said.isEmpty() && !said.last().contains(QStringLiteral("gardouse"));
                        if (!refused)
                            expected << row;
                    } else if (name == QStringLiteral("btnDesfacerUltimo")) {
                        QVERIFY(said.isEmpty());
                        if (!expected.isEmpty())
                            expected.removeLast();
                    }
                    QCOMPARE(testsupport::queryRows(path(), QStringLiteral("SELECT COUNT(*) FROM puntos")),
                             QStringList{QString::number(expected.size())});
                }
            }
            QCOMPARE(stored(), expected);
        }
        // Invalid UTF-8 pasted into every field.
        const QString invalid = QString::fromUtf8("\xff\xfe\xc3\x28\xed\xa0\x80 12");
        for (QLineEdit* field : fields) {
            QApplication::clipboard()->setText(invalid);
            field->setFocus();
            field->selectAll();
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            for (QPushButton* button : buttons)
                QTest::mouseClick(button, Qt::LeftButton);
        }
        QVERIFY(m_window->isVisible());
        QCOMPARE(testsupport::queryRows(path(), QStringLiteral("PRAGMA integrity_check")),
                 QStringList{QStringLiteral("ok")});
        qInfo("%lld presses, %lld messages, %lld awards stored", static_cast<long long>(presses),
              static_cast<long long>(m_messages.size()), static_cast<long long>(expected.size()));
    }
};

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"
