#include "report/reportwindow.h"
#include "support/reportpages.h"

#include "generatedcatalogue.h"
#include "platform/skin.h"
#include "preview/printpreview.h"
#include "support/files.h"
#include "support/pdf.h"
#include "support/rows.h"
#include "support/windows.h"
#include "testing/scriptedboxes.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

struct Report
{
    ScriptedBoxes boxes;
    RecordingPrinter printer;
    IndicatorModel model;
    TPrintRep window{model, boxes, printer};

    explicit Report(const QByteArray &cat = catalogueOf({1})) : Report(modelWith(cat)) {}
    explicit Report(IndicatorModel m) : model(std::move(m)) {}
    TPrintPreview &preview() { return *window.PrintPreview1; }

    // A press of "Роздрук", the question answered.
    void print(bool answer = true)
    {
        boxes.confirmAnswers.enqueue(answer);
        QTest::mouseClick(window.Button2, Qt::LeftButton);
    }
};

} // namespace

class tst_Report : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void emptyCatalogueIsOnePage();
    void pageLabelAndButtons();
    void windowLook();
    void zoomList_data();
    void zoomList();
    void printAsksFirst();
    void printWithoutPrinterSaysSo();
    void pressDuringJobIsIgnored_data();
    void pressDuringJobIsIgnored();
    void escapeDuringJobKeepsWindow();
    void cancelledJobSaysSo();
    void restoringKeepsThePage();
    void printerListRemembersChoice();
    void pdfReadBack();
    void pdfNotWrittenSaysWhy();
    void tabWalksTheControls();

private:
    QTemporaryDir m_settings;
};

