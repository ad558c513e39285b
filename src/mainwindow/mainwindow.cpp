#include "mainwindow.h"

#include "findbar.h"

#include "indicators/catalogfile.h"
#include "indicators/datafile.h"
#include "indicators/document.h"
#include "indicators/encoding.h"
#include "indicators/model.h"
#include "indicators/textfile.h"
#include "platform/balloons.h"
#include "platform/boxes.h"
#include "platform/commands.h"
#include "platform/skin.h"
#include "platform/toolbarfit.h"
#include "session/recoverystore.h"
#include "session/recoverywriter.h"
#include "session/schoolname.h"
#include "session/startup.h"
#include "summary/summary.h"
#include "summary/summarytable.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString DesignCaption = QStringLiteral("Формування показників діяльності ЗНЗ");
const QString SchoolNameFile = QString::fromLatin1(SchoolNameFileName);
const QString SchoolNameCaption = QStringLiteral("Запит");
const QString SchoolNamePrompt = QStringLiteral("Введіть назву навчального закладу: ");
const QString ExitQuestion = QStringLiteral("Ви дійсно вирішили війти з програми?");
const QString UnsavedQuestion = QStringLiteral("Значення показників змінено і не записано. Записати їх?");

// A name typed or pasted with line breaks would split the one-line school-name file and shift
// every line of a data file written with it.
QByteArray oneLine(const QString &text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return toCp1251(line);
}


} // namespace

