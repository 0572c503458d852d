#include "ui/shortcuts.h"

#include <QKeyEvent>

#include "ui/main_window.h"

namespace dozudo {

QString commandShortcut(int button) {
    for (const CommandShortcut& s : commandShortcuts)
        if (s.button == button) return QKeySequence(QString::fromLatin1(s.keys)).toString(QKeySequence::NativeText);
    return {};
}

bool TForm1::commandKey(const QKeyEvent* event) {
    // The keys are read as ordinary key presses, not as Qt shortcuts: a screen reader hears a
    // key only when it reaches a widget as a key press.
    const QKeySequence pressed(event->keyCombination());
    const auto is = [&pressed](const char* keys) { return pressed == QKeySequence(QString::fromLatin1(keys)); };
    for (const CommandShortcut& s : commandShortcuts) {
        if (!is(s.keys)) continue;
        if (!event->isAutoRepeat()) ZelArrayBtn1->ClickBtn(static_cast<std::uint8_t>(s.button));
        return true;
    }
    if (is(printShortcut)) {
        if (!event->isAutoRepeat() && printbtn->isVisible() && printbtn->isEnabled()) printbtn->click();
        return true;
    }
    if (is(closeShortcut)) {
        close();
        return true;
    }
    return false;
}

}  // namespace dozudo
