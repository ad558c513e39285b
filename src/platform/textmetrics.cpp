#include "textmetrics.h"

#include <QPaintDevice>

TextMetrics::TextMetrics(const QFont &font, const QPaintDevice *device)
    : m_words(&FontWords::of(font, device ? device->logicalDpiY() : 0))
    , m_height(m_words->metrics().height())
{
}
