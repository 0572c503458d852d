// The board view and the window around it, shown on the offscreen platform: digits by kind,
// wiping and the selection mark restored exactly from the board picture, the option layout,
// the frame and numbers the window paints, and keys and clicks through real Qt events.
#include <gtest/gtest.h>

#include <QTest>
#include <set>
#include <vector>

#include "game/captions.h"
#include "tests/ui/window_fixture.h"

namespace dozudo {
namespace {

using namespace uitest;

// A copy of a picture with the ring of field (c, r) taken from the selection mark, whose
// top-left sits on the field's top-left.
QImage withMark(QImage img, int cs, int c, int r, const QImage& mark) {
    const QRect f = fieldBox(cs, c, r);
    for (int y = f.top(); y <= f.bottom(); ++y)
        for (int x = f.left(); x <= f.right(); ++x)
            if (inRing(cs, c, r, {x, y}))
                img.setPixel(x, y, mark.pixel(x - f.left(), y - f.top()));
    return img;
}

// The 3 x 3 place of option n in field (c, r): x = innerRect.Left + ((n-1) mod 3 + 1) * step,
// y = innerRect.Top + ((n-1) div 3) * line, in a T(0.3cs) font cell; step = T(0.2cs) and
// line = the asked-for cell height - 2 (18 - 2 at cs 60, where the font's line is only 17).
QRect optionPlace(int cs, int c, int r, int n) {
    const int cell = arialCell(cs * 3 / 10);
    const int step = cs * 2 / 10, line = cs * 3 / 10 - 2;
    const int left = (c - 1) * cs + 4, top = (r - 1) * cs + 4;
    return QRect(left + ((n - 1) % 3 + 1) * step, top + ((n - 1) / 3) * line,
                 arialAdvance(cs * 3 / 10, QString::number(n)), cell);
}

// A copy of a picture with the interior of field (c, r) taken from another picture.
QImage withInterior(QImage img, int cs, int c, int r, const QImage& from) {
    const QRect in = interiorBox(cs, c, r);
    for (int y = in.top(); y <= in.bottom(); ++y)
        for (int x = in.left(); x <= in.right(); ++x) img.setPixel(x, y, from.pixel(x, y));
    return img;
}

#define EXPECT_SAME_PICTURE(actual, expected)                                           \
    do {                                                                                \
        std::string where_;                                                             \
        EXPECT_EQ(countDiff((actual), (expected), (expected).rect(), &where_), 0)       \
            << "first difference at " << where_;                                        \
    } while (0)

// ------------------------------------------------------------------ digits and the mark

class BoardViewPaint : public ::testing::TestWithParam<Scale> {
protected:
    void SetUp() override {
        win = std::make_unique<ShownWindow>(GetParam());
        ASSERT_TRUE(win->exposed);
        board = win->w().boardBitmap;
    }
    int cs() const { return GetParam().cs; }
    TBoardView& view() { return *win->w().PaintBox1; }
    QImage shot() { return win->view().copy(); }

