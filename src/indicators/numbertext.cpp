#include "numbertext.h"

#include "core/errors.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <locale.h>

namespace {

// strtod in the C locale whatever the process locale is; out-of-range values fail, results
// too small for a double become 0.
bool decimalToDouble(const std::string &text, double &value)
{
    errno = 0;
    char *end = nullptr;
#ifdef _WIN32
    // MinGW's strtod is its own C99 one, and the C runtime's locale stays "C": Qt takes the
    // process locale from the environment only on Unix.
    const double result = std::strtod(text.c_str(), &end);
#else
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    const double result = strtod_l(text.c_str(), &end, cLocale);
#endif
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

namespace {

// The significant digits of magnitude, without trailing zeros, and the decimal exponent of the
// first: 1234.5 gives "12345" and 3.
struct Decimal
{
    std::string digits;
    int exponent = 0;
};

Decimal decimalOf(double magnitude, std::optional<int> precision)
{
    // The longest exact expansion of a double has 767 significant digits.
    char buffer[800];
    const auto result = precision
        ? std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, *precision)
        : std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string_view text(buffer, size_t(result.ptr - buffer));
    const size_t e = text.find('e');
    Decimal decimal;
    for (const char c : text.substr(0, e)) {
        if (c != '.')
            decimal.digits.push_back(c);
    }
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0')
        decimal.digits.pop_back();
    decimal.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return decimal;
}

} // namespace

QByteArray dataNumberText(double value)
{
    constexpr size_t Digits = 15;
    if (!std::isfinite(value))
        value = 0;
    const double magnitude = std::fabs(value);
    // The shortest digits that read back as the value are its 15 digits when there are no more
    // of them (a subnormal value has fewer digits of precision than that); otherwise the exact
    // expansion decides, so that a 16th digit of 5 rounds up even where the value is exactly
    // halfway.
    Decimal decimal = decimalOf(magnitude, std::nullopt);
    const bool subnormal = magnitude > 0 && magnitude < std::numeric_limits<double>::min();
    if (decimal.digits.size() > Digits || subnormal) {
        decimal = decimalOf(magnitude, 780);
        decimal.digits.resize(std::max(decimal.digits.size(), Digits + 1), '0');
        const bool up = decimal.digits[Digits] >= '5';
        decimal.digits.resize(Digits);
        if (up) {
            size_t i = Digits;
            while (i > 0 && decimal.digits[i - 1] == '9')
                decimal.digits[--i] = '0';
            if (i == 0) {
                decimal.digits.insert(decimal.digits.begin(), '1');
                decimal.digits.pop_back();
                ++decimal.exponent;
            } else {
                ++decimal.digits[i - 1];
            }
        }
    }
    decimal.digits.resize(Digits, '0');
    char out[32];
    std::snprintf(out, sizeof out, "%c%c.%.14sE%c%04d", value < 0 ? '-' : ' ', decimal.digits[0],
                  decimal.digits.c_str() + 1, decimal.exponent < 0 ? '-' : '+', std::abs(decimal.exponent));
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

QString indicatorNumber(qsizetype section, qsizetype item)
{
    return QString::number(section) + QLatin1Char('.') + QString::number(item) + QLatin1Char('.');
}
