// How the main window behaves as a window: placed once, fixed size without maximize, plain
// texts in the status line and caption, and readable tooltips.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWindow>
#include <set>

#include "tests/ui/window_fixture.h"

namespace dozudo {
namespace {

using namespace uitest;

const Scale scale60{1280, 1024, 60};

// The visible tooltip window, if any.
QWidget* shownTooltip() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() == Qt::ToolTip) return w;
    return nullptr;
}

struct TooltipCase {
    const char* name;
    const char* text;
};
void PrintTo(const TooltipCase& c, std::ostream* os) { *os << c.name; }

class Tooltips : public ::testing::TestWithParam<TooltipCase> {};

TEST_P(Tooltips, HintTextIsLegible) {
    ShownWindow win(scale60);
    ASSERT_TRUE(win.exposed);
    QWidget* target = std::string(GetParam().name) == "selector"
                          ? static_cast<QWidget*>(win.w().ZelArrayBtn3)
                          : static_cast<QWidget*>(win.w().optionsbox);
    const QPoint local(target->width() / 2, target->height() / 2);
    QHelpEvent help(QEvent::ToolTip, local, target->mapToGlobal(local));
    QApplication::sendEvent(target, &help);
    QTest::qWait(50);
    QWidget* tip = shownTooltip();
    ASSERT_NE(tip, nullptr);
    const QImage shot = tip->grab().toImage();
    // Background = the most frequent colour; the text must show in a clearly different one.
    std::map<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) ++counts[px(shot, x, y)];
    const auto background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    const auto lightness = [](QRgb c) { return qGray(c); };
    int textPixels = 0;
    for (const auto& [colour, n] : counts)
        if (std::abs(lightness(colour) - lightness(background)) > 100) textPixels += n;
    EXPECT_GT(textPixels, 20) << "tooltip " << shot.width() << "x" << shot.height()
                              << " background " << std::hex << background;
    EXPECT_EQ(QToolTip::text(), GetParam().text);
    QToolTip::hideText();
}

INSTANTIATE_TEST_SUITE_P(Window, Tooltips,
                         ::testing::Values(TooltipCase{"selector", "add puzzle to printpage"},
                                           TooltipCase{"optionsbox", "print de opties"}),
                         [](const auto& info) { return std::string(info.param.name); });


TEST(WindowManners, FixedWindowWithMinimizeAndCloseOnly) {
    TForm1 form(1280, 1024, 7);
    const Qt::WindowFlags f = form.windowFlags();
    EXPECT_TRUE(f & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(f & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
}

TEST(WindowManners, StatusLineAndCaptionShowTextAsGiven) {
    ShownWindow win(scale60);
    // The caption: what the window system is given, "[*]" included.
    const std::string captions[] = {"DOZUDO - vudede : my[*]puzzle.sdk", "DOZUDO - vudede : [*][*]"};
    for (const std::string& c : captions) {
        win.w().setCaption(c);
        ASSERT_NE(win.w().windowHandle(), nullptr);
        EXPECT_EQ(win.w().windowHandle()->title().toStdString(), c);
    }
    // The status line: markup is shown as typed, so the ink reaches as far as the literal text.
    const QString markup = "<b>ab</b>";
    win.game().setStatus(0, markup.toStdString());
    ShownWindow::settle();
    QLabel* line = win.w().StaticText1;
    const QImage shot = line->grab().toImage();
    int rightmostInk = -1;
    for (int y = 2; y < shot.height() - 2; ++y)
        for (int x = 2; x < shot.width() - 2; ++x)
            if (qGray(shot.pixel(x, y)) < 100) rightmostInk = std::max(rightmostInk, x);
    EXPECT_GT(rightmostInk, QFontMetrics(line->font()).horizontalAdvance(markup) * 3 / 4);
}

// Options of a field on rows (cell height of a T(0.3 cs) font) - 2 apart: 10, 13, 16 pixels.
struct RowCase {
    Scale scale;
    int rowStep;
};
void PrintTo(const RowCase& c, std::ostream* os) { *os << "cs" << c.scale.cs; }
class OptionRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(OptionRows, AreEvenlyApart) {
    const RowCase rc = GetParam();
    ShownWindow win(rc.scale);
    win.game().commandBarChange(6, true);   // "search" on the empty board
    win.game().analysisBarChange(0, true);  // "show options": every digit in every field
    ShownWindow::settle();
    const int cs = rc.scale.cs;
    const QRect interior = interiorBox(cs, 5, 5);
    // Rows of the middle option column (digits 2, 5, 8) holding ink; each run starts a row.
    const int step = cs * 2 / 10, left = interior.left() + 2 * step;
    std::vector<int> tops;
    bool previous = false;
    for (int y = interior.top(); y <= interior.bottom(); ++y) {
        bool ink = false;
        for (int x = left; x < left + step; ++x) ink = ink || px(win.view(), x, y) == black;
        if (ink && !previous) tops.push_back(y);
        previous = ink;
    }
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_EQ(tops[1] - tops[0], rc.rowStep);
    EXPECT_EQ(tops[2] - tops[1], rc.rowStep);
}

INSTANTIATE_TEST_SUITE_P(Scales, OptionRows,
                         ::testing::Values(RowCase{allScales[0], 10}, RowCase{allScales[1], 13},
                                           RowCase{allScales[2], 16}));

}  // namespace
}  // namespace dozudo
