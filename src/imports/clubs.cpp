#include "clubs.h"

#include "text/names.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <optional>

namespace quilvarden::imports {

using text::cleanName;
using text::foldName;

namespace {

constexpr qsizetype ShortNameLength = 8;

QList<uint> codePointsOf(const QString& text)
{
    return text.toUcs4();
}

bool fits(const QString& name)
{
    return !name.isEmpty() && text::characterCount(name) <= ShortNameLength;
}

// A cut of a name that ends as a name ends: no quote or bracket left open, no stop or dash
// at either end (a cut name "СДЮШОР \"Смена\"" gives СДЮШОР, not СДЮШОР ").
QString cutName(const QString& name, qsizetype places = ShortNameLength)
{
    static const QList<std::pair<char32_t, char32_t>> pairs = {
        {U'"', U'"'},   {U'«', U'»'}, {U'“', U'”'}, {U'„', U'“'}, {U'‹', U'›'},  {U'「', U'」'},
        {U'『', U'』'}, {U'(', U')'}, {U'[', U']'}, {U'{', U'}'}, {U'\'', U'\''}};
    QList<uint> points = text::firstCharacters(name, places).toUcs4();
    const auto count = [&points](char32_t c) { return points.count(uint(c)); };
    // A quote or bracket stays where its partner is in the cut too.
    const auto paired = [&](uint c, bool closing) {
        for (const auto& [open, close] : pairs)
            if (c == (closing ? close : open))
                return open == close ? count(open) >= 2 : count(closing ? open : close) > 0;
        return false;
    };
    const auto keeps = [](uint c) {
        return QChar::isLetterOrNumber(c) || QChar::category(c) == QChar::Mark_NonSpacing;
    };
    while (!points.isEmpty() && !keeps(points.back()) && !paired(points.back(), true))
        points.removeLast();
    while (!points.isEmpty() && !keeps(points.front()) && !paired(points.front(), false))
        points.removeFirst();
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size());
}

// Words that most club names share in the languages of the meets seen so far. Only a hint:
// what really tells a word is generic is that several clubs of the meet have it.
bool isGenericWord(const QString& folded)
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const QString& word :
             QStringLiteral(
                 "club clube klub natacion natation natacao natacio nuoto swimming swim swimmers "
                 "swimclub masters team aquatic aquatics sport sports sportif sportiva deportivo "
                 "nautico real schwimmverein schwimmclub schwimmklub schwimmen schwimmsport "
                 "schwimmgemeinschaft verein wassersport zwemclub zwemvereniging simklubb uimaseura "
                 "plywacki societa asd ssd клуб плавания плаванию спорта спортивный спортивная школа")
                 .split(u' '))
            set.insert(foldName(word));
        return set;
    }();
    return words.contains(folded);
}

struct Word {
    QString text;
    QString folded;
    qsizetype position = 0; // from the end of the name: 0 is the last word
    qsizetype letters = 0;
    bool quoted = false;
    bool fromName = false;     // of the full name, not of the file's short name
    bool startsSmall = false;  // a small word in a name that capitalises (of, von, спорта)
    bool abbreviation = false; // a few capitals in a name that has small letters too (SV, TSV)
};

