// The desktop's keys for the commands in the real main window (offscreen): each presses its
// button as a click does, and where a click does nothing the key does nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QTimer>
#include <functional>

#include "game/captions.h"
#include "help/info_form.h"
#include "tests/ui/window_fixture.h"

namespace dozudo {
namespace {

using namespace uitest;

// The title of each modal window that opens while `act` runs; each is closed at once.
QStringList modalsDuring(const std::function<void()>& act) {
    QStringList titles;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            titles << w->windowTitle();
            w->reject();
        }
    });
    poll.start();
    act();
    ShownWindow::settle();
    return titles;
}

TEST(Shortcuts, EachPressesItsButtonAsAClickDoes) {
    ShownWindow win(allScales[1]);
    TForm1& w = win.w();
    w.infoForm = new TinfoForm(w.cellSize, &w);
    // Keys reach the window's shortcuts while it is the active window (again after a dialog).
    const auto key = [&w](Qt::Key k, Qt::KeyboardModifiers mods) {
        w.activateWindow();
        for (int i = 0; i < 100 && QGuiApplication::focusWindow() != w.windowHandle(); ++i) QTest::qWait(5);
        ASSERT_EQ(QGuiApplication::focusWindow(), w.windowHandle());
        QTest::keyClick(&w, k, mods);
    };
    QSignalSpy prints(w.printbtn, &QToolButton::clicked);
    struct Row {
        Qt::Key key;
        QStringList opened;     // titles of the windows it opened
        TBtnStatus afterwards;  // of the command button the key presses
        int button;
    };
    const Row rows[] = {
        {Qt::Key_F1, {"SUDOKU - help"}, stFlat, cmdHelp},
        {Qt::Key_O, {"Open game"}, stFlat, cmdOpen},  // cancelled: released
        {Qt::Key_S, {"save game"}, stDown, cmdSave},  // cancelled: stays down
        {Qt::Key_S, {}, stDown, cmdSave},             // down: the click does nothing
    };
    for (const Row& r : rows) {
        const Qt::KeyboardModifiers mods = r.key == Qt::Key_F1 ? Qt::NoModifier : Qt::ControlModifier;
        EXPECT_EQ(modalsDuring([&] { key(r.key, mods); }), r.opened) << r.key;
        EXPECT_EQ(w.ZelArrayBtn1->GetBtnStatus(static_cast<std::uint8_t>(r.button)), r.afterwards) << r.key;
    }
    EXPECT_EQ(prints.count(), 0);
    w.printbtn->hide();
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(prints.count(), 0) << "a hidden print button is not pressed";
    w.printbtn->show();
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(prints.count(), 1);
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace dozudo
