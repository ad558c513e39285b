#pragma once

#include <QDialog>

class IndicatorModel;
class PrinterService;
class StandardBoxes;
class TPrintPreview;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

// The report preview window: composes the report each time it is shown, turns pages, zooms,
// prints after the user confirms, and saves the pages as PDF.
class TPrintRep : public QDialog
{
    Q_OBJECT

public:
    TPrintRep(IndicatorModel &model, StandardBoxes &boxes, PrinterService &printer, QWidget *parent = nullptr);

    TPrintPreview *PrintPreview1 = nullptr;
    QWidget *Panel1 = nullptr;
    QPushButton *Button4 = nullptr; // "<"
    QLabel *Label1 = nullptr;       // "N / M"
    QPushButton *Button3 = nullptr; // ">"
    QComboBox *ComboBox1 = nullptr;
    QPushButton *Button2 = nullptr; // "Роздрук"
    QPushButton *Button1 = nullptr; // "Закрити"
    QPushButton *Button5 = nullptr; // "Зберегти PDF"
    QLabel *Label2 = nullptr;       // "Принтер:"
    QComboBox *ComboBox2 = nullptr; // the installed printers

    void FormShow();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void ComboBox1Change();
    void ComboBox2Change();

    static const QString NoPrinterText;
    static const QString PrintFailedText;
    static const QString PrintCancelledText;

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void updatePageLabel();
    // Tells a screen reader the page shown, "Сторінка N з M".
    void announcePage();
    void fillPrinterList();
    // Runs a print or PDF job with every control that could start another job or change the
    // printer disabled.
    template<typename Job>
    void runJob(Job job);

    IndicatorModel &m_model;
    StandardBoxes &m_boxes;
    PrinterService &m_printer;
    bool m_composing = false;
    int m_announcedPage = 0;
};
