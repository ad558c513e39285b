#include "toolbarfit.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QToolBar>

namespace {

class ButtonFit : public QObject
{
public:
    ButtonFit(QToolBar &bar, int buttonWidth, int separatorWidth, int minSeparator)
        : QObject(&bar)
        , m_bar(bar)
        , m_button(buttonWidth)
        , m_separator(separatorWidth)
        , m_minSeparator(minSeparator)
    {
        bar.installEventFilter(this);
        fit();
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)
            fit();
        return false;
    }

private:
    void fit()
    {
        QList<QWidget *> buttons;
        QList<QWidget *> separators;
        for (QAction *action : m_bar.actions()) {
            if (QWidget *widget = m_bar.widgetForAction(action))
                (action->isSeparator() ? separators : buttons).append(widget);
        }
        if (buttons.isEmpty())
            return;
        // What the bar needs besides its items, from the layout's own hint for the widths now set.
        int current = 0;
        for (const QWidget *widget : buttons + separators)
            current += widget->width();
        const int overhead = m_bar.layout()->sizeHint().width() - current;
        const int full = overhead + int(buttons.size()) * m_button + int(separators.size()) * m_separator;
        int missing = qMax(0, full - m_bar.width());
        // Each of count gives up its share of what is missing, rounded up.
        auto share = [](int missing, qsizetype count) { return (missing + int(count) - 1) / int(count); };
        int separator = m_separator;
        if (missing > 0 && !separators.isEmpty()) {
            const int cut = qMin(m_separator - m_minSeparator, share(missing, separators.size()));
            separator -= cut;
            missing -= cut * int(separators.size());
        }
        const int button = m_button - share(qMax(0, missing), buttons.size());
        for (QWidget *widget : separators)
            setWidth(*widget, separator);
        for (QWidget *widget : buttons)
            setWidth(*widget, button);
    }

    static void setWidth(QWidget &widget, int width)
    {
        if (widget.minimumWidth() != width || widget.maximumWidth() != width)
            widget.setFixedWidth(width);
    }

    QToolBar &m_bar;
    const int m_button;
    const int m_separator;
    const int m_minSeparator;
};

} // namespace

void keepButtonsInSight(QToolBar &bar, int buttonWidth, int separatorWidth, int minSeparator)
{
    new ButtonFit(bar, buttonWidth, separatorWidth, minSeparator);
}
