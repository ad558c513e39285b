#pragma once

#include "checks/valuechecks.h"
#include "indicators/datafile.h"
#include "platform/dialogfolders.h"
#include "platform/stringgrid.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

class Canvas;
enum class CatalogLoad;
class FindBar;
class IndicatorDocument;
class IndicatorModel;
class NoticeBalloon;
class QLabel;
class QStatusBar;
class QToolBar;
class QToolButton;
class RecoveryStore;
class RecoveryWriter;
class StandardBoxes;
struct SchoolSummary;
namespace Skin {
enum class ToolImage;
}

// The main window: tool bar, indicator grid and status bar over the one model. Its handlers
// carry the names of the events they answer; file work is done by the indicators library and
// every failure ends in the application's error box.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    // Runs FormCreate: loads the catalogue from the working directory, reads or asks for the
    // school's name, maximises the window and shows the version.
    TForm1(IndicatorDocument &document, StandardBoxes &boxes, QWidget *parent = nullptr);
    ~TForm1() override;

    // What "Ввести дані" and "Роздрук" show modally; until set, the buttons do nothing.
    void setShowWizard(std::function<void()> show) { m_showWizard = std::move(show); }
    void setShowReport(std::function<void()> show) { m_showReport = std::move(show); }
    // What "Порівняння" shows; until set, the button does nothing.
    void setShowComparison(std::function<void()> show) { m_showComparison = std::move(show); }

    // Last year's data file chosen for the comparison: a value that changed too much beside it
    // is marked as doubtful.
    void setLastYear(const DataFileContents &lastYear);

    // Opens a data file as "Відкрити" does after its dialog: year check, then every value.
    void openDataFileNamed(const QString &path);

    // Why a key typed into a value cell was discarded.
    const NoticeBalloon &keyNotice() const { return *m_keyNotice; }

    // At the window's start, before a data file named on the command line is opened: offers
    // back the values of the working folder's recovery file in recoveryFolder, then keeps that
    // file in step with the values while they are unsaved. A second running copy in the same
    // working folder keeps none and says so.
    void keepRecoveryIn(const QString &recoveryFolder);

    QToolBar *sToolBar1 = nullptr;
    QToolButton *ToolButton11 = nullptr;
    QToolButton *ToolButton3 = nullptr;
    QToolButton *ToolButton4 = nullptr;
    QToolButton *ToolButton5 = nullptr;
    QToolButton *ToolButton6 = nullptr;
    QToolButton *ToolButton7 = nullptr;
    QToolButton *ToolButton8 = nullptr;
    QToolButton *ToolButton9 = nullptr;
    QToolButton *ToolButton10 = nullptr;
    StringGrid *Grid1 = nullptr;
    QStatusBar *sStatusBar1 = nullptr;
    QLabel *statusText = nullptr;
    QLabel *doubtfulText = nullptr;

    // Column "Цифрові дані".
    static constexpr int ValueCol = 6;

    int HintRow = 0;
    int HintCol = 0;