TForm1::TForm1(IndicatorDocument &document, StandardBoxes &boxes, QWidget *parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_model(document.model())
    , m_boxes(boxes)
    , m_keyNotice(new NoticeBalloon(this))
    , m_findBar(new FindBar(this))
{
    m_caption = DesignCaption;
    setWindowTitle(m_caption);
    Skin::applyWindowLook(*this);
    setContextMenuPolicy(Qt::PreventContextMenu);

    sToolBar1 = new QToolBar(this);
    sToolBar1->setObjectName(QStringLiteral("sToolBar1"));
    sToolBar1->setMovable(false);
    sToolBar1->setFloatable(false);
    sToolBar1->setIconSize(QSize(48, 48));
    sToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    sToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, sToolBar1);

    ToolButton11 = addToolButton(QStringLiteral("Відкрити"), QStringLiteral("Відкрити файл з даними"),
                                 Qt::CTRL | Qt::Key_O, Skin::ToolImage::Open, &TForm1::OpenDataFile);
    sToolBar1->addSeparator();
    ToolButton3 = addToolButton(QStringLiteral("Записати"), QStringLiteral("Записати файл з даними"),
                                Qt::CTRL | Qt::Key_S, Skin::ToolImage::Save, &TForm1::ToolButton3Click);
    sToolBar1->addSeparator();
    ToolButton4 = addToolButton(QStringLiteral("Ввести дані"), QStringLiteral("Ввести значення показникiв"),
                                Qt::CTRL | Qt::Key_E, Skin::ToolImage::EnterData, &TForm1::ToolButton4Click);
    sToolBar1->addSeparator();
    ToolButton5 = addToolButton(QStringLiteral("Роздрук"), QStringLiteral("Роздрукувати звіт"), Qt::CTRL | Qt::Key_P,
                                Skin::ToolImage::Print, &TForm1::ToolButton5Click);
    sToolBar1->addSeparator();
    ToolButton6 = addToolButton(QStringLiteral("Назва школи"), QStringLiteral("Ввести назву школи"),
                                Qt::CTRL | Qt::Key_N, Skin::ToolImage::SchoolName, &TForm1::ToolButton6Click);
    sToolBar1->addSeparator();
    ToolButton9 = addToolButton(QStringLiteral("Перевірка"), QStringLiteral("Перевірити значення показників"),
                                Qt::Key_F7, Skin::ToolImage::Check, &TForm1::ToolButton9Click);
    sToolBar1->addSeparator();
    ToolButton8 = addToolButton(QStringLiteral("Зведення"), QStringLiteral("Зведені показники кількох закладів"),
                                Qt::CTRL | Qt::Key_M, Skin::ToolImage::Summary, &TForm1::ToolButton8Click);
    sToolBar1->addSeparator();
    ToolButton10 = addToolButton(QStringLiteral("Порівняння"), QStringLiteral("Порівняти з минулим роком"),
                                 Qt::CTRL | Qt::Key_L, Skin::ToolImage::Comparison, &TForm1::ToolButton10Click);
    sToolBar1->addSeparator();
    ToolButton7 = addToolButton(QStringLiteral("Вихід"), QStringLiteral("Вийти з програми"), Qt::CTRL | Qt::Key_Q,
                                Skin::ToolImage::Exit, &TForm1::ToolButton7Click);
    keepButtonsInSight(*sToolBar1, 72, 8, 0);

    Grid1 = new StringGrid(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setColCount(8);
    Grid1->setRowCount(2);
    Grid1->setAccessibleName(QStringLiteral("Показники"));
    Grid1->setCellSpeech([this](int col, int row) { return cellSpeech(col, row); });
    Grid1->setEditorSpeech([this](int col, int row) { return editorSpeech(col, row); });
    Skin::applyTo(*Grid1);
    setCentralWidget(Grid1);
    connect(Grid1, &StringGrid::drawCell, this,
            [this](Canvas &canvas, int col, int row, const QRect &rect) { Grid1DrawCell(canvas, col, row, rect); });
    connect(Grid1, &StringGrid::clicked, this, &TForm1::Grid1Click);
    Grid1->setKeyFilter([this](QChar key) {
        Grid1KeyPress(key);
        return key;
    });
    connect(Grid1, &StringGrid::keyReleased, this, [this](int key) { Grid1KeyUp(key); });
    connect(Grid1, &StringGrid::editTextSet, this, &TForm1::Grid1SetEditText);
    connect(Grid1, &StringGrid::editorOpened, this, &TForm1::Grid1EditorOpened);
    connect(Grid1, &StringGrid::editorClosed, this, &TForm1::Grid1EditorClosed);
    connect(Grid1, &StringGrid::mouseMoved, this, &TForm1::Grid1MouseMove);

    sStatusBar1 = new QStatusBar(this);
    sStatusBar1->setObjectName(QStringLiteral("sStatusBar1"));
    sStatusBar1->setSizeGripEnabled(false);
    statusText = new QLabel(sStatusBar1);
    sStatusBar1->addWidget(statusText);
    doubtfulText = new QLabel(sStatusBar1);
    doubtfulText->setObjectName(QStringLiteral("doubtfulText"));
    doubtfulText->hide();
    sStatusBar1->addWidget(doubtfulText, 1);
    setStatusBar(sStatusBar1);

    connect(&m_document, &IndicatorDocument::stateChanged, this, &TForm1::updateCaption);
    connect(&m_document, &IndicatorDocument::valuesChanged, this, [this](const QList<int> &indicators) {
        showValues(indicators);
        for (const int indicator : indicators)
            recheckValue(indicator);
    });
    connect(&m_document, &IndicatorDocument::contentsReplaced, this, [this] {
        RefreshValues();
        recheckValues();
    });
    connect(&m_document, &IndicatorDocument::schoolNameChanged, this, [this] { run([this] { storeSchoolName(); }); });
    addEditingKeys();
    connect(m_findBar, &FindBar::findNext, this, &TForm1::findNext);
    connect(m_findBar, &FindBar::closed, Grid1, [this] { Grid1->setFocus(Qt::OtherFocusReason); });

    resize(673, 446);
    // An outer size of 640 x 480 with a usual window frame.
    setMinimumSize(632, 446);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
}

TForm1::~TForm1() = default;

QToolButton *TForm1::addToolButton(const QString &caption, const QString &hint, QKeyCombination shortcut,
                                   Skin::ToolImage image, void (TForm1::*handler)())
{
    auto *button = new QToolButton(sToolBar1);
    button->setText(caption);
    const QKeySequence keys(shortcut);
    button->setToolTip(hint + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    // Anywhere in the window, the grid's cell editor included, as if the button were pressed.
    connect(new QShortcut(keys, this), &QShortcut::activated, button, &QToolButton::click);
    button->setIcon(QIcon(Skin::toolImage(image)));
    button->setIconSize(QSize(48, 48));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QToolButton::clicked, this, [this, handler] {
        // A value being typed is stored already; closing its editor first keeps a command from
        // being overwritten by the editor's text when it closes later.
        Grid1->setEditorMode(false);
        (this->*handler)();
    });
    sToolBar1->addWidget(button);
    button->setAutoRaise(false); // the tool bar makes its buttons flat
    return button;
}

void TForm1::run(const std::function<void()> &command)
{
    runCommand(m_boxes, command);
}

void TForm1::FormCreate()
{
    // A failure skips the rest of the start-up steps; the window opens all the same.
    run([this] {
        if (readStartupFiles(m_model, [this](CatalogLoad catalog) { showCatalog(catalog); }) == SchoolNameLoad::Missing)
            askSchoolName();
        setWindowState(windowState() | Qt::WindowMaximized);
        statusText->setText(QStringLiteral("Версія ") + QStringLiteral(ZORIS_VERSION));
    });
    loadChecks();
}

void TForm1::showCatalog(CatalogLoad catalog)
{
    if (catalog == CatalogLoad::Missing) {
        m_boxes.warning(MissingCatalogText.toString());
        return;
    }
    m_caption = DesignCaption + QStringLiteral(" - ") + shownYear(m_model.CatalogYear);
    updateCaption();
}

void TForm1::updateCaption()
{
    setWindowTitle(m_document.unsaved() ? QLatin1Char('*') + m_caption : m_caption);
}

void TForm1::askSchoolName()
{
    m_model.SchoolName =
        oneLine(m_boxes.inputBox(SchoolNameCaption, SchoolNamePrompt, QStringLiteral("Середня школа №")));
    storeSchoolName();
}

void TForm1::storeSchoolName()
{
    if (m_model.SchoolName.isEmpty())
        return;
    writeSchoolNameFile(SchoolNameFile, m_model.SchoolName);
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    fillCells();
    // The width rule comes after the fixed widths of the fill, so that the text columns take
    // the window's width from the start.
    applyWidthRule();
    updateRowHeights();
    ToolButton11->setFocus(Qt::OtherFocusReason);
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (Grid1)
        FormResize();
    if (m_findBar->isVisible())
        placeFindBar();
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange && Grid1)
        updateRowHeights();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_exitConfirmed && !mayEndProgram()) {
        event->ignore();
        return;
    }
    m_exitConfirmed = true;
    // Saved, or dropped by the user's answer.
    if (m_recovery)
        m_recovery->clear();
    event->accept();
}