    std::unique_ptr<ShownWindow> win;
    QImage board;
};

TEST_P(BoardViewPaint, FirstPaintShowsTheBoardPicture) {
    EXPECT_EQ(win->view().size(), board.size());
    EXPECT_SAME_PICTURE(shot(), board);
}

TEST_P(BoardViewPaint, DigitKindsColourAndWhiteShadow) {
    struct KindCase {
        int kind;
        QRgb colour;
    };
    // Fields in a corner group, the centre group and on the last row and column.
    const QPoint fields[] = {{1, 1}, {5, 5}, {9, 9}};
    for (const KindCase& k : {KindCase{fkGiven, givenRed}, KindCase{fkFilled, hoverGrey},
                              KindCase{fkEntered, black}})
        for (const QPoint field : fields) {
            SCOPED_TRACE("kind " + std::to_string(k.kind) + " field " + std::to_string(field.x()) +
                         "," + std::to_string(field.y()));
            const int c = field.x(), r = field.y();
            const QImage before = shot();
            view().drawField(c, r, 8, k.kind);
            const QImage after = shot();
            const QRect f = fieldBox(cs(), c, r);

            // Nothing outside the field's interior changes.
            EXPECT_SAME_PICTURE(withInterior(after, cs(), c, r, before), before);

            // Inside: the board, the kind's colour, or white exactly where the kind's glyph
            // shifted by (2, 2) is not covered by the glyph itself.
            const std::vector<QPoint> glyph = pixelsOf(after, f, k.colour);
            ASSERT_GT(glyph.size(), 20u);
            std::set<std::pair<int, int>> ink, shadow;
            for (const QPoint& p : glyph) ink.insert({p.x(), p.y()});
            for (const QPoint& p : glyph)
                if (!ink.count({p.x() + 2, p.y() + 2})) shadow.insert({p.x() + 2, p.y() + 2});
            int wrong = 0;
            for (int y = f.top(); y <= f.bottom(); ++y)
                for (int x = f.left(); x <= f.right(); ++x) {
                    const QRgb got = px(after, x, y);
                    const bool isInk = ink.count({x, y}) > 0, isShadow = shadow.count({x, y}) > 0;
                    if (isInk) continue;
                    if (isShadow ? got != white : got != px(board, x, y)) ++wrong;
                }
            EXPECT_EQ(wrong, 0);

            // A digit in a T(0.8cs) cell, centred one pixel up-left of the field's centre.
            const QRect box = bounds(glyph);
            EXPECT_TRUE(interiorBox(cs(), c, r).contains(box));
            EXPECT_GT(box.height(), cs() * 8 / 10 / 2);
            EXPECT_LT(box.height(), cs() * 8 / 10);
            const QPointF centre = QRectF(box).center();
            EXPECT_NEAR(centre.x(), (c - 1) * cs() + cs() / 2.0 - 1, 2.5);
            EXPECT_NEAR(centre.y(), (r - 1) * cs() + cs() / 2.0 - 1, cs() / 8.0 + 2);

            // Exactly where the placement rule puts it: with w, h the digit's cell in a
            // T(0.8cs) font, dx = (cs - w - 8) div 2, dy = (cs - h - 8) div 2, white at
            // innerRect + (dx + 1, dy + 1), the kind's colour at innerRect + (dx - 1, dy - 1).
            // The drawing layer renders the expected glyphs.
            QImage expect = before.copy();
            Canvas oracle(&expect);
            oracle.setBrushStyle(BrushStyle::Clear);
            oracle.setFont("Arial", cs() * 8 / 10);
            const int dx = (cs() - oracle.TextWidth("8") - 8) / 2, dy = (cs() - oracle.TextHeight("8") - 8) / 2;
            const int left = (c - 1) * cs() + 4, top = (r - 1) * cs() + 4;
            oracle.setFontColor(QColor(white));
            oracle.TextOut(left + dx + 1, top + dy + 1, "8");
            oracle.setFontColor(QColor(k.colour));
            oracle.TextOut(left + dx - 1, top + dy - 1, "8");
            EXPECT_SAME_PICTURE(after, expect);

            view().drawField(c, r, 0, k.kind);
            EXPECT_SAME_PICTURE(shot(), board);
        }
}

TEST_P(BoardViewPaint, MarkCoversTheRingOnlyAndWipingKeepsIt) {
    const int c = 4, r = 7;
    view().drawField(c, r, 6, fkEntered);
    const QImage withDigit = shot();
    win->game().selectField(c, r);
    const QImage marked = withMark(withDigit, cs(), c, r, win->w().markBitmap);
    EXPECT_SAME_PICTURE(shot(), marked);

    // Erasing the digit restores the interior from the board picture; the mark stays.
    view().drawField(c, r, 0, fkEntered);
    EXPECT_SAME_PICTURE(shot(), withMark(board, cs(), c, r, win->w().markBitmap));
}

TEST_P(BoardViewPaint, MovingTheSelectionRestoresTheOldRingExactly) {
    // A digit and the mark on field (3, 3), whose ring touches a field line and a group line.
    view().drawField(3, 3, 2, fkGiven);
    const QImage withDigit = shot();
    win->game().selectField(3, 3);
    win->game().selectField(4, 3);
    EXPECT_EQ(win->game().selColumn, 4);
    EXPECT_EQ(win->game().selRow, 3);
    EXPECT_SAME_PICTURE(shot(), withMark(withDigit, cs(), 4, 3, win->w().markBitmap));
    // Moving on again leaves no trace of the mark anywhere.
    win->game().selectField(9, 9);
    win->game().selectField(3, 3);
    win->game().selectField(1, 9);
    EXPECT_SAME_PICTURE(shot(), withMark(withDigit, cs(), 1, 9, win->w().markBitmap));
}

TEST_P(BoardViewPaint, FullRepaintRebuildsDigitsOptionsAndMark) {
    Game& g = win->game();
    g.board.set(2, 2, 7, fkGiven);
    g.board.set(3, 2, 1, fkEntered);
    g.selColumn = 2;
    g.selRow = 2;
    view().drawField(2, 2, 7, fkGiven);
    view().drawField(3, 2, 1, fkEntered);
    view().drawSelectionMark(2, 2);
    g.computeOptions();
    g.optionsShown = true;
    view().paintAllOptions();
    const QImage incremental = shot();
    EXPECT_FALSE(pixelsOf(incremental, interiorBox(cs(), 5, 5), black).empty()) << "options drawn";
    view().invalidate();
    QTest::qWait(20);
    EXPECT_SAME_PICTURE(shot(), incremental);
}

// ------------------------------------------------------------------ options

class BoardViewOptions : public BoardViewPaint {
protected:
    QRect place(int c, int r, int n) const { return optionPlace(cs(), c, r, n); }
    std::vector<QPoint> drawOptions(int c, int r, DigitMask mask) {
        win->game().optionTables.at(c, r) = mask;
        view().drawFieldOptions(c, r);
        return pixelsOf(win->view(), fieldBox(cs(), c, r), black);
    }
};

TEST_P(BoardViewOptions, EachOptionStandsInItsPlace) {
    const int c = 6, r = 2;
    std::set<std::pair<int, int>> singles;
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE("option " + std::to_string(n));
        const std::vector<QPoint> ink = drawOptions(c, r, digitBit(n));
        ASSERT_FALSE(ink.empty());
        const QRect box = bounds(ink);
        EXPECT_TRUE(place(c, r, n).contains(box))
            << "ink " << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
        // The glyph starts at the place's left edge (within its side bearing).
        EXPECT_LE(box.left() - place(c, r, n).left(), 2);
        for (const QPoint& p : ink) singles.insert({p.x(), p.y()});
        // Only black ink was added to the board picture.
        QImage expect = board.copy();
        for (const QPoint& p : ink) expect.setPixel(p, 0xFF000000u);
        EXPECT_SAME_PICTURE(shot(), expect);
    }
    // All nine together: the same places, whether or not the others are present.
    std::set<std::pair<int, int>> all;
    for (const QPoint& p : drawOptions(c, r, allDigits)) all.insert({p.x(), p.y()});
    EXPECT_EQ(all, singles);

