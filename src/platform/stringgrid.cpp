#include "stringgrid.h"

#include "canvas.h"
#include "keysonlyedit.h"
#include "typedkey.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int DefaultColWidth = 120;
constexpr int DefaultRowHeight = 18;
constexpr int GridLine = 1;
// The current cell's frame while the grid has the keyboard, dark on the selection's and the
// section band's blues alike.
constexpr QColor FocusMarkColor{10, 36, 106};
constexpr int FocusMarkWidth = 2;

// A key event carrying character in place of the one the user typed.
QKeyEvent keyEventFor(const QKeyEvent &event, QChar character)
{
    int key = Qt::Key_unknown;
    if (character == QChar(8))
        key = Qt::Key_Backspace;
    else if (character.unicode() >= 0x20 && character.unicode() < 0x7f)
        key = character.toUpper().unicode();
    return QKeyEvent(QEvent::KeyPress, key, event.modifiers(), QString(character));
}

} // namespace

// The texts of all rows, row 0 (the header) included; Qt's rows are the grid's rows 1 and on.
class StringGridModel : public QAbstractTableModel
{
public:
    explicit StringGridModel(QObject *parent) : QAbstractTableModel(parent) { m_rows.resize(2); }

    int gridRows() const { return int(m_rows.size()); }
    int gridCols() const { return m_cols; }

    void setGridRows(int rows)
    {
        rows = qMax(1, rows);
        const int old = gridRows();
        if (rows > old) {
            beginInsertRows({}, old - 1, rows - 2);
            m_rows.resize(rows);
            endInsertRows();
        } else if (rows < old) {
            beginRemoveRows({}, rows - 1, old - 2);
            m_rows.resize(rows);
            endRemoveRows();
        }
    }

    void setGridCols(int cols)
    {
        cols = qMax(0, cols);
        if (cols > m_cols) {
            beginInsertColumns({}, m_cols, cols - 1);
            m_cols = cols;
            endInsertColumns();
        } else if (cols < m_cols) {
            beginRemoveColumns({}, cols, m_cols - 1);
            m_cols = cols;
            for (QStringList &row : m_rows) {
                if (row.size() > cols)
                    row.resize(cols);
            }
            endRemoveColumns();
        }
    }

    QString text(int col, int row) const
    {
        if (row < 0 || row >= gridRows())
            return {};
        return m_rows[row].value(col);
    }

    void setText(int col, int row, const QString &text)
    {
        if (row < 0 || row >= gridRows() || col < 0 || col >= m_cols)
            return;
        QStringList &cells = m_rows[row];
        if (cells.size() <= col) {
            if (text.isEmpty())
                return;
            cells.resize(col + 1);
        }
        if (cells[col] == text)
            return;
        cells[col] = text;
        changed(row, col, col);
    }

    void setRow(int row, const QStringList &texts)
    {
        if (row < 0 || row >= gridRows())
            return;
        m_rows[row] = texts.mid(0, m_cols);
        changed(row, 0, m_cols - 1);
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : gridRows() - 1; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_cols; }

    void setSpeech(StringGrid::CellSpeech speech) { m_speech = std::move(speech); }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return text(index.column(), index.row() + 1);
        if (role == Qt::AccessibleTextRole && m_speech)
            return m_speech(index.column(), index.row() + 1);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return text(section, 0);
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::NoItemFlags;
    }

private:
    void changed(int row, int firstCol, int lastCol)
    {
        if (lastCol < firstCol)
            return;
        if (row == 0)
            emit headerDataChanged(Qt::Horizontal, firstCol, lastCol);
        else
            emit dataChanged(index(row - 1, firstCol), index(row - 1, lastCol), {Qt::DisplayRole});
    }

    QList<QStringList> m_rows;
    int m_cols = 0;
    StringGrid::CellSpeech m_speech;
};

