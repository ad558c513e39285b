#pragma once

#include <QFont>
#include <QHash>

#include <memory>
#include <utility>

// A T kept for each font and resolution for the whole run, such as the widths or the glyphs of
// the words drawn in it. Looking up the font used last costs one comparison.
template<typename T>
T &fontCache(const QFont &font, int dpi)
{
    static QHash<std::pair<QFont, int>, std::shared_ptr<T>> caches;
    static QFont lastFont;
    static int lastDpi = -1;
    static T *last = nullptr;
    if (last && dpi == lastDpi && font == lastFont)
        return *last;
    auto &slot = caches[std::pair(font, dpi)];
    if (!slot)
        slot = std::make_shared<T>();
    lastFont = font;
    lastDpi = dpi;
    last = slot.get();
    return *last;
}
