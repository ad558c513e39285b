#include "keysonlyedit.h"

// An edit answers this query itself, whatever its Qt::WA_InputMethodEnabled says.
QVariant KeysOnlyEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(query);
}
