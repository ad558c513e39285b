#include "findbar.h"

#include "platform/announcer.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

FindBar::FindBar(QWidget *parent)
    : QFrame(parent)
    , m_field(new QLineEdit(this))
    , m_outcome(new QLabel(this))
{
    setObjectName(QStringLiteral("findBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    auto *label = new QLabel(QStringLiteral("Знайти:"), this);
    label->setBuddy(m_field);
    m_field->setObjectName(QStringLiteral("findField"));
    m_field->setMinimumWidth(220);
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);
    m_outcome->setObjectName(QStringLiteral("findOutcome"));
    m_outcome->setMinimumWidth(90);
    layout->addWidget(label);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_outcome);
    connect(m_field, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(m_field, &QLineEdit::textEdited, m_outcome, &QLabel::clear);
    hide();
}

QString FindBar::query() const
{
    return m_field->text();
}

void FindBar::open()
{
    show();
    raise();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void FindBar::showOutcome(int match, int matches)
{
    m_outcome->setText(matches == 0 ? QStringLiteral("Не знайдено") : QStringLiteral("%1 з %2").arg(match + 1).arg(matches));
    announce(m_outcome, m_outcome->text());
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            hide();
            emit closed();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
