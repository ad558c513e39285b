#include "wizard.h"

#include "indicators/encoding.h"
#include "indicators/numbertext.h"
#include "platform/announcer.h"
#include "platform/balloons.h"
#include "platform/boxes.h"
#include "platform/commands.h"
#include "platform/keysonlyedit.h"
#include "platform/skin.h"
#include "platform/tabchain.h"
#include "platform/typedkey.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int DesignWidth = 442;
constexpr int DesignHeight = 291;
constexpr QStringView EmptyValueWarning = u"Будь ласка введіть значення!";

// Fixed box, transparent, word-wrapped from the top; what does not fit is cut off.
QLabel *makeLabel(QWidget *parent, const char *name, const QRect &box, const QFont &font)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(box);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A lowered bevel line: shadow then highlight along the top or left edge of its box.
QFrame *makeBevel(QWidget *parent, const char *name, QFrame::Shape shape, const QRect &line)
{
    auto *bevel = new QFrame(parent);
    bevel->setObjectName(QLatin1String(name));
    bevel->setFrameShape(shape);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(line);
    return bevel;
}

// The source of information and the unit, as the grid's columns name them.
QString valueDescription(const pokazatel &item)
{
    QString text = QStringLiteral("Джерело інформації: ") + fromCp1251(item.Source);
    if (!item.Measure.isEmpty())
        text += QStringLiteral(". Одиниця вимірювання: ") + fromCp1251(item.Measure);
    return text;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QRect &box)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(box);
    return button;
}

} // namespace

TiDialog::TiDialog(IndicatorDocument &document, StandardBoxes &boxes, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_cursor(document)
    , m_boxes(boxes)
    , m_keyNotice(new NoticeBalloon(this))
{
    setWindowTitle(QStringLiteral("Майстер вводу даних"));
    setFixedSize(DesignWidth, DesignHeight);
    Skin::applyWindowLook(*this);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(13, 12, 48, 48);
    Image1->setPixmap(Skin::wizardHat());
    Bevel2 = makeBevel(this, "Bevel2", QFrame::VLine, QRect(80, 8, 2, 273));
    Label1 = makeLabel(this, "Label1", QRect(88, 8, 345, 65), Skin::tahoma(13, true));
    Bevel1 = makeBevel(this, "Bevel1", QFrame::HLine, QRect(88, 72, 345, 2));
    Label2 = makeLabel(this, "Label2", QRect(88, 80, 345, 49), Skin::tahoma(13));

    // Typed text must come as key presses so that the key filter sees every character.
    sEdit1 = new KeysOnlyEdit(this);
    sEdit1->setObjectName(QStringLiteral("sEdit1"));
    sEdit1->setGeometry(88, 136, 345, 21);
    sEdit1->setFont(Skin::tahoma());
    QPalette editColours = sEdit1->palette();
    editColours.setColor(QPalette::Base, QColor(245, 245, 245));
    editColours.setColor(QPalette::Text, Qt::black);
    sEdit1->setPalette(editColours);
    sEdit1->installEventFilter(this);

    Label3 = makeLabel(this, "Label3", QRect(88, 168, 345, 81), Skin::tahoma());
    sButton1 = makeButton(this, "sButton1", QStringLiteral("Закрити"), QRect(88, 256, 75, 25));
    sButton2 = makeButton(this, "sButton2", QStringLiteral("< Назад"), QRect(272, 256, 75, 25));
    sButton3 = makeButton(this, "sButton3", QStringLiteral("Далі >"), QRect(360, 256, 75, 25));
    sButton3->setDefault(true);

    setTabChain({sEdit1, sButton1, sButton2, sButton3});

    connect(sButton1, &QPushButton::clicked, this, &TiDialog::sButton1Click);
    connect(sButton2, &QPushButton::clicked, this, &TiDialog::sButton2Click);
    connect(sButton3, &QPushButton::clicked, this, &TiDialog::sButton3Click);
}

void TiDialog::enterData()
{
    if (!m_cursor.anyIndicator()) {
        m_boxes.warning(NoIndicatorsWarning.toString());
        return;
    }
    exec();
}

void TiDialog::done(int result)
{
    emit refreshValues();
    QDialog::done(result);
}

void TiDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Restoring a minimised window is no new opening.
    if (event->spontaneous())
        return;
    m_cursor.settle();
    ShowWizardItem();
    centreOnScreen();
    const pokazatel *item = m_cursor.item();
    showValue(item ? numberText(item->Value) : QString());
    sEdit1->setFocus();
    m_announcedSection = nullptr;
    announceItem();
}

// There is no cancel button: Escape closes nothing.
void TiDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