QList<Word> wordsOf(const QString& name)
{
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{M}\\p{N}'’-]+"));
    // The club's own name often stands in quotes: «Дельфин», "Sirena", „Delphin“.
    static const QRegularExpression quotes(QStringLiteral("[«\"“„「『‹]([^«»\"“”„「」『』‹›]+)[»\"”“」』›]"));
    QSet<QString> quoted;
    for (auto match = quotes.globalMatch(name); match.hasNext();)
        for (const QString& word : match.next().captured(1).split(separators, Qt::SkipEmptyParts))
            quoted.insert(foldName(word));

    bool hasSmall = false;
    bool hasCapital = false;
    for (const QChar c : name) {
        hasSmall = hasSmall || c.isLower();
        hasCapital = hasCapital || c.isUpper();
    }
    QList<Word> words;
    for (QString text : name.split(separators, Qt::SkipEmptyParts)) {
        while (!text.isEmpty() && (text.front() == u'-' || text.front() == u'\'' || text.front() == u'’'))
            text.remove(0, 1);
        while (!text.isEmpty() && (text.back() == u'-' || text.back() == u'\'' || text.back() == u'’'))
            text.chop(1);
        if (text.isEmpty())
            continue;
        Word word;
        word.text = text;
        word.folded = foldName(text);
        word.quoted = quoted.contains(word.folded);
        bool small = false;
        bool capital = false;
        std::optional<bool> firstSmall;
        for (const uint c : codePointsOf(text)) {
            if (!QChar::isLetter(c))
                continue;
            ++word.letters;
            if (!firstSmall)
                firstSmall = QChar::isLower(c);
            small = small || QChar::isLower(c);
            capital = capital || QChar::isUpper(c);
        }
        word.startsSmall = hasCapital && firstSmall.value_or(false);
        word.abbreviation = hasSmall && capital && !small && word.letters <= 4;
        words.append(word);
    }
    for (qsizetype i = 0; i < words.size(); ++i)
        words[i].position = words.size() - 1 - i;
    return words;
}

// An incoming club and what the names of the meet make of it.
struct Incoming {
    FileClub file;
    QString fileShortName; // cleaned
    QList<Word> words;     // of the file's short name, then of the name
    std::optional<qsizetype> registered;
    QString shortName;
    QString code;
    QString codeReason;
    QString shortNameReason;
    QStringList notes;
};

QString displayName(const FileClub& club)
{
    if (!club.name.isEmpty())
        return club.name;
    if (!club.code.isEmpty())
        return club.code;
    return club.shortName;
}

// The short names a club could have, the best first.
struct Choices {
    QStringList telling; // words that name this club alone
    QStringList all;     // every choice, telling ones included
};

// What tells a group apart from the others of its school or club when no word of its name
// names it alone: its own short words (letters and numbers: 5А, II, 2), after the best of the
// words it shares, cut to make room: "Гродн 5А". Empty when it has no such part.
template <typename Ranked>
QString groupName(const Incoming& club, const QHash<QString, int>& clubsWithWord, const Ranked& ranked)
{
    QStringList own;
    QSet<QString> seen;
    for (const Word& word : club.words) {
        const bool naming = word.letters >= 3 && !word.startsSmall && !isGenericWord(word.folded);
        if (naming || seen.contains(word.folded) || clubsWithWord.value(word.folded) != 1)
            continue;
        seen.insert(word.folded);
        own << word.text;
    }
    const QString part = own.join(u' ');
    if (own.isEmpty() || text::characterCount(part) > ShortNameLength - 2)
        return {};
    const QList<Word> shared =
        ranked([&](const Word& w) { return w.letters >= 3 && !seen.contains(w.folded); });
    if (shared.isEmpty())
        return part;
    const QString base = cutName(shared.first().text, ShortNameLength - 1 - text::characterCount(part));
    return base.isEmpty() ? part : base + u' ' + part;
}

