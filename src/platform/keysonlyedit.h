#pragma once

#include <QLineEdit>

// A single-line edit that takes text only as key presses: it tells the platform that it takes no
// input method, so no composed or pre-edited text reaches it past a key filter.
class KeysOnlyEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
};
