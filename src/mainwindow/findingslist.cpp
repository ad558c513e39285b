#include "findingslist.h"

#include "platform/skin.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <numeric>

FindingsList::FindingsList(const QList<FindingRow> &rows, bool withSchools, QWidget *parent)
    : QDialog(parent)
{
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
    // Enter and a double click both reach the table as "activated".
    connect(table, &QTableWidget::activated, this, [this](const QModelIndex &index) {
        m_chosen = index.row();
        accept();
    });

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close = buttons->addButton(QStringLiteral("Закрити"), QDialogButtonBox::RejectRole);
    // Enter belongs to the list's lines, not to the button.
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(std::accumulate(widths.begin(), widths.end(), 40), 440);
    table->setFocus();
}
