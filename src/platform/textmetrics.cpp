#include "textmetrics.h"

#include <QPaintDevice>

namespace {

std::shared_ptr<QHash<QString, int>> widthCacheFor(const QFont &font, const QPaintDevice *device)
{
    static QHash<QString, std::shared_ptr<QHash<QString, int>>> caches;
    const int dpi = device ? device->logicalDpiY() : 0;
    const QString key = font.key() + QLatin1Char('@') + QString::number(dpi);
    auto &cache = caches[key];
    if (!cache)
        cache = std::make_shared<QHash<QString, int>>();
    return cache;
}

} // namespace

TextMetrics::TextMetrics(const QFont &font, const QPaintDevice *device)
    : m_metrics(device ? QFontMetrics(font, device) : QFontMetrics(font))
    , m_height(m_metrics.height())
    , m_widths(widthCacheFor(font, device))
{
}

int TextMetrics::width(QStringView text) const
{
    if (text.isEmpty())
        return 0;
    const QString key = text.toString();
    const auto it = m_widths->constFind(key);
    if (it != m_widths->constEnd())
        return *it;
    const int w = m_metrics.horizontalAdvance(key);
    m_widths->insert(key, w);
    return w;
}
