#include "comparisonwindow.h"

#include "comparison.h"
#include "comparisonchart.h"
#include "comparisonpdf.h"
#include "comparisontable.h"
#include "lastyearfile.h"

#include "core/errors.h"
#include "indicators/document.h"
#include "indicators/encoding.h"
#include "platform/boxes.h"
#include "platform/commands.h"
#include "platform/files/fileio.h"
#include "platform/skin.h"
#include "report/reportpdf.h"
#include "summary/summary.h"
#include "summary/summarytable.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString DataFileFilter = QStringLiteral("Файли даних АС \"Зоріс\"|*.zrs");
const QString LastYearCaption = QStringLiteral("Порівняння: файл з даними минулого року");

QPushButton *button(QWidget *parent, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setMinimumWidth(97);
    return b;
}

} // namespace

ComparisonWindow::ComparisonWindow(IndicatorDocument &document, StandardBoxes &boxes, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_model(document.model())
    , m_boxes(boxes)
{
    setObjectName(QStringLiteral("Comparison"));
    Skin::applyWindowLook(*this);
    resize(1200, 720);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    Label1 = new QLabel(this);
    Label1->setFont(Skin::tahoma(Skin::WindowFontPixels, true));
    layout->addWidget(Label1);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    layout->addWidget(splitter, 1);
    m_table = new ComparisonTableModel(this);
    m_sorted = new ComparisonSortModel(m_table, this);
    Table1 = new QTableView(splitter);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->setModel(m_sorted);
    Table1->setSortingEnabled(true);
    // Until a heading is clicked, the catalogue's order with its section rows.
    Table1->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    Table1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table1->setSelectionMode(QAbstractItemView::SingleSelection);
    Table1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table1->setWordWrap(false);
    Table1->verticalHeader()->hide();
    Table1->verticalHeader()->setDefaultSectionSize(20);
    QHeaderView *header = Table1->horizontalHeader();
    header->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    for (const auto &[column, width] : {std::pair{NumberColumn, 52}, {CodeColumn, 92}, {MeasureColumn, 80}})
        header->resizeSection(column, width);
    // A value may carry fifteen digits: it is never cut.
    for (const int column : {LastColumn, CurrentColumn, ChangeColumn, PercentColumn})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    Chart1 = new ComparisonChart(splitter);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setMinimumHeight(220);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    auto *panel = new QHBoxLayout;
    layout->addLayout(panel);
    CheckBox1 = new QCheckBox(QStringLiteral("На діаграмі всі показники розділу з тими ж одиницями"), this);
    panel->addWidget(CheckBox1);
    panel->addStretch(1);
    Button1 = button(this, QStringLiteral("Інший файл…"));
    Button2 = button(this, QStringLiteral("Зберегти PDF"));
    Button3 = button(this, QStringLiteral("Зберегти таблицю"));
    Button4 = button(this, QStringLiteral("Закрити"));
    for (QPushButton *b : {Button1, Button2, Button3, Button4})
        panel->addWidget(b);

    connect(Button1, &QPushButton::clicked, this, &ComparisonWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &ComparisonWindow::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &ComparisonWindow::Button3Click);
    connect(&document, &IndicatorDocument::valuesChanged, this, &ComparisonWindow::refresh);
    connect(&document, &IndicatorDocument::schoolNameChanged, this, &ComparisonWindow::refresh);
    connect(&document, &IndicatorDocument::contentsReplaced, this, &ComparisonWindow::refresh);
    connect(Button4, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    connect(CheckBox1, &QCheckBox::toggled, this, &ComparisonWindow::updateChart);
    connect(Table1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ComparisonWindow::updateChart);
    // Sorting and a changed value move rows under the cursor; the chart follows the row chosen.
    connect(m_sorted, &QAbstractItemModel::layoutChanged, this, &ComparisonWindow::updateChart);
}

const Comparison &ComparisonWindow::comparison() const
{
    return m_table->comparison();
}

void ComparisonWindow::open()
{
    const QString folder = QDir::currentPath();
    QString path = LastYearFile::remembered(folder);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        const std::optional<QString> chosen = m_boxes.openFile(DataFileFilter, m_folders.start(), LastYearCaption);
        if (!chosen || chosen->isEmpty())
            return;
        m_folders.remember(*chosen);
        path = *chosen;
    }
    if (!load(path)) {
        // The next press asks for the file again.
        LastYearFile::forget(folder);
        return;
    }
    show();
    refresh();
    raise();
    activateWindow();
    if (!Table1->currentIndex().isValid() && m_sorted->rowCount() > 0)
        Table1->selectRow(0);
}

bool ComparisonWindow::load(const QString &path)
{
    bool loaded = false;
    runCommand(m_boxes, [&] {
        DataFileContents lastYear = readComparedFile(path);
        if (!precedesYear(lastYear.year, m_model.CatalogYear)) {
            m_boxes.warning(notEarlierYearText(lastYear.year, m_model.CatalogYear));
            return;
        }
        useLastYear(std::move(lastYear), path);
        loaded = true;
    });
    return loaded;
}

void ComparisonWindow::readRemembered()
{
    const QString path = LastYearFile::remembered(QDir::currentPath());
    if (path.isEmpty())
        return;
    try {
        DataFileContents lastYear = readComparedFile(path);
        if (precedesYear(lastYear.year, m_model.CatalogYear))
            useLastYear(std::move(lastYear), path);
    } catch (const ZorisError &) {
        // "Порівняння" tells what is wrong with it when it is pressed.
    }
}

void ComparisonWindow::useLastYear(DataFileContents lastYear, const QString &path)
{
    m_lastYear = std::move(lastYear);
    m_matchedLabels.clear();
    m_lastYearPath = path;
    LastYearFile::remember(QDir::currentPath(), path);
    emit lastYearRead(m_lastYear);
}

void ComparisonWindow::refresh()
{
    // A hidden window catches up when it is shown again.
    if (m_lastYearPath.isEmpty() || !isVisible())
        return;
    DataFileContents thisYear = modelContents(m_model);
    if (!m_matchedLabels.isEmpty() && thisYear.keys == m_matchedLabels) {
        m_table->updateCurrentValues(m_model);
    } else {
        m_table->setComparison(compareYears(m_model, m_lastYear, thisYear));
        m_matchedLabels = std::move(thisYear.keys);
    }
    setWindowTitle(comparisonCaption(comparison()));
    Label1->setText(shownYear(m_lastYear.year) + QStringLiteral(" рік: ") + fromCp1251(m_lastYear.schoolName)
                    + QStringLiteral(" (файл ") + shownFileName(m_lastYearPath) + QLatin1Char(')'));
    updateChart();
}

void ComparisonWindow::updateChart()
{
    const int row = m_sorted->comparisonRow(Table1->currentIndex().row());
    Chart1->showRows(comparison(), chartRows(comparison(), row, CheckBox1->isChecked()));
}

void ComparisonWindow::Button1Click()
{
    const std::optional<QString> chosen = m_boxes.openFile(DataFileFilter, m_folders.start(), LastYearCaption);
    if (!chosen || chosen->isEmpty())
        return;
    m_folders.remember(*chosen);
    if (load(*chosen))
        refresh();
}

void ComparisonWindow::Button2Click()
{
    refresh(); // the school's name may have changed since
    const std::optional<QString> path =
        chooseFileToWrite(m_boxes, QStringLiteral("Файли PDF (*.pdf)|*.pdf"),
                          proposedComparisonName(comparison()) + QStringLiteral(".pdf"), withPdfExtension);
    if (path && runCommand(m_boxes, [&] { writeComparisonPdf(comparison(), *path); }))
        announceWritten(this, *path);
}

void ComparisonWindow::Button3Click()
{
    refresh();
    const std::optional<QString> path =
        chooseFileToWrite(m_boxes, QStringLiteral("Таблиці CSV|*.csv"),
                          proposedComparisonName(comparison()) + QStringLiteral(".csv"), withTableFileExtension);
    if (path && runCommand(m_boxes, [&] { writeFileAtomically(*path, comparisonTableBytes(comparison())); }))
        announceWritten(this, *path);
}
