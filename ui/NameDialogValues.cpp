#include "ui/NameDialogValues.h"

namespace ui {

NameDialogValues& NameDialogExchange()
{
    static NameDialogValues values;
    return values;
}

} // namespace ui
