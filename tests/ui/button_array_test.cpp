// The button-array control on the offscreen platform: geometry, clamps, hit test, the state table
// of push, latch and toggle buttons driven by real mouse events, the order of its events and
// the pixels of its faces and edges.
#include <gtest/gtest.h>

#include <QCursor>
#include <QPalette>
#include <QTest>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "widgets/button_array.h"

namespace dozudo {

// Readable test names and messages for the status parameter.
static void PrintTo(TBtnStatus s, std::ostream* os) {
    static const char* const names[] = {"stHidden", "stFlat", "stDown", "stHI"};
    *os << names[s & 3];
}

namespace {

using Log = std::vector<std::string>;

std::string statusName(TBtnStatus s) {
    switch (s) {
        case stHidden:
            return "Hidden";
        case stFlat:
            return "Flat";
        case stDown:
            return "Down";
        case stHI:
            return "HI";
    }
    return "?";
}

std::string buttonName(Qt::MouseButton b) {
    return b == Qt::LeftButton ? "L" : b == Qt::RightButton ? "R" : "M";
}

// Counts how often the whole picture is rebuilt.
class Probe : public TZelArrayBtn {
  public:
    using TZelArrayBtn::TZelArrayBtn;
    int fullPaints = 0;

  protected:
    void fullRepaint() override {
        ++fullPaints;
        TZelArrayBtn::fullRepaint();
    }
};

// Distinct colours so that every pixel tells which field painted it.
const TBtnColors testColors = {
    colorFromBgr(0x0000C0),  // face: red-ish
    colorFromBgr(0x00C000),  // down face
    colorFromBgr(0xC00000),  // flat edge
    colorFromBgr(0xC0C000),  // light edge
    colorFromBgr(0x00C0C0),  // dark edge
};
const QColor hostColour(0x12, 0x34, 0x56);

class ZelArrayBtnTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QCursor::setPos(-500, -500);
        host = std::make_unique<QWidget>();
        QPalette pal = host->palette();
        pal.setColor(QPalette::Window, hostColour);
        host->setPalette(pal);
        host->resize(400, 300);
        btn = new Probe(host.get());
        btn->move(20, 30);
        btn->onBtnPaint = [this](TZelArrayBtn* sender, std::uint8_t nr, TBtnStatus st) {
            EXPECT_EQ(sender, btn);
            log.push_back("P" + std::to_string(nr) + ":" + statusName(st));
        };
        btn->onBtnChange = [this](TZelArrayBtn* sender, std::uint8_t nr, TBtnStatus st,
                                  Qt::MouseButton b) {
            EXPECT_EQ(sender, btn);
            log.push_back("C" + std::to_string(nr) + ":" + statusName(st) + ":" + buttonName(b));
        };
        btn->OnEnter = [this](TZelArrayBtn*) { log.push_back("Enter"); };
        btn->OnLeave = [this](TZelArrayBtn*) { log.push_back("Leave"); };
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
        settle();
        log.clear();
    }
    void TearDown() override {
        // Qt Test remembers pressed buttons across tests; leave none behind.
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (held & b) release(b);
        QCursor::setPos(-500, -500);
        host.reset();
    }

    // Lets Qt deliver pending paints.
    static void settle() { QTest::qWait(15); }

