#include "encoding.h"

#include <QHash>
#include <QStringDecoder>

#include <array>

namespace {

struct Cp1251Table
{
    std::array<char16_t, 256> toUnicode {};
    QHash<char16_t, char> fromUnicode;

    Cp1251Table()
    {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        QStringDecoder decoder("windows-1251", QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(all);
        for (int i = 0; i < 256; ++i) {
            const char16_t c = i < decoded.size() ? decoded.at(i).unicode() : u'?';
            toUnicode[i] = c;
            if (i >= 0x80 && c != 0xFFFD)
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
