#include "findingslist.h"

#include "platform/commands.h"
#include "platform/files/fileio.h"
#include "platform/skin.h"
#include "report/reportpdf.h"
#include "summary/summarytable.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <numeric>

FindingsList::FindingsList(const FindingsDocument &document, Purpose purpose, StandardBoxes &boxes, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
    , m_boxes(boxes)
{
    const bool withSchools = purpose == BeforeSummary;
    const QList<FindingRow> &rows = m_document.rows;
    setWindowTitle(withSchools ? QStringLiteral("Перевірка файлів закладів") : QStringLiteral("Перевірка значень"));
    Skin::applyWindowLook(*this);

    QStringList headers{QStringLiteral("Розділ"), QStringLiteral("Показник"), QStringLiteral("Зміст показника"),
                        QStringLiteral("Значення"), QStringLiteral("Причина")};
    QList<int> widths{170, 80, 330, 70, 380};
    if (withSchools) {
        headers.prepend(QStringLiteral("Заклад"));
        widths.prepend(150);
    }
    table = new QTableWidget(int(rows.size()), int(headers.size()), this);
    table->setObjectName(QStringLiteral("findings"));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(true);
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->setStretchLastSection(true);
    for (int col = 0; col < widths.size(); ++col)
        table->setColumnWidth(col, widths[col]);
    for (int row = 0; row < rows.size(); ++row) {
        const FindingRow &line = rows[row];
        QStringList texts{line.section, line.label, line.wording, line.value, line.reason};
        if (withSchools)
            texts.prepend(line.school);
        for (int col = 0; col < texts.size(); ++col)
            table->setItem(row, col, new QTableWidgetItem(texts[col]));
        table->item(row, int(texts.size()) - 2)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    table->resizeRowsToContents();
    if (!rows.isEmpty())
        table->setCurrentCell(0, 0);
    auto *buttons = new QDialogButtonBox(this);
    const auto addButton = [&](const QString &text, QDialogButtonBox::ButtonRole role) {
        QPushButton *button = buttons->addButton(text, role);
        // Enter belongs to the list's lines, not to a button.
        button->setAutoDefault(false);
        return button;
    };
    connect(addButton(QStringLiteral("Зберегти PDF"), QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
            &FindingsList::savePdf);
    connect(addButton(QStringLiteral("Зберегти таблицю"), QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
            &FindingsList::saveTable);
    if (purpose == BeforeSummary) {
        // Not in the accept role, which a button box makes the default: Enter on a line must
        // not start the summary.
        connect(addButton(QStringLiteral("Продовжити зведення"), QDialogButtonBox::ActionRole), &QPushButton::clicked,
                this, &QDialog::accept);
        addButton(QStringLiteral("Скасувати"), QDialogButtonBox::RejectRole);
    } else {
        addButton(QStringLiteral("Закрити"), QDialogButtonBox::RejectRole);
        // Enter and a double click both reach the table as "activated".
        connect(table, &QTableWidget::activated, this, [this](const QModelIndex &index) {
            m_chosen = index.row();
            accept();
        });
    }
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    if (purpose == BeforeSummary)
        layout->addWidget(new QLabel(failedValuesText(m_document.doubtfulCount) + QLatin1Char('.'), this));
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(std::accumulate(widths.begin(), widths.end(), 40), 440);
    table->setFocus();
}

void FindingsList::savePdf()
{
    const std::optional<QString> path = chooseFileToWrite(m_boxes, QStringLiteral("Файли PDF (*.pdf)|*.pdf"),
                                                          proposedFindingsName(m_document) + QStringLiteral(".pdf"),
                                                          withPdfExtension);
    if (path && runCommand(m_boxes, [&] { writeFindingsPdf(m_document, *path); }))
        announceWritten(this, *path);
}

void FindingsList::saveTable()
{
    const std::optional<QString> path = chooseFileToWrite(m_boxes, QStringLiteral("Таблиці CSV|*.csv"),
                                                          proposedFindingsName(m_document) + QStringLiteral(".csv"),
                                                          withTableFileExtension);
    if (path && runCommand(m_boxes, [&] { writeFileAtomically(*path, findingsTableBytes(m_document)); }))
        announceWritten(this, *path);
}
