// "next step" on the real board view at the three field sizes: the step's marks drawn
// and gone again, and its status line text fully visible.
#include <gtest/gtest.h>

#include "game/captions.h"
#include "window_fixture.h"

namespace dozudo::uitest {
namespace {

constexpr QRgb markBlue = rgb(0, 0, 255), removedRed = rgb(255, 0, 0);

// A published puzzle's position (euler50 #49 after its singles) whose next step is an
// X-Wing on 3: rows 4 and 7, columns 3 and 4, removing 3 from field (4, 6).
const char* xWingPosition = "538127946624839751719645.8.96..14827..176..94.47.9816.49..8167...647..19172956438";

class NextStepView : public ::testing::TestWithParam<Scale> {};

TEST_P(NextStepView, MarksThePatternAndTheRemovedOptionThenDropsThem) {
    ShownWindow win(GetParam());
    const int cs = GetParam().cs;
    Game& game = win.game();
    for (int i = 0; i < 81; ++i)
        if (xWingPosition[i] != '.') game.board.set(i % 9 + 1, i / 9 + 1, xWingPosition[i] - '0', fkGiven);
    game.commandBarChange(cmdSearch, true);
    game.analysisBarChange(anShowOptions, true);
    QTest::keyClick(&win.w(), 'n');
    ShownWindow::settle();
    const QImage shown = win.view();
    const QLabel* status = win.w().StaticText1;
    EXPECT_EQ(status->text(), "X-Wing: 1 option removed");
    EXPECT_LE(status->fontMetrics().horizontalAdvance(status->text()), status->contentsRect().width());
    struct Row {
        int c, r;
        bool frame, red;
    };
    const Row rows[] = {{3, 4, true, false}, {4, 4, true, false}, {3, 7, true, false}, {4, 7, true, false},
                        {4, 6, false, true},  {1, 5, false, false}, {9, 6, false, false}};
    for (const Row& k : rows) {
        const QRect inner = interiorBox(cs, k.c, k.r);
        // The frame runs along the interior's edge; the red digit and its stroke lie inside.
        const bool framed = px(shown, inner.topLeft()) == markBlue && px(shown, inner.bottomRight()) == markBlue &&
                            px(shown, inner.left(), inner.center().y()) == markBlue;
        EXPECT_EQ(framed, k.frame) << k.c << "," << k.r;
        EXPECT_EQ(!pixelsOf(shown, inner, removedRed).empty(), k.red) << k.c << "," << k.r;
    }

    QTest::keyClick(&win.w(), 'n');
    ShownWindow::settle();
    const QImage applied = win.view();
    const QRect board(0, 0, 9 * cs + 1, 9 * cs + 1);
    EXPECT_TRUE(pixelsOf(applied, board, markBlue).empty());
    for (int r = 1; r <= 9; ++r)  // no red left inside the fields (group lines are red)
        for (int c = 1; c <= 9; ++c)
            EXPECT_TRUE(pixelsOf(applied, interiorBox(cs, c, r), removedRed).empty()) << c << "," << r;
    EXPECT_FALSE(game.optionTables.at(4, 6) & digitBit(3));
}

// The longest status line of every technique: a two-digit count of removed options, or a
// placement in row 9 column 9.
TEST_P(NextStepView, EveryTechniquesStatusFitsTheStatusLine) {
    ShownWindow win(GetParam());
    const QLabel* status = win.w().StaticText1;
    for (int t = static_cast<int>(Technique::pointing); t <= static_cast<int>(Technique::trialAndError); ++t) {
        Step removing;
        removing.technique = static_cast<Technique>(t);
        for (int cell = 0; cell < 12; ++cell) Step::add(removing.removals, cell, 6);
        Step placing = removing;
        placing.placeCell = 80;
        placing.placeDigit = 9;
        for (const Step& s : {removing, placing}) {
            const QString text = QString::fromStdString(stepStatus(s));
            EXPECT_LE(status->fontMetrics().horizontalAdvance(text), status->contentsRect().width())
                << text.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, NextStepView, ::testing::ValuesIn(allScales), scaleName);

}  // namespace
}  // namespace dozudo::uitest