    // Pixel for pixel at the places, the glyphs rendered by the drawing layer.
    QImage expect = board.copy();
    Canvas oracle(&expect);
    oracle.setBrushStyle(BrushStyle::Clear);
    oracle.setFont("Arial", cs() * 3 / 10);
    oracle.setFontColor(Qt::black);
    for (int n = 1; n <= 9; ++n) oracle.TextOut(place(c, r, n).x(), place(c, r, n).y(), QString::number(n));
    EXPECT_SAME_PICTURE(shot(), expect);
}

TEST_P(BoardViewOptions, MaskZeroLeavesTheInteriorEmpty) {
    drawOptions(1, 1, allDigits);
    EXPECT_FALSE(pixelsOf(win->view(), fieldBox(cs(), 1, 1), black).empty());
    EXPECT_TRUE(drawOptions(1, 1, 0).empty());
    EXPECT_SAME_PICTURE(shot(), board);
}

// ------------------------------------------------------------------ the window's frame

TEST_P(BoardViewPaint, WindowFrameAndRowColumnNumbers) {
    const QImage& image = win->w().image();
    const QRect v = win->w().PaintBox1->geometry();
    const int L = v.x(), T = v.y(), Wd = v.width(), Ht = v.height();
    for (int i = 0; i <= 1; ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const QRect frame(QPoint(L - 2 + i, T - 2 + i), QPoint(L + Wd + 1 - i, T + Ht + 1 - i));
        int wrong = 0;
        std::string first;
        for (int x = frame.left(); x <= frame.right(); ++x)
            for (int y : {frame.top(), frame.bottom()}) {
                if (px(image, x, y) != frameColour(frame, {x, y}, black, yellow) && wrong++ == 0)
                    first = std::to_string(x) + "," + std::to_string(y);
            }
        for (int y = frame.top(); y <= frame.bottom(); ++y)
            for (int x : {frame.left(), frame.right()}) {
                if (px(image, x, y) != frameColour(frame, {x, y}, black, yellow) && wrong++ == 0)
                    first = std::to_string(x) + "," + std::to_string(y);
            }
        EXPECT_EQ(wrong, 0) << first;
        EXPECT_EQ(px(image, frame.right(), frame.top()), black);
        EXPECT_EQ(px(image, frame.left(), frame.bottom()), yellow);
    }

    // Numbers 1..9 in navy above the columns and left of the rows, T(0.4cs) cells.
    const int half = cs() / 2, cell = arialCell(cs() * 4 / 10);
    std::vector<QRect> boxes;
    for (int n = 1; n <= 9; ++n) {
        const int adv = arialAdvance(cs() * 4 / 10, QString::number(n));
        boxes.emplace_back(L + half + (n - 1) * cs(), T - half, adv, cell);
        boxes.emplace_back(L - half, T + half + (n - 1) * cs(), adv, cell);
    }
    for (const QRect& b : boxes)
        EXPECT_GT(pixelsOf(image, b, navyColour).size(), 3u) << b.x() << "," << b.y();
    int stray = 0;
    for (const QPoint& p : pixelsOf(image, image.rect(), navyColour)) {
        bool inside = false;
        for (const QRect& b : boxes) inside = inside || b.contains(p);
        if (!inside) ++stray;
    }
    EXPECT_EQ(stray, 0) << "navy pixels outside the number cells";
}

// The window is painted straight onto the screen's buffer; what it shows round the board (frame,
// numbers, background) is the picture tested above, pixel for pixel.
TEST_P(BoardViewPaint, TheScreenShowsTheWindowsPicture) {
    const QImage picture = win->w().image().copy();
    const QImage screen = win->w().grab().toImage().convertToFormat(picture.format());
    const QRect v = win->w().PaintBox1->geometry();
    const QRect around(QPoint(v.left() - cs() / 2 - 2, v.top() - cs() / 2 - 2), QPoint(v.right() + 2, v.bottom() + 2));
    int differ = 0;
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x)
            differ += !v.contains(x, y) && px(picture, x, y) != px(screen, x, y);
    EXPECT_EQ(differ, 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, BoardViewPaint, ::testing::ValuesIn(allScales), scaleName);
INSTANTIATE_TEST_SUITE_P(Scales, BoardViewOptions, ::testing::ValuesIn(allScales), scaleName);

// ------------------------------------------------------------------ keys and mouse

class BoardViewInput : public BoardViewPaint {
protected:
    TZelArrayBtn* bar() { return win->w().ZelArrayBtn1; }
    TZelArrayBtn* column() { return win->w().ZelArrayBtn2; }

