#pragma once

#include "text/fontwords.h"

#include <QColor>
#include <QList>
#include <QStringList>
#include <QTableView>

#include <functional>

class Canvas;
class StringGridModel;
class StringGridHeader;
class StringGridDelegate;

// A grid of text cells over Qt's table view, numbered as the windows expect: row 0 is the one
// fixed header row (Qt's horizontal header, so it stays in view while the rows scroll), rows 1
// and on are the ordinary rows. Column widths and row heights are those of the cells; the
// one-pixel grid line at each cell's right and bottom comes on top.
//
// Everything a cell shows is painted through drawCell: the grid fills the cell with the colour
// for its state and writes its text at (2, 2), then the handler paints over it.
class StringGrid : public QTableView
{
    Q_OBJECT

public:
    enum StateFlag { Selected = 1, Focused = 2, Fixed = 4 };
    Q_DECLARE_FLAGS(DrawState, StateFlag)

    explicit StringGrid(QWidget *parent = nullptr);
    ~StringGrid() override;

    int rowCount() const;
    void setRowCount(int rows);
    int colCount() const;
    void setColCount(int cols);

    QString cells(int col, int row) const;
    void setCells(int col, int row, const QString &text);
    // Replaces a whole row's texts at once (missing columns become empty).
    void setRowTexts(int row, const QStringList &texts);

    int colWidths(int col) const;
    void setColWidths(int col, int width);
    int rowHeights(int row) const;
    void setRowHeights(int row, int height);
    // Heights of rows first, first + 1, ... in one layout pass.
    void setRowHeights(int first, const QList<int> &heights);

    // The cells selected with Shift and the arrows or the mouse, as columns by rows: the current
    // cell when no others are selected, nothing when there is none.
    QRect selectedCells() const;

    // The current cell; row 0, being fixed, never becomes current.
    int row() const;
    void setRow(int row);
    int col() const;
    void setCol(int col);

    // The editing switch: while on, typing, F2, Enter or a click on the current cell opens the
    // in-place editor on the current cell.
    bool editing() const { return m_editing; }
    void setEditing(bool on);
    bool editorMode() const;
    void setEditorMode(bool open);
    // Closes the editor without its final text: the cell keeps the text it had last.
    void cancelEditor();

    // Sees each character typed while the grid or its editor has the focus, before either takes
    // it, and gives what is to be typed in its place: the same character, another, or 0 to
    // discard it.
    using KeyFilter = std::function<QChar(QChar)>;
    void setKeyFilter(KeyFilter filter) { m_keyFilter = std::move(filter); }

    // What a screen reader is told about a cell, asked for as it reads the cell: a text in place
    // of the cell's own where that alone says too little (a title painted over empty cells), or
    // an empty one to keep the cell's text.
    using CellSpeech = std::function<QString(int col, int row)>;
    void setCellSpeech(CellSpeech speech);
    // The name of the in-place editor that opens on a cell.
    void setEditorSpeech(CellSpeech speech) { m_editorSpeech = std::move(speech); }

    QColor fixedColor() const { return m_fixedColor; }
    void setFixedColor(const QColor &color);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QColor gridLineColor() const { return m_lineColor; }
    void setGridLineColor(const QColor &color);

    // A cell's rectangle without its grid lines, in the coordinates of the painter that
    // drawCell gets for that row (the header's for row 0, the rows' area's for the others).
    QRect cellRect(int col, int row) const;
    // The cell under a point of the grid's client area (header at the top); -1 for the column
    // or the row where there is none.
    QPoint mouseCoord(const QPoint &pos) const;
    // The grid's client coordinates of a point of the rows' area.
    QPoint clientPosFromViewport(const QPoint &pos) const;

    // The hint shown when the pointer rests over the grid; setting it, even to the same text,
    // hides the hint shown and restarts the delay before the next.
    QString hint() const { return toolTip(); }
    void setHint(const QString &text);

    int pixelsPerInch() const;
    // The words the grid's cells are measured and drawn with; measuring adds to them.
    WordCache &words() const { return m_words; }

signals:
    void drawCell(Canvas &canvas, int col, int row, const QRect &rect, StringGrid::DrawState state);
    // The user clicked a cell (the current one too) or the current cell moved, by the user or
    // by setRow/setCol; always after the move.
    void clicked();
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);
    // After every change of the editor's text, and once more with the final text when the
    // editor closes (naming the edited cell even when the current cell has moved on).
    void editTextSet(int col, int row, const QString &text);
    // The editor opened on a cell, and closed with its final text (after editTextSet).
    void editorOpened(int col, int row);
    void editorClosed(int col, int row, const QString &text);
    void mouseMoved(const QPoint &clientPos);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Typing never jumps to a cell by its text.
    void keyboardSearch(const QString &) override {}
    // An editor opens only while the editing switch is on, whatever asks for it (Tab from an
    // open editor asks for one on the next cell).
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    using QTableView::edit;

private:
    friend class StringGridDelegate;
    friend class StringGridHeader;

    // Tab and Shift+Tab move between cells; with Ctrl they leave the grid (or its editor) for the
    // window's next or previous control. True when the key did so.
    bool leaveByKey(QKeyEvent &event);
    using KeyDelivery = std::function<void(QKeyEvent &)>;
    // The one route of a key press, whether the grid or its open editor has it. Ctrl+Tab leaves
    // the grid; a key that types a character goes through the key filter: a discarded character
    // ends here, an Enter that gets through closes the editor if it is open and opens it
    // otherwise, and a replaced one goes on to deliver as a key event of its own. A key on its
    // way through deliver (to an editor it opens or reaches) is not filtered again. Returns
    // false when the key goes on as it came, for the caller to pass on.
    bool routeKeyPress(QKeyEvent &event, const KeyDelivery &deliver);
    // Not const: the drawCell handler it calls may change the grid (row heights).
    void paintCell(QPainter &painter, const QRect &sectionRect, int col, int row, DrawState state);
    void editorTextChanged(int col, int row, const QString &text);
    void applyEditTriggers();
    void updateHeaderHeight();
    void updateColumnSizes();

    StringGridModel *m_model;
    StringGridHeader *m_header;
    StringGridDelegate *m_delegate;
    QList<int> m_colWidths;
    int m_headerHeight;
    bool m_editing = false;
    bool m_forwarding = false; // a key event already filtered is on its way to the editor
    bool m_currentMoved = false;
    QColor m_fixedColor = QColor(192, 220, 192);
    QColor m_color = Qt::white;
    QColor m_lineColor = QColor(192, 192, 192);
    mutable WordCache m_words;
    KeyFilter m_keyFilter;
    CellSpeech m_editorSpeech;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(StringGrid::DrawState)
