#pragma once

#include "platform/canvas.h"

#include <optional>

class PreviewDocument;

// A table drawn over pages of the report's paper, in the report's face: the canvas of the page
// being drawn, the top of the next row, the page band at every page's foot, and a new page,
// opened with the table's heading row, for a row that would reach the band.
class TablePages
{
protected:
    explicit TablePages(PreviewDocument &preview);
    virtual ~TablePages() = default;

    Canvas &canvas() { return *m_canvas; }
    // The canvas of a new page, its first row at the top margin.
    void openPage();
    void footer();
    // A row of height that would reach the band goes to the next page, after the heading row.
    void makeRoomFor(int height);
    virtual void headingRow() = 0;

    PreviewDocument &m_preview;
    int m_y = 0;

private:
    std::optional<Canvas> m_canvas;
};