    static QPoint centre(TZelArrayBtn* b, int nr) {
        const TRect r = b->GetBtnRect(static_cast<std::uint8_t>(nr));
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // Pointer onto a button, press, release, pointer away to an empty spot of the window.
    void clickButton(TZelArrayBtn* b, int nr) {
        const QPoint at = centre(b, nr);
        QTest::mouseMove(b, at);
        QTest::mousePress(b, Qt::LeftButton, {}, at);
        QTest::mouseRelease(b, Qt::LeftButton, {}, at);
        QTest::mouseMove(&win->w(), QPoint(3, win->w().height() - 3));
        ShownWindow::settle();
    }
    // A click at a point of the board view, sent to the window as the platform would (a widget
    // target would read the point (0, 0) as "the widget's centre").
    void clickBoard(QPoint p) {
        TForm1& form = win->w();
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, form.PaintBox1->mapTo(&form, p));
        ShownWindow::settle();
    }
    void key(Qt::Key k) { QTest::keyClick(&win->w(), k); }
    void type(char ch) { QTest::keyClick(&win->w(), ch); }
    QPoint selection() { return {win->game().selColumn, win->game().selRow}; }
    // The view shows the whole mark on this field's ring and no mark corner on any other.
    void expectMarkOnlyOn(int c, int r) {
        const QImage now = shot();
        const QImage& mark = win->w().markBitmap;
        const QRect target = fieldBox(cs(), c, r);
        int wrong = 0;
        for (int y = target.top(); y <= target.bottom(); ++y)
            for (int x = target.left(); x <= target.right(); ++x)
                if (inRing(cs(), c, r, {x, y}) && px(now, x, y) != px(mark, x - target.left(), y - target.top()))
                    ++wrong;
        EXPECT_EQ(wrong, 0) << "mark on " << c << "," << r;
        for (int fr = 1; fr <= 9; ++fr)
            for (int fc = 1; fc <= 9; ++fc) {
                const QRect f = fieldBox(cs(), fc, fr);
                if (fc == c && fr == r) continue;
                EXPECT_FALSE(px(now, f.topLeft()) == amber || px(now, f.bottomRight()) == yellow)
                    << "stray mark on " << fc << "," << fr;
            }
    }
    std::string status() { return win->w().StaticText1->text().toStdString(); }
    QRgb statusColour() { return win->w().StaticText1->palette().color(QPalette::WindowText).rgb() & 0xFFFFFFu; }
    std::vector<TBtnStatus> analysis() {
        std::vector<TBtnStatus> out;
        for (std::uint8_t b = 0; b < 6; ++b) out.push_back(column()->GetBtnStatus(b));
        return out;
    }
};

TEST_P(BoardViewInput, ClicksSelectOnlyWhileEnteringOrSolving) {
    // Idle: a click selects nothing and draws nothing.
    clickBoard({cs() * 3 + 5, cs() * 4 + 5});
    EXPECT_EQ(selection(), QPoint(0, 0));
    EXPECT_SAME_PICTURE(shot(), board);

    clickButton(bar(), cmdEnter);
    ASSERT_EQ(win->game().gameState, gsEntering);
    EXPECT_EQ(selection(), QPoint(1, 1));
    expectMarkOnlyOn(1, 1);

    struct ClickCase {
        QPoint at;
        QPoint field;
    };
    const int n = cs();
    const ClickCase cases[] = {
        {{n * 3 + 5, n * 4 + 5}, {4, 5}},
        {{0, 0}, {1, 1}},                // grid lines belong to the field right of / below them
        {{n, n}, {2, 2}},
        {{n - 1, 2 * n - 1}, {1, 2}},    // last pixel of a field
        {{9 * n, 9 * n}, {9, 9}},        // the closing grid line counts as field 9
        {{9 * n, 0}, {9, 1}},
        {{5 * n + 3, 9 * n}, {6, 9}},
    };
    for (const ClickCase& k : cases) {
        clickBoard(k.at);
        EXPECT_EQ(selection(), k.field) << "click at " << k.at.x() << "," << k.at.y();
        expectMarkOnlyOn(k.field.x(), k.field.y());
    }

    // Restored: clicks are ignored again.
    clickButton(bar(), cmdRestore);
    ASSERT_EQ(win->game().gameState, gsRestored);
    const QPoint before = selection();
    clickBoard({n + 2, n + 2});
    EXPECT_EQ(selection(), before);
}

TEST_P(BoardViewInput, HoverTextInGreyAndLastMessageBack) {
    const QPoint outside(3, win->w().height() - 3);
    struct HoverCase {
        int button;
        const char* text;
    };
    for (const HoverCase& h : {HoverCase{cmdOpen, "open puzzle from disc"},
                               HoverCase{cmdClipboard, "paste puzzle from clipboard"},
                               HoverCase{cmdSearch, "search for a solution"}}) {
        QTest::mouseMove(bar(), centre(bar(), h.button));
        ShownWindow::settle();
        EXPECT_EQ(status(), h.text);
        EXPECT_EQ(statusColour(), hoverGrey) << h.text;
        QTest::mouseMove(&win->w(), outside);
        ShownWindow::settle();
        EXPECT_EQ(status(), "welcome at the DOZUDO - vudede") << "after " << h.text;
        EXPECT_EQ(statusColour(), black);
    }
    // With a digit on the board the clipboard button offers to copy.
    win->game().board.set(5, 5, 3, fkGiven);
    QTest::mouseMove(bar(), centre(bar(), cmdClipboard));
    ShownWindow::settle();
    EXPECT_EQ(status(), "copy puzzle to clipboard");
    QTest::mouseMove(&win->w(), outside);
}

TEST_P(BoardViewInput, EnteringDigitsAndMovingWithKeys) {
    // Keys in idle do nothing.
    key(Qt::Key_Right);
    type('5');
    EXPECT_EQ(selection(), QPoint(0, 0));
    EXPECT_EQ(win->game().board.filled(), 0);

    clickButton(bar(), cmdEnter);
    ASSERT_EQ(selection(), QPoint(1, 1));

    // An accepted digit is a puzzle digit and the selection moves on; a refused one stays.
    type('5');
    EXPECT_EQ(win->game().board.digit(1, 1), 5);
    EXPECT_EQ(win->game().board.at(1, 1).kind, fkGiven);
    EXPECT_EQ(selection(), QPoint(2, 1));
    type('5');
    EXPECT_EQ(win->game().board.digit(2, 1), 0);
    EXPECT_EQ(selection(), QPoint(2, 1));
    type('3');
    EXPECT_EQ(selection(), QPoint(3, 1));
    expectMarkOnlyOn(3, 1);
    // The digit shows in dark red on the view.
    EXPECT_FALSE(pixelsOf(win->view(), interiorBox(cs(), 1, 1), givenRed).empty());

    struct KeyCase {
        QPoint from;
        Qt::Key key;
        QPoint to;
    };
    const KeyCase cases[] = {
        {{1, 1}, Qt::Key_Left, {9, 9}},  {{9, 9}, Qt::Key_Right, {1, 1}},
        {{9, 3}, Qt::Key_Right, {1, 4}}, {{1, 4}, Qt::Key_Left, {9, 3}},
        {{4, 1}, Qt::Key_Up, {4, 9}},    {{4, 9}, Qt::Key_Down, {4, 1}},
        {{6, 6}, Qt::Key_Up, {6, 5}},    {{6, 6}, Qt::Key_Down, {6, 7}},
        {{3, 2}, Qt::Key_Backspace, {2, 2}},  // entering: Backspace only moves left
        {{1, 5}, Qt::Key_Backspace, {9, 4}},
        {{8, 8}, Qt::Key_Space, {9, 8}},
        {{5, 5}, Qt::Key_A, {5, 5}},           // other keys redraw the mark in place
    };
    for (const KeyCase& k : cases) {
        clickBoard({(k.from.x() - 1) * cs() + cs() / 2, (k.from.y() - 1) * cs() + cs() / 2});
        ASSERT_EQ(selection(), k.from);
        const int filled = win->game().board.filled();
        key(k.key);
        EXPECT_EQ(selection(), k.to) << "key " << k.key << " from " << k.from.x() << "," << k.from.y();
        EXPECT_EQ(win->game().board.filled(), filled);
        expectMarkOnlyOn(k.to.x(), k.to.y());
    }

    // Delete erases the selected puzzle digit and leaves the selection.
    clickBoard({cs() / 2, cs() / 2});
    key(Qt::Key_Delete);
    EXPECT_EQ(win->game().board.digit(1, 1), 0);
    EXPECT_EQ(selection(), QPoint(1, 1));
    EXPECT_TRUE(pixelsOf(win->view(), interiorBox(cs(), 1, 1), givenRed).empty());
}

TEST_P(BoardViewInput, SearchShowOptionsAndHints) {
    // Row 1 gets 1..8, so field (9, 1) can only take a 9.
    clickButton(bar(), cmdEnter);
    for (char d = '1'; d <= '8'; ++d) type(d);
    ASSERT_EQ(win->game().board.filled(), 8);
    ASSERT_EQ(selection(), QPoint(9, 1));

    clickButton(bar(), cmdSearch);
    EXPECT_EQ(win->game().gameState, gsSolving);
    EXPECT_EQ(selection(), QPoint(1, 1));
    expectMarkOnlyOn(1, 1);
    EXPECT_EQ(analysis(), (std::vector<TBtnStatus>{stFlat, stHidden, stHidden, stHidden, stHidden, stFlat}));

    clickButton(column(), anShowOptions);
    EXPECT_TRUE(win->game().optionsShown);
    EXPECT_EQ(analysis(), (std::vector<TBtnStatus>{stDown, stFlat, stHidden, stHidden, stFlat, stFlat}));
    // Options appear in the empty fields, each in its place: only 9 in (9, 1); 4..9 in (2, 2),
    // whose group holds 1, 2 and 3.
    struct OptionCase {
        int c, r;
        std::set<int> digits;
    };
    for (const OptionCase& o : {OptionCase{9, 1, {9}}, OptionCase{2, 2, {4, 5, 6, 7, 8, 9}},
                                OptionCase{5, 9, {1, 2, 3, 4, 6, 7, 8, 9}}}) {
        const std::vector<QPoint> ink = pixelsOf(win->view(), interiorBox(cs(), o.c, o.r), black);
        std::set<int> seen;
        int outside = 0;
        for (const QPoint& p : ink) {
            int in = 0;
            for (int n = 1; n <= 9; ++n)
                if (optionPlace(cs(), o.c, o.r, n).contains(p)) in = n;
            if (in == 0 || !o.digits.count(in)) ++outside;
            else seen.insert(in);
        }
        EXPECT_EQ(outside, 0) << "field " << o.c << "," << o.r;
        EXPECT_EQ(seen, o.digits) << "field " << o.c << "," << o.r;
    }
    // Filled fields keep their digit and get no options.
    EXPECT_TRUE(pixelsOf(win->view(), interiorBox(cs(), 1, 1), black).empty());

    clickButton(column(), anHints);
    EXPECT_EQ(analysis(), (std::vector<TBtnStatus>{stDown, stDown, stFlat, stFlat, stFlat, stFlat}));
    EXPECT_EQ(status(), "single digit: (9) row 1 column 9");
    EXPECT_EQ(statusColour(), rgb(0, 208, 0));
    EXPECT_EQ(selection(), QPoint(9, 1));
    expectMarkOnlyOn(9, 1);

    // Releasing "show options" wipes the options and hides the four buttons below it.
    clickButton(column(), anShowOptions);
    EXPECT_FALSE(win->game().optionsShown);
    EXPECT_EQ(analysis(), (std::vector<TBtnStatus>{stFlat, stHidden, stHidden, stHidden, stHidden, stFlat}));
    const QImage now = shot();
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (win->game().board.digit(c, r) == 0) {
                EXPECT_SAME_PICTURE(withInterior(now, cs(), c, r, board), now);
            }
}

TEST_P(BoardViewInput, SearchSaysInRedWhenThePuzzleHasSeveralSolutions) {
    clickButton(bar(), cmdEnter);
    for (char d = '1'; d <= '8'; ++d) type(d);
    // Right after the click, with the pointer still on the pressed button.
    const QPoint at = centre(bar(), cmdSearch);
    QTest::mouseMove(bar(), at);
    QTest::mousePress(bar(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(bar(), Qt::LeftButton, {}, at);
    ShownWindow::settle();
    EXPECT_EQ(status(), "puzzle has more than one solution");
    EXPECT_EQ(statusColour(), rgb(255, 0, 0));
    QTest::mouseMove(&win->w(), QPoint(3, win->w().height() - 3));
    ShownWindow::settle();
    EXPECT_EQ(status(), "puzzle has more than one solution");
    EXPECT_EQ(win->game().gameState, gsSolving);
}

TEST_P(BoardViewInput, FillLockIgnoresBoardAndKeysUntilEscape) {
    clickButton(bar(), cmdEnter);
    clickBoard({cs() * 2 + 3, cs() * 2 + 3});
    ASSERT_EQ(selection(), QPoint(3, 3));
    win->game().fillMode = fmFilling;
    const QImage locked = shot();
    clickBoard({cs() * 6 + 3, cs() * 7 + 3});
    key(Qt::Key_Right);
    type('4');
    EXPECT_EQ(selection(), QPoint(3, 3));
    EXPECT_EQ(win->game().board.filled(), 0);
    EXPECT_SAME_PICTURE(shot(), locked);
    // Escape unlocks; keys and clicks work again at once.
    key(Qt::Key_Escape);
    EXPECT_EQ(win->game().fillMode, fmNone);
    key(Qt::Key_Right);
    EXPECT_EQ(selection(), QPoint(4, 3));
    clickBoard({cs() * 6 + 3, cs() * 7 + 3});
    EXPECT_EQ(selection(), QPoint(7, 8));
    // Any mouse button selects.
    QTest::mouseClick(win->w().windowHandle(), Qt::RightButton, {},
                      win->w().PaintBox1->mapTo(&win->w(), QPoint(3, 3)));
    EXPECT_EQ(selection(), QPoint(1, 1));
}

TEST_P(BoardViewInput, EraseBoardRepaintsTheEmptyBoardKeepingTheMark) {
    clickButton(bar(), cmdEnter);
    for (char d : {'4', '7', '1'}) type(d);
    ASSERT_EQ(win->game().board.filled(), 3);
    ASSERT_NE(countDiff(shot(), board, board.rect()), 0);
    clickButton(bar(), cmdErase);
    QTest::qWait(20);
    EXPECT_EQ(win->game().gameState, gsIdle);
    EXPECT_EQ(win->game().board.filled(), 0);
    EXPECT_SAME_PICTURE(shot(), withMark(board, cs(), 4, 1, win->w().markBitmap));
    // The release of the push button empties the message "erased game" again.
    EXPECT_EQ(status(), "");
    EXPECT_EQ(win->w().windowTitle(), "DOZUDO - vudede : ");
}

INSTANTIATE_TEST_SUITE_P(Scales, BoardViewInput, ::testing::ValuesIn(allScales), scaleName);

}  // namespace
}  // namespace dozudo

namespace dozudo {
namespace {

using namespace uitest;

// Keys while solving, at one scale: the take back waits for the pacing timer.
TEST(BoardViewSolvingKeys, DigitsStayBackspaceTakesBackZeroErases) {
    ShownWindow win(allScales[0]);
    ASSERT_TRUE(win.exposed);
    TForm1& form = win.w();
    Game& g = win.game();
    const int cs = form.cellSize;
    const auto clickField = [&](int c, int r) {
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                          form.PaintBox1->mapTo(&form, QPoint((c - 1) * cs + cs / 2, (r - 1) * cs + cs / 2)));
    };
    const TRect search = form.ZelArrayBtn1->GetBtnRect(cmdSearch);
    const QPoint searchAt((search.Left + search.Right) / 2, (search.Top + search.Bottom) / 2);
    QTest::mouseMove(form.ZelArrayBtn1, searchAt);
    QTest::mouseClick(form.ZelArrayBtn1, Qt::LeftButton, {}, searchAt);
    QTest::mouseMove(&form, QPoint(3, form.height() - 3));
    ASSERT_EQ(g.gameState, gsSolving);

