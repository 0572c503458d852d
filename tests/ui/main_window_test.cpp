// The main window at start-up, at all three scales: the place and size of every control, the
// command bars' settings, the start state and status line, the board picture (grid, textures,
// group numbers) and the selection mark.
#include <gtest/gtest.h>

#include <QPixmap>
#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <vector>

#include "game/captions.h"
#include "tests/ui/window_fixture.h"

namespace dozudo {
namespace {

using namespace uitest;

// T(k / 10 * cs) for the positive values used here.
int tenths(int cs, int k) { return cs * k / 10; }

// ------------------------------------------------------------------ scale and layout

TEST(MainWindowScale, CellSizeFollowsTheScreenWidth) {
    const std::pair<int, int> cases[] = {{640, 40}, {1023, 40}, {1024, 50}, {1025, 60}, {1920, 60}};
    for (const auto& [width, cs] : cases) EXPECT_EQ(TForm1::cellSizeFor(width), cs) << width;
}

struct LayoutRow {
    Scale scale;
    int btnWidth, barWidth, clientWidth;
    int viewLeft, viewTop, viewSide;
    int statusTop, statusHeight, statusFont, clientHeight;
    int columnLeft, columnBtnHeight, columnBtnWidth;
};
void PrintTo(const LayoutRow& r, std::ostream* os) { *os << "cs" << r.scale.cs; }

const LayoutRow layoutTable[] = {
    {{800, 600, 40}, 70, 595, 625, 85, 80, 361, 451, 24, 19, 485, 466, 28, 120},
    {{1024, 768, 50}, 87, 731, 766, 102, 95, 451, 556, 30, 24, 596, 578, 35, 150},
    {{1280, 1024, 60}, 105, 875, 915, 120, 110, 541, 661, 36, 28, 707, 691, 42, 180},
};

class MainWindowLayout : public ::testing::TestWithParam<LayoutRow> {
protected:
    void SetUp() override {
        const Scale& s = GetParam().scale;
        form = std::make_unique<TForm1>(s.screenWidth, s.screenHeight, 99);
    }
    std::unique_ptr<TForm1> form;
};

TEST_P(MainWindowLayout, TableValues) {
    const LayoutRow& t = GetParam();
    const int cs = t.scale.cs;
    EXPECT_EQ(form->cellSize, cs);
    EXPECT_EQ(form->size(), QSize(t.clientWidth, t.clientHeight));
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "the window is not resizable";
    EXPECT_EQ(form->windowTitle(), "DOZUDO - vudede");

    const TZelArrayBtn* bar = form->ZelArrayBtn1;
    EXPECT_EQ(bar->geometry(), QRect(10, 10, t.barWidth, cs));
    EXPECT_EQ(bar->BtnWidth(), t.btnWidth);
    EXPECT_EQ(bar->BtnHeight(), cs);

    EXPECT_EQ(form->PaintBox1->geometry(), QRect(t.viewLeft, t.viewTop, t.viewSide, t.viewSide));
    EXPECT_EQ(form->boardBitmap.size(), QSize(t.viewSide, t.viewSide));
    EXPECT_EQ(form->markBitmap.size(), QSize(cs - 1, cs - 1));
    EXPECT_EQ(form->workBitmap.size(), QSize(cs - 1, cs - 1));

    const QLabel* status = form->StaticText1;
    EXPECT_EQ(status->geometry(), QRect(t.viewLeft, t.statusTop, t.viewSide, t.statusHeight));
    const QFontMetrics statusMetrics(status->font());
    EXPECT_LE(statusMetrics.height(), t.statusFont);
    EXPECT_GE(statusMetrics.height(), t.statusFont - 1);

    const TZelArrayBtn* column = form->ZelArrayBtn2;
    EXPECT_EQ(column->Rows(), 6);
    EXPECT_EQ(column->Columns(), 1);
    EXPECT_EQ(column->pos(), QPoint(t.columnLeft, t.viewTop));
    EXPECT_EQ(column->BtnHeight(), t.columnBtnHeight);
    EXPECT_EQ(column->BtnWidth(), t.columnBtnWidth);
    EXPECT_EQ(column->size(), QSize(t.columnBtnWidth, 6 * t.columnBtnHeight + 25));
    for (std::uint8_t b = 0; b < 6; ++b) EXPECT_EQ(column->GetBtnStatus(b), stHidden) << int(b);
}

TEST_P(MainWindowLayout, ControlsBesideTheBoardArePlacedByTheirSteps) {
    const int cs = GetParam().scale.cs;
    const QRect view = form->PaintBox1->geometry();
    const QRect column = form->ZelArrayBtn2->geometry();

    // The print-page selector: two cs-square buttons, its bottom on the board's bottom.
    const TZelArrayBtn* selector = form->ZelArrayBtn3;
    EXPECT_EQ(selector->Rows(), 2);
    EXPECT_EQ(selector->Columns(), 1);
    EXPECT_EQ(selector->BtnWidth(), cs);
    EXPECT_EQ(selector->BtnHeight(), cs);
    const QRect sel = selector->geometry();
    EXPECT_EQ(sel.size(), QSize(cs, 2 * cs + 5));
    EXPECT_EQ(sel.left(), column.left());
    EXPECT_EQ(sel.top() + sel.height(), view.top() + view.height());

    // Label1 above the selector, sized to its text.
    const QLabel* label = form->Label1;
    EXPECT_EQ(label->text(), "game --> printpage");
    EXPECT_EQ(label->x(), sel.left());
    EXPECT_EQ(label->y(), sel.top() - label->height() - 10);
    const QFontMetrics labelMetrics(label->font());
    EXPECT_LE(labelMetrics.height(), cs / 4);
    EXPECT_GE(labelMetrics.height(), cs / 4 - 1);
    EXPECT_EQ(label->height(), labelMetrics.height());
    EXPECT_GE(label->width(), labelMetrics.horizontalAdvance(label->text()));

    // The logo and the link label under it.
    const QLabel* image = form->Image1;
    EXPECT_EQ(image->geometry(), QRect(column.left(), label->y() - tenths(cs, 15), 125, 30));
    ASSERT_FALSE(image->pixmap().isNull());
    EXPECT_EQ(image->pixmap().size(), QSize(125, 30));
    const TLinkLabel* link = form->vorlanelabel;
    EXPECT_EQ(link->pos(), QPoint(image->x(), tenths(cs, 1) + image->y() + 30));
    EXPECT_EQ(link->text(), makerHost);
    EXPECT_TRUE(link->font().underline());
    EXPECT_LE(QFontMetrics(link->font()).height(), tenths(cs, 3));
    EXPECT_GE(QFontMetrics(link->font()).height(), tenths(cs, 3) - 1);

    // The check box and the three speed buttons.
    const QRect options = form->optionsbox->geometry();
    EXPECT_EQ(options, QRect(tenths(cs, 2) + sel.left() + sel.width(), sel.top(), 2 * cs, tenths(cs, 4)));
    EXPECT_EQ(form->optionsbox->text(), "show options");
    EXPECT_FALSE(form->optionsbox->isChecked());
    EXPECT_EQ(form->optionsbox->focusPolicy(), Qt::NoFocus);
    const QRect print = form->printbtn->geometry();
    EXPECT_EQ(print, QRect(options.left(), tenths(cs, 1) + options.top() + options.height(), cs, cs / 2));
    const QRect erase = form->erasebtn->geometry();
    EXPECT_EQ(erase, QRect(print.left(), sel.top() + sel.height() - print.height(), cs, cs / 2));
    const QRect setup = form->setupbtn->geometry();
    EXPECT_EQ(setup, QRect(erase.left(), form->StaticText1->y(), 2 * cs, erase.height()));

    struct Caption {
        const QToolButton* button;
        const char* text;
        bool bold;
        QRgb colour;
    };
    for (const Caption& c : {Caption{form->printbtn, "print", true, rgb(0, 0, 255)},
                             Caption{form->erasebtn, "erase", true, rgb(255, 0, 0)},
                             Caption{form->setupbtn, "printer setup", false, rgb(128, 128, 128)}}) {
        EXPECT_EQ(c.button->text(), c.text);
        EXPECT_EQ(c.button->font().bold(), c.bold) << c.text;
        EXPECT_EQ(c.button->palette().color(QPalette::ButtonText).rgb() & 0xFFFFFFu, c.colour) << c.text;
        EXPECT_LE(QFontMetrics(c.button->font()).height(), tenths(cs, 3)) << c.text;
    }

    // Everything lies inside the client area.
    for (const QWidget* w : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(form->rect().contains(w->geometry())) << w->metaObject()->className();
}

TEST_P(MainWindowLayout, CentredOnTheScreen) {
    const Scale& s = GetParam().scale;
    const QRect outer = form->frameGeometry();
    EXPECT_EQ(outer.topLeft(), QPoint((s.screenWidth - outer.width()) / 2, (s.screenHeight - outer.height()) / 2));
}

INSTANTIATE_TEST_SUITE_P(Scales, MainWindowLayout, ::testing::ValuesIn(layoutTable),
                         [](const auto& info) { return "cs" + std::to_string(info.param.scale.cs); });

// ------------------------------------------------------------------ bars and start state

TEST(MainWindowStart, CommandBarsAreConfigured) {
    TForm1 form(1024, 768, 5);
    const TZelArrayBtn* bar = form.ZelArrayBtn1;
    EXPECT_EQ(bar->Rows(), 1);
    EXPECT_EQ(bar->Columns(), 8);
    EXPECT_EQ(bar->Border(), 0);
    EXPECT_EQ(bar->BtnShape(), bsFlat);
    EXPECT_EQ(bar->BtnSpacing(), 5);
    EXPECT_EQ(bar->BtnEdge(), 1);
    for (std::uint8_t b = 0; b < 8; ++b) {
        EXPECT_EQ(bar->GetBtnMode(b), (b == 3 || b == 5) ? bmPush : bmLatch) << int(b);
        EXPECT_EQ(bar->GetBtnGroup(b), 0) << int(b);
        EXPECT_EQ(bar->GetBtnStatus(b), stFlat) << int(b);
    }

    const TZelArrayBtn* column = form.ZelArrayBtn2;
    EXPECT_EQ(column->BtnShape(), bsFlat);
    EXPECT_EQ(column->Border(), 0);
    EXPECT_EQ(column->BtnSpacing(), 5);
    const std::array<std::pair<TBtnMode, int>, 6> analysis{
        {{bmToggle, 1}, {bmToggle, 2}, {bmPush, 0}, {bmPush, 0}, {bmPush, 0}, {bmPush, 0}}};
    for (std::uint8_t b = 0; b < 6; ++b) {
        EXPECT_EQ(column->GetBtnMode(b), analysis[b].first) << int(b);
        EXPECT_EQ(column->GetBtnGroup(b), analysis[b].second) << int(b);
    }

    const TZelArrayBtn* selector = form.ZelArrayBtn3;
    EXPECT_EQ(selector->BtnShape(), bs3D);
    EXPECT_EQ(selector->BtnEdge(), 2);
    EXPECT_EQ(selector->Border(), 0);
    EXPECT_EQ(selector->toolTip(), "add puzzle to printpage");
    for (std::uint8_t b = 0; b < 2; ++b) {
        EXPECT_EQ(selector->GetBtnMode(b), bmToggle);
        EXPECT_EQ(selector->GetBtnGroup(b), b);
    }

    // Both bars wear the same colours: pink face, light green when down, blue outline.
    for (const TZelArrayBtn* b : {bar, column}) {
        const TBtnColors& c = b->BtnColors();
        EXPECT_EQ(c.FaceColor, QColor(255, 208, 208));
        EXPECT_EQ(c.DownColor, QColor(208, 255, 208));
        EXPECT_EQ(c.FlatEdgeColor, QColor(0, 0, 255));
        EXPECT_EQ(c.LightEdgeColor, QColor(0, 255, 0));
        EXPECT_EQ(c.DarkEdgeColor, QColor(0, 0, 0));
    }
}

TEST(MainWindowStart, IdleWithWelcomeInBlackOnPaleGreen) {
    TForm1 form(800, 600, 5);
    EXPECT_EQ(form.game().gameState, gsIdle);
    EXPECT_EQ(form.game().selColumn, 0);
    EXPECT_EQ(form.game().selRow, 0);
    EXPECT_FALSE(form.game().optionsShown);
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 333);

    const QLabel* status = form.StaticText1;
    EXPECT_EQ(status->text(), "welcome at the DOZUDO - vudede");
    EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(form.palette().color(QPalette::WindowText), QColor(0, 0, 128)) << "window font navy";

    // On screen: pale green background and black text pixels.
    const QImage shot = form.StaticText1->grab().toImage();
    std::map<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) ++counts[px(shot, x, y)];
    EXPECT_GT(counts[rgb(224, 255, 224)], shot.width() * shot.height() / 2);
    EXPECT_GT(counts[black], 20);
}

TEST(MainWindowStart, LinkLabelColoursAndStatusOnHover) {
    ShownWindow win(allScales[1]);
    ASSERT_TRUE(win.exposed);
    TLinkLabel* link = win.w().vorlanelabel;
    const auto linkColour = [&] { return link->palette().color(QPalette::WindowText).rgb() & 0xFFFFFFu; };
    const auto statusColour = [&] {
        return win.w().StaticText1->palette().color(QPalette::WindowText).rgb() & 0xFFFFFFu;
    };
    EXPECT_EQ(linkColour(), navyColour);

    QTest::mouseMove(link, link->rect().center());
    ShownWindow::settle();
    EXPECT_EQ(linkColour(), rgb(255, 0, 0));
    EXPECT_EQ(win.w().StaticText1->text(), "to Vorlane website");
    EXPECT_EQ(statusColour(), hoverGrey);

    QTest::mouseMove(&win.w(), QPoint(3, win.w().height() - 3));
    ShownWindow::settle();
    EXPECT_EQ(linkColour(), rgb(0, 0, 255));
    EXPECT_EQ(win.w().StaticText1->text(), "welcome at the DOZUDO - vudede");
    EXPECT_EQ(statusColour(), black);
}

// ------------------------------------------------------------------ the board picture

class MainWindowBoardPicture : public ::testing::TestWithParam<Scale> {
protected:
    static QImage build(int cs, std::uint64_t seed) {
        const Scale& s = *std::find_if(std::begin(allScales), std::end(allScales),
                                       [cs](const Scale& x) { return x.cs == cs; });
        return TForm1(s.screenWidth, s.screenHeight, seed).boardBitmap;
    }
    int cs() const { return GetParam().cs; }
    bool onGrid(int x, int y) const { return x % cs() == 0 || y % cs() == 0; }
    // Group index 0..8 of a pixel, row by row.
    int groupIndex(int x, int y) const { return (y / (3 * cs())) * 3 + x / (3 * cs()); }
};

TEST_P(MainWindowBoardPicture, GridLinesFieldPinkUnderGroupRed) {
    const QImage board = build(cs(), 1);
    const int side = 9 * cs() + 1;
    ASSERT_EQ(board.size(), QSize(side, side));
    int bad = 0;
    std::string first;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const bool group = x % (3 * cs()) == 0 || y % (3 * cs()) == 0;
            const QRgb got = px(board, x, y);
            bool ok;
            if (group)
                ok = got == groupLine;
            else if (onGrid(x, y))
                ok = got == fieldLine;
            else
                ok = got != groupLine && got != fieldLine;
            if (!ok && bad++ == 0)
                first = "(" + std::to_string(x) + "," + std::to_string(y) + ") = " + std::to_string(got);
        }
    EXPECT_EQ(bad, 0) << "first wrong pixel " << first;
}

