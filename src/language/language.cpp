#include "language.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quilvarden::language {

namespace {

const QString LongName = QStringLiteral("--lang");

const QString TranslatorName = QStringLiteral("quilvarden-language");

// One catalogue from a folder, installed when it is there.
void installCatalogue(QCoreApplication& app, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(&app);
    translator->setObjectName(TranslatorName);
    if (translator->load(name, folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

// The translators of a language installed before, which would be searched first.
void removeInstalled(QCoreApplication& app)
{
    const QList<QTranslator*> installed = app.findChildren<QTranslator*>(TranslatorName);
    for (QTranslator* translator : installed) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace

std::optional<Language> fromCode(const QString& code)
{
    if (code == u"gl")
        return Language::Galician;
    if (code == u"es")
        return Language::Spanish;
    return std::nullopt;
}

Language fromSystem(const QStringList& uiLanguages)
{
    if (uiLanguages.isEmpty())
        return Language::Galician;
    const QString first = uiLanguages.first();
    return first == u"es" || first.startsWith(u"es-") || first.startsWith(u"es_") ? Language::Spanish
                                                                                  : Language::Galician;
}

Choice choose(const QStringList& arguments, const QStringList& uiLanguages)
{
    for (qsizetype i = 0; i < arguments.size() && arguments[i] != u"--"; ++i) {
        const QString& argument = arguments[i];
        std::optional<QString> value;
        if (argument == LongName)
            value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
        else if (argument.startsWith(LongName + u'='))
            value = argument.mid(LongName.size() + 1);
        if (!value)
            continue;
        if (const std::optional<Language> chosen = fromCode(*value))
            return {*chosen, false, {}};
        return {fromSystem(uiLanguages), true, *value};
    }
    return {fromSystem(uiLanguages), false, {}};
}

QStringList withoutLanguageOption(const QStringList& arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == u"--") {
            kept += arguments.mid(i);
            break;
        }
        if (arguments[i] == LongName)
            ++i; // its value too
        else if (!arguments[i].startsWith(LongName + u'='))
            kept << arguments[i];
    }
    return kept;
}

void install(QCoreApplication& app, Language language)
{
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString ownFolder = QStringLiteral(":/i18n");
    removeInstalled(app);
    // The last installed is searched first: Qt's Spanish under the older Galician one, and
    // the program's own Galician for the Qt 6 texts that one lacks above both.
    installCatalogue(app, QStringLiteral("qtbase_es"), qtFolder);
    if (language == Language::Galician) {
        installCatalogue(app, QStringLiteral("qt_gl"), qtFolder);
        installCatalogue(app, QStringLiteral("qt_gl_overlay"), ownFolder);
    } else {
        installCatalogue(app, QStringLiteral("quilvarden_es"), ownFolder);
    }
}

Language installed(const QCoreApplication& app)
{
    const QList<QTranslator*> translators = app.findChildren<QTranslator*>(TranslatorName);
    for (const QTranslator* translator : translators)
        if (QFileInfo(translator->filePath()).fileName() == u"quilvarden_es.qm")
            return Language::Spanish;
    return Language::Galician;
}

Choice setUp(QCoreApplication& app, const QStringList& arguments)
{
    const Choice choice = choose(arguments, QLocale::system().uiLanguages());
    install(app, choice.language);
    return choice;
}

QString optionName()
{
    return QStringLiteral("lang");
}

QString optionValueName()
{
    return QCoreApplication::translate("Language", "LINGUA");
}

QString optionDescription()
{
    return QCoreApplication::translate("Language",
                                       "a lingua das mensaxes: gl (galego) ou es (castelán); sen ela, a "
                                       "do sistema");
}

QString wrongValueText(const QString& value)
{
    return value.isEmpty()
               ? QCoreApplication::translate("Language",
                                             "falta o valor de --lang: gl (galego) ou es (castelán)")
               : QCoreApplication::translate("Language",
                                             "--lang quere gl (galego) ou es (castelán), non «%1»")
                     .arg(value);
}

} // namespace quilvarden::language
