#include "reportwindow.h"

#include "reportlayout.h"
#include "reportpdf.h"

#include "indicators/datafile.h"
#include "indicators/encoding.h"
#include "platform/announcer.h"
#include "platform/boxes.h"
#include "platform/commands.h"
#include "platform/printing/printerchoice.h"
#include "platform/printing/printerservice.h"
#include "platform/skin.h"
#include "platform/tabchain.h"
#include "preview/printpreview.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QVBoxLayout>

const QString TPrintRep::NoPrinterText = QStringLiteral("Не знайдено жодного встановленого принтера. Звіт не надруковано.");
const QString TPrintRep::PrintFailedText = QStringLiteral("Друк не відбувся: завдання перервано через помилку. Звіт не надруковано.");
const QString TPrintRep::PrintCancelledText = QStringLiteral("Друк скасовано. Звіт не надруковано.");

namespace {

QPushButton *button(QWidget *parent, const QString &caption, const QRect &geometry, bool bold = false)
{
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    if (bold)
        b->setFont(Skin::tahoma(Skin::WindowFontPixels, true));
    return b;
}

} // namespace

TPrintRep::TPrintRep(IndicatorModel &model, StandardBoxes &boxes, PrinterService &printer, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
    , m_boxes(boxes)
    , m_printer(printer)
{
    setObjectName(QStringLiteral("PrintRep"));
    setWindowTitle(QStringLiteral("Попередній огляд"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    setGeometry(341, 169, 868, 606);
    setWindowState(Qt::WindowMaximized);
    Skin::applyWindowLook(*this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(41);
    layout->addWidget(Panel1);

    Button4 = button(Panel1, QStringLiteral("<"), QRect(8, 8, 33, 25), true);
    Label1 = new QLabel(QStringLiteral("0 / 0"), Panel1);
    Label1->setGeometry(40, 16, 57, 13);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(Skin::tahoma(Skin::WindowFontPixels, true));
    Button3 = button(Panel1, QStringLiteral(">"), QRect(96, 8, 33, 25), true);
    Button4->setAccessibleName(QStringLiteral("Попередня сторінка"));
    Button3->setAccessibleName(QStringLiteral("Наступна сторінка"));
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setGeometry(168, 10, 89, 21);
    ComboBox1->setAccessibleName(QStringLiteral("Масштаб"));
    ComboBox1->addItems({QStringLiteral("50 %"), QStringLiteral("100 %"), QStringLiteral("150 %"),
                         QStringLiteral("200 %"), QStringLiteral("500 %"), QStringLiteral("По ширині"),
                         QStringLiteral("По висоті")});
    // No item is chosen at first; the box shows the whole-page view the window opens in.
    ComboBox1->setPlaceholderText(QStringLiteral("По висоті"));
    ComboBox1->setCurrentIndex(-1);
    QPalette shown = ComboBox1->palette();
    shown.setColor(QPalette::PlaceholderText, shown.color(QPalette::Text));
    ComboBox1->setPalette(shown);
    Button2 = button(Panel1, QStringLiteral("Роздрук"), QRect(296, 8, 73, 25));
    Button1 = button(Panel1, QStringLiteral("Закрити"), QRect(416, 8, 73, 25));
    Button5 = button(Panel1, QStringLiteral("Зберегти PDF"), QRect(496, 8, 97, 25));
    Label2 = new QLabel(QStringLiteral("Принтер:"), Panel1);
    Label2->setGeometry(612, 14, 60, 15);
    ComboBox2 = new QComboBox(Panel1);
    ComboBox2->setGeometry(674, 10, 220, 21);
    ComboBox2->setToolTip(QStringLiteral("Принтер, на якому друкується звіт"));
    Label2->setBuddy(ComboBox2);

    PrintPreview1 = new TPrintPreview(this);
    PrintPreview1->setObjectName(QStringLiteral("PrintPreview1"));
    PrintPreview1->setAccessibleName(QStringLiteral("Сторінки звіту"));
    PrintPreview1->setAccessibleDescription(
        QStringLiteral("Звіт у тому вигляді, в якому його буде надруковано. Page Up і Page Down гортають сторінки, "
                       "Ctrl+Page Up і Ctrl+Page Down ведуть до першої й останньої, стрілки прокручують сторінку."));
    setUpReportPreview(PrintPreview1->Document());
    PrintPreview1->setPrinter(&m_printer);
    layout->addWidget(PrintPreview1, 1);

    setTabChain({ComboBox1, Button1, Button5, Button2, Button3, Button4, ComboBox2, PrintPreview1});

    connect(Button1, &QPushButton::clicked, this, &TPrintRep::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TPrintRep::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TPrintRep::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TPrintRep::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TPrintRep::Button5Click);
    connect(ComboBox1, &QComboBox::activated, this, &TPrintRep::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &TPrintRep::ComboBox2Change);
    // The label names the page shown however it was turned: buttons, keys, wheel or a new report.
    connect(PrintPreview1, &TPrintPreview::changed, this, &TPrintRep::updatePageLabel);
}

void TPrintRep::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Restoring the minimised window shows it again too; that keeps the page the user was on.
    if (!event->spontaneous())
        FormShow();
}

void TPrintRep::FormShow()
{
    // The pages and the printer of a running job stay as they are.
    if (PrintPreview1->State() == dsPrinting)
        return;
    fillPrinterList();
    {
        // The pages come one by one; the page shown is said once they are all there.
        const QScopedValueRollback composing(m_composing, true);
        runCommand(m_boxes, [this] { ReportLayout::compose(PrintPreview1->Document(), m_model); });
    }
    announcePage();
}

void TPrintRep::updatePageLabel()
{
    const int page = PrintPreview1->CurrentPage();
    Label1->setText(QString::number(page) + QStringLiteral(" / ") + QString::number(PrintPreview1->TotalPages()));
    // Said as the page turns; a zoom or a scroll turns none.
    if (page != m_announcedPage && !m_composing)
        announcePage();
}

void TPrintRep::announcePage()
{
    m_announcedPage = PrintPreview1->CurrentPage();
    if (m_announcedPage > 0)
        announce(this, QStringLiteral("Сторінка %1 з %2").arg(m_announcedPage).arg(PrintPreview1->TotalPages()));
}

// A running job keeps its window: Escape, "Закрити" and the window's frame close it afterwards.
void TPrintRep::done(int result)
{
    if (PrintPreview1->State() == dsPrinting)
        return;
    QDialog::done(result);
}

void TPrintRep::Button1Click()
{
    accept();
}

void TPrintRep::Button2Click()
{
    // The job lets events through between its pages; a press meanwhile is not a second job.
    if (PrintPreview1->State() == dsPrinting)
        return;
    if (!m_boxes.confirmOkCancel(QStringLiteral("Роздрукувати цей звiт?")))
        return;
    if (!m_printer.hasPrinter()) {
        m_boxes.warning(NoPrinterText);
        return;
    }
    PrintResult::Outcome outcome = PrintResult::NotRun;
    runJob([&] { outcome = PrintPreview1->Print().outcome; });
    if (outcome == PrintResult::Aborted)
        m_boxes.warning(PrintCancelledText);
    else if (outcome != PrintResult::Printed)
        m_boxes.warning(PrintFailedText);
}

void TPrintRep::Button3Click()
{
    if (PrintPreview1->TotalPages() > PrintPreview1->CurrentPage())
        PrintPreview1->setCurrentPage(PrintPreview1->CurrentPage() + 1);
}

void TPrintRep::Button4Click()
{
    if (PrintPreview1->CurrentPage() > 0)
        PrintPreview1->setCurrentPage(PrintPreview1->CurrentPage() - 1);
}

void TPrintRep::Button5Click()
{
    if (PrintPreview1->State() == dsPrinting)
        return;
    const std::optional<QString> path = chooseFileToWrite(
        m_boxes, QStringLiteral("Файли PDF (*.pdf)|*.pdf"), proposedDataFileName(m_model) + QStringLiteral(".pdf"),
        withPdfExtension);
    if (!path)
        return;
    runJob([&] {
        if (runCommand(m_boxes, [&] { printPagesToPdf(PrintPreview1->Document(), *path); }))
            announceWritten(this, *path);
    });
}

template<typename Job>
void TPrintRep::runJob(Job job)
{
    const QList<QWidget *> starters{Button2, Button5, ComboBox2};
    QList<bool> enabled;
    for (QWidget *starter : starters) {
        enabled << starter->isEnabled();
        starter->setEnabled(false);
    }
    const auto restore = qScopeGuard([&] {
        for (qsizetype i = 0; i < starters.size(); ++i)
            starters[i]->setEnabled(enabled[i]);
    });
    job();
}

void TPrintRep::ComboBox1Change()
{
    switch (ComboBox1->currentIndex()) {
    case 0: PrintPreview1->setZoom(50); break;
    case 1: PrintPreview1->setZoom(100); break;
    case 2: PrintPreview1->setZoom(150); break;
    case 3: PrintPreview1->setZoom(200); break;
    case 4: PrintPreview1->setZoom(500); break;
    case 5: PrintPreview1->setZoomState(zsZoomToWidth); break;
    case 6: PrintPreview1->setZoomState(zsZoomToFit); break;
    default: break;
    }
    PrintPreview1->setFocus();
}

// Printers come and go between showings, so the list is read anew each time.
void TPrintRep::fillPrinterList()
{
    ComboBox2->clear();
    ComboBox2->addItems(m_printer.printers());
    ComboBox2->setCurrentIndex(restorePrinterChoice(m_printer));
    ComboBox2->setEnabled(ComboBox2->count() > 0);
}

void TPrintRep::ComboBox2Change()
{
    choosePrinter(m_printer, ComboBox2->currentIndex());
}