Choices choicesFor(const Incoming& club, const QHash<QString, int>& clubsWithWord,
                   const QHash<QString, int>& clubsWithCode)
{
    Choices choices;
    QSet<QString> seen;
    const auto add = [&seen](QStringList& list, const QString& candidate) {
        if (candidate.isEmpty() || seen.contains(foldName(candidate)))
            return;
        seen.insert(foldName(candidate));
        list << candidate;
    };
    // A word worth naming a club by: not a small word, not one that clubs everywhere have.
    const auto naming = [](const Word& word) {
        return word.letters >= 3 && !word.startsSmall && !isGenericWord(word.folded);
    };
    // The club's own word in quotes first, then the words of the file's short name, then
    // the town, which usually closes the name; an abbreviation (SV, TSV) after the words.
    const auto ranked = [&club](auto keep) {
        QList<Word> words;
        for (const Word& word : club.words)
            if (keep(word))
                words << word;
        std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
            return std::tuple(!a.quoted, a.fromName, a.abbreviation, a.position) <
                   std::tuple(!b.quoted, b.fromName, b.abbreviation, b.position);
        });
        return words;
    };

    if (fits(club.fileShortName))
        add(choices.all, club.fileShortName);
    for (const Word& word :
         ranked([&](const Word& w) { return naming(w) && clubsWithWord.value(w.folded) <= 1; }))
        add(choices.telling, cutName(word.text));
    // Groups of one school or club whose names differ only in a short part of their own (the
    // classes 5А and 5Б, the teams I and II): that part, after a word they share.
    if (choices.telling.isEmpty())
        add(choices.telling, groupName(club, clubsWithWord, ranked));
    choices.all += choices.telling;
    // Words that other clubs of the meet have too: each names only the first club to want it.
    for (const Word& word :
         ranked([&](const Word& w) { return naming(w) && clubsWithWord.value(w.folded) > 1; }))
        add(choices.all, cutName(word.text));

    const QString name = cleanName(club.file.name);
    if (fits(name))
        add(choices.all, name);
    qsizetype codeLetters = 0;
    for (const uint c : codePointsOf(club.file.code))
        codeLetters += QChar::isLetter(c) ? 1 : 0;
    if (fits(club.file.code) && codeLetters >= 2 && clubsWithCode.value(foldName(club.file.code)) <= 1)
        add(choices.all, club.file.code);
    QString initials;
    qsizetype initialCount = 0;
    for (const QString& word : name.split(u' ', Qt::SkipEmptyParts)) {
        for (const uint c : codePointsOf(word)) {
            if (QChar::isLetter(c)) {
                initials += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1).toUpper();
                ++initialCount;
                break;
            }
        }
    }
    if (initialCount >= 2)
        add(choices.all, cutName(initials));

    // The rest: generic words, then small ones.
    for (const Word& word : ranked([](const Word& w) { return w.letters >= 3 && !w.startsSmall; }))
        add(choices.all, cutName(word.text));
    for (const Word& word : ranked([](const Word& w) { return w.letters >= 3; }))
        add(choices.all, cutName(word.text));
    add(choices.all, cutName(club.fileShortName));
    add(choices.all, cutName(name));
    add(choices.all, cutName(club.file.code));
    if (choices.all.isEmpty())
        choices.all << QStringLiteral("Club");
    return choices;
}

} // namespace

QList<std::optional<qsizetype>> findRegisteredClubs(const QList<FileClub>& clubs,
                                                    const QList<data::MeetClub>& registered)
{
    // The clubs of the file as assignClubs cleans them: a club with a short name only goes
    // by it.
    QList<FileClub> incoming;
    QHash<QString, int> clubsWithCode;
    for (const FileClub& club : clubs) {
        FileClub in = club;
        in.id = cleanName(club.id);
        in.code = cleanName(club.code);
        in.name = cleanName(club.name);
        if (in.name.isEmpty())
            in.name = cleanName(club.shortName);
        if (!in.code.isEmpty())
            ++clubsWithCode[foldName(in.code)];
        incoming << in;
    }
    QList<std::optional<qsizetype>> found(incoming.size());
    QList<bool> claimed(registered.size(), false);
    // The code the file gave; a register filled before codes were kept has only CLUBCODE.
    const auto sourceCode = [](const data::MeetClub& club) {
        return (club.sourceCode.isNull() ? club.code : club.sourceCode).toString();
    };
    // Two clubs that both have a file id, and not the same one, are two clubs whatever else
    // they share (a club that left the meet and a newcomer under the same code "0").
    const auto sameIdOrNone = [&](const FileClub& in, const data::MeetClub& r) {
        const QString id = foldName(r.sourceId.toString());
        return in.id.isEmpty() || id.isEmpty() || foldName(in.id) == id;
    };
    const auto matchBy = [&](auto registeredKey, auto incomingKey) {
        QHash<QString, QList<qsizetype>> waitingFor;
        for (qsizetype r = 0; r < registered.size(); ++r)
            if (!claimed[r])
                if (const QString key = registeredKey(registered[r]); !key.isEmpty())
                    waitingFor[key] << r;
        for (qsizetype i = 0; i < incoming.size(); ++i) {
            if (found[i])
                continue;
            const QString key = incomingKey(incoming[i]);
            auto waiting = waitingFor.find(key);
            if (key.isEmpty() || waiting == waitingFor.end())
                continue;
            const auto match = std::find_if(waiting->begin(), waiting->end(), [&](qsizetype r) {
                return sameIdOrNone(incoming[i], registered[r]);
            });
            if (match == waiting->end())
                continue;
            found[i] = *match;
            waiting->erase(match);
            claimed[*found[i]] = true;
        }
    };
    {
        // An id identifies a club only where no other club has it, on either side.
        QHash<QString, int> ids;
        for (const data::MeetClub& r : registered)
            ++ids[QStringLiteral("r") + foldName(r.sourceId.toString())];
        for (const FileClub& in : incoming)
            ++ids[QStringLiteral("f") + foldName(in.id)];
        matchBy(
            [&](const data::MeetClub& r) {
                const QString id = foldName(r.sourceId.toString());
                return ids.value(u'r' + id) == 1 ? id : QString();
            },
            [&](const FileClub& in) {
                const QString id = foldName(in.id);
                return ids.value(u'f' + id) == 1 ? id : QString();
            });
    }
    // Clubs with neither name nor code cannot be told apart, and are not looked for.
    const auto codeAndName = [](const QString& code, const QString& name) {
        return name.isEmpty() && code.isEmpty() ? QString() : foldName(code) + u'\n' + foldName(name);
    };
    matchBy([&](const data::MeetClub& r) { return codeAndName(sourceCode(r), r.longName.toString()); },
            [&](const FileClub& in) { return codeAndName(in.code, in.name); });
    {
        // A code that one club alone has, in the whole file and the whole register.
        QHash<QString, int> registeredWithCode;
        for (const data::MeetClub& r : registered)
            ++registeredWithCode[foldName(sourceCode(r))];
        const auto unique = [&](const QString& code) {
            const QString folded = foldName(code);
            return !folded.isEmpty() && registeredWithCode.value(folded) == 1 &&
                           clubsWithCode.value(folded) == 1
                       ? folded
                       : QString();
        };
        matchBy([&](const data::MeetClub& r) { return unique(sourceCode(r)); },
                [&](const FileClub& in) { return unique(in.code); });
    }

    return found;
}

