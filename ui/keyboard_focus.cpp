// The keyboard's way round the main window. Tab and Shift+Tab (F6 and Shift+F6 alike) go from
// region to region: the board, the command bar, the analysis column (while it has buttons) and
// the print page. The arrow keys move within a region; Space and Return press what has the
// focus; Escape goes back to the board. With the focus on the board every key is the game's.

#include <QAbstractButton>
#include <QKeyEvent>

#include "game/captions.h"
#include "game/keys.h"
#include "ui/main_window.h"

namespace dozudo {

namespace {

int arrowStep(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Up: return -1;
        case Qt::Key_Right:
        case Qt::Key_Down: return 1;
        default: return 0;
    }
}

bool canTakeFocus(const QWidget* w) { return w->isVisible() && w->isEnabled(); }

}  // namespace

std::array<QWidget*, 5> TForm1::printPageWidgets() const {
    return {ZelArrayBtn3, optionsbox, printbtn, erasebtn, setupbtn};
}

void TForm1::makeKeyboardFocus() {
    for (TZelArrayBtn* bar : {ZelArrayBtn1, ZelArrayBtn2, ZelArrayBtn3}) bar->setFocusPolicy(Qt::TabFocus);
    // The check box stays out of the Tab chain; the arrows reach it within the print page.
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(printbtn), static_cast<QAbstractButton*>(erasebtn),
                               static_cast<QAbstractButton*>(setupbtn), static_cast<QAbstractButton*>(optionsbox)}) {
        if (b != optionsbox) b->setFocusPolicy(Qt::TabFocus);
        b->installEventFilter(this);
    }
    ZelArrayBtn3->installEventFilter(this);
    // A focused bar button shows its hover text, as under the pointer.
    ZelArrayBtn1->onBtnFocus = [this](TZelArrayBtn*, std::uint8_t nr) {
        showFocusHoverText(nr == noBtn ? std::string() : game_->commandHoverText(nr));
    };
    ZelArrayBtn2->onBtnFocus = [this](TZelArrayBtn*, std::uint8_t nr) {
        showFocusHoverText(nr == noBtn ? std::string() : Game::analysisHoverText(nr));
    };
}

void TForm1::showFocusHoverText(const std::string& text) {
    if (!text.empty())
        game_->setStatus(4, text);
    else if (game_->status.shownColour() == statusColors[4])
        game_->setStatus(5, "");
}

int TForm1::focusRegion() const {
    const QWidget* f = focusWidget();
    if (f == ZelArrayBtn1) return frCommandBar;
    if (f == ZelArrayBtn2) return frAnalysisColumn;
    for (const QWidget* w : printPageWidgets())
        if (f == w) return frPrintPage;
    return frBoard;
}

bool TForm1::giveRegionFocus(int region) {
    switch (region) {
        case frBoard: setFocus(Qt::TabFocusReason); return true;
        case frCommandBar:
        case frAnalysisColumn: {
            TZelArrayBtn* bar = region == frCommandBar ? ZelArrayBtn1 : ZelArrayBtn2;
            if (!canTakeFocus(bar) || !bar->hasVisibleBtn()) return false;
            bar->setFocus(Qt::TabFocusReason);
            return true;
        }
        default: {
            // Back where the print page was left, else its first control that can take it.
            QWidget* to = printPageFocus_ && canTakeFocus(printPageFocus_) ? printPageFocus_.data() : nullptr;
            for (QWidget* w : printPageWidgets())
                if (!to && canTakeFocus(w)) to = w;
            if (!to) return false;
            to->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
}

void TForm1::moveFocusRegion(int step) {
    int region = focusRegion();
    for (int tries = 0; tries < frCount; ++tries) {
        region = (region + step + frCount) % frCount;
        if (giveRegionFocus(region)) return;
    }
}

void TForm1::movePrintPageFocus(QWidget* from, int step) {
    const auto widgets = printPageWidgets();
    int at = 0;
    while (at < static_cast<int>(widgets.size()) && widgets[static_cast<std::size_t>(at)] != from) ++at;
    for (int i = at + step; i >= 0 && i < static_cast<int>(widgets.size()); i += step) {
        QWidget* to = widgets[static_cast<std::size_t>(i)];
        if (!canTakeFocus(to)) continue;
        // Into the selector from below: its last button first.
        if (to == ZelArrayBtn3 && step < 0) ZelArrayBtn3->SetFocusBtn(static_cast<std::uint8_t>(ZelArrayBtn3->buttonCount() - 1));
        to->setFocus(Qt::OtherFocusReason);
        return;
    }
}

bool TForm1::regionKey(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (key == Qt::Key_F6 && plain) {
        moveFocusRegion(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
        return true;
    }
    const int region = focusRegion();
    if (region == frBoard || !plain) return false;
    if (const int step = arrowStep(key)) {
        // An arrow the focused control did not use: past the end of a bar it stays put, within
        // the print page it goes on to the next control.
        if (region == frPrintPage) movePrintPageFocus(focusWidget(), step);
        return true;
    }
    if (key == Qt::Key_Escape) {
        FormKeyDown(vkEscape);
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // The print page's buttons and check box: the arrows move on within the print page (not
    // along Qt's chain), Return presses as Space does.
    if (event->type() == QEvent::FocusIn) printPageFocus_ = qobject_cast<QWidget*>(watched);
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || event->type() != QEvent::KeyPress) return BackingWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (const int step = arrowStep(key->key())) {
        movePrintPageFocus(button, step);
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (!key->isAutoRepeat()) button->click();
        return true;
    }
    return false;
}

}  // namespace dozudo