bool TiDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == sEdit1 && event->type() == QEvent::KeyPress)
        return sEdit1KeyPress(*static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

void TiDialog::ShowWizardItem()
{
    const razdel *section = m_cursor.section();
    const pokazatel *item = m_cursor.item();
    Label1->setText(item ? fromCp1251(section->Name) : QString());
    Label2->setText(item ? fromCp1251(item->Name) + u':' : QString());
    Label3->setText(item ? fromCp1251(item->Source) : QString());
    // The value edit says what it takes, which the labels show only to the eye.
    sEdit1->setAccessibleName(item ? fromCp1251(item->Name) : QString());
    sEdit1->setAccessibleDescription(item ? valueDescription(*item) : QString());
    fitTexts();
}

// Where the user now is, said when the wizard opens and after each step: the section when it is
// a new one, the indicator, and the value the edit shows.
void TiDialog::announceItem()
{
    const razdel *section = m_cursor.section();
    const pokazatel *item = m_cursor.item();
    if (!item)
        return;
    QString text;
    if (section != m_announcedSection)
        text = fromCp1251(section->Name) + QStringLiteral(". ");
    m_announcedSection = section;
    text += fromCp1251(item->Name);
    if (!sEdit1->text().isEmpty())
        text += QStringLiteral(": ") + sEdit1->text();
    announce(sEdit1, text);
}

// The design's boxes hold usual texts; a label whose text needs more lines grows downwards and
// moves what is under it, so that no text is cut off. The dialog does not outgrow the screen.
void TiDialog::fitTexts()
{
    const int room = screen()->availableGeometry().height() - (frameGeometry().height() - height()) - DesignHeight;
    int extra = 0;
    const auto grow = [&](QLabel *label, int designHeight) {
        const int more = qBound(0, label->heightForWidth(label->width()) - designHeight, qMax(0, room - extra));
        extra += more;
        return designHeight + more;
    };
    const int top1 = 8;
    const int height1 = grow(Label1, 65);
    const int top2 = top1 + height1 + 7;
    const int height2 = grow(Label2, 49);
    const int editTop = top2 + height2 + 7;
    const int top3 = editTop + 32;
    const int height3 = grow(Label3, 81);
    Label1->setGeometry(88, top1, 345, height1);
    Bevel1->move(88, top2 - 8);
    Label2->setGeometry(88, top2, 345, height2);
    sEdit1->move(88, editTop);
    Label3->setGeometry(88, top3, 345, height3);
    const int buttonsTop = top3 + height3 + 7;
    for (QPushButton *button : {sButton1, sButton2, sButton3})
        button->move(button->x(), buttonsTop);
    Bevel2->resize(Bevel2->width(), DesignHeight - 18 + extra);
    setFixedSize(DesignWidth, DesignHeight + extra);
    // Kept on the screen when it grows.
    const QRect available = screen()->availableGeometry();
    if (frameGeometry().bottom() > available.bottom())
        move(x(), qMax(available.top(), y() - (frameGeometry().bottom() - available.bottom())));
}

void TiDialog::sButton1Click()
{
    accept();
}

void TiDialog::sButton2Click()
{
    if (!m_cursor.back())
        return;
    ShowWizardItem();
    showValue(numberText(m_cursor.item()->Value));
    announceItem();
}

void TiDialog::sButton3Click()
{
    const QString text = sEdit1->text();
    if (text.isEmpty()) {
        m_boxes.warning(EmptyValueWarning.toString());
        return;
    }
    sEdit1->setFocus();
    double value = 0;
    if (!runCommand(m_boxes, [&] { value = numberFromText(text); }))
        return;
    m_cursor.storeValue(value);
    if (!m_cursor.forward()) {
        accept();
        return;
    }
    ShowWizardItem();
    // Reached forward, an indicator not entered yet shows an empty edit rather than "0".
    const double next = m_cursor.item()->Value;
    showValue(next > 0 ? numberText(next) : QString());
    announceItem();
    emit refreshValues();
}

bool TiDialog::sEdit1KeyPress(const QKeyEvent &event)
{
    // Enter presses the default button; it never reaches the filter.
    const char16_t typed = typedCharacter(event);
    if (typed == 0 || typed == 13)
        return false;
    const char16_t key = filterNumberKey(typed, sEdit1->text());
    if (key == 0) {
        m_boxes.beep();
        m_keyNotice->show(RefusedKeyNotice.toString(), sEdit1, sEdit1->rect());
        return true;
    }
    if (key == typed)
        return false;
    sEdit1->insert(QString(QChar(key)));
    return true;
}

// Selected, so that typing replaces the value shown and Enter keeps it.
void TiDialog::showValue(const QString &text)
{
    sEdit1->setText(text);
    sEdit1->selectAll();
}

void TiDialog::centreOnScreen()
{
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}
