#include "ui/shortcuts.h"

#include <QShortcut>

#include "ui/main_window.h"

namespace dozudo {

QString commandShortcut(int button) {
    for (const CommandShortcut& s : commandShortcuts)
        if (s.button == button) return QKeySequence(QString::fromLatin1(s.keys)).toString(QKeySequence::NativeText);
    return {};
}

void TForm1::makeShortcuts() {
    const auto bind = [this](const char* keys, auto action) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(keys)), this);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    for (const CommandShortcut& s : commandShortcuts) {
        const auto nr = static_cast<std::uint8_t>(s.button);
        bind(s.keys, [this, nr] { ZelArrayBtn1->ClickBtn(nr); });
    }
    bind(printShortcut, [this] {
        if (printbtn->isVisible() && printbtn->isEnabled()) printbtn->click();
    });
    bind(closeShortcut, [this] { close(); });
}

}  // namespace dozudo