TEST_P(MainWindowBoardPicture, TexturesByGroupAndNumberColourOnly) {
    const QImage board = build(cs(), 2);
    const std::set<QRgb> texture[2] = {{rgb(0, 208, 240), rgb(0, 216, 248), rgb(0, 200, 232)},
                                       {rgb(0, 192, 224), rgb(0, 200, 232), rgb(0, 184, 216)}};
    std::map<QRgb, int> share[9];
    int numberPixels[9] = {};
    int bad = 0;
    std::string first;
    const int side = 9 * cs() + 1;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (onGrid(x, y)) continue;
            const int g = groupIndex(x, y);
            const QRgb got = px(board, x, y);
            if (got == groupNumber) {
                ++numberPixels[g];
            } else if (texture[g % 2].count(got)) {
                ++share[g][got];
            } else if (bad++ == 0) {
                first = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
            }
        }
    EXPECT_EQ(bad, 0) << "pixel outside its group's texture and not a number: " << first;
    for (int g = 0; g < 9; ++g) {
        EXPECT_GT(numberPixels[g], cs() * cs() / 4) << "group " << g + 1 << " shows its number";
        // Each of the three colours is picked about a third of the time.
        int total = 0;
        for (const auto& [colour, n] : share[g]) total += n;
        for (QRgb colour : texture[g % 2]) {
            const double part = double(share[g][colour]) / total;
            EXPECT_GT(part, 0.28) << "group " << g + 1 << " colour " << colour;
            EXPECT_LT(part, 0.39) << "group " << g + 1 << " colour " << colour;
        }
    }
}

