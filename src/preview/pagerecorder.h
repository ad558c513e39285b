#pragma once

#include "text/shapedtext.h"
#include "preview/recordedpage.h"

#include <QPaintDevice>
#include <QRect>

#include <memory>

struct PageData;
class RecordingEngine;

// The paint device pages are recorded on: paint on it with a QPainter, then take() the page.
// Text is kept as words of the word cache given, which the pages recorded share and keep.
class PageRecorder : public QPaintDevice, public WordRecorder
{
public:
    PageRecorder(const QRect &frame, std::shared_ptr<WordCache> words);
    ~PageRecorder() override;

    void setFrame(const QRect &frame);
    // The page drawn; the painter must have ended, and the recorder takes nothing after.
    RecordedPage take();

    QPaintEngine *paintEngine() const override;
    void recordWord(const QPainter &painter, const QPointF &baseline, const FontWords::Word &word) override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::shared_ptr<PageData> m_data;
    std::unique_ptr<RecordingEngine> m_engine;
};
