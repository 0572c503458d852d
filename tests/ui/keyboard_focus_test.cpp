// The main window by keyboard alone (offscreen): Tab, F6 and the arrows move the focus, Space
// and Return press as a click does, and the focus mark is drawn only while a button has it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <functional>

#include "game/captions.h"
#include "tests/ui/window_fixture.h"

namespace dozudo {
namespace {

using namespace uitest;

// Where the keyboard is, as "board", "<bar> <button>" or the caption of a print-page control.
std::string focusOf(TForm1& w) {
    QWidget* f = QApplication::focusWidget();
    if (f == &w) return "board";
    if (auto* bar = qobject_cast<TZelArrayBtn*>(f))
        return bar->accessibleName().toStdString() + " " + std::to_string(bar->FocusBtn());
    if (auto* b = qobject_cast<QAbstractButton*>(f)) return b->text().toStdString();
    return f ? f->metaObject()->className() : "nothing";
}

void activate(TForm1& w) {
    w.activateWindow();
    for (int i = 0; i < 100 && QGuiApplication::focusWindow() != w.windowHandle(); ++i) QTest::qWait(5);
}

void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
    ShownWindow::settle();
}

TEST(KeyboardFocus, TabGoesFromRegionToRegionAndTheArrowsWithin) {
    ShownWindow win(allScales[1]);
    TForm1& w = win.w();
    activate(w);
    EXPECT_EQ(focusOf(w), "board") << "at the start";
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* focus;
    };
    const Step steps[] = {
        {Qt::Key_Tab, Qt::NoModifier, "command bar 0"},
        {Qt::Key_Right, Qt::NoModifier, "command bar 1"},
        {Qt::Key_End, Qt::NoModifier, "command bar 7"},
        {Qt::Key_Right, Qt::NoModifier, "command bar 7"},  // the last button: stays
        {Qt::Key_Home, Qt::NoModifier, "command bar 0"},
        {Qt::Key_Left, Qt::NoModifier, "command bar 0"},
        {Qt::Key_Tab, Qt::NoModifier, "printpage 0"},  // the analysis column has no buttons yet
        {Qt::Key_Down, Qt::NoModifier, "printpage 1"},
        {Qt::Key_Down, Qt::NoModifier, "show options"},  // the check box: no Tab stop, but reached
        {Qt::Key_Right, Qt::NoModifier, "print"},
        {Qt::Key_Down, Qt::NoModifier, "erase"},
        {Qt::Key_Down, Qt::NoModifier, "printer setup"},
        {Qt::Key_Down, Qt::NoModifier, "printer setup"},
        {Qt::Key_Up, Qt::NoModifier, "erase"},
        {Qt::Key_Tab, Qt::NoModifier, "board"},
        {Qt::Key_Backtab, Qt::ShiftModifier, "erase"},  // back where the print page was left
        {Qt::Key_Backtab, Qt::ShiftModifier, "command bar 0"},
        {Qt::Key_F6, Qt::NoModifier, "erase"},
        {Qt::Key_F6, Qt::ShiftModifier, "command bar 0"},
        {Qt::Key_Escape, Qt::NoModifier, "board"},
    };
    for (const Step& s : steps) {
        press(s.key, s.mods);
        EXPECT_EQ(focusOf(w), s.focus) << "after key " << QKeySequence(s.key | s.mods).toString().toStdString();
    }
    // Solving, the analysis column is a stop of its own; when its last button goes, the
    // keyboard goes back to the board.
    w.ZelArrayBtn1->ClickBtn(cmdEnter);
    QTest::keyClicks(&w, "123");
    w.ZelArrayBtn1->ClickBtn(cmdSearch);
    ShownWindow::settle();
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    EXPECT_EQ(focusOf(w), "analysis column 0");
    press(Qt::Key_Down);
    EXPECT_EQ(focusOf(w), "analysis column 5") << "take back, the next visible button";
    w.game().hideAnalysis();
    EXPECT_EQ(focusOf(w), "board");
}

// The state a user sees: every button's status, the status line, the check box.
std::string shown(TForm1& w) {
    std::string s;
    for (TZelArrayBtn* bar : {w.ZelArrayBtn1, w.ZelArrayBtn2, w.ZelArrayBtn3})
        for (int i = 0; i < bar->buttonCount(); ++i) s += std::to_string(bar->GetBtnStatus(static_cast<std::uint8_t>(i)));
    return s + " | " + w.StaticText1->text().toStdString() + (w.optionsbox->isChecked() ? " | checked" : "");
}

