// A puzzle file dropped onto the main window opens as "open" opens a chosen
// file: same caption, status line and board on success, the same error box and
// nothing changed on failure, and no file dialog either way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include "exchange/puzzle_record.h"
#include "game/captions.h"
#include "tests/ui/window_fixture.h"

namespace dozudo {
namespace {

using namespace uitest;

struct DropRow {
    const char* name;
    int size;            // bytes of the dropped file (162: a puzzle with 5 at (1,1))
    const char* box;     // text of the error box, "" when it opens
    const char* caption;
    const char* status;
};

class DropOntoWindow : public ::testing::TestWithParam<DropRow> {};

TEST_P(DropOntoWindow, OpensLikeTheOpenCommand) {
    const DropRow& row = GetParam();
    ShownWindow win(allScales[1]);
    QTemporaryDir dir;
    const QString path = dir.filePath("dropped.sdk");
    Board b;
    b.set(1, 1, 5, fkGiven);
    const puzzleRecord record = recordFromBoard(b);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(record.data()), row.size);
    f.close();
    win.game().board.set(9, 9, 4, fkGiven);
    win.game().setStatus(0, "before");

    // Answer whatever modal window comes up: note an error box, refuse anything else.
    QString boxText, otherModal;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) boxText = box->text();
            else otherModal = w->windowTitle();
            w->close();
        }
    });
    watcher.start(10);

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&win.w(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&win.w(), &drop);
    ASSERT_TRUE(drop.isAccepted());
    QTest::qWait(100);

    EXPECT_EQ(boxText, row.box);
    EXPECT_EQ(otherModal, "") << "no dialog but the error box";
    EXPECT_EQ(win.w().OpenDialog1, nullptr) << "the open dialog is not even made";
    EXPECT_EQ(win.w().windowTitle(), row.caption);
    EXPECT_EQ(win.w().StaticText1->text(), row.status);
    const bool opened = std::string(row.box).empty();
    EXPECT_EQ(win.game().board.digit(1, 1), opened ? 5 : 0);
    EXPECT_EQ(win.game().board.digit(9, 9), opened ? 0 : 4);
    EXPECT_EQ(win.w().ZelArrayBtn1->GetBtnStatus(cmdOpen) == stDown, !opened)
        << "like a failing open, a failing drop leaves open down";
}

INSTANTIATE_TEST_SUITE_P(
    Files, DropOntoWindow,
    ::testing::Values(
        DropRow{"Puzzle", 162, "", "DOZUDO - vudede : dropped.sdk", "opened : dropped.sdk"},
        DropRow{"TooShort", 100, "Read beyond end of file", "DOZUDO - vudede", ""}),
    [](const ::testing::TestParamInfo<DropRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dozudo
