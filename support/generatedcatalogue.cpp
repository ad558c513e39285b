#include "generatedcatalogue.h"

#include "indicators/encoding.h"

#include <QStringList>

#include <random>

namespace {

const QStringList &words()
{
    static const QStringList list = QStringLiteral(
        "кількість учнів класів вчителів які навчаються у закладі з поглибленим вивченням предметів "
        "загальної середньої освіти початкової основної старшої школи що отримали свідоцтво відзнакою "
        "результатами навчального року переможців олімпіад конкурсів районного обласного етапу "
        "педагогічних працівників вищою кваліфікаційною категорією звання методист старший вчитель "
        "комп'ютерів підключених до мережі інтернет бібліотечного фонду підручників видатків на оплату "
        "праці комунальні послуги харчування дітей пільгових категорій гуртків секцій спортивних")
                                          .split(QLatin1Char(' '));
    return list;
}

QString phrase(std::mt19937 &random, int minWords, int maxWords)
{
    std::uniform_int_distribution<int> count(minWords, maxWords);
    std::uniform_int_distribution<qsizetype> pick(0, words().size() - 1);
    QStringList out;
    const int n = count(random);
    for (int i = 0; i < n; ++i)
        out.append(words().at(pick(random)));
    QString text = out.join(QLatin1Char(' '));
    text[0] = text[0].toUpper();
    return text;
}

} // namespace

QByteArray generatedCatalogue(int indicators, const QByteArray &year)
{
    static const char *const sources[] = {"Форма ЗНЗ-1", "Звіт директора", "Класні журнали", "Дані бухгалтерії",
                                          "Протоколи атестаційної комісії", "Наказ по школі"};
    static const char *const units[] = {"осіб", "%", "од.", "грн", "тис. грн", "бал"};
    std::mt19937 random(2026);
    QByteArray out = year + "\r\n";
    out.reserve(qsizetype(indicators) * 160);
    auto line = [&out](const QString &text) { out += toCp1251(text) + "\r\n"; };
    const int sections = (indicators + 19) / 20;
    int made = 0;
    for (int s = 0; s < sections; ++s) {
        line(phrase(random, 3, 8));
        for (int i = 0; i < 20 && made < indicators; ++i, ++made) {
            line(QStringLiteral("K%1_%2").arg(s + 1).arg(i + 1));
            line(phrase(random, 4, 22));
            line(QString::fromUtf8(sources[made % 6]));
            line(QString::fromUtf8(units[(made / 3) % 6]));
            line(made % 4 == 3 ? QStringLiteral("A") : QStringLiteral("C"));
            line(QStringLiteral("П%1").arg(made % 97));
        }
        out += "===\r\n";
    }
    return out;
}