public slots:
    // Column 6 of every indicator row from the model.
    void RefreshValues();
    // Column 6 of these indicators' rows, the cell being typed in left as it is.
    void showValues(const QList<int> &indicators);

    void OpenDataFile();
    void ToolButton3Click();
    void ToolButton4Click();
    void ToolButton5Click();
    void ToolButton6Click();
    void ToolButton7Click();
    // The district summary of several schools' data files, and on request its table.
    void ToolButton8Click();
    // The list of doubtful values; a line chosen in it makes that value's cell current.
    void ToolButton9Click();
    // Last year beside this year.
    void ToolButton10Click();

    void FillGrid();
    void FormResize();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void showCatalog(CatalogLoad catalog);
    void askSchoolName();
    void storeSchoolName();
    void SaveDataFile(const QString &Path);
    // The save command; true when the file was written.
    bool saveValues();
    // Before values typed since the last open or save are replaced or dropped: asks whether to
    // save them first. False when they are to stay (Cancel, or a save that wrote nothing).
    bool maySetValuesAside();
    // The exit question, or the one about unsaved values in its place.
    bool mayEndProgram();
    // The caption, with a leading "*" while values are unsaved.
    void updateCaption();
    // The recovery file follows the same mark: written while values are unsaved, gone once not.
    void followRecovery();
    // False when the file is of another year (after the warning); the model is then untouched.
    bool loadDataFile(const QString &path);
    void SetValueAtRow(int Row, double Value);

    // Recovery (mainwindowrecovery.cpp). True when the recovery file was taken back or set
    // aside; false when it is still there and must not be written over.
    bool offerRecovery(const RecoveryStore &store);
    bool setRecoveryAside(const RecoveryStore &store, const QString &refusal);
    QByteArray recoveryContents() const;

    // Checks of the values (mainwindowchecks.cpp).
    // The rules file beside the catalogue; its faults in one warning.
    void loadChecks();
    // Every value checked anew, after values came from elsewhere than one typed cell.
    void recheckValues();
    // After one value changed: the marks that changed, the counter, the hint.
    void recheckValue(int indicator);
    void showDoubtfulCount();
    // Before "Роздрук": false when the user would rather see the doubtful values first.
    bool mayPrintDoubtful();
    // Before "Зведення" adds up the schools: their doubtful values listed, then the question
    // whether to go on.
    bool maySummarise(const SchoolSummary &summary);
    // The cell of the hint: the reasons of a doubtful value, else the cell's text.
    QString cellHint(int col, int row) const;
    // What a screen reader is told of a grid row's cells and of the editor opened on a cell.
    QString cellSpeech(int col, int row) const;
    QString editorSpeech(int col, int row) const;
    void showValueCell(int row);

    // Grid handlers (mainwindowgrid.cpp).
    void Grid1DrawCell(Canvas &canvas, int ACol, int ARow, const QRect &Rect);
    void Grid1Click();
    void Grid1KeyPress(QChar &Key);
    void Grid1KeyUp(int Key);
    void Grid1SetEditText(int ACol, int ARow, const QString &Value);
    // The editing of a value cell: one step of the history from opening the editor to leaving
    // the cell; Escape puts back the value it began with; a cell left with a text that reads as
    // no value held shows the value held.
    void Grid1EditorOpened(int ACol, int ARow);
    void Grid1EditorClosed(int ACol, int ARow, const QString &Value);
    void cancelValueEdit();
    // Delete on value cells: each stores 0, one step.
    void clearValues();
    void undoStep();
    void redoStep();

    // Editing commands (mainwindowediting.cpp).
    void addEditingKeys();
    // The selected cells as tab-separated text, the whole table with its header.
    void copyCells();
    void cutCells();
    // Clipboard text of values: one step, or one warning and nothing changed.
    void pasteCells();
    void selectAllCells();
    void openFind();
    void findNext();
    void findPrevious();
    void findStep(int step);
    void placeFindBar();
    // The texts of cells as copied: section titles in the wording's column, texts that a
    // spreadsheet would take for a formula kept as texts.
    QList<QStringList> cellTexts(const QRect &cells) const;
    void Grid1MouseMove(const QPoint &pos);
    void fillCells();
    // Columns 2 and 5 share the grid's width; true when a width changed.
    bool applyWidthRule();
    void moveDownOverSection();
    void stepOverSectionRow(int step);
    bool isValueRow(int row) const;
    // Row heights by the cell-text rule: each row as tall as its tallest wrapped text, a
    // section row as tall as its title wrapped across the whole row.
    int Grid1RowHeight(int row) const;
    void updateRowHeights();
    void updateRowHeight(int row);
    void showValueAt(int row, double value);

    // The button, its hint followed by its shortcut, which works anywhere in the window.
    QToolButton *addToolButton(const QString &caption, const QString &hint, QKeyCombination shortcut,
                               Skin::ToolImage image, void (TForm1::*handler)());
    // Runs a command; an error it raises goes to the error box.
    void run(const std::function<void()> &command);

    IndicatorDocument &m_document;
    IndicatorModel &m_model;
    StandardBoxes &m_boxes;
    std::function<void()> m_showWizard;
    std::function<void()> m_showReport;
    std::function<void()> m_showComparison;
    DialogFolders m_folders;
    NoticeBalloon *m_keyNotice;
    FindBar *m_findBar;
    QString m_caption;
    bool m_shown = false;
    bool m_exitConfirmed = false;
    // The data file last opened or saved; after a recovery "Записати" proposes it.
    QString m_dataFile;
    bool m_proposeDataFile = false;
    // The row whose typed text is being stored, while it is.
    int m_typedRow = -1;
    // The edit of a value cell under way: its number for the history, the value it began with.
    int m_edit = 0;
    double m_editStart = 0;
    std::unique_ptr<RecoveryStore> m_recoveryStore;
    std::unique_ptr<RecoveryWriter> m_recovery;
    ValueChecks m_checks;
    std::optional<DataFileContents> m_lastYear;
    // The school the status bar said last year's file does not belong to.
    std::optional<QByteArray> m_lastYearRefusedFor;
};
