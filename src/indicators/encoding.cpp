#include "encoding.h"

#include <QHash>

#include <array>

namespace {

// Bytes 0x80 to 0xBF of the code page; 0xC0 to 0xFF are А to я in order, and 0x98, which the
// code page leaves free, stands for U+0098 as in the system's own tables. The program carries
// the table itself, so that no platform's converter (ICU on Linux) decides how a file reads.
constexpr std::array<char16_t, 64> Upper = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

struct Cp1251Table
{
    std::array<char16_t, 256> toUnicode {};
    QHash<char16_t, char> fromUnicode;

    Cp1251Table()
    {
        for (int i = 0; i < 256; ++i) {
            const char16_t c = i < 0x80 ? char16_t(i) : i < 0xC0 ? Upper[i - 0x80] : char16_t(0x0410 + i - 0xC0);
            toUnicode[i] = c;
            if (i >= 0x80)
                fromUnicode.insert(c, char(i));
        }
    }
};

const Cp1251Table &table()
{
    static const Cp1251Table instance;
    return instance;
}

} // namespace

QString fromCp1251(QByteArrayView bytes)
{
    const Cp1251Table &t = table();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = t.toUnicode[static_cast<unsigned char>(bytes[i])];
    return text;
}

QByteArray toCp1251(QStringView text)
{
    const Cp1251Table &t = table();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one "?" for the whole character
        if (c < 0x80)
            bytes[n++] = c == 0x1A ? '?' : char(c);
        else
            bytes[n++] = t.fromUnicode.value(c, '?');
    }
    bytes.truncate(n);
    return bytes;
}
