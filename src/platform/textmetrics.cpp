#include "textmetrics.h"

#include "fontcache.h"

#include <QPaintDevice>

TextMetrics::TextMetrics(const QFont &font, const QPaintDevice *device)
    : m_metrics(device ? QFontMetrics(font, device) : QFontMetrics(font))
    , m_height(m_metrics.height())
    , m_widths(&fontCache<QHash<QString, int>>(font, device ? device->logicalDpiY() : 0))
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