// The remembered printer goes to a settings file of this run, never the user's.
void tst_Report::initTestCase()
{
    QVERIFY(m_settings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
}

void tst_Report::cleanup()
{
    verifyNoWindowOpen();
}

void tst_Report::emptyCatalogueIsOnePage()
{
    Report r(QByteArray("2026\r\n"));
    r.window.FormShow();
    QCOMPARE(r.preview().TotalPages(), 1);
    QCOMPARE(r.window.Label1->text(), QStringLiteral("1 / 1"));
    QCOMPARE(r.preview().PrintJobTitle(), QStringLiteral("АС Зоріс"));
    const QList<QStringList> pages = printedTexts(r.preview().Document());
    QCOMPARE(pages.size(), 1);
    for (const char *text : {"ПОКАЗНИКИ", "стану розвитку та результатів діяльності", "Ліцей №7", "КОД  ЗНЗ",
                             "(повна назва навчального закладу)", "Статистичний", "Цифрові дані", "М.П.",
                             "АС \"Зоріс\"", "Сторінка №1"})
        QVERIFY2(pages[0].contains(QString::fromUtf8(text)), text);
}

void tst_Report::pageLabelAndButtons()
{
    Report r(generatedCatalogue(100));
    r.window.FormShow();
    const int total = r.preview().TotalPages();
    QVERIFY(total >= 4);
    QCOMPARE(r.window.Label1->text(), QStringLiteral("1 / %1").arg(total));
    QTest::mouseClick(r.window.Button4, Qt::LeftButton);
    QCOMPARE(r.window.Label1->text(), QStringLiteral("1 / %1").arg(total));
    QTest::mouseClick(r.window.Button3, Qt::LeftButton);
    QCOMPARE(r.window.Label1->text(), QStringLiteral("2 / %1").arg(total));
    // The preview's own keys turn the page the label names.
    QTest::keyClick(r.window.PrintPreview1, Qt::Key_PageDown);
    QCOMPARE(r.preview().CurrentPage(), 3);
    QCOMPARE(r.window.Label1->text(), QStringLiteral("3 / %1").arg(total));
    QTest::keyClick(r.window.PrintPreview1, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(r.window.Label1->text(), QStringLiteral("%1 / %1").arg(total));
    QTest::mouseClick(r.window.Button3, Qt::LeftButton);
    QCOMPARE(r.window.Label1->text(), QStringLiteral("%1 / %1").arg(total));
    QTest::keyClick(r.window.PrintPreview1, Qt::Key_PageUp);
    QCOMPARE(r.window.Label1->text(), QStringLiteral("%1 / %2").arg(total - 1).arg(total));
    QTest::mouseClick(r.window.Button4, Qt::LeftButton);
    QCOMPARE(r.window.Label1->text(), QStringLiteral("%1 / %2").arg(total - 2).arg(total));
}

void tst_Report::windowLook()
{
    Report r;
    QCOMPARE(r.window.palette().color(QPalette::Window), Skin::WindowColor);
    QCOMPARE(r.window.font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(r.window.font().pixelSize(), 11);
    for (const QWidget *control : std::initializer_list<const QWidget *>{r.window.Button3, r.window.Button4, r.window.Label1})
        QVERIFY(control->font().bold() && control->font().pixelSize() == 11);
    for (const QWidget *control : std::initializer_list<const QWidget *>{r.window.Button1, r.window.Button2, r.window.ComboBox1})
        QVERIFY(!control->font().bold() && control->font().pixelSize() == 11);
}

void tst_Report::zoomList_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("zoom");
    QTest::newRow("50 %") << 0 << int(zsZoomOther) << 50;
    QTest::newRow("200 %") << 3 << int(zsZoomOther) << 200;
    QTest::newRow("500 %") << 4 << int(zsZoomOther) << 500;
    QTest::newRow("По ширині") << 5 << int(zsZoomToWidth) << 150;
    QTest::newRow("По висоті") << 6 << int(zsZoomToFit) << 150;
}

void tst_Report::zoomList()
{
    QFETCH(int, index);
    QFETCH(int, state);
    QFETCH(int, zoom);
    Report r;
    QCOMPARE(r.window.ComboBox1->currentIndex(), -1);
    QCOMPARE(r.window.ComboBox1->placeholderText(), QStringLiteral("По висоті"));
    QCOMPARE(r.window.ComboBox1->count(), 7);
    r.window.ComboBox1->setCurrentIndex(2);
    r.window.ComboBox1Change(); // 150 %
    r.window.ComboBox1->setCurrentIndex(index);
    r.window.ComboBox1Change();
    QCOMPARE(int(r.preview().ZoomState()), state);
    QCOMPARE(r.preview().Zoom(), zoom);
}

void tst_Report::printAsksFirst()
{
    Report r(generatedCatalogue(60));
    r.window.FormShow();
    r.print(false);
    QCOMPARE(r.boxes.texts(ScriptedBoxes::Kind::ConfirmOkCancel), QStringList{QStringLiteral("Роздрукувати цей звiт?")});
    QVERIFY(r.printer.calls().isEmpty());
    r.print();
    QCOMPARE(r.printer.pages().size(), r.preview().TotalPages());
    QCOMPARE(r.printer.jobTitle(), QStringLiteral("АС Зоріс"));
    QCOMPARE(r.boxes.count(ScriptedBoxes::Kind::Warning), 0);
    r.printer.setFailingCall(QStringLiteral("newPage"));
    r.print();
    QCOMPARE(r.boxes.texts(ScriptedBoxes::Kind::Warning), QStringList{TPrintRep::PrintFailedText});
}

void tst_Report::printWithoutPrinterSaysSo()
{
    Report r;
    r.printer.setPrinters({});
    r.window.FormShow();
    QCOMPARE(r.window.ComboBox2->count(), 0);
    QVERIFY(!r.window.ComboBox2->isEnabled());
    r.print();
    QCOMPARE(r.boxes.texts(ScriptedBoxes::Kind::Warning), QStringList{TPrintRep::NoPrinterText});
    QVERIFY(r.printer.calls().isEmpty());
}

// The job lets events through between its pages: a press of "Роздрук" or "Зберегти PDF" then,
// by mouse or by a call, starts nothing and reports nothing, and the first job goes on. Whichever
// job runs, the controls that start jobs or choose the printer are off until it ends.
void tst_Report::pressDuringJobIsIgnored_data()
{
    addBoolRows("toPdf", "print", "PDF");
}

void tst_Report::pressDuringJobIsIgnored()
{
    QFETCH(bool, toPdf);
    Report r(generatedCatalogue(60));
    r.printer.setPrinters({QStringLiteral("Kabinet_HP")});
    r.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&r.window));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("звіт.pdf"));
    const QList<QWidget *> starters{r.window.Button2, r.window.Button5, r.window.ComboBox2};
    QList<bool> enabledDuringJob;
    const auto pressAll = [&] {
        if (!enabledDuringJob.isEmpty())
            return;
        for (QWidget *starter : starters)
            enabledDuringJob << starter->isEnabled();
        r.print();
        r.window.Button2Click();
        QTest::mouseClick(r.window.Button5, Qt::LeftButton);
        r.window.Button5Click();
    };
    if (toPdf) {
        // The PDF job has no progress handler: a timer fires while it lets events through.
        QTimer::singleShot(0, &r.window, pressAll);
        r.boxes.fileAnswers.enqueue(pdf);
        QTest::mouseClick(r.window.Button5, Qt::LeftButton);
        QCOMPARE(r.boxes.count(ScriptedBoxes::Kind::SaveFile), 1);
        QCOMPARE(r.boxes.count(ScriptedBoxes::Kind::ConfirmOkCancel), 0);
        QVERIFY(r.printer.calls().isEmpty());
    } else {
        connect(r.window.PrintPreview1, &TPrintPreview::printProgress, &r.window, pressAll);
        r.print();
        QCOMPARE(r.boxes.count(ScriptedBoxes::Kind::ConfirmOkCancel), 1);
        QCOMPARE(r.boxes.count(ScriptedBoxes::Kind::SaveFile), 0);
        QCOMPARE(r.printer.calls().count(QStringLiteral("beginJob")), 1);
        QCOMPARE(r.printer.calls().last(), QStringLiteral("endJob"));
        QCOMPARE(r.printer.pages().size(), r.preview().TotalPages());
    }
    QCOMPARE(enabledDuringJob, QList<bool>(3, false));
    QCOMPARE(r.boxes.count(ScriptedBoxes::Kind::Warning), 0);
    QCOMPARE(r.boxes.count(ScriptedBoxes::Kind::Error), 0);
    for (QWidget *starter : starters)
        QVERIFY(starter->isEnabled());
    if (toPdf) {
        REQUIRE_PDF_TOOLS();
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), QString::number(r.preview().TotalPages()));
    }
}