// Row 0: painted through the grid's drawCell like every other row.
class StringGridHeader : public QHeaderView
{
public:
    explicit StringGridHeader(StringGrid *grid)
        : QHeaderView(Qt::Horizontal, grid)
        , m_grid(grid)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
        setSectionsMovable(false);
        setMinimumSectionSize(0);
        setDefaultSectionSize(DefaultColWidth + GridLine);
        setSectionResizeMode(QHeaderView::Fixed);
        setStretchLastSection(false);
        setMouseTracking(true);
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        if (!rect.isValid())
            return;
        painter->save();
        m_grid->paintCell(*painter, rect, logicalIndex, 0, StringGrid::Fixed);
        painter->restore();
    }

    void paintEvent(QPaintEvent *event) override
    {
        // The part right of the last column shows the grid's background, as below the rows.
        QPainter(viewport()).fillRect(viewport()->rect(), m_grid->palette().color(QPalette::Base));
        QHeaderView::paintEvent(event);
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        QHeaderView::mouseMoveEvent(event);
        // The header lies at the top of the client area: its points are the client's.
        emit m_grid->mouseMoved(event->position().toPoint());
    }

private:
    StringGrid *m_grid;
};

// Paints every cell through the grid and gives the grid the editor's key presses before the
// editor sees them.
class StringGridDelegate : public QStyledItemDelegate
{
public:
    explicit StringGridDelegate(StringGrid *grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {
    }

    QLineEdit *openEditor() const { return m_editor; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        StringGrid::DrawState state;
        if (index == m_grid->currentIndex()) {
            state |= StringGrid::Selected;
            if (m_grid->hasFocus())
                state |= StringGrid::Focused;
        } else if (m_grid->selectionModel()->isSelected(index)) {
            state |= StringGrid::Selected;
        }
        painter->save();
        m_grid->paintCell(*painter, option.rect, index.column(), index.row() + 1, state);
        painter->restore();
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        // Typed text must come as key presses so that the key filter sees every character.
        auto *editor = new KeysOnlyEdit(parent);
        editor->setFrame(false);
        editor->setFont(m_grid->font());
        const int col = index.column();
        const int row = index.row() + 1;
        StringGrid *grid = m_grid;
        if (grid->m_editorSpeech)
            editor->setAccessibleName(grid->m_editorSpeech(col, row));
        connect(editor, &QLineEdit::textEdited, grid,
                [grid, col, row](const QString &text) { grid->editorTextChanged(col, row, text); });
        m_editor = editor;
        emit grid->editorOpened(col, row);
        return editor;
    }

    void destroyEditor(QWidget *editor, const QModelIndex &index) const override
    {
        if (editor == m_editor)
            m_editor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // The cell follows the editor at every keystroke; setting the same text back would move
    // the cursor to the end, drop the editor's undo and make a screen reader read it all again.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *edit = static_cast<QLineEdit *>(editor);
        const QString text = m_grid->cells(index.column(), index.row() + 1);
        if (edit->text() != text)
            edit->setText(text);
    }

    // The editor closes: the cell keeps the final text, and the grid tells so once more.
    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        const QString text = static_cast<QLineEdit *>(editor)->text();
        m_grid->editorTextChanged(index.column(), index.row() + 1, text);
        emit m_grid->editorClosed(index.column(), index.row() + 1, text);
    }

    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        editor->setGeometry(option.rect.adjusted(0, 0, -GridLine, -GridLine));
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto deliver = [object](QKeyEvent &key) { QCoreApplication::sendEvent(object, &key); };
            if (m_grid->routeKeyPress(*static_cast<QKeyEvent *>(event), deliver))
                return true;
            break;
        }
        case QEvent::ShortcutOverride:
            // The editor claims some Ctrl keys of its own (Ctrl+E, the line's end under X11, its
            // own undo and paste, Shift+Insert too); the window's shortcuts and editing
            // commands come first.
            if (const auto *key = static_cast<QKeyEvent *>(event);
                key->modifiers() & Qt::ControlModifier
                || (key->key() == Qt::Key_Insert && key->modifiers() == Qt::ShiftModifier)) {
                event->ignore();
                return true;
            }
            break;
        case QEvent::KeyRelease: {
            // Taken here so that the release does not reach the grid a second time.
            const auto *key = static_cast<QKeyEvent *>(event);
            emit m_grid->keyReleased(key->key(), key->modifiers());
            return true;
        }
        case QEvent::FocusOut: {
            // A message box or a context menu over the editor leaves it open, as it is.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                return false;
            break;
        }
        default:
            break;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    StringGrid *m_grid;
    mutable QPointer<QLineEdit> m_editor;
};


