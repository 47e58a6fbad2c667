#include "app/frmintrores.h"
#include "app/messagebox.h"
#include "app/startup.h"
#include "language/language.h"
#include "support/testmeet.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace quilvarden;
using app::FrmIntroRes;

class TestFrmIntroRes : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FrmIntroRes> m_window;
    QList<app::MessageBox::Request> m_messages;

    QString databasePath() const { return m_dir->filePath(QStringLiteral("quilvarden.MDB")); }

    template <typename T = QWidget> T* control(const QString& name) const
    {
        return m_window->findChild<T*>(name);
    }

    static bool isGrey(QRgb pixel, int level)
    {
        return qRed(pixel) == level && qGreen(pixel) == level && qBlue(pixel) == level;
    }

private Q_SLOTS:
    // A register opened is remembered: in the test's own settings.
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8()); }

    void init()
    {
        m_messages.clear();
        app::MessageBox::setHandler([this](const app::MessageBox::Request& request) {
            m_messages.append(request);
            return QMessageBox::Ok;
        });
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(testsupport::makeTestMeet(databasePath()));
        auto opened = app::openWindow(databasePath());
        QVERIFY2(opened, qPrintable(opened ? QString() : opened.failure().message()));
        m_window = std::move(opened).value();
        m_window->ensurePolished();
        const QList<QWidget*> children = m_window->findChildren<QWidget*>();
        for (QWidget* child : children)
            child->ensurePolished();
    }

    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
        app::MessageBox::setHandler({});
    }

    void windowIsFixedAndBlackCaptioned()
    {
        QCOMPARE(m_window->objectName(), QStringLiteral("frmIntroRes"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Introducción de Resultados"));
        QCOMPARE(m_window->size(), QSize(895, 707));
        QCOMPARE(m_window->minimumSize(), QSize(895, 707));
        QCOMPARE(m_window->maximumSize(), QSize(895, 707));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");

        // Positions and sizes in twips divided by 15 (one pixel at 96 dots per inch); a
        // right or bottom edge that falls between pixels goes to the nearer one.
        auto row = [](const char* name, const char* kind, const char* text, int x, int y, int w, int h) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromLatin1(kind)
                                << QString::fromUtf8(text) << QRect(x, y, w, h);
        };
        row("Label1(7)", "QLabel", "Club", 318, 0, 29, 14);
        row("Label1(10)", "QLabel", "Orde", 18, 0, 31, 14);
        row("Label1(11)", "QLabel", "Proba", 114, 0, 37, 14);
        row("Label1(14)", "QLabel", "Sexo", 240, 0, 31, 14);
        row("puntos", "QLineEdit", "", 468, 18, 139, 29);
        row("Label1(16)", "QLabel", "Puntos", 516, 0, 45, 14);
        row("club", "QListWidget", "", 318, 18, 145, 402);
        row("lista", "QListView", "", 12, 94, 302, 326);
        row("proba", "QLineEdit", "", 66, 18, 139, 29);
        row("sexo", "QLineEdit", "", 207, 18, 108, 29);
        row("orde", "QLineEdit", "", 13, 18, 51, 29);
        row("btnRecargar", "QPushButton", "Actualizar Lista", 66, 54, 157, 32);
        row("btnEngadir", "QPushButton", "Engadir", 468, 84, 139, 55);
        row("clas_mas", "QListView", "", 13, 430, 199, 274);  // 192 twips: 12.8 px
        row("clas_fem", "QListView", "", 211, 430, 199, 274); // 3168 twips: 211.2 px
        row("clas_con", "QListView", "", 410, 430, 199, 274); // 6144 twips: 409.6 px
        row("btnClasificacions", "QPushButton", "Clasificacions", 468, 346, 139, 74);
        row("paso", "QLineEdit", "1", 282, 54, 33, 24);
        row("Label1(0)", "QLabel", "Paso", 240, 60, 37, 14);
        row("min", "QLineEdit", "", 469, 190, 26, 19);
        row("seg", "QLineEdit", "", 501, 190, 26, 19);
        row("cen", "QLineEdit", "", 533, 190, 26, 19);
        row("totcen", "QLineEdit", "", 469, 216, 90, 19);
        row("btnTotCen", "QPushButton", "X", 565, 190, 39, 46);
        row("clas", "QPlainTextEdit", "", 612, 18, 276, 686);
        row("t_cen", "QLineEdit", "38", 533, 260, 26, 19);
        row("t_seg", "QLineEdit", "30", 501, 260, 26, 19);
        row("t_min", "QLineEdit", "", 469, 260, 26, 19);
        row("b_cen", "QLineEdit", "24", 533, 286, 26, 19);
        row("b_seg", "QLineEdit", "27", 501, 286, 26, 19);
        row("b_min", "QLineEdit", "", 469, 286, 26, 19);
        row("btnFina", "QPushButton", "X", 565, 260, 39, 71);
        row("ptos_fina", "QLineEdit", "", 469, 312, 90, 19);
        row("Label1(1)", "QLabel", "Puntos FINA", 469, 241, 81, 14);
        row("Label1(2)", "QLabel", "Marca Centesimas", 469, 171, 119, 14);
        row("btnOrdeMaisUn", "QPushButton", "+", 36, 54, 25, 32);
        row("btnOrdeMenosUn", "QPushButton", "-", 12, 54, 25, 32);
        row("btnMedioMenos", "QPushButton", "- 0,5", 468, 54, 67, 25);
        row("btnMedioMais", "QPushButton", "+ 0,5", 540, 54, 67, 25);
        row("btnDesfacerUltimo", "QPushButton", "Desfacer Último", 468, 144, 139, 25);
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);

        QWidget* widget = control(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
        QCOMPARE(widget->parentWidget(), m_window.get());
        QCOMPARE(widget->geometry(), geometry);
        QVERIFY(widget->isEnabled());
        if (auto* label = qobject_cast<QLabel*>(widget))
            QCOMPARE(label->text(), text);
        else if (auto* button = qobject_cast<QPushButton*>(widget))
            QCOMPARE(button->text(), text);
        else if (auto* field = qobject_cast<QLineEdit*>(widget))
            QCOMPARE(field->text(), text);
        else if (auto* multi = qobject_cast<QPlainTextEdit*>(widget))
            QCOMPARE(multi->toPlainText(), text);
    }

    // In Spanish every caption is whole. A caption the form's own size holds leaves its
    // control as it is (the short "+" and "X" too, however wide the style likes buttons); a
    // longer label grows to its right, from where the form puts it, over no other control.
    void spanishCaptionsWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("laidOut");
        QTest::addColumn<bool>("holds");
        auto row = [](const char* name, const char* text, QRect laidOut, bool holds) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(text) << laidOut << holds;
        };
        row("Label1(7)", "Club", {318, 0, 29, 14}, true);
        row("Label1(10)", "Orden", {18, 0, 31, 14}, false);
        row("Label1(11)", "Prueba", {114, 0, 37, 14}, false);
        row("Label1(2)", "Marca Centésimas", {469, 171, 119, 14}, false);
        row("btnRecargar", "Actualizar Lista", {66, 54, 157, 32}, true);
        row("btnEngadir", "Añadir", {468, 84, 139, 55}, true);
        row("btnClasificacions", "Clasificaciones", {468, 346, 139, 74}, true);
        row("btnDesfacerUltimo", "Deshacer Último", {468, 144, 139, 25}, true);
        row("btnOrdeMaisUn", "+", {36, 54, 25, 32}, true);
        row("btnTotCen", "X", {565, 190, 39, 46}, true);
        row("btnMedioMenos", "- 0,5", {468, 54, 67, 25}, true);
        row("lista", "", {12, 94, 302, 326}, true);
    }
    void spanishCaptionsWhole()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, laidOut);
        QFETCH(bool, holds);
        language::install(*qApp, language::Language::Spanish);
        auto opened = app::openWindow(databasePath());
        language::install(*qApp, language::Language::Galician);
        QVERIFY(opened);
        const QWidget* widget = (*opened)->findChild<QWidget*>(name);
        QVERIFY(widget);
        if (const auto* button = qobject_cast<const QPushButton*>(widget))
            QCOMPARE(button->text(), text);
        const QRect now = widget->geometry();
        if (holds) {
            QCOMPARE(now, laidOut);
            return;
        }
        const auto* label = qobject_cast<const QLabel*>(widget);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        QCOMPARE(QRect(now.topLeft(), QSize(laidOut.width(), now.height())), laidOut);
        QVERIFY2(now.width() >= label->sizeHint().width() - 2, qPrintable(QString::number(now.width())));
        const QList<QWidget*> others =
            (*opened)->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (const QWidget* other : others)
            QVERIFY2(other == widget || !other->geometry().intersects(now), qPrintable(other->objectName()));
    }

    void everyControlAccountedFor()
    {
        // Forty controls and the category box, hidden for a meet without categories: no stray
        // widget sits on the window.
        QCOMPARE(m_window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 41);
        QVERIFY(!control(QStringLiteral("cmbCategoria"))->isVisibleTo(m_window.get()));
        const QList<QLabel*> labels = m_window->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        QStringList names;
        for (const QLabel* label : labels) {
            names << label->objectName();
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("Label1(0)"), QStringLiteral("Label1(1)"),
                                     QStringLiteral("Label1(10)"), QStringLiteral("Label1(11)"),
                                     QStringLiteral("Label1(14)"), QStringLiteral("Label1(16)"),
                                     QStringLiteral("Label1(2)"), QStringLiteral("Label1(7)")}));
    }

    void fonts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");

        const char* courier12[] = {"puntos", "lista", "proba", "sexo", "orde", "paso"};
        for (const char* name : courier12)
            QTest::newRow(name) << QString::fromLatin1(name) << QStringLiteral("Courier New") << 12.0;
        const char* courier9[] = {"club",          "btnRecargar",   "btnEngadir",        "clas_mas",
                                  "clas_fem",      "clas_con",      "btnClasificacions", "clas",
                                  "btnOrdeMaisUn", "btnOrdeMenosUn"};
        for (const char* name : courier9)
            QTest::newRow(name) << QString::fromLatin1(name) << QStringLiteral("Courier New") << 9.75;
        const char* verdana[] = {"Label1(7)",  "Label1(10)", "Label1(11)", "Label1(14)",
                                 "Label1(16)", "Label1(0)",  "Label1(1)",  "Label1(2)"};
        for (const char* name : verdana)
            QTest::newRow(name) << QString::fromLatin1(name) << QStringLiteral("Verdana") << 9.75;
        const char* standard[] = {"min",       "seg",           "cen",          "totcen",
                                  "btnTotCen", "t_cen",         "t_seg",        "t_min",
                                  "b_cen",     "b_seg",         "b_min",        "btnFina",
                                  "ptos_fina", "btnMedioMenos", "btnMedioMais", "btnDesfacerUltimo"};
        for (const char* name : standard)
            QTest::newRow(name) << QString::fromLatin1(name) << QApplication::font().family()
                                << QApplication::font().pointSizeF();
    }

    void fonts()
    {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(double, points);

        const QWidget* widget = control(name);
        QVERIFY(widget);
        const QFont font = widget->font();
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        if (family == QStringLiteral("Courier New")) {
            // The columns of the results and standings line up only in a fixed-pitch face.
            const QFontInfo resolved(font);
            QVERIFY2(resolved.fixedPitch(), qPrintable(resolved.family()));
            const QFontMetrics metrics(font);
            QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiiiiiii")),
                     metrics.horizontalAdvance(QStringLiteral("MMMMMMMM")));
        }
    }

    void coloursAsDrawn()
    {
        const QImage image = m_window->grab().toImage();
        QCOMPARE(image.size(), QSize(895, 707));
        // The window itself, where no control lies.
        QVERIFY(isGrey(image.pixel(5, 600), 0));
        QVERIFY(isGrey(image.pixel(892, 350), 0));
        // Dark fields and lists: grey inside, one thin black line round them.
        for (const char* name : {"puntos", "proba", "club", "lista", "clas", "clas_con", "paso"}) {
            const QRect r = control(QString::fromLatin1(name))->geometry();
            QVERIFY2(isGrey(image.pixel(r.right() - 20, r.bottom() - 4), 64), name);
            QVERIFY2(isGrey(image.pixel(r.left(), r.center().y()), 0), name);
        }
        // Plain fields keep the toolkit's own field colour (right of the placeholder "m").
        const QColor base = control(QStringLiteral("min"))->palette().color(QPalette::Base);
        const QRect min = control(QStringLiteral("min"))->geometry();
        QCOMPARE(QColor(image.pixel(min.right() - 4, min.center().y())), base);
        // Captions: white letters straight on the black window.
        const QRect caption = control(QStringLiteral("Label1(2)"))->geometry();
        int white = 0;
        for (int x = caption.left(); x <= caption.right(); ++x) {
            for (int y = caption.top(); y <= caption.bottom(); ++y) {
                const QRgb pixel = image.pixel(x, y);
                QVERIFY(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
                white += qRed(pixel) > 200 ? 1 : 0;
            }
        }
        QVERIFY(white > 20);
        QCOMPARE(control(QStringLiteral("puntos"))->palette().color(QPalette::Text), QColor(224, 224, 224));
    }

    // The fixed layout has no room for headings: each list and calculator field says what it
    // is to a reader (drawn across an empty standings list) and to a screen reader.
    void controlsTellWhatTheyAre_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("told");
        QTest::newRow("men's standing") << "clas_mas"
                                        << "Clasificación masculina";
        QTest::newRow("women's standing") << "clas_fem"
                                          << "Clasificación feminina";
        QTest::newRow("combined standing") << "clas_con"
                                           << "Clasificación conxunta";
        QTest::newRow("swim time, minutes") << "t_min"
                                            << "Marca nadada: minutos";
        QTest::newRow("base time, hundredths") << "b_cen"
                                               << "Marca base: centésimas";
    }

    void controlsTellWhatTheyAre()
    {
        QFETCH(QString, name);
        QFETCH(QString, told);
        QWidget* widget = control(name);
        QCOMPARE(widget->accessibleName(), told);
        QCOMPARE(widget->toolTip(), told);
        auto* list = qobject_cast<QListView*>(widget);
        if (list == nullptr)
            return;
        const QImage image = list->viewport()->grab().toImage();
        int lettered = 0; // lighter than the list's dark grey: the hint's letters
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < image.width(); ++x)
                lettered += qGray(image.pixel(x, y)) > 100 ? 1 : 0;
        QVERIFY2(lettered > 20, qPrintable(name));
    }

    void listsAndFields()
    {
        QVERIFY(!control<QListWidget>(QStringLiteral("club"))->isSortingEnabled());
        for (const char* name : {"club", "lista", "clas_mas", "clas_fem", "clas_con"}) {
            auto* list = control<QListView>(QString::fromLatin1(name));
            QVERIFY(list);
            QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
            if (list != control(QStringLiteral("club")))
                QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        }
        const auto* clas = control<QPlainTextEdit>(QStringLiteral("clas"));
        QCOMPARE(clas->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(!clas->isReadOnly());
        const QList<QLineEdit*> fields = m_window->findChildren<QLineEdit*>();
        QCOMPARE(fields.size(), 16);
        for (const QLineEdit* field : fields) {
            QCOMPARE(field->maxLength(), std::numeric_limits<int>::max());
            QVERIFY(!field->isReadOnly());
        }
        // A long text is kept whole.
        auto* proba = control<QLineEdit>(QStringLiteral("proba"));
        proba->setText(QString(40000, QLatin1Char('x')));
        QCOMPARE(proba->text().size(), 40000);
    }

    void clubListFilledAtLoad()
    {
        const auto* club = control<QListWidget>(QStringLiteral("club"));
        QStringList items;
        for (int i = 0; i < club->count(); ++i)
            items << club->item(i)->text();
        QCOMPARE(items, (QStringList{QStringLiteral("CORUÑA"), QStringLiteral("LUGO"),
                                     QStringLiteral("O'GROVE"), QStringLiteral("VIGO")}));
        QVERIFY(club->selectedItems().isEmpty());
        for (const char* name : {"lista", "clas_mas", "clas_fem", "clas_con"})
            QCOMPARE(control<QListView>(QString::fromLatin1(name))->model()->rowCount(), 0);
    }

    void focusStartsInOrderAndTabGoesRound()
    {
        m_window->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QCOMPARE(QApplication::focusWidget(), control(QStringLiteral("orde")));

        // The scoring first (order, club, points, add), then the list, standings, calculators.
        const QStringList expected =
            QStringLiteral(
                "club puntos btnEngadir btnMedioMenos btnMedioMais paso btnDesfacerUltimo btnOrdeMenosUn "
                "btnOrdeMaisUn btnRecargar lista proba sexo btnClasificacions clas clas_mas clas_fem "
                "clas_con "
                "min seg cen btnTotCen totcen t_min t_seg t_cen b_min b_seg b_cen btnFina ptos_fina orde")
                .split(u' ');
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void opensCentred()
    {
        m_window->showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const QRect screen = m_window->screen()->availableGeometry();
        // Centred to within the width of the window's frame, which the platform adds.
        const QMargins frame(m_window->geometry().left() - m_window->frameGeometry().left(),
                             m_window->geometry().top() - m_window->frameGeometry().top(), 0, 0);
        const int slack = 1 + qMax(frame.left(), frame.top());
        QVERIFY(qAbs(m_window->geometry().center().x() - screen.center().x()) <= slack);
        QVERIFY(qAbs(m_window->geometry().center().y() - screen.center().y()) <= slack);
    }

    void failedStartUpShownAndNoWindow_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing file") << QStringLiteral("nowhere.MDB") << QStringLiteral("Erro 3024");
        QTest::newRow("Access file") << QStringLiteral(QUILVARDEN_FIXTURES_DIR "/meet.mdb")
                                     << QStringLiteral("Access");
    }

    void failedStartUpShownAndNoWindow()
    {
        QFETCH(QString, file);
        QFETCH(QString, says);
        const QString path = QFileInfo(file).isAbsolute() ? file : m_dir->filePath(file);
        std::unique_ptr<app::MainWindow> window;
        const int status =
            app::startUp({QStringLiteral("quilvarden"), QStringLiteral("--database"), path}, window);
        QCOMPARE(status, 1);
        QVERIFY(!window);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].icon, QMessageBox::Critical);
        QVERIFY2(m_messages[0].text.contains(path), qPrintable(m_messages[0].text));
        QVERIFY2(m_messages[0].text.contains(says), qPrintable(m_messages[0].text));
    }

    void startUpOpensTheWindow()
    {
        std::unique_ptr<app::MainWindow> window;
        const int status = app::startUp(
            {QStringLiteral("quilvarden"), QStringLiteral("--database"), databasePath()}, window);
        QCOMPARE(status, app::KeepRunning);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->findChild<QListWidget*>(QStringLiteral("club"))->count(), 4);
        QVERIFY(m_messages.isEmpty());
    }
};

QTEST_MAIN(TestFrmIntroRes)
#include "tst_frmintrores.moc"
