#pragma once

#include <QColor>
#include <QWidget>

// A sheet of paper lying on the desk: the page area in the paper colour, a frame line around
// it and a drop shadow along its right and bottom edges. Whoever owns it paints the page's
// contents through paintPage. The page area follows the control's size:
// width = PaperWidth + 2 x BorderSize + ShadowSize, and likewise the height.
class TPaperPreview : public QWidget
{
    Q_OBJECT

public:
    explicit TPaperPreview(QWidget *parent = nullptr);

    QColor PaperColor() const { return m_paperColor; }
    void setPaperColor(const QColor &color);
    QColor BorderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);
    // Width of the frame line in pixels; 0 draws no frame.
    int BorderSize() const { return m_borderSize; }
    void setBorderSize(int size);
    QColor ShadowColor() const { return m_shadowColor; }
    void setShadowColor(const QColor &color);
    // Depth of the shadow in pixels; 0 draws no shadow.
    int ShadowSize() const { return m_shadowSize; }
    void setShadowSize(int size);

    // What the frame and the shadow add to the page area, across and down alike.
    int FrameSize() const { return 2 * m_borderSize + m_shadowSize; }
    // The page area's size; setting it resizes the control around it.
    void setPaperSize(const QSize &size);
    int PaperWidth() const;
    void setPaperWidth(int width);
    int PaperHeight() const;
    void setPaperHeight(int height);

    // The page area: inside the frame, clear of the shadow.
    virtual QRect GetPageRect() const;

signals:
    // Paints the page's contents; the painter is clipped to pageRect while it runs.
    void paintPage(QPainter *canvas, const QRect &pageRect);
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void assign(QColor &field, const QColor &value);
    void assign(int &field, int value);

    QColor m_paperColor = Qt::white;
    QColor m_borderColor = Qt::black;
    int m_borderSize = 1;
    QColor m_shadowColor;
    int m_shadowSize = 3;
};
