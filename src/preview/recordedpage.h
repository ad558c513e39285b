#pragma once

#include <QRect>

#include <memory>

class QPainter;
struct PageData;

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
