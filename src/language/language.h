#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

// The language the programs speak to the operator. Galician is the program's own (its texts
// are written in it); Spanish comes from translations/quilvarden_es.ts. Qt's own texts (the
// buttons of a message box, a text box's menu, the file dialog) follow. Numbers keep the
// program's own rules whatever the language.
namespace quilvarden::language {

enum class Language { Galician, Spanish };

// "gl" or "es"; nothing for any other code.
std::optional<Language> fromCode(const QString& code);

// The user's first language when it is Spanish (es, es_ES, es-MX…), else Galician.
Language fromSystem(const QStringList& uiLanguages);

// What --lang asks for. Given and wrong: its value (empty when it has none).
struct Choice {
    Language language = Language::Galician;
    bool wrong = false;
    QString value;
};

// --lang CODE or --lang=CODE anywhere before "--"; without it, the system's language.
Choice choose(const QStringList& arguments, const QStringList& uiLanguages);

// The arguments without --lang and its value, for a parser that does not know it.
QStringList withoutLanguageOption(const QStringList& arguments);

// Installs the translators of the language (children of app) in place of those of a language
// installed before. Qt's catalogues are looked for where Qt keeps them; without them Qt's texts stay
// in English.
void install(QCoreApplication& app, Language language);

// The language whose catalogue install() put in place last: Spanish when the program's own
// Spanish catalogue is installed, else Galician.
Language installed(const QCoreApplication& app);

// Chooses from the arguments and the system and installs it; a wrong --lang installs the
// system's language, in which the mistake is told.
Choice setUp(QCoreApplication& app, const QStringList& arguments);

// The option as the help shows it, and what a wrong value gets told.
QString optionName();
QString optionValueName();
QString optionDescription();
QString wrongValueText(const QString& value);

} // namespace quilvarden::language
