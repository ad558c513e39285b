#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QString>

class QPaintDevice;

// Widths and heights of text in one font on one kind of device. Word widths are remembered
// per font for the whole run, since the grid and the report measure the same words again and
// again.
class TextMetrics
{
public:
    explicit TextMetrics(const QFont &font, const QPaintDevice *device = nullptr);

    int width(QStringView text) const;
    // The height of a line of text; the same for every string in the font.
    int height() const { return m_height; }
    const QFontMetrics &fontMetrics() const { return m_metrics; }

private:
    QFontMetrics m_metrics;
    int m_height;
    QHash<QString, int> *m_widths; // kept for the whole run
};
