#pragma once

#include "indicators/datafile.h"
#include "platform/dialogfolders.h"

#include <QWidget>

class ComparisonChart;
class ComparisonSortModel;
class ComparisonTableModel;
class IndicatorDocument;
class IndicatorModel;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;
class StandardBoxes;
struct Comparison;

// "Порівняння з <рік> роком": this year's values beside those of last year's data file, which
// is only read and never enters the model. Not modal, so that the table follows the grid while
// values are typed.
class ComparisonWindow : public QWidget
{
    Q_OBJECT

public:
    ComparisonWindow(IndicatorDocument &document, StandardBoxes &boxes, QWidget *parent = nullptr);

    // The tool button's command: reads last year's file remembered for the working folder, or
    // asks for one the first time, then shows the window.
    void open();
    // Last year's file remembered for the working folder, read without a word: none when it is
    // missing, unreadable or not of an earlier year.
    void readRemembered();
    const Comparison &comparison() const;

    QLabel *Label1 = nullptr;          // last year's file and school
    QTableView *Table1 = nullptr;
    ComparisonChart *Chart1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;    // the whole section in the chart
    QPushButton *Button1 = nullptr;    // "Інший файл…"
    QPushButton *Button2 = nullptr;    // "Зберегти PDF"
    QPushButton *Button3 = nullptr;    // "Зберегти таблицю"
    QPushButton *Button4 = nullptr;    // "Закрити"

signals:
    // Last year's file was read, chosen or changed.
    void lastYearRead(const DataFileContents &lastYear);

public slots:
    // This year's values again from the model, as the grid or the wizard changed them.
    void refresh();

    void Button1Click();
    void Button2Click();
    void Button3Click();

private:
    // Reads the file and checks its year; true when it became last year's file.
    bool load(const QString &path);
    void useLastYear(DataFileContents lastYear, const QString &path);
    void updateChart();

    const IndicatorModel &m_model;
    StandardBoxes &m_boxes;
    DialogFolders m_folders;
    DataFileContents m_lastYear;
    // This year's labels the table was matched with; while they stay, a changed value changes
    // only its cells, which keeps typing quick in a large catalogue.
    QList<QByteArray> m_matchedLabels;
    QString m_lastYearPath;
    ComparisonTableModel *m_table = nullptr;
    ComparisonSortModel *m_sorted = nullptr;
};
