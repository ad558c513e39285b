#include "textmetrics.h"

#include <QPaintDevice>

TextMetrics::TextMetrics(WordCache &words, const QFont &font, const QPaintDevice *device)
    : m_words(&words.of(font, device ? device->logicalDpiY() : 0))
    , m_height(m_words->metrics().height())
{
}
