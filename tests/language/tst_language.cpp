#include "app/mainwindow.h"
#include "language/language.h"
#include "live/pages.h"
#include "support/toolrun.h"
#include "text/systemerror.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cerrno>

using namespace quilvarden;
using namespace Qt::StringLiterals;

namespace {

// The environment of a user whose system speaks in these variables, nothing else of the
// test's own (ctest sets LC_ALL=C.UTF-8).
QProcessEnvironment systemSpeaking(const QStringList& variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    for (const QString& variable : variables)
        environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    return environment;
}

// The %1…%99 a text holds, each once.
QStringList placeholders(const QString& text)
{
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression(u"%\\d+"_s).globalMatch(text))
        if (!found.contains(match.captured()))
            found << match.captured();
    found.sort();
    return found;
}

// The HTML tags of a text, in order, and how many mnemonics ("&" before a letter) it has.
QStringList tags(const QString& text)
{
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression(u"<[^>]*>"_s).globalMatch(text))
        found << match.captured();
    return found;
}
qsizetype mnemonics(const QString& text)
{
    return text.count(QRegularExpression(u"&\\w"_s));
}

QStringList textsOf(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions)
        if (!action->isSeparator())
            texts << action->text();
    return texts;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { language::install(*qApp, language::Language::Galician); }

    // A wrong option's line tells which language quilvarden-db chose.
    void toolSpeaksTheChosenLanguage_data()
    {
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        const QString galician = u"quilvarden-db standings: opción descoñecida: --frob"_s;
        const QString spanish = u"quilvarden-db standings: opción desconocida: --frob"_s;
        const QStringList frob{u"standings"_s, u"--frob"_s};
        QTest::newRow("galician system") << QStringList{u"LANG=gl_ES.UTF-8"_s} << frob << galician;
        QTest::newRow("LANGUAGE galician before spanish")
            << QStringList{u"LANGUAGE=gl:es"_s, u"LANG=es_ES.UTF-8"_s} << frob << galician;
        QTest::newRow("spanish system") << QStringList{u"LANG=es_ES.UTF-8"_s} << frob << spanish;
        QTest::newRow("mexican spanish") << QStringList{u"LANG=es_MX.UTF-8"_s} << frob << spanish;
        QTest::newRow("english system: galician") << QStringList{u"LANG=en_US.UTF-8"_s} << frob << galician;
        QTest::newRow("no language at all: galician") << QStringList{} << frob << galician;
        QTest::newRow("--lang es over a galician system")
            << QStringList{u"LANG=gl_ES.UTF-8"_s} << QStringList{u"--lang"_s, u"es"_s} + frob << spanish;
        QTest::newRow("--lang=gl after the command, over a spanish system")
            << QStringList{u"LANG=es_ES.UTF-8"_s} << frob + QStringList{u"--lang=gl"_s} << galician;
    }
    void toolSpeaksTheChosenLanguage()
    {
        QFETCH(QStringList, system);
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        const testsupport::ToolRun run = testsupport::runTool(arguments, {}, systemSpeaking(system));
        QCOMPARE(run.status, 2);
        QCOMPARE(run.errors.split(u'\n').first(), line);
    }

    void wrongLanguageIsAWrongArgument_data()
    {
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        const QString galicianHelp = u"\nPara máis axuda: quilvarden-db --help\n"_s;
        QTest::newRow("unknown code, galician system")
            << QStringList{} << QStringList{u"--lang"_s, u"xx"_s, u"create"_s, u"a.db"_s}
            << u"quilvarden-db: --lang quere gl (galego) ou es (castelán), non «xx»"_s + galicianHelp;
        QTest::newRow("unknown code, spanish system")
            << QStringList{u"LANG=es_ES.UTF-8"_s} << QStringList{u"--lang=en"_s}
            << u"quilvarden-db: --lang admite gl (gallego) o es (castellano), no «en»\n"
               u"Para más ayuda: quilvarden-db --help\n"_s;
        QTest::newRow("no value")
            << QStringList{} << QStringList{u"standings"_s, u"--lang"_s}
            << u"quilvarden-db: falta o valor de --lang: gl (galego) ou es (castelán)"_s + galicianHelp;
    }
    void wrongLanguageIsAWrongArgument()
    {
        QFETCH(QStringList, system);
        QFETCH(QStringList, arguments);
        QFETCH(QString, told);
        const testsupport::ToolRun run = testsupport::runTool(arguments, {}, systemSpeaking(system));
        QCOMPARE(run.status, 2);
        QCOMPARE(run.errors, told);
    }

    // The window's program chooses the same way, before its parser speaks.
    void windowProgramSpeaksTheChosenLanguage_data()
    {
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        QTest::newRow("galician system") << QStringList{u"LANG=gl_ES.UTF-8"_s} << QStringList{u"--frob"_s}
                                         << u"Opción descoñecida «frob»."_s;
        QTest::newRow("spanish system") << QStringList{u"LANG=es_ES.UTF-8"_s} << QStringList{u"--frob"_s}
                                        << u"Opción desconocida «frob»."_s;
        QTest::newRow("--lang gl over a spanish system")
            << QStringList{u"LANG=es_ES.UTF-8"_s} << QStringList{u"--frob"_s, u"--lang"_s, u"gl"_s}
            << u"Opción descoñecida «frob»."_s;
        QTest::newRow("unknown code") << QStringList{} << QStringList{u"--lang=xx"_s}
                                      << u"--lang quere gl (galego) ou es (castelán), non «xx»"_s;
    }
    void windowProgramSpeaksTheChosenLanguage()
    {
        QFETCH(QStringList, system);
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        QProcess program;
        program.setProcessEnvironment(systemSpeaking(system + QStringList{u"QT_QPA_PLATFORM=offscreen"_s}));
        program.start(QStringLiteral(QUILVARDEN_BIN_DIR "/quilvarden"), arguments);
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 2);
        const QStringList told = QString::fromUtf8(program.readAllStandardError()).split(u'\n');
        QVERIFY2(told.contains(line), qPrintable(told.join(u'\n')));
    }

    // A broken Lenex file: the program's words and Qt's XML reader's in one line.
    void importMistakeInTheChosenLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("line");
        QTest::newRow("galician") << u"gl"_s
                                  << u"broken.lef: non é XML válido, ou está cortado (liña 2, columna 21): "
                                     u"As etiquetas de apertura e peche está desemparelladas."_s;
        QTest::newRow("spanish") << u"es"_s
                                 << u"broken.lef: no es XML válido, o está cortado (línea 2, columna 21): "
                                    u"Las etiquetas de apertura y cierre no coinciden."_s;
    }
    void importMistakeInTheChosenLanguage()
    {
        QFETCH(QString, code);
        QFETCH(QString, line);
        QTemporaryDir dir;
        QFile broken(dir.filePath(u"broken.lef"_s));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("<?xml version=\"1.0\"?>\n<LENEX><MEET></LENEX>");
        broken.close();
        const testsupport::ToolRun run = testsupport::runTool(
            {u"--lang"_s, code, u"import-lenex"_s, u"broken.lef"_s, u"meet.db"_s}, dir.path());
        QCOMPARE(run.status, 1);
        QCOMPARE(run.errors.split(u'\n').value(1), line);
        QVERIFY(!QFile::exists(dir.filePath(u"meet.db"_s)));
    }

    // A rules file with a word its key does not take: the words it takes, joined in the language.
    void rulesMistakeInTheChosenLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("line");
        QTest::newRow("galician") << u"gl"_s << u"«ties» ha de ser share ou full."_s;
        QTest::newRow("spanish") << u"es"_s << u"«ties» ha de ser share o full."_s;
    }
    void rulesMistakeInTheChosenLanguage()
    {
        QFETCH(QString, code);
        QFETCH(QString, line);
        QTemporaryDir dir;
        QFile wrong(dir.filePath(u"rules.json"_s));
        QVERIFY(wrong.open(QIODevice::WriteOnly));
        wrong.write(R"({"individual": [9, 7], "ties": "even"})");
        wrong.close();
        const testsupport::ToolRun run = testsupport::runTool(
            {u"--lang"_s, code, u"rules"_s, u"meet.db"_s, u"--from"_s, u"rules.json"_s}, dir.path());
        QCOMPARE(run.status, 1);
        QCOMPARE(run.errors.split(u'\n').value(1), line);
        QVERIFY(!QFile::exists(dir.filePath(u"meet.db"_s)));
    }

    void languageOptionLeftOutForTheCommand()
    {
        QCOMPARE(language::withoutLanguageOption(
                     {u"--lang"_s, u"es"_s, u"standings"_s, u"--lang=gl"_s, u"a"_s, u"--"_s, u"--lang"_s}),
                 (QStringList{u"standings"_s, u"a"_s, u"--"_s, u"--lang"_s}));
    }

    // Qt's own texts: the buttons of a message box, a text box's menu, the parser's errors
    // and an XML reader's, as the operator meets them.
    void qtTextsInTheChosenLanguage_data()
    {
        QTest::addColumn<language::Language>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("galician") << language::Language::Galician
                                  << QStringList{u"&Si"_s, u"&Non"_s, u"&Desfacer"_s,
                                                 u"Opción descoñecida «frob»."_s,
                                                 u"As etiquetas de apertura e peche está desemparelladas."_s};
        QTest::newRow("spanish") << language::Language::Spanish
                                 << QStringList{u"&Sí"_s, u"&No"_s, u"&Deshacer"_s,
                                                u"Opción desconocida «frob»."_s,
                                                u"Las etiquetas de apertura y cierre no coinciden."_s};
    }
    void qtTextsInTheChosenLanguage()
    {
        QFETCH(language::Language, language);
        QFETCH(QStringList, texts);
        language::install(*qApp, language);
        QMessageBox box(QMessageBox::Question, u"t"_s, u"?"_s, QMessageBox::Yes | QMessageBox::No);
        QLineEdit edit;
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QCommandLineParser parser;
        QVERIFY(!parser.parse({u"quilvarden"_s, u"--frob"_s}));
        QXmlStreamReader xml(u"<a></b>"_s);
        while (!xml.atEnd())
            xml.readNext();
        QCOMPARE((QStringList{box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text(),
                              menu->actions().first()->text().section(u'\t', 0, 0), parser.errorText(),
                              xml.errorString()}),
                 texts);
    }

    // The window's menus, some of their actions and Qt's standard buttons of a dialog.
    void windowInTheChosenLanguage_data()
    {
        QTest::addColumn<language::Language>("language");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QStringList>("registerMenu");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("galician") << language::Language::Galician
                                  << QStringList{u"&Rexistro"_s, u"R&esultados"_s, u"&Clasificacións"_s,
                                                 u"A&xuda"_s}
                                  << QStringList{u"&Novo co programa do campionato…"_s,
                                                 u"Novo &baleiro…"_s,
                                                 u"Novo co campionato de &exemplo…"_s,
                                                 u"&Abrir…"_s,
                                                 u"Abrir nun &servidor…"_s,
                                                 u"&Importar o programa do campionato…"_s,
                                                 u"Re&gras do campionato…"_s,
                                                 u"&Categorías do campionato…"_s,
                                                 u"Saí&r"_s}
                                  << QStringList{u"Aceptar"_s, u"Cancelar"_s, u"Gardar"_s};
        QTest::newRow("spanish") << language::Language::Spanish
                                 << QStringList{u"&Registro"_s, u"R&esultados"_s, u"&Clasificaciones"_s,
                                                u"A&yuda"_s}
                                 << QStringList{u"&Nuevo con el programa del campeonato…"_s,
                                                u"Nuevo &vacío…"_s,
                                                u"Nuevo con el campeonato de &ejemplo…"_s,
                                                u"&Abrir…"_s,
                                                u"Abrir en un &servidor…"_s,
                                                u"&Importar el programa del campeonato…"_s,
                                                u"Re&glas del campeonato…"_s,
                                                u"&Categorías del campeonato…"_s,
                                                u"Sali&r"_s}
                                 << QStringList{u"Aceptar"_s, u"Cancelar"_s, u"Guardar"_s};
    }
    void windowInTheChosenLanguage()
    {
        QFETCH(language::Language, language);
        QFETCH(QStringList, menus);
        QFETCH(QStringList, registerMenu);
        QFETCH(QStringList, buttons);
        language::install(*qApp, language);
        const app::MainWindow window;
        QCOMPARE(textsOf(window.menuBar()->actions()), menus);
        QCOMPARE(textsOf(window.menuBar()->actions().first()->menu()->actions()), registerMenu);
        const QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE((QStringList{box.button(QDialogButtonBox::Ok)->text(),
                              box.button(QDialogButtonBox::Cancel)->text(),
                              box.button(QDialogButtonBox::Save)->text()}),
                 buttons);
    }

    // The live phone page's own words; the anchors its links jump to stay.
    void livePageInTheChosenLanguage_data()
    {
        QTest::addColumn<language::Language>("language");
        QTest::addColumn<QStringList>("fragments");
        QTest::newRow("galician") << language::Language::Galician
                                  << QStringList{u"<html lang=\"gl\">"_s,
                                                 u"<title>Clasificacións en directo</title>"_s,
                                                 u"<a href=\"#feminina\">Feminina</a>"_s,
                                                 u"<p>Descargar: <a href=\"/standings.pdf\">PDF</a>"_s};
        QTest::newRow("spanish")
            << language::Language::Spanish
            << QStringList{u"<html lang=\"es\">"_s, u"<title>Clasificaciones en directo</title>"_s,
                           u"<a href=\"#feminina\">Femenina</a> <a href=\"#conxunta\">Conjunta</a>"_s,
                           u"role=\"status\">Reconectando…</p>"_s,
                           u"<a href=\"/board\">Pantalla grande</a>"_s};
    }
    void livePageInTheChosenLanguage()
    {
        QFETCH(language::Language, language);
        QFETCH(QStringList, fragments);
        language::install(*qApp, language);
        const QString page = QString::fromUtf8(live::pageHtml(QString(), false));
        for (const QString& fragment : fragments)
            QVERIFY2(page.contains(fragment), qPrintable(fragment));
    }

    // quilvarden-db's own help tells of --lang, in the language it speaks.
    void toolHelpTellsTheLanguageOption_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("usage");
        QTest::addColumn<QString>("option");
        QTest::newRow("galician")
            << u"gl"_s << u"Uso: quilvarden-db ORDE [opcións] ARGUMENTOS"_s
            << u"--lang LINGUA a lingua das mensaxes: gl (galego) ou es (castelán); sen "
               u"ela, a do sistema"_s;
        QTest::newRow("spanish")
            << u"es"_s << u"Uso: quilvarden-db ORDEN [opciones] ARGUMENTOS"_s
            << u"--lang IDIOMA el idioma de los mensajes: gl (gallego) o es (castellano); "
               u"sin él, el del sistema"_s;
    }
    void toolHelpTellsTheLanguageOption()
    {
        QFETCH(QString, code);
        QFETCH(QString, usage);
        QFETCH(QString, option);
        const testsupport::ToolRun run = testsupport::runTool({u"--lang"_s, code, u"--help"_s});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.output.section(u'\n', 0, 0), usage);
        // The option's row, its description wrapped or not, up to the paragraph after the options.
        const qsizetype start = run.output.indexOf(u"  --lang"_s);
        QVERIFY2(start > 0, qPrintable(run.output));
        const qsizetype end = run.output.indexOf(u"\n\n"_s, start);
        QCOMPARE(run.output.mid(start, end < 0 ? -1 : end - start).simplified(), option);
    }

    void cLibraryDetails_data()
    {
        QTest::addColumn<language::Language>("language");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("told");
        QTest::newRow("galician") << language::Language::Galician << u"No such file or directory"_s
                                  << u"Non existe o ficheiro ou o cartafol"_s;
        QTest::newRow("spanish") << language::Language::Spanish << u"No space left on device"_s
                                 << u"No queda espacio en el dispositivo"_s;
        QTest::newRow("unknown text as it is")
            << language::Language::Galician << u"Something new"_s << u"Something new"_s;
    }
    void cLibraryDetails()
    {
        QFETCH(language::Language, language);
        QFETCH(QString, english);
        QFETCH(QString, told);
        language::install(*qApp, language);
        QCOMPARE(systemErrorText(english), told);
    }

    void cLibraryDetailByNumberWhateverTheLocale()
    {
        QCOMPARE(systemErrorText(EROFS), u"O sistema de ficheiros só se pode ler"_s);
    }

    // Every text translated, with the same placeholders as its source and its spaces and
    // line breaks at the ends kept.
    void cataloguesComplete_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("spanish") << u"quilvarden_es.ts"_s;
        QTest::newRow("qt's galician overlay") << u"qt_gl_overlay.ts"_s;
    }
    void cataloguesComplete()
    {
        QFETCH(QString, file);
        QFile ts(QStringLiteral(QUILVARDEN_TRANSLATIONS_DIR) + u'/' + file);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        int messages = 0;
        QString source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"source") {
                source = xml.readElementText();
            } else if (xml.name() == u"translation") {
                QVERIFY2(!xml.attributes().hasAttribute(u"type"_s), qPrintable(source));
                const QString translation = xml.readElementText();
                QVERIFY2(!translation.isEmpty(), qPrintable(source));
                QCOMPARE(placeholders(translation), placeholders(source));
                QCOMPARE(translation.count(u'\n'), source.count(u'\n'));
                QCOMPARE(translation.startsWith(u' '), source.startsWith(u' '));
                QCOMPARE(translation.endsWith(u' '), source.endsWith(u' '));
                QCOMPARE(mnemonics(translation), mnemonics(source));
                QCOMPARE(tags(translation), tags(source));
                ++messages;
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 20);
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