TEST_P(MainWindowBoardPicture, GroupsOfOneTextureShareTheSameNoise) {
    const QImage board = build(cs(), 3);
    const int g3 = 3 * cs();
    int compared = 0, differing = 0;
    for (int g = 2; g < 9; ++g) {
        const int ox = (g % 3) * g3, oy = (g / 3) * g3, bx = (g % 2) * g3;  // group 1 or 2
        for (int y = 1; y < g3; ++y)
            for (int x = 1; x < g3; ++x) {
                if (onGrid(x, y)) continue;
                const QRgb a = px(board, ox + x, oy + y), b = px(board, bx + x, y);
                if (a == groupNumber || b == groupNumber) continue;
                ++compared;
                if (a != b) ++differing;
            }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_EQ(differing, 0);
}

// The number pixels of a group, relative to the group's corner.
std::vector<QPoint> numberMask(const QImage& board, int cs, int g) {
    std::vector<QPoint> out;
    const int ox = (g % 3) * 3 * cs, oy = (g / 3) * 3 * cs;
    for (int y = 0; y < 3 * cs; ++y)
        for (int x = 0; x < 3 * cs; ++x)
            if (px(board, ox + x, oy + y) == groupNumber) out.emplace_back(x, y);
    return out;
}

TEST_P(MainWindowBoardPicture, GroupNumbersLargeAndCentredWithTheirShift) {
    const QImage board = build(cs(), 4);
    int narrowest = 0;
    for (int g = 0; g < 9; ++g) {
        const QRect ink = bounds(numberMask(board, cs(), g));
        ASSERT_FALSE(ink.isEmpty()) << g;
        // A 3cs font: digits stand about two fields high.
        EXPECT_GT(ink.height(), 3 * cs() / 2) << "group " << g + 1;
        EXPECT_LT(ink.height(), 5 * cs() / 2) << "group " << g + 1;
        // Centred in the group plus 2 pixels right and down.
        const QPointF centre = QRectF(ink).center();
        EXPECT_NEAR(centre.x(), 1.5 * cs() + 2, cs() / 4.0) << "group " << g + 1;
        EXPECT_NEAR(centre.y(), 1.5 * cs() + 2, cs() / 4.0) << "group " << g + 1;
        if (ink.width() < bounds(numberMask(board, cs(), narrowest)).width()) narrowest = g;
    }
    EXPECT_EQ(narrowest, 0) << "the 1 is in group 1";
    for (int g = 1; g < 9; ++g)
        EXPECT_NE(numberMask(board, cs(), g), numberMask(board, cs(), g - 1)) << "groups " << g << "," << g + 1;
}

TEST_P(MainWindowBoardPicture, SeedChangesTheNoiseOnly) {
    const QImage a = build(cs(), 10), b = build(cs(), 11), a2 = build(cs(), 10);
    EXPECT_EQ(a, a2) << "one seed, one picture";
    int texturePixels = 0, differing = 0, fixedDiffer = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb pa = px(a, x, y), pb = px(b, x, y);
            const bool fixedA = onGrid(x, y) || pa == groupNumber;
            const bool fixedB = onGrid(x, y) || pb == groupNumber;
            if (fixedA || fixedB) {
                if (pa != pb) ++fixedDiffer;
                continue;
            }
            ++texturePixels;
            if (pa != pb) ++differing;
        }
    EXPECT_EQ(fixedDiffer, 0) << "grid and numbers do not depend on the seed";
    EXPECT_GT(differing, texturePixels / 2);
}

