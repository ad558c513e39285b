#pragma once

#include "preview/previewdocument.h"

#include <QColor>
#include <QPainter>

// Records pages, each filled with a colour of its own: page n in grey level 40 * n.
inline void recordPages(PreviewDocument &preview, int count)
{
    preview.BeginDoc();
    for (int n = 1; n <= count; ++n) {
        if (n > 1)
            preview.NewPage();
        const int level = 40 * n;
        preview.Canvas()->fillRect(0, 0, preview.PaperWidth(), preview.PaperHeight(), QColor(level, level, level));
    }
    preview.EndDoc();
}