StringGrid::StringGrid(QWidget *parent)
    : QTableView(parent)
    , m_model(new StringGridModel(this))
    , m_header(new StringGridHeader(this))
    , m_delegate(new StringGridDelegate(this))
    , m_headerHeight(DefaultRowHeight)
{
    setHorizontalHeader(m_header);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);
    setMouseTracking(true);
    setAutoScroll(true);
    setEditTriggers(NoEditTriggers);

    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(0);
    rows->setDefaultSectionSize(DefaultRowHeight + GridLine);
    rows->setSectionResizeMode(QHeaderView::Fixed);

    setColCount(5);
    updateHeaderHeight();
}

StringGrid::~StringGrid() = default;

int StringGrid::rowCount() const
{
    return m_model->gridRows();
}

void StringGrid::setRowCount(int rows)
{
    m_model->setGridRows(rows);
}

int StringGrid::colCount() const
{
    return m_model->gridCols();
}

void StringGrid::setColCount(int cols)
{
    cols = qMax(0, cols);
    m_model->setGridCols(cols);
    m_colWidths.resize(cols, DefaultColWidth);
    updateColumnSizes();
}

QString StringGrid::cells(int col, int row) const
{
    return m_model->text(col, row);
}

void StringGrid::setCells(int col, int row, const QString &text)
{
    m_model->setText(col, row, text);
}

void StringGrid::setRowTexts(int row, const QStringList &texts)
{
    m_model->setRow(row, texts);
}

int StringGrid::colWidths(int col) const
{
    return m_colWidths.value(col, -1);
}

void StringGrid::setColWidths(int col, int width)
{
    if (col < 0 || col >= m_colWidths.size() || width < 0 || m_colWidths[col] == width)
        return;
    m_colWidths[col] = width;
    m_header->resizeSection(col, width + GridLine);
}

int StringGrid::rowHeights(int row) const
{
    if (row == 0)
        return m_headerHeight;
    if (row < 0 || row >= rowCount())
        return -1;
    return verticalHeader()->sectionSize(row - 1) - GridLine;
}

void StringGrid::setRowHeights(int row, int height)
{
    if (row < 0 || row >= rowCount() || height < 0)
        return;
    if (row == 0) {
        if (height == m_headerHeight)
            return;
        m_headerHeight = height;
        updateHeaderHeight();
        return;
    }
    verticalHeader()->resizeSection(row - 1, height + GridLine);
}

void StringGrid::setRowHeights(int first, const QList<int> &heights)
{
    if (heights.isEmpty())
        return;
    qsizetype i = 0;
    if (first == 0) {
        setRowHeights(0, heights.front());
        ++i;
    }
    QHeaderView *rows = verticalHeader();
    // Without updates each resize skips working out where its row is on screen, which would
    // lay out all rows above it again.
    rows->setUpdatesEnabled(false);
    for (; i < heights.size(); ++i) {
        const int row = first + int(i);
        if (row < 1 || row >= rowCount() || heights[i] < 0)
            continue;
        rows->resizeSection(row - 1, heights[i] + GridLine);
    }
    rows->setUpdatesEnabled(true);
    viewport()->update();
}

int StringGrid::row() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void StringGrid::setRow(int row)
{
    if (row < 1 || row >= rowCount())
        return;
    setCurrentIndex(m_model->index(row - 1, qBound(0, col(), colCount() - 1)));
}

int StringGrid::col() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : 0;
}

void StringGrid::setCol(int col)
{
    if (col < 0 || col >= colCount() || rowCount() < 2)
        return;
    setCurrentIndex(m_model->index(row() - 1, col));
}

void StringGrid::setEditing(bool on)
{
    if (m_editing == on)
        return;
    m_editing = on;
    if (!on)
        setEditorMode(false);
    applyEditTriggers();
}

bool StringGrid::editorMode() const
{
    return m_delegate->openEditor() != nullptr;
}