TEST(MainWindowBoardPictureClock, WithoutASeedEveryWindowGetsItsOwnNoise) {
    const TForm1 first(800, 600), second(800, 600);
    EXPECT_NE(first.boardBitmap, second.boardBitmap);
}

TEST_P(MainWindowBoardPicture, SelectionMarkFrame) {
    const TForm1 form(GetParam().screenWidth, GetParam().screenHeight, 1);
    const QImage& mark = form.markBitmap;
    const int s = cs() - 1;
    ASSERT_EQ(mark.size(), QSize(s, s));
    int bad = 0;
    std::string first;
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            const int inset = std::min({x, y, s - 1 - x, s - 1 - y});
            QRgb want = black;
            if (inset < 4) {
                const QRect frame(inset, inset, s - 2 * inset, s - 2 * inset);
                want = frameColour(frame, {x, y}, amber, yellow);
            }
            if (px(mark, x, y) != want && bad++ == 0)
                first = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
        }
    EXPECT_EQ(bad, 0) << "first wrong pixel " << first;
    // The corners that tell the line ends apart.
    EXPECT_EQ(px(mark, s - 1, 0), amber);
    EXPECT_EQ(px(mark, 0, s - 1), yellow);
    EXPECT_EQ(px(mark, s - 4, 3), amber);
    EXPECT_EQ(px(mark, 3, s - 4), yellow);
}

INSTANTIATE_TEST_SUITE_P(Scales, MainWindowBoardPicture, ::testing::ValuesIn(allScales), scaleName);

}  // namespace
}  // namespace dozudo
