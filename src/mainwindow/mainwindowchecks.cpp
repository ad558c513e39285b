// The main window's checks of the values: the rules file, the marks and their counter, the list
// of doubtful values, and the questions before printing and before a summary.

#include "findingslist.h"
#include "mainwindow.h"

#include "checks/outliers.h"
#include "checks/rulesfile.h"
#include "comparison/comparison.h"
#include "indicators/encoding.h"
#include "indicators/model.h"
#include "platform/announcer.h"
#include "platform/boxes.h"
#include "summary/summary.h"

#include <QLabel>
#include <QStatusBar>

namespace {

constexpr int LastYearNoteTime = 20000; // ms

} // namespace

void TForm1::loadChecks()
{
    // Without a catalogue every label would be unknown; the missing catalogue is told already.
    if (m_model.Catalog.isEmpty())
        return;
    const RuleSet rules = loadRulesFile(QString::fromLatin1(RulesFileName), m_model);
    m_checks.setPlan(CheckPlan(m_model, rules.rules));
    recheckValues();
    if (!rules.faults.isEmpty())
        m_boxes.warning(rulesFaultsText(rules.faults));
}

void TForm1::setLastYear(const DataFileContents &lastYear)
{
    m_lastYear = lastYear;
    recheckValues();
}

void TForm1::recheckValues()
{
    // Matched by label again: a data file opened may bring other labels.
    const bool lastYearApplies = m_lastYear && isSameSchool(*m_lastYear, m_model);
    m_checks.setLastYearValues(lastYearApplies ? lastYearValues(m_model, *m_lastYear) : QList<std::optional<double>>());
    if (lastYearApplies) {
        m_lastYearRefusedFor.reset();
    } else if (m_lastYear && m_lastYearRefusedFor != m_model.SchoolName) {
        // Said once for each school whose values stand in the window.
        m_lastYearRefusedFor = m_model.SchoolName;
        const QString text = QStringLiteral("Файл минулого року належить іншому закладу («")
            + fromCp1251(m_lastYear->schoolName) + QStringLiteral("»): зміни проти минулого року не позначаються");
        sStatusBar1->showMessage(text, LastYearNoteTime);
        announce(this, text);
    }
    m_checks.setValues(m_model.values());
    showDoubtfulCount();
    Grid1->viewport()->update();
    if (HintCol == ValueCol)
        Grid1->setHint(cellHint(HintCol, HintRow));
}

void TForm1::recheckValue(int indicator)
{
    const QList<int> changed = m_checks.updateValue(indicator, m_model.indicator(indicator).Value);
    for (int marked : changed)
        Grid1->viewport()->update(Grid1->cellRect(ValueCol, m_model.rows().indicatorRow(marked)));
    if (!changed.isEmpty())
        showDoubtfulCount();
    // The numbers in a reason change with any value the rule names.
    if (HintCol == ValueCol)
        Grid1->setHint(cellHint(HintCol, HintRow));
}

void TForm1::showDoubtfulCount()
{
    const int count = m_checks.doubtfulCount();
    const QString text = QStringLiteral("Сумнівних значень: ") + QString::number(count);
    // Said as it changes, the last doubt cleared too, but not a count that stays unshown.
    if (text != doubtfulText->text() && (count > 0 || !doubtfulText->isHidden()))
        announce(this, text);
    doubtfulText->setText(text);
    doubtfulText->setVisible(count > 0);
}

QString TForm1::cellHint(int col, int row) const
{
    if (col == ValueCol) {
        const int indicator = m_model.rows().indicatorAt(row);
        if (m_checks.isDoubtful(indicator))
            return m_checks.reasons(indicator).join(QLatin1Char('\n'));
    }
    return Grid1->cells(col, row);
}

void TForm1::ToolButton9Click()
{
    const QList<Finding> findings = m_checks.findings();
    if (findings.isEmpty()) {
        m_boxes.information(QStringLiteral("Усі значення пройшли перевірку."));
        return;
    }
    FindingsList list({m_model.CatalogYear, fromCp1251(m_model.SchoolName), findingRows(m_model, findings),
                       doubtfulValueCount(findings)},
                      FindingsList::Review, m_boxes, this);
    list.exec();
    if (list.chosenRow() >= 0)
        showValueCell(m_model.rows().indicatorRow(findings[list.chosenRow()].indicator));
}

bool TForm1::mayPrintDoubtful()
{
    const int count = m_checks.doubtfulCount();
    if (count == 0 || !m_boxes.confirmYesNo(failedValuesText(count) + QStringLiteral(". Переглянути їх перед друком?")))
        return true;
    ToolButton9Click();
    return false;
}

bool TForm1::maySummarise(const SchoolSummary &summary)
{
    const QList<Finding> findings = checkSchools(m_checks.plan(), summary.values);
    if (findings.isEmpty())
        return true;
    FindingsList list({m_model.CatalogYear, summarySchoolName(summary.fileCount()), findingRows(m_model, findings, &summary),
                       doubtfulValueCount(findings)},
                      FindingsList::BeforeSummary, m_boxes, this);
    return list.exec() == QDialog::Accepted;
}