    QPoint centre(std::uint8_t nr) const {
        const TRect r = btn->GetBtnRect(nr);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void moveTo(QPoint p) {
        at = p;
        QTest::mouseMove(btn, p);
    }
    void press(Qt::MouseButton b = Qt::LeftButton) {
        held |= b;
        QTest::mousePress(btn, b, {}, at);
    }
    void release(Qt::MouseButton b = Qt::LeftButton) {
        held &= ~b;
        QTest::mouseRelease(btn, b, {}, at);
    }
    Log take() {
        Log out;
        out.swap(log);
        return out;
    }
    QColor px(int x, int y) const { return QColor(btn->image().pixel(x, y)); }

    std::unique_ptr<QWidget> host;
    Probe* btn = nullptr;
    Log log;
    QPoint at;
    Qt::MouseButtons held;
};

// ---------------------------------------------------------------- geometry and properties

TEST_F(ZelArrayBtnTest, NewControlIs105By85WithFourFlat3DButtons) {
    TZelArrayBtn fresh;
    EXPECT_EQ(fresh.size(), QSize(105, 85));
    EXPECT_EQ(fresh.image().size(), QSize(105, 85));
    EXPECT_EQ(fresh.Rows(), 2);
    EXPECT_EQ(fresh.Columns(), 2);
    EXPECT_EQ(fresh.BtnShape(), bs3D);
    EXPECT_EQ(fresh.BtnEdge(), 1);
    EXPECT_EQ(fresh.Border(), 10);
    EXPECT_EQ(fresh.BtnSpacing(), 5);
    EXPECT_EQ(&fresh.BtnColors(), &defaultBtnColors);
    for (std::uint8_t nr = 0; nr < 4; ++nr) {
        EXPECT_EQ(fresh.GetBtnStatus(nr), stFlat);
        EXPECT_EQ(fresh.GetBtnMode(nr), bmLatch);
        EXPECT_EQ(fresh.GetBtnGroup(nr), 0);
    }
    for (std::uint8_t nr = 4; nr <= noBtn; ++nr) EXPECT_EQ(fresh.GetBtnStatus(nr), stHidden);
    EXPECT_EQ(defaultBtnColors.FaceColor, QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(defaultBtnColors.DarkEdgeColor, QColor(0x20, 0x20, 0x20));

    // On screen: the shown control's four buttons, in the default colours.
    EXPECT_EQ(btn->size(), QSize(105, 85));
    EXPECT_EQ(px(30, 25), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(px(10, 10), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(px(75, 65), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(px(5, 5), hostColour);
    EXPECT_EQ(take(), Log{});
}

TEST_F(ZelArrayBtnTest, ButtonRectanglesRunRowByRow) {
    btn->SetColumns(3);
    btn->SetRows(2);
    EXPECT_EQ(btn->GetBtnRect(0), (TRect{10, 10, 50, 40}));
    EXPECT_EQ(btn->GetBtnRect(2), (TRect{100, 10, 140, 40}));
    EXPECT_EQ(btn->GetBtnRect(4), (TRect{55, 45, 95, 75}));
    btn->SetBorder(0);
    btn->SetBtnSpacing(2);
    btn->SetBtnWidth(20);
    btn->SetBtnHeight(12);
    EXPECT_EQ(btn->GetBtnRect(5), (TRect{44, 14, 64, 26}));
    EXPECT_EQ(btn->size(), QSize(3 * 22 - 2, 2 * 14 - 2));
}

struct ClampCase {
    const char* what;
    std::uint8_t value;
    std::uint8_t expected;
};

TEST_F(ZelArrayBtnTest, SizeSettersClampAndResize) {
    const ClampCase widths[] = {{"w", 5, 10}, {"w", 10, 10}, {"w", 255, 255}};
    for (const auto& c : widths) {
        btn->SetBtnWidth(c.value);
        EXPECT_EQ(btn->BtnWidth(), c.expected);
        EXPECT_EQ(btn->width(), 2 * (c.expected + 5) - 5 + 20);
    }
    const ClampCase heights[] = {{"h", 0, 10}, {"h", 9, 10}, {"h", 11, 11}};
    for (const auto& c : heights) {
        btn->SetBtnHeight(c.value);
        EXPECT_EQ(btn->BtnHeight(), c.expected);
        EXPECT_EQ(btn->height(), 2 * (c.expected + 5) - 5 + 20);
    }
    const ClampCase edges[] = {{"e", 0, 1}, {"e", 1, 1}, {"e", 2, 2}, {"e", 3, 2}, {"e", 200, 2}};
    for (const auto& c : edges) {
        btn->SetBtnEdge(c.value);
        EXPECT_EQ(btn->BtnEdge(), c.expected);
    }
    btn->SetBorder(0);
    btn->SetBtnSpacing(0);
    EXPECT_EQ(btn->size(), QSize(2 * 255, 2 * 11));
    EXPECT_EQ(btn->image().size(), btn->size());
}

struct GridCase {
    std::uint8_t rows0, cols0;
    bool setRows;  // else set Columns
    std::uint8_t value;
    std::uint8_t rows, cols;
};

TEST_F(ZelArrayBtnTest, RowsAndColumnsRule) {
    const GridCase cases[] = {
        {1, 8, true, 7, 7, 1},    {1, 8, true, 6, 6, 8},     {2, 2, true, 0, 1, 2},
        {2, 2, true, 200, 48, 1}, {48, 1, true, 49, 48, 1},  {3, 4, false, 0, 3, 1},
        {3, 4, false, 17, 1, 17}, {2, 2, false, 255, 1, 48}, {2, 24, true, 2, 2, 24},
    };
    for (const auto& c : cases) {
        btn->SetRows(1);
        btn->SetColumns(c.cols0);
        btn->SetRows(c.rows0);
        ASSERT_EQ(btn->Rows(), c.rows0);
        ASSERT_EQ(btn->Columns(), c.cols0);
        if (c.setRows)
            btn->SetRows(c.value);
        else
            btn->SetColumns(c.value);
        EXPECT_EQ(btn->Rows(), c.rows) << int(c.value);
        EXPECT_EQ(btn->Columns(), c.cols) << int(c.value);
        EXPECT_EQ(btn->size(), QSize(45 * c.cols - 5 + 20, 35 * c.rows - 5 + 20));
        const int count = c.rows * c.cols;
        for (int nr = 0; nr <= noBtn; ++nr)
            EXPECT_EQ(btn->GetBtnStatus(nr), nr < count ? stFlat : stHidden) << nr;
    }
}

TEST_F(ZelArrayBtnTest, SettingRowsResetsEveryButton) {
    btn->SetColumns(3);
    btn->SetBtnMode(0, bmPush);
    btn->SetBtnGroup(1, 7);
    btn->HideBtn(2);
    moveTo(centre(1));
    press();
    release();
    ASSERT_EQ(btn->GetBtnStatus(1), stDown);
    btn->SetRows(2);
    for (std::uint8_t nr = 0; nr < 6; ++nr) {
        EXPECT_EQ(btn->GetBtnStatus(nr), stFlat);
        EXPECT_EQ(btn->GetBtnMode(nr), bmLatch);
        EXPECT_EQ(btn->GetBtnGroup(nr), 0);
    }
    EXPECT_EQ(btn->GetBtnStatus(6), stHidden);
    EXPECT_EQ(btn->GetBtnMode(6), bmPush);
}

TEST_F(ZelArrayBtnTest, ModeAndGroupShareTheByteWithTheStatus) {
    btn->SetBtnMode(3, bmToggle);
    btn->SetBtnGroup(3, 15);
    EXPECT_EQ(btn->GetBtnStatus(3), stFlat);
    EXPECT_EQ(btn->GetBtnMode(3), bmToggle);
    EXPECT_EQ(btn->GetBtnGroup(3), 15);
    btn->SetBtnGroup(3, 2);
    btn->SetBtnMode(3, 3);  // behaves as latch
    EXPECT_EQ(btn->GetBtnMode(3), bmLatch);
    EXPECT_EQ(btn->GetBtnGroup(3), 2);
    btn->HideBtn(3);
    EXPECT_EQ(btn->GetBtnStatus(3), stHidden);
    EXPECT_EQ(btn->GetBtnGroup(3), 2);
    // The "no button" entry reads as hidden whatever is asked of it.
    btn->SetBtnMode(noBtn, bmToggle);
    btn->ShowBtn(noBtn);
    EXPECT_EQ(btn->GetBtnStatus(noBtn), stHidden);
}

// ---------------------------------------------------------------- hit test

struct HitCase {
    std::uint8_t edge;
    int dx, dy;  // offset from the top-left pixel of button 3 (grid 2 x 2)
    bool hit;
};

void PrintTo(const HitCase& c, std::ostream* os) {
    *os << "edge " << int(c.edge) << " at +" << c.dx << ",+" << c.dy << (c.hit ? " hit" : " miss");
}

class ZelArrayBtnHit : public ZelArrayBtnTest, public ::testing::WithParamInterface<HitCase> {};

TEST_P(ZelArrayBtnHit, InsensitiveBandAlongTheEdges) {
    const HitCase& c = GetParam();
    btn->SetBtnEdge(c.edge);
    take();
    const TRect r = btn->GetBtnRect(3);
    btn->MouseMove(r.Left + c.dx, r.Top + c.dy);
    EXPECT_EQ(take(), c.hit ? Log{"P3:HI"} : Log{});
    EXPECT_EQ(btn->cursor().shape(), c.hit ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, ZelArrayBtnHit,
    ::testing::Values(
        // BtnEdge 1, button 40 x 30: columns 0 and 1 and 39 are dead, 2 and 38 live.
        HitCase{1, 0, 15, false}, HitCase{1, 1, 15, false}, HitCase{1, 2, 15, true},
        HitCase{1, 38, 15, true}, HitCase{1, 39, 15, false}, HitCase{1, 20, 0, false},
        HitCase{1, 20, 1, false}, HitCase{1, 20, 2, true}, HitCase{1, 20, 28, true},
        HitCase{1, 20, 29, false},
        // In the gap and the border and beyond the grid.
        HitCase{1, -3, 15, false}, HitCase{1, 42, 15, false}, HitCase{1, 20, 33, false},
        // BtnEdge 2 widens the band by one pixel on each side.
        HitCase{2, 2, 15, false}, HitCase{2, 3, 15, true}, HitCase{2, 37, 15, true},
        HitCase{2, 38, 15, false}, HitCase{2, 20, 2, false}, HitCase{2, 20, 3, true},
        HitCase{2, 20, 27, true}, HitCase{2, 20, 28, false}));

TEST_F(ZelArrayBtnTest, PointsLeftOfOrAboveTheGridNeverHit) {
    // One button pitch left of or above the grid would land in a button's sensitive area if
    // the remainders were taken positive.
    for (int X : {-45 + 10 + 20, 10 - 45 - 45 + 20, -1, 5}) {
        for (int Y : {25, -35 + 10 + 15, -300}) {
            btn->MouseMove(X, Y);
            EXPECT_EQ(take(), Log{}) << X << "," << Y;
        }
    }
    btn->MouseMove(30, 25);
    EXPECT_EQ(take(), Log{"P0:HI"});
}

TEST_F(ZelArrayBtnTest, CursorFollowsTheButtonUnderThePointer) {
    moveTo(centre(0));
    EXPECT_EQ(btn->cursor().shape(), Qt::PointingHandCursor);
    moveTo(QPoint(52, 25));  // the gap between buttons 0 and 1
    EXPECT_EQ(btn->cursor().shape(), Qt::ArrowCursor);
    btn->HideBtn(1);
    moveTo(centre(1));
    EXPECT_EQ(btn->cursor().shape(), Qt::ArrowCursor);
    moveTo(centre(3));
    EXPECT_EQ(btn->cursor().shape(), Qt::PointingHandCursor);
}

// ---------------------------------------------------------------- state table and events

TEST_F(ZelArrayBtnTest, LatchButtonsFormOneRadioGroup) {
    moveTo(centre(0));
    EXPECT_EQ(take(), (Log{"Enter", "P0:HI"}));
    press();
    EXPECT_EQ(take(), (Log{"P0:Down", "C0:Down:L"}));
    release();
    EXPECT_EQ(take(), Log{});
    EXPECT_EQ(btn->GetBtnStatus(0), stDown);

    // Pressing a latched button that is down changes nothing.
    press(Qt::RightButton);
    release(Qt::RightButton);
    EXPECT_EQ(take(), Log{});
    EXPECT_EQ(btn->GetBtnStatus(0), stDown);

    // A down button is neither highlighted nor un-highlighted.
    moveTo(centre(0) + QPoint(1, 1));
    moveTo(QPoint(52, 25));
    EXPECT_EQ(take(), Log{});

    // Another button of the group goes down: the first one is released silently.
    moveTo(centre(3));
    press(Qt::RightButton);
    EXPECT_EQ(take(), (Log{"P3:HI", "P3:Down", "P0:Flat", "C3:Down:R"}));
    EXPECT_EQ(btn->GetBtnStatus(0), stFlat);
    EXPECT_EQ(btn->GetBtnStatus(3), stDown);
    release(Qt::RightButton);
    EXPECT_EQ(take(), Log{});
}

TEST_F(ZelArrayBtnTest, GroupsAreIndependent) {
    btn->SetBtnGroup(1, 1);
    btn->SetBtnGroup(3, 1);
    for (std::uint8_t nr : {0, 1, 2, 3}) {
        moveTo(centre(nr));
        press();
        release();
    }
    EXPECT_EQ(btn->GetBtnStatus(0), stFlat);
    EXPECT_EQ(btn->GetBtnStatus(1), stFlat);
    EXPECT_EQ(btn->GetBtnStatus(2), stDown);
    EXPECT_EQ(btn->GetBtnStatus(3), stDown);
    // Releasing silently paints the released button flat, without an event for it.
    const Log all = take();
    const Log tail(all.end() - 4, all.end());
    EXPECT_EQ(tail, (Log{"P3:HI", "P3:Down", "P1:Flat", "C3:Down:L"}));
}

TEST_F(ZelArrayBtnTest, PushButtonGoesUpAtTheReleaseEvenOutsideTheControl) {
    btn->SetBtnMode(1, bmPush);
    moveTo(centre(1));
    press();
    EXPECT_EQ(take(), (Log{"Enter", "P1:HI", "P1:Down", "C1:Down:L"}));
    release();
    EXPECT_EQ(take(), (Log{"P1:Flat", "C1:Flat:L"}));
    EXPECT_EQ(btn->GetBtnStatus(1), stFlat);

    // Press, drag off the control, release there.
    moveTo(centre(1) + QPoint(1, 0));
    take();
    press(Qt::MiddleButton);
    EXPECT_EQ(take(), (Log{"P1:Down", "C1:Down:M"}));
    at = QPoint(-30, 200);
    QTest::mouseMove(btn, at);
    EXPECT_EQ(take(), Log{});
    release(Qt::MiddleButton);
    EXPECT_EQ(take(), (Log{"P1:Flat", "C1:Flat:M"}));

    // A second stray release repeats the flat event.
    release(Qt::LeftButton);
    EXPECT_EQ(take(), (Log{"P1:Flat", "C1:Flat:L"}));
    EXPECT_EQ(btn->GetBtnStatus(1), stFlat);
}

TEST_F(ZelArrayBtnTest, ReleaseWithoutPressChangesNothing) {
    moveTo(centre(2));
    take();
    release();
    btn->MouseUp(Qt::LeftButton);
    EXPECT_EQ(take(), Log{});
    EXPECT_EQ(btn->GetBtnStatus(2), stFlat);
}

TEST_F(ZelArrayBtnTest, ToggleButtonGoesUpOnlyAtTheSecondRelease) {
    btn->SetBtnMode(2, bmToggle);
    moveTo(centre(2));
    take();
    press();
    EXPECT_EQ(take(), (Log{"P2:Down", "C2:Down:L"}));
    release();
    EXPECT_EQ(take(), Log{});
    press();
    EXPECT_EQ(take(), Log{});
    EXPECT_EQ(btn->GetBtnStatus(2), stDown);
    release();
    EXPECT_EQ(take(), (Log{"P2:Flat", "C2:Flat:L"}));
    EXPECT_EQ(btn->GetBtnStatus(2), stFlat);
    // Still under the pointer but not highlighted until the pointer moves onto it again.
    moveTo(centre(2) + QPoint(1, 0));
    EXPECT_EQ(take(), Log{});
}

TEST_F(ZelArrayBtnTest, DownButtonSwitchedToPushGoesUpAtTheNextClick) {
    moveTo(centre(0));
    press();
    release();
    take();
    btn->SetBtnMode(0, bmPush);
    press();
    EXPECT_EQ(take(), Log{});
    release();
    EXPECT_EQ(take(), (Log{"P0:Flat", "C0:Flat:L"}));
}

TEST_F(ZelArrayBtnTest, ModeThreeBehavesAsLatch) {
    btn->SetBtnMode(0, 3);
    moveTo(centre(0));
    press();
    release();
    press();
    release();
    EXPECT_EQ(take(), (Log{"Enter", "P0:HI", "P0:Down", "C0:Down:L"}));
    EXPECT_EQ(btn->GetBtnStatus(0), stDown);
}

TEST_F(ZelArrayBtnTest, PressRightAfterAFullRepaintIsIgnored) {
    moveTo(centre(0));
    take();
    btn->repaint();
    EXPECT_EQ(take(), (Log{"P0:Flat", "P1:Flat", "P2:Flat", "P3:Flat"}));
    press();
    release();
    EXPECT_EQ(take(), Log{});
    EXPECT_EQ(btn->GetBtnStatus(0), stFlat);
    // One pixel of movement finds the button again.
    moveTo(centre(0) + QPoint(0, 1));
    press();
    EXPECT_EQ(take(), (Log{"P0:HI", "P0:Down", "C0:Down:L"}));
}

TEST_F(ZelArrayBtnTest, OurOwnDrawingDoesNotRebuildThePicture) {
    const int before = btn->fullPaints;
    moveTo(centre(1));
    btn->HideBtn(2);
    btn->canvas().setBrushColor(Qt::yellow);
    btn->canvas().FillRect(0, 0, 3, 3);
    settle();
    EXPECT_EQ(btn->fullPaints, before);
    // Had the picture been rebuilt, the highlight marker would be gone and the press ignored.
    press();
    EXPECT_EQ(take(), (Log{"Enter", "P1:HI", "P1:Down", "C1:Down:L"}));
    EXPECT_EQ(px(1, 1), QColor(Qt::yellow));

    // A paint requested by Qt for the whole control runs the painting once.
    btn->repaint();
    EXPECT_EQ(btn->fullPaints, before + 1);
    EXPECT_EQ(take(), (Log{"P0:Flat", "P1:Down", "P3:Flat"}));
    EXPECT_EQ(px(1, 1), hostColour);
    btn->update();
    settle();
    EXPECT_EQ(btn->fullPaints, before + 2);
}

TEST_F(ZelArrayBtnTest, HidingTheHighlightedButtonClearsTheHighlight) {
    moveTo(centre(3));
    take();
    btn->HideBtn(3);
    btn->HideBtn(3);  // already hidden: nothing
    EXPECT_EQ(take(), Log{});
    EXPECT_EQ(btn->GetBtnStatus(3), stHidden);
    const TRect r = btn->GetBtnRect(3);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) ASSERT_EQ(px(x, y), hostColour) << x << "," << y;

    // Over the hidden button: nothing highlights and a press does nothing.
    moveTo(centre(3) + QPoint(2, 2));
    press();
    release();
    EXPECT_EQ(take(), Log{});
    // The marker already says "no button", so the move changes nothing, the cursor included;
    // it turns into the arrow once the pointer has been over another button.
    EXPECT_EQ(btn->cursor().shape(), Qt::PointingHandCursor);

    // Shown again it is flat; the pointer is over it but the marker was cleared, so the next
    // move highlights it.
    btn->ShowBtn(3);
    btn->ShowBtn(3);  // already shown: nothing
    EXPECT_EQ(take(), Log{"P3:Flat"});
    moveTo(centre(3) + QPoint(1, 2));
    EXPECT_EQ(take(), Log{"P3:HI"});
}

TEST_F(ZelArrayBtnTest, ReleaseBtnRaisesNoChangeEvent) {
    moveTo(centre(0));
    press();
    release();
    take();
    btn->ReleaseBtn(0);
    btn->ReleaseBtn(0);  // no longer down: nothing
    btn->ReleaseBtn(1);
    EXPECT_EQ(take(), Log{"P0:Flat"});
    EXPECT_EQ(btn->GetBtnStatus(0), stFlat);
}

TEST_F(ZelArrayBtnTest, EnterAndLeave) {
    moveTo(centre(2));
    EXPECT_EQ(take(), (Log{"Enter", "P2:HI"}));
    moveTo(QPoint(-10, -10));
    EXPECT_EQ(take(), (Log{"P2:Flat", "Leave"}));
    moveTo(QPoint(3, 3));
    moveTo(QPoint(200, 3));
    EXPECT_EQ(take(), (Log{"Enter", "Leave"}));
}

TEST_F(ZelArrayBtnTest, MovingBetweenButtonsRepaintsAtMostTwo) {
    moveTo(centre(0));
    moveTo(centre(0) + QPoint(3, 3));
    moveTo(centre(1));
    moveTo(QPoint(52, 25));
    moveTo(centre(3));
    EXPECT_EQ(take(), (Log{"Enter", "P0:HI", "P0:Flat", "P1:HI", "P1:Flat", "P3:HI"}));
}

TEST_F(ZelArrayBtnTest, DisabledControlIgnoresTheMouse) {
    btn->setEnabled(false);
    moveTo(centre(0));
    press();
    release();
    EXPECT_EQ(btn->GetBtnStatus(0), stFlat);
    for (const std::string& e : take()) EXPECT_EQ(e.rfind("C", 0), std::string::npos) << e;
}

// ---------------------------------------------------------------- pixels

struct FacePixels {
    QColor face, topLeft, bottomRight;
};

FacePixels expected(TBtnStatus st) {
    switch (st) {
        case stDown:
            return {testColors.DownColor, testColors.DarkEdgeColor, testColors.LightEdgeColor};
        case stHI:
            return {testColors.FaceColor, testColors.LightEdgeColor, testColors.DarkEdgeColor};
        default:
            return {testColors.FaceColor, testColors.FlatEdgeColor, testColors.FlatEdgeColor};
    }
}

class ZelArrayBtnPixels : public ZelArrayBtnTest,
                          public ::testing::WithParamInterface<std::tuple<TBtnStatus, int>> {
  protected:
    void SetUp() override {
        ZelArrayBtnTest::SetUp();
        btn->SetBtnColors(testColors);
        btn->SetBtnEdge(std::get<1>(GetParam()));
        settle();
        switch (std::get<0>(GetParam())) {
            case stHI:
                moveTo(centre(0));
                break;
            case stDown:
                moveTo(centre(0));
                press();
                release();
                break;
            case stHidden:
                btn->HideBtn(0);
                break;
            default:
                break;
        }
    }
};

TEST_P(ZelArrayBtnPixels, Bevel3D) {
    const auto [st, edge] = GetParam();
    const TRect r = btn->GetBtnRect(0);  // 10, 10, 50, 40
    if (st == stHidden) {
        EXPECT_EQ(px(10, 10), hostColour);
        EXPECT_EQ(px(30, 25), hostColour);
        EXPECT_EQ(px(49, 39), hostColour);
        return;
    }
    const FacePixels want = expected(st);
    for (int k = 0; k < edge; ++k) {
        // Top row and the top-right corner in the top-left colour.
        EXPECT_EQ(px(r.Left + k, r.Top + k), want.topLeft) << k;
        EXPECT_EQ(px(30, r.Top + k), want.topLeft) << k;
        EXPECT_EQ(px(r.Right - 1 - k, r.Top + k), want.topLeft) << k;
        EXPECT_EQ(px(r.Left + k, 25), want.topLeft) << k;
        // Bottom row, right column and the bottom-left corner in the bottom-right colour.
        EXPECT_EQ(px(r.Left + k, r.Bottom - 1 - k), want.bottomRight) << k;
        EXPECT_EQ(px(30, r.Bottom - 1 - k), want.bottomRight) << k;
        EXPECT_EQ(px(r.Right - 1 - k, 25), want.bottomRight) << k;
        EXPECT_EQ(px(r.Right - 1 - k, r.Bottom - 1 - k), want.bottomRight) << k;
    }
    EXPECT_EQ(px(r.Left + edge, r.Top + edge), want.face);
    EXPECT_EQ(px(r.Right - 1 - edge, r.Bottom - 1 - edge), want.face);
    EXPECT_EQ(px(30, 25), want.face);
    // Outside the button: the control's background.
    EXPECT_EQ(px(r.Right, 25), hostColour);
    EXPECT_EQ(px(30, r.Top - 1), hostColour);
}

TEST_P(ZelArrayBtnPixels, FlatRoundedRectangle) {
    const auto [st, edge] = GetParam();
    btn->SetBtnShape(bsFlat);
    settle();                                          // the whole control is painted afresh
    if (st == stHI) moveTo(centre(0) + QPoint(2, 1));  // the repaint cleared the highlight
    const TRect r = btn->GetBtnRect(0);
    if (st == stHidden) {
        EXPECT_EQ(px(30, 25), hostColour);
        return;
    }
    const FacePixels want = expected(st);
    // The outline's straight parts, all in the top-left colour.
    EXPECT_EQ(px(30, r.Top + 1), want.topLeft);
    EXPECT_EQ(px(30, r.Bottom - 1), want.topLeft);
    EXPECT_EQ(px(r.Left + 1, 25), want.topLeft);
    EXPECT_EQ(px(r.Right - 1, 25), want.topLeft);
    EXPECT_EQ(px(30, 25), want.face);
    EXPECT_EQ(px(30, r.Top + 3), want.face);
    // A one-pixel outline leaves the button's first row and column to the background; a
    // two-pixel one is centred on the outline and covers them too.
    EXPECT_EQ(px(30, r.Top), edge == 1 ? hostColour : want.topLeft);
    EXPECT_EQ(px(r.Left, 25), edge == 1 ? hostColour : want.topLeft);
    EXPECT_EQ(px(30, r.Top + 2), want.face);
    EXPECT_EQ(px(r.Left + 2, 25), want.face);
    // The cut corners keep the background.
    EXPECT_EQ(px(r.Left + 1, r.Top + 1), hostColour);
    EXPECT_EQ(px(r.Right - 1, r.Bottom - 1), hostColour);
}

INSTANTIATE_TEST_SUITE_P(EveryStatus, ZelArrayBtnPixels,
                         ::testing::Combine(::testing::Values(stFlat, stHI, stDown, stHidden),
                                            ::testing::Values(1, 2)));

TEST_F(ZelArrayBtnTest, FrameAroundTheControl) {
    btn->SetBtnColors(testColors);
    settle();
    const int w = btn->width(), h = btn->height();
    // bs3D: light top and left (with the top-right corner), flat bottom and right.
    EXPECT_EQ(px(0, 0), testColors.LightEdgeColor);
    EXPECT_EQ(px(50, 0), testColors.LightEdgeColor);
    EXPECT_EQ(px(w - 1, 0), testColors.LightEdgeColor);
    EXPECT_EQ(px(0, 40), testColors.LightEdgeColor);
    EXPECT_EQ(px(0, h - 1), testColors.FlatEdgeColor);
    EXPECT_EQ(px(50, h - 1), testColors.FlatEdgeColor);
    EXPECT_EQ(px(w - 1, 40), testColors.FlatEdgeColor);
    EXPECT_EQ(px(1, 1), hostColour);
    // bsFlat: the whole frame in the flat edge colour.
    btn->SetBtnShape(bsFlat);
    settle();
    EXPECT_EQ(px(0, 0), testColors.FlatEdgeColor);
    EXPECT_EQ(px(0, 40), testColors.FlatEdgeColor);
    // No border, no frame: the first pixel belongs to button 0.
    btn->SetBtnShape(bs3D);
    btn->SetBorder(0);
    settle();
    EXPECT_EQ(px(0, 0), testColors.FlatEdgeColor);
    EXPECT_EQ(px(1, 1), testColors.FaceColor);
    EXPECT_EQ(px(btn->width() - 1, 0), testColors.FlatEdgeColor);
}

TEST_F(ZelArrayBtnTest, ColourFollowsTheParentUntilSet) {
    EXPECT_EQ(btn->Color(), hostColour);
    QPalette pal = host->palette();
    pal.setColor(QPalette::Window, QColor(1, 2, 3));
    host->setPalette(pal);
    settle();
    EXPECT_EQ(btn->Color(), QColor(1, 2, 3));
    EXPECT_EQ(px(5, 5), QColor(1, 2, 3));
    btn->SetColor(QColor(200, 100, 0));
    settle();
    EXPECT_EQ(px(5, 5), QColor(200, 100, 0));
    host->setPalette(QPalette(QColor(9, 9, 9)));
    settle();
    EXPECT_EQ(btn->Color(), QColor(200, 100, 0));
}

TEST_F(ZelArrayBtnTest, ColourRecordIsReferencedNotCopied) {
    TBtnColors mine = testColors;
    btn->SetBtnColors(mine);
    settle();
    EXPECT_EQ(px(30, 25), testColors.FaceColor);
    mine.FaceColor = QColor(7, 7, 7);
    btn->SetBtnColors(mine);
    settle();
    EXPECT_EQ(px(30, 25), QColor(7, 7, 7));
    btn->SetBtnColors(defaultBtnColors);
    settle();
}

TEST_F(ZelArrayBtnTest, EdgeWidthRepaintsEveryButtonAtOnce) {
    btn->HideBtn(1);
    take();
    btn->SetBtnEdge(2);
    // Drawn already, before Qt gets to paint; the hidden button is filled without an event.
    EXPECT_EQ(take(), (Log{"P0:Flat", "P2:Flat", "P3:Flat"}));
    EXPECT_EQ(px(11, 11), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(px(12, 12), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(ZelArrayBtnTest, ShapeAndColoursRepaintThroughQt) {
    btn->SetBtnShape(bsFlat);
    EXPECT_EQ(take(), Log{});
    EXPECT_EQ(px(10, 10), QColor(0x80, 0x80, 0x80));  // still the old picture
    settle();
    EXPECT_EQ(take(), (Log{"P0:Flat", "P1:Flat", "P2:Flat", "P3:Flat"}));
    EXPECT_EQ(px(10, 10), hostColour);
}

TEST_F(ZelArrayBtnTest, OwnerDrawingInPaintEventStaysOnTop) {
    btn->onBtnPaint = [this](TZelArrayBtn* sender, std::uint8_t nr, TBtnStatus) {
        const TRect r = sender->GetBtnRect(nr);
        sender->canvas().setBrushColor(Qt::yellow);
        sender->canvas().FillRect(r.Left + 5, r.Top + 5, r.Left + 8, r.Top + 8);
    };
    btn->repaint();
    EXPECT_EQ(px(16, 16), QColor(Qt::yellow));
    moveTo(centre(0));
    EXPECT_EQ(px(16, 16), QColor(Qt::yellow));
    press();
    settle();
    EXPECT_EQ(px(16, 16), QColor(Qt::yellow));
    EXPECT_EQ(px(30, 25), QColor(0xF0, 0xF0, 0xF0));
    // And what reaches the screen is the backing picture.
    const QImage shown = btn->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(16, 16)), QColor(Qt::yellow));
}

}  // namespace
}  // namespace dozudo
