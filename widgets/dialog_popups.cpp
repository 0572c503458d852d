#include "widgets/dialog_popups.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>

namespace dozudo {

void hideCompleterPopups(QWidget* dialog) {
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
        if (QCompleter* completer = edit->completer())
            if (completer->popup()->isVisible()) completer->popup()->hide();
}

}  // namespace dozudo
