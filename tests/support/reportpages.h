#pragma once

// Report pages for tests: a model read from catalogue text and the texts of each printed page.

#include "textcapture.h"

#include "support/catalogue.h"

#include "indicators/catalogfile.h"
#include "indicators/encoding.h"
#include "indicators/model.h"
#include "preview/previewdocument.h"
#include "testing/recordingprinter.h"

#include <QPainter>
#include <QPicture>

inline IndicatorModel modelWith(const QByteArray &catalogue, const QString &school = QStringLiteral("Ліцей №7"))
{
    IndicatorModel model;
    readCatalog(catalogue, model);
    model.SchoolName = toCp1251(school);
    return model;
}

// A catalogue file of 2026 whose sections hold the given numbers of indicators (sectionsOf).
inline QByteArray catalogueOf(const QList<int> &counts)
{
    return catalogBytes(QStringLiteral("2026"), sectionsOf(counts));
}

// The texts of each printed page, read back from a recording printer.
inline QList<QStringList> printedTexts(PreviewDocument &document)
{
    RecordingPrinter printer;
    document.setPrinter(&printer);
    document.print(1, document.TotalPages());
    document.setPrinter(nullptr);
    QList<QStringList> pages;
    for (const QPicture &page : printer.pages()) {
        TextCapture capture(20000, 20000);
        QPainter painter(&capture);
        painter.drawPicture(0, 0, page);
        painter.end();
        pages.append(capture.textList());
    }
    return pages;
}
