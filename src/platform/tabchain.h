#pragma once

#include <QWidget>

#include <initializer_list>

// Tab walks the widgets in the order given.
inline void setTabChain(std::initializer_list<QWidget *> widgets)
{
    for (auto widget = widgets.begin(); widget + 1 < widgets.end(); ++widget)
        QWidget::setTabOrder(widget[0], widget[1]);
}
