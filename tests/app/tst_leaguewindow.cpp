#include "app/dialogs.h"
#include "app/mainwindow.h"
#include "app/messagebox.h"
#include "data/database.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using namespace Qt::StringLiterals;

// A league opened from the window. Two matchdays of two clubs:
//   1ª: 01 M VIGO 9, LUGO 7; 02 F LUGO 9, VIGO 7.
//   2ª: 01 M LUGO 9, VIGO 6; 02 F VIGO 5.
class TestLeagueWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_messages;
    QString m_saveAs;

    QString file(const QString& name) const { return m_dir->filePath(name); }

    static bool record(const QString& path, const QList<data::Award>& awards)
    {
        auto opened = data::Database::open(path);
        for (const data::Award& award : awards)
            if (!opened || !(*opened)->recordAward(award))
                return false;
        return true;
    }

    static data::Award award(const char* order, const char* gender, const char* club, double points)
    {
        return {QString::fromLatin1(order), u"100FR"_s, QString::fromLatin1(gender),
                QString::fromLatin1(club), points};
    }

    bool writeLeague(const QByteArray& json) const
    {
        QFile league(file(u"liga.json"_s));
        return league.open(QIODevice::WriteOnly) && league.write(json) == json.size();
    }

    // The dialog the action opens for the league file, once its registers are read.
    QDialog* openLeague(app::MainWindow& window)
    {
        m_saveAs = file(u"liga.json"_s);
        window.findChild<QAction*>(u"actionLiga"_s)->trigger();
        QDialog* dialog = nullptr;
        [[maybe_unused]] const bool settled = QTest::qWaitFor([&] {
            dialog = window.findChild<QDialog*>(u"dlgLiga"_s);
            return dialog || !m_messages.isEmpty();
        });
        return dialog;
    }

    // The standings' lines (those that start with a position), blanks run together.
    static QStringList rowsOf(const QDialog& dialog)
    {
        static const QRegularExpression row(u"^\\s*\\d+\\s"_s);
        QStringList rows;
        for (const QString& line :
             dialog.findChild<QPlainTextEdit*>(u"txtLiga"_s)->toPlainText().split(u'\n'))
            if (row.match(line).hasMatch())
                rows << line.simplified();
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_messages.clear();
        app::MessageBox::setHandler([this](const app::MessageBox::Request& request) {
            m_messages << request.text;
            return QMessageBox::Ok;
        });
        app::FileDialog::setHandler([this](const QString&, const QString&, QString*) { return m_saveAs; });
        QVERIFY(data::Database::create(file(u"x1.MDB"_s)) && data::Database::create(file(u"x2.MDB"_s)));
        QVERIFY(record(file(u"x1.MDB"_s), {award("01", "M", "VIGO", 9), award("01", "M", "LUGO", 7),
                                           award("02", "F", "LUGO", 9), award("02", "F", "VIGO", 7)}));
        QVERIFY(record(file(u"x2.MDB"_s), {award("01", "M", "LUGO", 9), award("01", "M", "VIGO", 6),
                                           award("02", "F", "VIGO", 5)}));
    }

    void cleanup()
    {
        app::MessageBox::setHandler({});
        app::FileDialog::setHandler({});
    }

    void standingsShownSavedAndReloaded()
    {
        QVERIFY(writeLeague(R"({"name": "Liga de proba", "matchdays": [{"name": "1ª", "register": "x1.MDB"},
                               {"name": "2ª", "register": "x2.MDB"}]})"));
        app::MainWindow window;
        QDialog* dialog = openLeague(window);
        QVERIFY2(dialog, qPrintable(m_messages.join(u'\n')));
        QCOMPARE(rowsOf(*dialog),
                 (QStringList{u"1 LUGO 07,00 09,00 16,00"_s, u"2 VIGO 09,00 06,00 15,00"_s,
                              u"1 VIGO 07,00 05,00 12,00"_s, u"2 LUGO 09,00 00,00 09,00"_s,
                              u"1 VIGO 16,00 11,00 27,00"_s, u"2 LUGO 16,00 09,00 25,00"_s}));
        QVERIFY(dialog->findChild<QPlainTextEdit*>(u"txtLiga"_s)->isReadOnly());

        // Saved as CSV, the extension added; never over a register.
        m_saveAs = file(u"clasificacion"_s);
        dialog->findChild<QPushButton*>(u"btnGardarCsv"_s)->click();
        QFile csv(file(u"clasificacion.csv"_s));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(csv.readAll()).split(u"\r\n"_s).value(1),
                 u"Masculina,1,LUGO,\"7,00\",\"9,00\",\"16,00\""_s);
        m_saveAs = file(u"x1.MDB"_s);
        dialog->findChild<QPushButton*>(u"btnGardarJson"_s)->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(data::Database::open(file(u"x1.MDB"_s)));

        // Another award in the second matchday: VIGO's men now 9 + 6 + 5.
        QVERIFY(record(file(u"x2.MDB"_s), {award("03", "M", "VIGO", 5)}));
        dialog->findChild<QPushButton*>(u"btnRecargar"_s)->click();
        QTRY_COMPARE(rowsOf(*dialog).value(0), u"1 VIGO 09,00 11,00 20,00"_s);
    }

    void faultsTold_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("said");
        QTest::newRow("not JSON") << QByteArray("{\"name\": ") << u"Non é JSON"_s;
        QTest::newRow("a register missing")
            << QByteArray(R"({"name": "L", "matchdays": [{"name": "1ª", "register": "x9.MDB"}]})")
            << u"Xornada «1ª», rexistro "_s;
    }
    void faultsTold()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, said);
        QVERIFY(writeLeague(json));
        app::MainWindow window;
        QVERIFY(!openLeague(window));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].contains(said), qPrintable(m_messages[0]));
        QVERIFY(m_messages[0].startsWith(u"Non se pode sumar a liga de "_s));
        QTest::qWait(50);
        QVERIFY(!window.findChild<QDialog*>(u"dlgLiga"_s));
    }
};

QTEST_MAIN(TestLeagueWindow)
#include "tst_leaguewindow.moc"
