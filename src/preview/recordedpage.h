#pragma once

#include "platform/shapedtext.h"

#include <QPaintDevice>
#include <QRect>

#include <memory>

class QPainter;
struct PageData;
class RecordingEngine;

// A page as it was drawn, kept as the drawing calls themselves: played onto any painter at any
// size, with text drawn from glyphs shaped once per word. Copies share the recording.
class RecordedPage
{
public:
    RecordedPage() = default;

    // The paper, in the recording's units; played pages map it onto their target.
    QRect frame() const;
    bool isEmpty() const;

    // Plays the page so that its frame fills target, whose right and bottom edges are exclusive.
    void play(QPainter &painter, const QRect &target) const;
    // The same on white paper, where opaque white fills over nothing drawn before cannot show
    // and are left out.
    void printOnWhitePaper(QPainter &painter, const QRect &target) const;

private:
    friend class PageRecorder;
    std::shared_ptr<const PageData> m_data;
};

// The paint device pages are recorded on: paint on it with a QPainter, then take() the page.
// Text is kept as words of the word cache given, which the pages recorded share and keep.
class PageRecorder : public QPaintDevice, public TextKeepingDevice
{
public:
    PageRecorder(const QRect &frame, std::shared_ptr<WordCache> words);
    ~PageRecorder() override;

    void setFrame(const QRect &frame);
    // The page drawn so far; the painter must have ended.
    RecordedPage take();

    QPaintEngine *paintEngine() const override;
    void keepText(QPainter &painter, const QPointF &baseline, const FontWords::Word &word) override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::shared_ptr<PageData> m_data;
    std::unique_ptr<RecordingEngine> m_engine;
};