// The job lets events through between its pages: Escape then must not hide the window of a
// job that goes on. Once the job is done, Escape closes it.
void tst_Report::escapeDuringJobKeepsWindow()
{
    Report r(generatedCatalogue(60));
    r.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&r.window));
    QList<bool> shownAfterEscape;
    connect(r.window.PrintPreview1, &TPrintPreview::printProgress, &r.window, [&](int, int, bool &) {
        if (!shownAfterEscape.isEmpty())
            return;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTest::mouseClick(r.window.Button1, Qt::LeftButton);
        shownAfterEscape << r.window.isVisible();
    });
    r.print();
    QCOMPARE(shownAfterEscape, QList<bool>{true});
    QVERIFY(r.window.isVisible());
    QCOMPARE(r.printer.calls().last(), QStringLiteral("endJob"));
    QCOMPARE(r.printer.pages().size(), r.preview().TotalPages());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!r.window.isVisible());
}

void tst_Report::cancelledJobSaysSo()
{
    Report r(generatedCatalogue(60));
    r.window.FormShow();
    connect(r.window.PrintPreview1, &TPrintPreview::printProgress, &r.window,
            [](int page, int, bool &abortIt) { abortIt = page == 2; });
    r.print();
    QCOMPARE(r.boxes.texts(ScriptedBoxes::Kind::Warning), QStringList{TPrintRep::PrintCancelledText});
    QCOMPARE(r.printer.calls().last(), QStringLiteral("cancelJob"));
    QVERIFY(r.window.Button2->isEnabled());
}

// Minimised and restored, the window shows the page it showed; a new showing composes anew.
void tst_Report::restoringKeepsThePage()
{
    Report r(generatedCatalogue(100));
    QSignalSpy composed(r.window.PrintPreview1, &TPrintPreview::docBegun);
    r.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&r.window));
    QCOMPARE(composed.count(), 1);
    QTest::mouseClick(r.window.Button3, Qt::LeftButton);
    QCOMPARE(r.preview().CurrentPage(), 2);
    r.window.setWindowState(Qt::WindowMinimized);
    r.window.setWindowState(Qt::WindowMaximized);
    QCoreApplication::processEvents();
    QCOMPARE(composed.count(), 1);
    QCOMPARE(r.preview().CurrentPage(), 2);
    QCOMPARE(r.window.Label1->text().left(4), QStringLiteral("2 / "));
    r.window.hide();
    r.window.show();
    QCOMPARE(composed.count(), 2);
    QCOMPARE(r.preview().CurrentPage(), 1);
}

// The default printer is chosen at first; a printer chosen in the list gets the job and is
// chosen again in the next run while it is installed.
void tst_Report::printerListRemembersChoice()
{
    const QStringList queues{QStringLiteral("Kabinet_HP"), QStringLiteral("PDF")};
    {
        Report r;
        r.printer.setPrinters(queues);
        r.printer.setDefaultPrinterIndex(1);
        r.window.FormShow();
        QCOMPARE(r.window.ComboBox2->count(), 2);
        QCOMPARE(r.window.ComboBox2->itemText(0), queues[0]);
        QVERIFY(r.window.ComboBox2->isEnabled());
        QCOMPARE(r.window.ComboBox2->currentText(), queues[1]);

        r.window.ComboBox2->setFocus();
        QTest::keyClick(r.window.ComboBox2, Qt::Key_Up);
        QCOMPARE(r.window.ComboBox2->currentText(), queues[0]);
        r.print();
        QCOMPARE(r.printer.calls().value(0), QStringLiteral("beginJob"));
        QCOMPARE(r.printer.jobPrinterIndex(), 0);
    }
    Report again;
    again.printer.setPrinters(queues);
    again.printer.setDefaultPrinterIndex(1);
    again.window.FormShow();
    QCOMPARE(again.window.ComboBox2->currentText(), queues[0]);
    QCOMPARE(again.printer.printerIndex(), 0);

    // The remembered printer is gone: the default stands in.
    again.printer.setPrinters({QStringLiteral("A3"), QStringLiteral("PDF")});
    again.window.FormShow();
    QCOMPARE(again.window.ComboBox2->currentText(), QStringLiteral("PDF"));
    QCOMPARE(again.printer.printerIndex(), 1);
}