void StringGrid::setEditorMode(bool open)
{
    if (open == editorMode())
        return;
    if (open) {
        if (m_editing && currentIndex().isValid())
            edit(currentIndex());
        return;
    }
    QLineEdit *editor = m_delegate->openEditor();
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QRect StringGrid::selectedCells() const
{
    QRect cells;
    for (const QItemSelectionRange &range : selectionModel()->selection())
        cells |= QRect(QPoint(range.left(), range.top() + 1), QPoint(range.right(), range.bottom() + 1));
    if (cells.isNull() && currentIndex().isValid())
        cells = QRect(currentIndex().column(), currentIndex().row() + 1, 1, 1);
    return cells;
}

void StringGrid::cancelEditor()
{
    if (QLineEdit *editor = m_delegate->openEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool StringGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    return m_editing && QTableView::edit(index, trigger, event);
}

void StringGrid::setFixedColor(const QColor &color)
{
    m_fixedColor = color;
    m_header->viewport()->update();
}

void StringGrid::setColor(const QColor &color)
{
    m_color = color;
    viewport()->update();
}

void StringGrid::setGridLineColor(const QColor &color)
{
    m_lineColor = color;
    m_header->viewport()->update();
    viewport()->update();
}

void StringGrid::setCellSpeech(CellSpeech speech)
{
    m_model->setSpeech(std::move(speech));
}

QRect StringGrid::cellRect(int col, int row) const
{
    if (col < 0 || col >= colCount() || row < 0 || row >= rowCount())
        return {};
    if (row == 0)
        return QRect(m_header->sectionViewportPosition(col), 0, colWidths(col), m_headerHeight);
    return QRect(columnViewportPosition(col), rowViewportPosition(row - 1), colWidths(col), rowHeights(row));
}

QPoint StringGrid::mouseCoord(const QPoint &pos) const
{
    const int headerHeight = m_header->height();
    const int col = columnAt(pos.x());
    int row = -1;
    if (pos.y() >= 0 && pos.y() < headerHeight)
        row = 0;
    else if (pos.y() >= headerHeight) {
        const int r = rowAt(pos.y() - headerHeight);
        row = r < 0 ? -1 : r + 1;
    }
    return QPoint(col, row);
}

QPoint StringGrid::clientPosFromViewport(const QPoint &pos) const
{
    return pos + QPoint(0, m_header->height());
}

void StringGrid::setHint(const QString &text)
{
    setToolTip(text);
}

int StringGrid::pixelsPerInch() const
{
    return viewport()->logicalDpiY();
}

bool StringGrid::leaveByKey(QKeyEvent &event)
{
    const bool tab = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    if (!tab || !(event.modifiers() & Qt::ControlModifier))
        return false;
    // The tab chain goes on from the grid, not from where its editor happens to stand in it.
    setEditorMode(false);
    setFocus(Qt::OtherFocusReason);
    // The view's own focusNextPrevChild would move the current cell instead.
    QWidget::focusNextPrevChild(event.key() == Qt::Key_Tab && !(event.modifiers() & Qt::ShiftModifier));
    event.accept();
    return true;
}

void StringGrid::keyPressEvent(QKeyEvent *event)
{
    const auto deliver = [this, event](QKeyEvent &key) {
        // An editor this key opens takes it as it stands.
        const QScopedValueRollback filtered(m_forwarding, true);
        QTableView::keyPressEvent(&key);
        event->setAccepted(key.isAccepted());
    };
    if (!routeKeyPress(*event, deliver))
        deliver(*event);
}

void StringGrid::keyReleaseEvent(QKeyEvent *event)
{
    QTableView::keyReleaseEvent(event);
    emit keyReleased(event->key(), event->modifiers());
}

void StringGrid::mousePressEvent(QMouseEvent *event)
{
    m_currentMoved = false;
    QTableView::mousePressEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    if (!m_currentMoved && at.isValid() && at == currentIndex())
        emit clicked();
}

void StringGrid::mouseMoveEvent(QMouseEvent *event)
{
    QTableView::mouseMoveEvent(event);
    emit mouseMoved(clientPosFromViewport(event->position().toPoint()));
}

void StringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    m_currentMoved = true;
    if (current.isValid())
        emit clicked();
}

void StringGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    viewport()->update(visualRect(currentIndex()));
}

void StringGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    viewport()->update(visualRect(currentIndex()));
}

bool StringGrid::routeKeyPress(QKeyEvent &event, const KeyDelivery &deliver)
{
    if (m_forwarding)
        return false;
    if (leaveByKey(event))
        return true;
    const QChar typed = QChar(typedCharacter(event));
    if (typed.isNull())
        return false;
    const QChar character = m_keyFilter ? m_keyFilter(typed) : typed;
    if (character.isNull()) {
        event.accept();
        return true;
    }
    if (character == QLatin1Char('\r')) {
        if (editorMode())
            setEditorMode(false);
        else if (m_editing)
            setEditorMode(true);
        event.accept();
        return true;
    }
    if (character == typed)
        return false;
    QKeyEvent replaced = keyEventFor(event, character);
    const QScopedValueRollback filtered(m_forwarding, true);
    deliver(replaced);
    return true;
}

void StringGrid::paintCell(QPainter &painter, const QRect &sectionRect, int col, int row, DrawState state)
{
    const QRect cell(sectionRect.topLeft(),
                     QSize(sectionRect.width() - GridLine, sectionRect.height() - GridLine));
    painter.setPen(m_lineColor);
    painter.drawLine(sectionRect.right(), sectionRect.top(), sectionRect.right(), sectionRect.bottom());
    painter.drawLine(sectionRect.left(), sectionRect.bottom(), sectionRect.right(), sectionRect.bottom());

    Canvas canvas(painter, pixelsPerInch(), m_words);
    canvas.setFont(font());
    const QPalette &colors = palette();
    if (state & Fixed) {
        canvas.setBrushColor(m_fixedColor);
        canvas.setFontColor(colors.color(QPalette::WindowText));
    } else if (state & Selected) {
        canvas.setBrushColor(colors.color(QPalette::Active, QPalette::Highlight));
        canvas.setFontColor(colors.color(QPalette::Active, QPalette::HighlightedText));
    } else {
        canvas.setBrushColor(m_color);
        canvas.setFontColor(colors.color(QPalette::Text));
    }
    canvas.fillRect(cell);
    const QString text = cells(col, row);
    if (!text.isEmpty()) {
        painter.save();
        painter.setClipRect(cell, Qt::IntersectClip);
        canvas.textOut(cell.left() + 2, cell.top() + 2, text);
        painter.restore();
    }

    emit drawCell(canvas, col, row, cell, state);

    if (state & Fixed) {
        painter.setPen(colors.color(QPalette::Light));
        painter.drawLine(cell.left(), cell.top(), cell.right(), cell.top());
        painter.drawLine(cell.left(), cell.top(), cell.left(), cell.bottom());
    }
}

void StringGrid::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    // The focus mark comes last: each cell of a section row paints the band across the whole
    // row, over a mark drawn with the cell.
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid())
        return;
    const QRect cell = visualRect(current).adjusted(0, 0, -GridLine, -GridLine);
    QPainter painter(viewport());
    painter.setPen(QPen(FocusMarkColor, FocusMarkWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(cell).adjusted(FocusMarkWidth / 2.0, FocusMarkWidth / 2.0, -FocusMarkWidth / 2.0,
                                           -FocusMarkWidth / 2.0));
}

void StringGrid::editorTextChanged(int col, int row, const QString &text)
{
    m_model->setText(col, row, text);
    emit editTextSet(col, row, text);
}

void StringGrid::applyEditTriggers()
{
    setEditTriggers(m_editing ? EditTriggers(AnyKeyPressed | SelectedClicked | EditKeyPressed | DoubleClicked)
                              : EditTriggers(NoEditTriggers));
}

void StringGrid::updateHeaderHeight()
{
    m_header->setFixedHeight(m_headerHeight + GridLine);
    updateGeometries();
    m_header->viewport()->update();
}

void StringGrid::updateColumnSizes()
{
    for (int col = 0; col < m_colWidths.size(); ++col)
        m_header->resizeSection(col, m_colWidths[col] + GridLine);
}