bool TForm1::maySetValuesAside()
{
    if (!m_document.unsaved())
        return true;
    switch (m_boxes.confirmYesNoCancel(UnsavedQuestion)) {
    case StandardBoxes::Answer::Yes:
        return saveValues();
    case StandardBoxes::Answer::No:
        return true;
    case StandardBoxes::Answer::Cancel:
        break;
    }
    return false;
}

// With values unsaved, the question about them is the only one: its Yes or No ends the program.
bool TForm1::mayEndProgram()
{
    if (m_document.unsaved())
        return maySetValuesAside();
    return m_boxes.confirmYesNo(ExitQuestion);
}

void TForm1::OpenDataFile()
{
    if (!maySetValuesAside())
        return;
    run([this] {
        const std::optional<QString> chosen =
            m_boxes.openFile(QStringLiteral("Файли даних АС \"Зоріс\"|*.zrs"), m_folders.start(), QString());
        if (chosen && !chosen->isEmpty()) {
            m_folders.remember(*chosen);
            if (!loadDataFile(*chosen))
                return;
        }
        RefreshValues();
    });
}

void TForm1::openDataFileNamed(const QString &path)
{
    if (!maySetValuesAside())
        return;
    run([&] {
        if (loadDataFile(path))
            RefreshValues();
    });
}