void tst_Report::pdfReadBack()
{
    IndicatorModel shipped;
    QCOMPARE(loadCatalogFile(ZORIS_SHIPPED_DATA "/DEFAULT.lng", shipped), CatalogLoad::Loaded);
    shipped.SchoolName = toCp1251(u"Середня школа №5");
    Report r(shipped);
    r.window.FormShow();
    QTemporaryDir dir;
    r.boxes.fileAnswers.enqueue(dir.filePath(QStringLiteral("звіт")));
    QTest::mouseClick(r.window.Button5, Qt::LeftButton);
    QCOMPARE(r.boxes.asked.value(0).proposed, QStringLiteral("Середня школа №5(2026).pdf"));
    const QString pdf = dir.filePath(QStringLiteral("звіт.pdf"));
    QVERIFY(QFile::exists(pdf));
    QTest::mouseClick(r.window.Button5, Qt::LeftButton);
    QCOMPARE(r.boxes.asked.value(1).directory, dir.path()); // where the PDF went

    const int pages = r.preview().TotalPages();
    REQUIRE_PDF_TOOLS();
    QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), QString::number(pages));
    const QString all = pdfText(pdf, true).simplified();
    QVERIFY(all.contains(QStringLiteral("ПОКАЗНИКИ")));
    QVERIFY(all.contains(QStringLiteral("Середня школа №5")));
    int n = 0;
    for (const razdel &section : shipped.Catalog) {
        ++n;
        for (int m = 1; m <= section.Items.size(); ++m)
            QVERIFY2(all.contains(QStringLiteral("%1.%2.").arg(n).arg(m)), qPrintable(QStringLiteral("%1.%2.").arg(n).arg(m)));
    }
    for (int p = 1; p <= pages; ++p) {
        QCOMPARE(pdfPageSize(pdf, p), QSizeF(842, 595));
        QVERIFY(all.contains(QStringLiteral("Сторінка №%1").arg(p)));
    }
}

// A PDF that cannot be written ends in the error box, as a data file does; a file already there
// is replaced only when the user agrees.
void tst_Report::pdfNotWrittenSaysWhy()
{
    using Kind = ScriptedBoxes::Kind;
    Report r;
    r.window.FormShow();
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("звіт.pdf"));
    writeBytes(existing, "old");
    r.boxes.fileAnswers.enqueue(existing);
    r.boxes.confirmAnswers.enqueue(false);
    QTest::mouseClick(r.window.Button5, Qt::LeftButton);
    QCOMPARE(r.boxes.texts(Kind::ConfirmYesNo),
             QStringList{QStringLiteral("Файл \"звіт.pdf\" вже існує. Ви дійсно бажаєте переписати його?")});
    QCOMPARE(readBytes(existing), QByteArray("old"));

    r.boxes.clear();
    r.boxes.fileAnswers.enqueue(dir.filePath(QStringLiteral("немає/звіт.pdf")));
    QTest::mouseClick(r.window.Button5, Qt::LeftButton);
    const QStringList errors = r.boxes.texts(Kind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(QStringLiteral("Не вдалося записати файл PDF \"звіт.pdf\"")), qPrintable(errors[0]));
    QCOMPARE(r.boxes.count(Kind::Warning), 0);
}

// Tab walks the controls in the form's order, then the page, and round again.
void tst_Report::tabWalksTheControls()
{
    Report r;
    r.window.FormShow();
    QApplication::setActiveWindow(&r.window);
    r.window.ComboBox1->setFocus();
    QStringList walked;
    for (int i = 0; i < 9; ++i) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        const auto *button = qobject_cast<QPushButton *>(focus);
        walked << (button ? button->text() : QString::fromLatin1(focus->metaObject()->className()));
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    const QStringList order{"QComboBox", "Закрити", "Зберегти PDF", "Роздрук", ">", "<", "QComboBox", "TPrintPreview"};
    QCOMPARE(walked, order + order.mid(0, 1));
    r.window.close();
}

QTEST_MAIN(tst_Report)
#include "tst_report.moc"
