#pragma once

// Report pages for tests: a model read from catalogue text, catalogues of given kinds, and the
// texts of each printed page.

#include "textcapture.h"

#include "indicators/catalogfile.h"
#include "indicators/encoding.h"
#include "indicators/model.h"
#include "platform/printing/recordingprinter.h"
#include "preview/previewdocument.h"

#include <QPainter>
#include <QPicture>

inline IndicatorModel modelWith(const QByteArray &catalogue, const QString &school = QStringLiteral("Ліцей №7"))
{
    IndicatorModel model;
    readCatalog(catalogue, model);
    model.SchoolName = toCp1251(school);
    return model;
}

// A catalogue of one section per list, an indicator of each kind given in it.
inline QByteArray catalogue(const QList<QList<QByteArray>> &sections)
{
    QByteArray out = "2026\r\n";
    int s = 0;
    for (const QList<QByteArray> &kinds : sections) {
        out += "Розділ " + QByteArray::number(++s) + "\r\n";
        int i = 0;
        for (const QByteArray &kind : kinds) {
            const QByteArray number = QByteArray::number(++i);
            out += "K" + number + "\r\nN\r\nS\r\nM\r\n" + kind + "\r\nC" + number + "\r\n";
        }
        out += "===\r\n";
    }
    return out;
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