ClubAssignment assignClubs(const QList<FileClub>& clubs, const data::RegisteredMeet& registered)
{
    QList<Incoming> incoming;
    QHash<QString, int> clubsWithWord;
    QHash<QString, int> clubsWithCode;
    for (const FileClub& club : clubs) {
        Incoming in;
        in.file = club;
        in.file.id = cleanName(club.id);
        in.file.code = cleanName(club.code);
        in.file.name = cleanName(club.name);
        in.fileShortName = cleanName(club.shortName);
        if (in.file.name.isEmpty())
            in.file.name = in.fileShortName; // a club's long name, where the file gives only a short one
        in.words = wordsOf(in.fileShortName);
        for (Word word : wordsOf(in.file.name)) {
            word.fromName = true;
            in.words << word;
        }
        QSet<QString> words;
        for (const Word& word : in.words)
            words.insert(word.folded);
        for (const QString& word : words)
            ++clubsWithWord[word];
        if (!in.file.code.isEmpty())
            ++clubsWithCode[foldName(in.file.code)];
        incoming << in;
    }

    // Which incoming club is which club of the register.
    const QList<data::MeetClub>& before = registered.clubs;
    const QList<std::optional<qsizetype>> found = findRegisteredClubs(clubs, before);
    QList<bool> claimed(before.size(), false);
    for (qsizetype i = 0; i < incoming.size(); ++i) {
        incoming[i].registered = found[i];
        if (found[i])
            claimed[*found[i]] = true;
    }

    QSet<QString> takenNames;
    QSet<QString> takenCodes;
    QSet<QString> awarded;
    for (const QString& name : registered.awardedClubs)
        awarded.insert(foldName(name));
    const auto shownName = [](const data::MeetClub& club) {
        return club.shortName.isNull() ? club.code.toString() : club.shortName.toString();
    };
    // A name that awards carry is kept even when it breaks today's rules: changing it would
    // part the club from its points.
    const auto keepName = [&](const data::MeetClub& club) {
        const QString name = shownName(club);
        const bool valid = fits(name) && name == cleanName(name);
        if (name.isEmpty() || !(valid || awarded.contains(foldName(name))) ||
            takenNames.contains(foldName(name)))
            return QString();
        takenNames.insert(foldName(name));
        return name;
    };
    const auto keepCode = [&](const data::MeetClub& club) {
        const QString code = club.code.toString();
        if (code.isEmpty() || takenCodes.contains(foldName(code)))
            return QString();
        takenCodes.insert(foldName(code));
        return code;
    };
    for (Incoming& in : incoming) {
        if (!in.registered)
            continue;
        const data::MeetClub& club = before[*in.registered];
        in.shortName = keepName(club);
        in.code = keepCode(club);
        if (!in.shortName.isEmpty() && !in.fileShortName.isEmpty() && in.shortName != in.fileShortName)
            in.shortNameReason = QCoreApplication::translate("Import", "é o que xa ten no rexistro");
        if (!in.code.isEmpty() && in.code != in.file.code)
            in.codeReason = QCoreApplication::translate("Import", "é o que xa ten no rexistro");
    }
    // Clubs that left the file but have awards keep their description, off the club list.
    struct Kept {
        data::MeetClub club;
        QString shortName;
        QString code;
    };
    QList<Kept> leftWithAwards;
    for (qsizetype r = 0; r < before.size(); ++r) {
        if (claimed[r] || !awarded.contains(foldName(shownName(before[r]))))
            continue;
        Kept kept{before[r], keepName(before[r]), {}};
        if (kept.shortName.isEmpty())
            continue; // a club of the file had the name before it
        kept.code = keepCode(before[r]);
        leftWithAwards << kept;
    }
    // No new club takes a name that awards already carry.
    takenNames.unite(awarded);

    // Short names for the others: clubs taking part first, each in the order of the file.
    QList<qsizetype> order;
    for (qsizetype i = 0; i < incoming.size(); ++i)
        if (incoming[i].shortName.isEmpty() && incoming[i].file.takesPart)
            order << i;
    for (qsizetype i = 0; i < incoming.size(); ++i)
        if (incoming[i].shortName.isEmpty() && !incoming[i].file.takesPart)
            order << i;
    QList<Choices> choices(incoming.size());
    for (const qsizetype i : order)
        choices[i] = choicesFor(incoming[i], clubsWithWord, clubsWithCode);
    const auto take = [&takenNames](Incoming& in, const QString& name) {
        if (name.isEmpty() || takenNames.contains(foldName(name)))
            return false;
        in.shortName = name;
        takenNames.insert(foldName(name));
        return true;
    };
    // The file's own short name, then a word that names one club alone, then the rest.
    for (const qsizetype i : order)
        if (fits(incoming[i].fileShortName))
            take(incoming[i], incoming[i].fileShortName);
    for (const qsizetype i : order)
        for (const QString& candidate : choices[i].telling)
            if (!incoming[i].shortName.isEmpty() || take(incoming[i], candidate))
                break;
    for (const qsizetype i : order)
        for (const QString& candidate : choices[i].all)
            if (!incoming[i].shortName.isEmpty() || take(incoming[i], candidate))
                break;
    // The number goes on from where the last club with the same first choice stopped, so
    // that a thousand clubs of one name take a thousand steps, not half a million.
    QHash<QString, int> nextNumber;
    for (const qsizetype i : order) {
        const QString base = choices[i].all.first();
        int& n = nextNumber.insert(foldName(base), nextNumber.value(foldName(base), 2)).value();
        for (; incoming[i].shortName.isEmpty(); ++n) {
            const QString number = QString::number(n);
            take(incoming[i], cutName(base, ShortNameLength - number.size()) + number);
        }
        Incoming& in = incoming[i];
        if (in.registered && !shownName(before[*in.registered]).isEmpty()) {
            const QString previous = shownName(before[*in.registered]);
            in.notes << QCoreApplication::translate(
                            "Import",
                            "o nome curto «%1» do rexistro non se pode conservar (%2); agora é «%3»")
                            .arg(previous,
                                 fits(previous) && previous == cleanName(previous)
                                     ? QCoreApplication::translate("Import", "xa o ten outro club")
                                     : QCoreApplication::translate(
                                           "Import", "ha ter de 1 a 8 caracteres, sen brancos nos extremos"),
                                 in.shortName);
        } else if (!in.fileShortName.isEmpty() && in.shortName != in.fileShortName) {
            in.shortNameReason = !fits(in.fileShortName)
                                     ? QCoreApplication::translate("Import", "ten máis de 8 caracteres")
                                     : QCoreApplication::translate("Import", "xa o ten outro club");
        }
    }

    // Codes: the file's where no other club has it, then made-up ones for the rest.
    for (Incoming& in : incoming) {
        if (in.code.isEmpty() && !in.file.code.isEmpty() && !takenCodes.contains(foldName(in.file.code))) {
            in.code = in.file.code;
            takenCodes.insert(foldName(in.code));
        }
    }
    QHash<QString, int> nextCodeNumber;
    const auto freeCode = [&takenCodes, &nextCodeNumber](const QString& base) {
        QString code = base;
        int& n = nextCodeNumber.insert(foldName(base), nextCodeNumber.value(foldName(base), 2)).value();
        for (; takenCodes.contains(foldName(code)); ++n)
            code = base + u'-' + QString::number(n);
        takenCodes.insert(foldName(code));
        return code;
    };
    for (Incoming& in : incoming) {
        if (!in.code.isEmpty())
            continue;
        if (in.file.code.isEmpty()) {
            in.code = freeCode(in.shortName.toUpper().remove(u' '));
            continue;
        }
        in.code = freeCode(in.file.code);
        const int sharing = clubsWithCode.value(foldName(in.file.code));
        in.codeReason =
            sharing > 1 ? QCoreApplication::translate("Import", "%1 clubs do ficheiro teñen o código «%2»")
                              .arg(sharing)
                              .arg(in.file.code)
                        : QCoreApplication::translate("Import", "o código «%1» xa o ten outro club")
                              .arg(in.file.code);
    }
    for (Kept& kept : leftWithAwards)
        if (kept.code.isEmpty())
            kept.code = freeCode(kept.club.code.toString().isEmpty() ? kept.shortName.toUpper()
                                                                     : kept.club.code.toString());

    ClubAssignment assignment;
    for (const Incoming& in : incoming) {
        const QString shown = displayName(in.file);
        if (in.file.code.isEmpty())
            assignment.notes << QCoreApplication::translate(
                                    "Import", "Club «%1»: sen código no ficheiro; o seu código é «%2».")
                                    .arg(shown, in.code);
        else if (!in.codeReason.isEmpty())
            assignment.notes << QCoreApplication::translate("Import",
                                                            "Club «%1»: código «%2» en vez de «%3»: %4.")
                                    .arg(shown, in.code, in.file.code, in.codeReason);
        if (!in.shortNameReason.isEmpty())
            assignment.notes << QCoreApplication::translate("Import",
                                                            "Club «%1»: nome curto «%2» en vez de «%3»: %4.")
                                    .arg(shown, in.shortName, in.fileShortName, in.shortNameReason);
        for (const QString& note : in.notes)
            assignment.notes << QCoreApplication::translate("Import", "Club «%1»: %2.").arg(shown, note);
        assignment.clubs.append(
            {in.code, in.file.nation, in.shortName,
             in.file.name.isEmpty() ? QVariant() : QVariant(in.file.name), in.file.takesPart, true,
             in.file.id.isEmpty() ? QVariant() : QVariant(in.file.id),
             in.file.code.isEmpty() ? QVariant(QStringLiteral("")) : QVariant(in.file.code)});
    }
    for (const Kept& kept : leftWithAwards) {
        assignment.notes << QCoreApplication::translate(
                                "Import",
                                "Club «%1» («%2»): xa non está no ficheiro, pero ten puntos gardados; "
                                "consérvase a súa descrición, fóra da lista de clubs.")
                                .arg(kept.club.longName.toString().isEmpty() ? kept.shortName
                                                                             : kept.club.longName.toString(),
                                     kept.shortName);
        data::MeetClub club = kept.club;
        club.code = kept.code;
        club.shortName = kept.shortName;
        club.takesPart = false;
        club.described = true;
        assignment.clubs.append(club);
    }
    return assignment;
}

} // namespace quilvarden::imports
