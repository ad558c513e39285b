#include "rulesfile.h"

#include "core/errors.h"
#include "indicators/encoding.h"
#include "indicators/model.h"
#include "indicators/numbertext.h"
#include "indicators/textfile.h"
#include "platform/files/fileio.h"

#include <QHash>

namespace {

struct Token
{
    enum Kind { Word, Plus, Minus, Compare };
    Kind kind = Word;
    QString text;
    Relation relation = Relation::Equal;
};

class LineFault
{
public:
    explicit LineFault(QString reason) : reason(std::move(reason)) {}
    QString reason;
};

QString quoted(const QString &text)
{
    return QStringLiteral("«") + text + QStringLiteral("»");
}

bool isOperator(QChar c)
{
    return c == u'+' || c == u'-' || c == u'<' || c == u'>' || c == u'=';
}

QList<Token> tokens(QStringView text)
{
    QList<Token> result;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == u'+' || c == u'-') {
            result.append({c == u'+' ? Token::Plus : Token::Minus, QString(c)});
            ++i;
        } else if (c == u'=' || c == u'<' || c == u'>') {
            const bool orEqual = c != u'=' && i + 1 < text.size() && text[i + 1] == u'=';
            Relation relation = Relation::Equal;
            if (c == u'<')
                relation = orEqual ? Relation::LessOrEqual : Relation::Less;
            else if (c == u'>')
                relation = orEqual ? Relation::GreaterOrEqual : Relation::Greater;
            result.append({Token::Compare, text.mid(i, orEqual ? 2 : 1).toString(), relation});
            i += orEqual ? 2 : 1;
        } else {
            const qsizetype start = i;
            while (i < text.size() && !text[i].isSpace() && !isOperator(text[i]))
                ++i;
            result.append({Token::Word, text.mid(start, i - start).toString()});
        }
    }
    return result;
}

class RuleReader
{
public:
    explicit RuleReader(const IndicatorModel &model)
    {
        int index = 0;
        for (const razdel &section : model.Catalog) {
            for (const pokazatel &item : section.Items) {
                const QString label = fromCp1251(item.Key).trimmed();
                if (!m_labels.contains(label))
                    m_labels.insert(label, index);
                m_names.append(indicatorName(item));
                ++index;
            }
        }
    }

    // Throws LineFault.
    Rule read(QStringView formula) const
    {
        const QList<Token> parts = tokens(formula);
        qsizetype compare = -1;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (parts[i].kind != Token::Compare)
                continue;
            if (compare >= 0)
                throw LineFault(QStringLiteral("два порівняння в одному правилі"));
            compare = i;
        }
        if (compare < 0)
            throw LineFault(QStringLiteral("немає порівняння (=, <=, >=, <, >)"));
        if (compare != 1 || parts[0].kind != Token::Word || startsNumber(parts[0].text))
            throw LineFault(QStringLiteral("ліворуч від порівняння має стояти один показник"));
        if (compare + 1 == parts.size())
            throw LineFault(QStringLiteral("праворуч від порівняння немає виразу"));

        Rule rule;
        rule.indicator = indicatorOf(parts[0].text);
        rule.name = m_names[rule.indicator];
        rule.relation = parts[compare].relation;
        bool subtracted = false;
        bool signSeen = false;
        for (qsizetype i = compare + 1; i < parts.size(); ++i) {
            const Token &part = parts[i];
            if (part.kind != Token::Word) {
                if (signSeen)
                    throw LineFault(QStringLiteral("два знаки поспіль"));
                if (!rule.terms.isEmpty() || part.kind == Token::Minus) {
                    subtracted = part.kind == Token::Minus;
                    signSeen = true;
                    continue;
                }
                throw LineFault(QStringLiteral("вираз починається знаком ") + quoted(part.text));
            }
            if (!rule.terms.isEmpty() && !signSeen)
                throw LineFault(QStringLiteral("між ") + quoted(parts[i - 1].text) + QStringLiteral(" і ")
                                + quoted(part.text) + QStringLiteral(" немає знака + або -"));
            rule.terms.append(term(part.text, subtracted));
            subtracted = false;
            signSeen = false;
        }
        if (signSeen)
            throw LineFault(QStringLiteral("вираз закінчується знаком"));
        return rule;
    }

private:
    static bool startsNumber(const QString &word)
    {
        return word.front().isDigit() || word.front() == u',' || word.front() == u'.';
    }

    int indicatorOf(const QString &label) const
    {
        const auto found = m_labels.constFind(label);
        if (found == m_labels.constEnd())
            throw LineFault(QStringLiteral("показника ") + quoted(label) + QStringLiteral(" немає в каталозі"));
        return *found;
    }

    RuleTerm term(const QString &word, bool subtracted) const
    {
        RuleTerm result;
        result.subtracted = subtracted;
        if (!startsNumber(word)) {
            result.indicator = indicatorOf(word);
            result.name = m_names[result.indicator];
            return result;
        }
        QString number = word;
        number.replace(QLatin1Char('.'), QLatin1Char(','));
        if (!tryNumberFromText(number, result.number))
            throw LineFault(quoted(word) + QStringLiteral(" не є числом"));
        return result;
    }

    QHash<QString, int> m_labels;
    QStringList m_names; // by indicator
};

} // namespace

RuleSet readRules(const QByteArray &bytes, const IndicatorModel &model)
{
    const RuleReader reader(model);
    RuleSet set;
    TextReader lines(bytes);
    for (int number = 1; !lines.atEnd(); ++number) {
        const QString line = fromCp1251(lines.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype noteAt = line.indexOf(QLatin1Char(';'));
        try {
            Rule rule = reader.read(QStringView(line).left(noteAt < 0 ? line.size() : noteAt));
            rule.line = number;
            if (noteAt >= 0)
                rule.note = line.mid(noteAt + 1).trimmed();
            set.rules.append(std::move(rule));
        } catch (const LineFault &fault) {
            set.faults.append({number, fault.reason});
        }
    }
    return set;
}

RuleSet loadRulesFile(const QString &path, const IndicatorModel &model)
{
    if (!fileExists(path))
        return {};
    try {
        return readRules(readWholeFile(path), model);
    } catch (const ZorisError &error) {
        return {{}, {{0, QStringLiteral("файл не прочитано: ") + error.message()}}};
    }
}

QString rulesFaultsText(const QList<RuleFault> &faults)
{
    if (faults.isEmpty())
        return {};
    QString text = QStringLiteral("У файлі правил ") + QString::fromLatin1(RulesFileName)
        + QStringLiteral(" пропущено те, що не вдалося прочитати:");
    for (const RuleFault &fault : faults) {
        text += QLatin1Char('\n');
        if (fault.line > 0)
            text += QStringLiteral("рядок %1: ").arg(fault.line);
        text += fault.reason;
    }
    return text;
}