    clickField(5, 5);
    QTest::keyClick(&form, '7');
    EXPECT_EQ(g.board.digit(5, 5), 7);
    EXPECT_EQ(g.board.at(5, 5).kind, fkEntered);
    EXPECT_EQ(QPoint(g.selColumn, g.selRow), QPoint(5, 5)) << "the selection stays while solving";
    EXPECT_FALSE(pixelsOf(form.PaintBox1->image(), interiorBox(cs, 5, 5), black).empty());

    // A digit breaking a rule is refused with a message in red.
    clickField(6, 5);
    QTest::keyClick(&form, '7');
    EXPECT_EQ(g.board.digit(6, 5), 0);
    EXPECT_EQ(form.StaticText1->text(), "7 allready present in row 5");
    EXPECT_EQ(form.StaticText1->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    QTest::keyClick(&form, '2');
    clickField(1, 1);
    // Backspace: the mark goes to the last entry at once, the digit goes at the timer tick;
    // meanwhile keys are locked.
    QTest::keyClick(&form, Qt::Key_Backspace);
    EXPECT_EQ(QPoint(g.selColumn, g.selRow), QPoint(6, 5));
    EXPECT_EQ(g.fillMode, fmTakeBack);
    QTest::keyClick(&form, Qt::Key_Right);
    EXPECT_EQ(QPoint(g.selColumn, g.selRow), QPoint(6, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.board.digit(6, 5) == 0; }, 2000));
    EXPECT_EQ(g.fillMode, fmNone);
    EXPECT_TRUE(pixelsOf(form.PaintBox1->image(), interiorBox(cs, 6, 5), black).empty());

    // "0" and Delete erase an entered digit.
    clickField(5, 5);
    QTest::keyClick(&form, '0');
    EXPECT_EQ(g.board.digit(5, 5), 0);
    EXPECT_TRUE(pixelsOf(form.PaintBox1->image(), interiorBox(cs, 5, 5), black).empty());
    QTest::keyClick(&form, '3');
    QTest::keyClick(&form, Qt::Key_Delete);
    EXPECT_EQ(g.board.digit(5, 5), 0);
}

}  // namespace
}  // namespace dozudo