bool TForm1::loadDataFile(const QString &path)
{
    QByteArray year;
    const std::optional<DataFileContents> contents = readDataFileOfYear(path, m_model, year);
    if (!contents) {
        m_boxes.warning(yearMismatchText(year, m_model.CatalogYear));
        return false;
    }
    m_dataFile = path;
    m_proposeDataFile = false;
    m_document.replaceContents(*contents, true);
    return true;
}

void TForm1::ToolButton3Click()
{
    saveValues();
}

bool TForm1::saveValues()
{
    bool written = false;
    run([&] {
        QString proposedName = proposedDataFileName(m_model);
        QString folder;
        if (m_proposeDataFile) {
            const QFileInfo file(m_dataFile);
            proposedName = file.fileName();
            folder = file.absolutePath();
        }
        const std::optional<QString> name = chooseFileToWrite(m_boxes, QStringLiteral("Файлы данных *.zrs|*.zrs"),
                                                              proposedName, withDataFileExtension, folder);
        if (!name)
            return;
        SaveDataFile(*name);
        written = true;
    });
    return written;
}

void TForm1::SaveDataFile(const QString &Path)
{
    writeDataFile(Path, m_model);
    m_dataFile = Path;
    m_proposeDataFile = false;
    m_document.setSaved();
    announceWritten(this, Path);
}

void TForm1::ToolButton4Click()
{
    run([this] {
        m_model.WizardSection = 0;
        m_model.WizardItem = 0;
        if (m_showWizard)
            m_showWizard();
    });
}

void TForm1::ToolButton5Click()
{
    if (!mayPrintDoubtful())
        return;
    run([this] {
        if (m_showReport)
            m_showReport();
    });
}

void TForm1::ToolButton6Click()
{
    run([this] {
        const QByteArray name =
            oneLine(m_boxes.inputBox(SchoolNameCaption, SchoolNamePrompt, fromCp1251(m_model.SchoolName)));
        // The name is part of a data file, so a new one is unsaved as a value is; the name file
        // follows every change of it, and is written again when the name stays.
        if (name == m_model.SchoolName)
            storeSchoolName();
        m_document.setSchoolName(name);
    });
}

void TForm1::ToolButton7Click()
{
    if (!mayEndProgram())
        return;
    m_exitConfirmed = true;
    close();
}

void TForm1::ToolButton8Click()
{
    if (!maySetValuesAside())
        return;
    run([this] {
        const QStringList files = m_boxes.openFiles(QStringLiteral("Файли даних АС \"Зоріс\"|*.zrs"), m_folders.start(),
                                                     QStringLiteral("Зведення: файли з даними закладів"));
        if (files.isEmpty())
            return;
        m_folders.remember(files.front());
        SchoolSummary summary;
        try {
            requireSeveralFiles(files);
            summary = readSchoolFiles(files, m_model);
        } catch (const SummaryRefusal &refusal) {
            m_boxes.warning(refusal.message());
            return;
        }
        if (!maySummarise(summary))
            return;
        // The summary is in no file yet.
        m_document.replaceContents(summaryContents(summary, m_model), false);
        if (!m_boxes.confirmYesNo(QStringLiteral("Записати також зведену таблицю?")))
            return;
        const std::optional<QString> name = chooseFileToWrite(m_boxes, QStringLiteral("Таблиці CSV|*.csv"),
                                                              proposedTableFileName(m_model), withTableFileExtension);
        if (!name)
            return;
        writeSummaryTable(*name, m_model, summary);
        announceWritten(this, *name);
    });
}

void TForm1::ToolButton10Click()
{
    run([this] {
        if (m_showComparison)
            m_showComparison();
    });
}
