#include "numbertext.h"

#include "platform/errors.h"

#include <charconv>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

// strtod in the C locale whatever the process locale is; out-of-range values fail, results
// too small for a double become 0.
bool decimalToDouble(const std::string &text, double &value)
{
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    errno = 0;
    char *end = nullptr;
    const double result = strtod_l(text.c_str(), &end, cLocale);
    if (end != text.c_str() + text.size())
        return false;
    if (errno == ERANGE && std::isinf(result))
        return false;
    value = result == 0 ? 0.0 : result;
    return std::isfinite(value);
}

// Scans sign, mantissa and exponent from text[pos]; the separator is sep. Copies the accepted
// characters into out with "." as separator. Returns the position after the number, or -1.
template<typename Char>
qsizetype scanNumber(const Char *text, qsizetype size, qsizetype pos, char sep, bool separatorAlone,
                     std::string &out)
{
    auto at = [&](qsizetype i) -> int { return i < size ? int(text[i]) : -1; };
    auto isDigit = [](int c) { return c >= '0' && c <= '9'; };
    if (at(pos) == '+' || at(pos) == '-') {
        if (at(pos) == '-')
            out.push_back('-');
        ++pos;
    }
    int digits = 0;
    while (isDigit(at(pos))) {
        out.push_back(char(at(pos++)));
        ++digits;
    }
    bool separator = false;
    if (at(pos) == sep) {
        separator = true;
        out.push_back('.');
        ++pos;
        while (isDigit(at(pos))) {
            out.push_back(char(at(pos++)));
            ++digits;
        }
    }
    if (digits == 0 && !(separatorAlone && separator))
        return -1;
    if (digits == 0)
        out = out.front() == '-' ? "-0" : "0";
    if (at(pos) == 'E' || at(pos) == 'e') {
        std::string exponent = "e";
        ++pos;
        if (at(pos) == '+' || at(pos) == '-')
            exponent.push_back(char(at(pos++)));
        int expDigits = 0;
        while (isDigit(at(pos))) {
            exponent.push_back(char(at(pos++)));
            ++expDigits;
        }
        if (expDigits == 0)
            return -1;
        out += exponent;
    }
    return pos;
}

} // namespace

QString numberText(double value)
{
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        // "1,5e+20" -> "1,5E20", "1e-05" -> "1E-5"
        QString mantissa = text.left(e);
        const QChar sign = text.at(e + 1);
        QString digits = text.mid(e + 2);
        while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
            digits.remove(0, 1);
        text = mantissa + QLatin1Char('E') + (sign == QLatin1Char('-') ? QStringLiteral("-") : QString()) + digits;
    }
    return text;
}

bool tryNumberFromText(QStringView text, double &value)
{
    const QChar *chars = text.data();
    const qsizetype size = text.size();
    qsizetype pos = 0;
    while (pos < size && chars[pos] == QLatin1Char(' '))
        ++pos;
    std::string accepted;
    std::u16string_view view(reinterpret_cast<const char16_t *>(chars), size_t(size));
    pos = scanNumber(view.data(), size, pos, ',', true, accepted);
    if (pos < 0)
        return false;
    while (pos < size && chars[pos] == QLatin1Char(' '))
        ++pos;
    if (pos != size)
        return false;
    return decimalToDouble(accepted, value);
}

double numberFromText(const QString &text)
{
    double value = 0;
    if (!tryNumberFromText(text, value))
        throw ConversionError(text);
    return value;
}

QByteArray dataNumberText(double value)
{
    if (!std::isfinite(value))
        value = 0;
    char buffer[64];
    const double magnitude = std::fabs(value);
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string_view text(buffer, size_t(result.ptr - buffer));
    // text is d.dddddddddddddde[+-]x...
    const size_t e = text.find('e');
    const std::string_view mantissa = text.substr(0, e);
    const char expSign = text[e + 1];
    const int exponent = std::atoi(std::string(text.substr(e + 2)).c_str());
    char out[32];
    std::snprintf(out, sizeof out, "%c%.*sE%c%04d", value < 0 ? '-' : ' ', int(mantissa.size()),
                  mantissa.data(), expSign, exponent);
    return QByteArray(out);
}

bool parseDataNumber(QByteArrayView run, double &value)
{
    std::string accepted;
    const qsizetype end = scanNumber(run.data(), run.size(), 0, '.', false, accepted);
    if (end != run.size())
        return false;
    return decimalToDouble(accepted, value);
}

char16_t filterNumberKey(char16_t key, QStringView currentText)
{
    if (key == u'.')
        key = u',';
    const bool admitted = (key >= u'0' && key <= u'9') || key == 8 || key == u',';
    if (!admitted)
        return 0;
    if (key == u',' && currentText.contains(u','))
        return 0;
    return key;
}
