#include "preview/paperpreview.h"

#include <QPainter>

TPaperPreview::TPaperPreview(QWidget *parent)
    : QWidget(parent), m_shadowColor(palette().color(QPalette::Dark))
{
    // Every pixel is painted, so the background is never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(110, 153);
}

void TPaperPreview::assign(QColor &field, const QColor &value)
{
    if (field == value)
        return;
    field = value;
    update();
}

void TPaperPreview::assign(int &field, int value)
{
    if (field == value)
        return;
    field = value;
    update();
}

void TPaperPreview::setPaperColor(const QColor &color)
{
    assign(m_paperColor, color);
}

void TPaperPreview::setBorderColor(const QColor &color)
{
    assign(m_borderColor, color);
}

void TPaperPreview::setBorderSize(int size)
{
    assign(m_borderSize, qMax(0, size));
}

void TPaperPreview::setShadowColor(const QColor &color)
{
    assign(m_shadowColor, color);
}

void TPaperPreview::setShadowSize(int size)
{
    assign(m_shadowSize, qMax(0, size));
}

void TPaperPreview::setPaperSize(const QSize &size)
{
    resize(size.width() + FrameSize(), size.height() + FrameSize());
}

int TPaperPreview::PaperWidth() const
{
    return width() - FrameSize();
}

void TPaperPreview::setPaperWidth(int paperWidth)
{
    setPaperSize(QSize(paperWidth, PaperHeight()));
}

int TPaperPreview::PaperHeight() const
{
    return height() - FrameSize();
}

void TPaperPreview::setPaperHeight(int paperHeight)
{
    setPaperSize(QSize(PaperWidth(), paperHeight));
}

QRect TPaperPreview::GetPageRect() const
{
    const int inset = m_shadowSize + m_borderSize;
    return QRect(QPoint(m_borderSize, m_borderSize), QPoint(width() - inset - 1, height() - inset - 1));
}

void TPaperPreview::paintEvent(QPaintEvent *)
{
    const QRect page = GetPageRect();
    const int w = width();
    const int h = height();
    const int s = m_shadowSize;
    QPainter painter(this);

    if (m_borderSize > 0) {
        // The line lies wholly inside the sheet's outer rectangle.
        const QRect outer(0, 0, w - s, h - s);
        const int b = m_borderSize;
        painter.fillRect(QRect(0, 0, outer.width(), b), m_borderColor);
        painter.fillRect(QRect(0, outer.height() - b, outer.width(), b), m_borderColor);
        painter.fillRect(QRect(0, 0, b, outer.height()), m_borderColor);
        painter.fillRect(QRect(outer.width() - b, 0, b, outer.height()), m_borderColor);
    }
    if (s > 0) {
        // Cast one shadow depth below and to the right: the corners it leaves show the desk.
        painter.fillRect(QRect(QPoint(w - s, s), QPoint(w - 1, h - 1)), m_shadowColor);
        painter.fillRect(QRect(QPoint(s, h - s), QPoint(w - 1, h - 1)), m_shadowColor);
        const QColor desk = palette().color(backgroundRole());
        painter.fillRect(QRect(w - s, 0, s, s), desk);
        painter.fillRect(QRect(0, h - s, s, s), desk);
    }
    painter.fillRect(page, m_paperColor);

    painter.save();
    painter.setClipRect(page);
    emit paintPage(&painter, page);
    painter.restore();
}

void TPaperPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit resized();
}
