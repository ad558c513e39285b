#include "tablepages.h"

#include "preview/previewdocument.h"
#include "reportlayout.h"

TablePages::TablePages(PreviewDocument &preview)
    : m_preview(preview)
{
}

void TablePages::openPage()
{
    m_canvas.emplace(*m_preview.Canvas(), PageResolution, m_preview.Words(), m_preview.Recorder());
    canvas().setFontName(QStringLiteral("Times New Roman"));
    m_y = m_preview.MarginTop();
}

void TablePages::footer()
{
    ReportLayout::drawPageBand(canvas(), m_preview);
}

void TablePages::makeRoomFor(int height)
{
    if (!ReportLayout::goesToNextPage(m_preview, m_y, height))
        return;
    footer();
    m_preview.NewPage();
    openPage();
    headingRow();
}