TEST(KeyboardFocus, SpaceAndReturnPressAsAClickDoes) {
    ShownWindow keys(allScales[0]), mouse(allScales[0]);
    TForm1& k = keys.w();
    TForm1& m = mouse.w();
    activate(k);
    // Each row: the focus moved there by keys, the key that presses, and the click it matches.
    struct Row {
        std::vector<Qt::Key> moves;
        Qt::Key pressKey;
        std::function<void()> click;
        const char* what;
    };
    const Row rows[] = {
        {{Qt::Key_Tab, Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right}, Qt::Key_Space,
         [&] { m.ZelArrayBtn1->ClickBtn(cmdEnter); }, "enter puzzle: latched down"},
        {{Qt::Key_Tab}, Qt::Key_Return, [&] { m.ZelArrayBtn1->ClickBtn(cmdEnter); }, "enter puzzle again: nothing"},
        {{Qt::Key_Right, Qt::Key_Right}, Qt::Key_Enter, [&] { m.ZelArrayBtn1->ClickBtn(cmdSearch); }, "search"},
        {{Qt::Key_Tab}, Qt::Key_Space, [&] { m.ZelArrayBtn2->ClickBtn(anShowOptions); }, "show options down"},
        {{}, Qt::Key_Space, [&] { m.ZelArrayBtn2->ClickBtn(anShowOptions); }, "show options up again"},
        {{Qt::Key_End}, Qt::Key_Return, [&] { m.ZelArrayBtn2->ClickBtn(anTakeBack); }, "take back (push)"},
        {{Qt::Key_Tab, Qt::Key_Home}, Qt::Key_Space, [&] { m.ZelArrayBtn3->ClickBtn(0); }, "print page position 1"},
        {{Qt::Key_Down, Qt::Key_Down}, Qt::Key_Space, [&] { m.optionsbox->click(); }, "check box by Space"},
        {{}, Qt::Key_Return, [&] { m.optionsbox->click(); }, "check box by Return"},
        {{Qt::Key_Down, Qt::Key_Down}, Qt::Key_Return, [&] { m.erasebtn->click(); }, "erase the print page"},
    };
    // The same puzzle digits in both windows before "search".
    for (const Row& r : rows) {
        for (Qt::Key move : r.moves) press(move);
        press(r.pressKey);
        r.click();
        ShownWindow::settle();
        if (std::string(r.what).starts_with("enter puzzle: ")) {
            EXPECT_EQ(focusOf(k), "board") << "the digits are typed next";
            QTest::keyClicks(&k, "53");
            QTest::keyClicks(&m, "53");
        }
        EXPECT_EQ(shown(k), shown(m)) << r.what;
    }
}

class FocusMark : public ::testing::TestWithParam<Scale> {};

TEST_P(FocusMark, DottedInsideTheFocusedButtonOnlyWhileItHasTheFocus) {
    ShownWindow win(GetParam());
    TForm1& w = win.w();
    activate(w);
    struct Row {
        TZelArrayBtn* bar;
        int tabs;    // from the board
        int button;  // focused after the arrows
        int rights;
    };
    w.ZelArrayBtn1->ClickBtn(cmdEnter);  // a down button carries the mark too
    const Row rows[] = {{w.ZelArrayBtn1, 1, 0, 0}, {w.ZelArrayBtn1, 1, cmdEnter, 4}, {w.ZelArrayBtn3, 2, 1, 1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.bar->accessibleName().toStdString() + " " + std::to_string(r.button));
        const QImage before = r.bar->image().copy();
        for (int i = 0; i < r.tabs; ++i) press(Qt::Key_Tab);
        press(Qt::Key_Home);
        for (int i = 0; i < r.rights; ++i) press(Qt::Key_Right);
        ASSERT_EQ(r.bar->FocusBtn(), r.button);
        const QImage marked = r.bar->image().copy();
        const QRect button = r.bar->GetBtnRect(static_cast<std::uint8_t>(r.button)).toQRect();
        // Along the top, one row inside the edge: every third pixel dark, none at the ends of
        // a rounded button's corners.
        const int inset = r.bar->BtnEdge() + 1;
        const QRect topLine(button.left() + button.height() / 4, button.top() + inset,
                            button.width() - button.height() / 2, 1);
        const QRgb darkEdge = r.bar->BtnColors().DarkEdgeColor.rgb() & 0xFFFFFFu;
        const int dark = static_cast<int>(pixelsOf(marked, topLine, darkEdge).size());
        EXPECT_NEAR(dark, topLine.width() / 3, 2) << "dotted";
        EXPECT_EQ(countDiff(before, marked, r.bar->rect().adjusted(0, 0, -1, -1)) ,
                  countDiff(before, marked, button)) << "nothing changes outside the button";
        press(Qt::Key_Escape);
        EXPECT_EQ(countDiff(before, r.bar->image(), r.bar->rect().adjusted(0, 0, -1, -1)), 0) << "gone with the focus";
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, FocusMark, ::testing::ValuesIn(allScales), scaleName);

TEST(KeyboardFocus, AScreenReaderFindsTheFocusedButton) {
    ShownWindow win(allScales[1]);
    TForm1& w = win.w();
    activate(w);
    press(Qt::Key_Tab);
    press(Qt::Key_Right);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w.ZelArrayBtn1);
    ASSERT_NE(bar->focusChild(), nullptr);
    EXPECT_EQ(bar->focusChild()->text(QAccessible::Name), "save");
    EXPECT_TRUE(bar->focusChild()->state().focused);
    EXPECT_FALSE(bar->child(0)->state().focused);
    EXPECT_TRUE(bar->child(0)->state().focusable);
    EXPECT_EQ(w.StaticText1->text(), "save puzzle to disc") << "the hover text, as under the pointer";
    press(Qt::Key_Escape);
    EXPECT_EQ(bar->focusChild(), nullptr);
    EXPECT_EQ(w.StaticText1->text(), "welcome at the DOZUDO - vudede");
}

TEST(KeyboardFocus, TheWindowClosesWithAButtonFocused) {
    auto win = std::make_unique<ShownWindow>(allScales[0]);
    activate(win->w());
    press(Qt::Key_Tab);
    ASSERT_EQ(focusOf(win->w()), "command bar 0");
    win.reset();  // the bar loses the focus after the game has gone
}

}  // namespace
}  // namespace dozudo
