// Pixel rules of the drawing layer, checked on small images.
#include "widgets/canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <ostream>
#include <vector>

namespace dozudo {
namespace {

const QRgb white = qRgb(255, 255, 255);
const QRgb red = qRgb(255, 0, 0);
const QRgb blue = qRgb(0, 0, 255);

QImage blank(int w, int h, QRgb fill = white) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// Every pixel of img, listed where it differs from the background.
std::vector<QPoint> inked(const QImage& img, QRgb background) {
    std::vector<QPoint> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != background) out.emplace_back(x, y);
    return out;
}

QRect boundsOf(const std::vector<QPoint>& pts) {
    QRect r;
    for (const QPoint& p : pts) r |= QRect(p, QSize(1, 1));
    return r;
}

TEST(CanvasColour, BgrAndRgbAgree) {
    const QColor c = colorFromBgr(0x123456);
    EXPECT_EQ(c.red(), 0x56);
    EXPECT_EQ(c.green(), 0x34);
    EXPECT_EQ(c.blue(), 0x12);
    EXPECT_EQ(colorFromRgb(0x56, 0x34, 0x12), c);
    EXPECT_EQ(toQColor(fromBgr(0xFF0000)), QColor(0, 0, 255));
}

TEST(CanvasFill, RightAndBottomAreExclusive) {
    QImage img = blank(10, 10);
    Canvas c(&img);
    c.setBrushColor(Qt::red);
    c.FillRect(2, 3, 5, 7);
    EXPECT_EQ(boundsOf(inked(img, white)), QRect(QPoint(2, 3), QPoint(4, 6)));
    EXPECT_EQ(inked(img, white).size(), 3u * 4u);
    EXPECT_EQ(img.pixel(2, 3), red);

    // A clear brush and an empty rectangle fill nothing.
    QImage other = blank(10, 10);
    Canvas d(&other);
    d.setBrushColor(Qt::red);
    d.FillRect(4, 4, 4, 8);
    d.setBrushStyle(BrushStyle::Clear);
    d.FillRect(0, 0, 10, 10);
    EXPECT_TRUE(inked(other, white).empty());
}

TEST(CanvasFill, ClipsToTheImageAndReportsTheChange) {
    QImage img = blank(6, 6);
    Canvas c(&img);
    std::vector<QRect> changes;
    c.onChange = [&](const QRect& r) { changes.push_back(r); };
    c.setBrushColor(Qt::blue);
    c.FillRect(-3, 4, 20, 30);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], QRect(0, 4, 6, 2));
    EXPECT_EQ(boundsOf(inked(img, white)), QRect(0, 4, 6, 2));
}

struct LineCase {
    QPoint from, to;
    std::vector<QPoint> pixels;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << "(" << c.from.x() << "," << c.from.y() << ")->(" << c.to.x() << "," << c.to.y() << ")";
}

class CanvasLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(CanvasLine, LeavesOutTheEndPixel) {
    const LineCase& lc = GetParam();
    QImage img = blank(12, 12);
    Canvas c(&img);
    c.setPenColor(Qt::red);
    c.MoveTo(lc.from.x(), lc.from.y());
    c.LineTo(lc.to.x(), lc.to.y());
    EXPECT_EQ(c.penPos(), lc.to);
    auto got = inked(img, white);
    auto want = lc.pixels;
    auto byPos = [](const QPoint& a, const QPoint& b) {
        return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
    };
    std::sort(got.begin(), got.end(), byPos);
    std::sort(want.begin(), want.end(), byPos);
    EXPECT_EQ(got, want);
    for (const QPoint& p : got) EXPECT_EQ(img.pixel(p), red);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, CanvasLine,
    ::testing::Values(LineCase{{2, 5}, {6, 5}, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
                      LineCase{{6, 5}, {2, 5}, {{6, 5}, {5, 5}, {4, 5}, {3, 5}}},
                      LineCase{{3, 1}, {3, 4}, {{3, 1}, {3, 2}, {3, 3}}},
                      LineCase{{3, 4}, {3, 1}, {{3, 4}, {3, 3}, {3, 2}}},
                      LineCase{{1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}},
                      LineCase{{7, 7}, {7, 7}, {}}, LineCase{{0, 0}, {1, 0}, {{0, 0}}},
                      // Lines running off the picture keep only their pixels inside it.
                      LineCase{{-3, 2}, {2, 2}, {{0, 2}, {1, 2}}},
                      LineCase{{10, 9}, {14, 9}, {{10, 9}, {11, 9}}},
                      LineCase{{5, 10}, {5, 15}, {{5, 10}, {5, 11}}}));

TEST(CanvasLineChain, ConsecutiveSegmentsMeetWithoutGapOrOverlap) {
    // A closed frame drawn as four LineTo calls sets each pixel of the border exactly once,
    // which matters for the merge mode where drawing twice changes the result.
    QImage img = blank(8, 8, qRgb(0x10, 0x20, 0x30));
    Canvas c(&img);
    c.setPenMode(PenMode::MergePenNot);
    c.setPenColor(QColor(0xF0, 0xF0, 0xF0));
    c.MoveTo(1, 1);
    c.LineTo(6, 1);
    c.LineTo(6, 6);
    c.LineTo(1, 6);
    c.LineTo(1, 1);
    const QRgb merged = qRgb(0xFF, 0xFF, 0xFF);  // pen | ~dst
    EXPECT_EQ(img.pixel(1, 1), merged);
    EXPECT_EQ(img.pixel(6, 1), merged);
    EXPECT_EQ(img.pixel(6, 6), merged);
    EXPECT_EQ(img.pixel(1, 6), merged);
    EXPECT_EQ(img.pixel(3, 6), merged);
    EXPECT_EQ(img.pixel(3, 3), qRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(img.pixel(0, 0), qRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(img.pixel(7, 7), qRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(inked(img, qRgb(0x10, 0x20, 0x30)).size(), 20u);
}

TEST(CanvasPenMode, MergePenNotOrsTheInvertedPenIntoShapes) {
    QImage img = blank(10, 10, qRgb(0x10, 0x20, 0x30));
    Canvas c(&img);
    c.setPenMode(PenMode::MergePenNot);
    c.setPenColor(QColor(0xF0, 0x0F, 0xFF));
    c.setBrushColor(QColor(0xFF, 0xFF, 0x00));
    c.Rectangle(1, 1, 9, 9);
    EXPECT_EQ(img.pixel(1, 1), qRgb(0xFF, 0xDF, 0xFF));  // outline: pen | ~dst
    EXPECT_EQ(img.pixel(4, 4), qRgb(0xFF, 0xFF, 0xCF));  // inside: brush | ~dst
    EXPECT_EQ(img.pixel(9, 9), qRgb(0x10, 0x20, 0x30));
    // FillRect ignores the pen mode.
    c.FillRect(0, 0, 1, 1);
    EXPECT_EQ(img.pixel(0, 0), qRgb(0xFF, 0xFF, 0x00));
}

TEST(CanvasShapes, RectangleOutlinesTheOuterPixels) {
    QImage img = blank(10, 10);
    Canvas c(&img);
    c.setPenColor(Qt::red);
    c.setBrushColor(Qt::blue);
    c.Rectangle(2, 2, 8, 7);
    EXPECT_EQ(boundsOf(inked(img, white)), QRect(QPoint(2, 2), QPoint(7, 6)));
    for (int x = 2; x <= 7; ++x) {
        EXPECT_EQ(img.pixel(x, 2), red) << x;
        EXPECT_EQ(img.pixel(x, 6), red) << x;
    }
    for (int y = 2; y <= 6; ++y) {
        EXPECT_EQ(img.pixel(2, y), red) << y;
        EXPECT_EQ(img.pixel(7, y), red) << y;
    }
    EXPECT_EQ(boundsOf(inked(img, red)), QRect(0, 0, 10, 10));
    for (int y = 3; y <= 5; ++y)
        for (int x = 3; x <= 6; ++x) EXPECT_EQ(img.pixel(x, y), blue) << x << "," << y;
}

TEST(CanvasShapes, RoundRectStaysInsideItsRectangleWithRoundedCorners) {
    QImage img = blank(30, 20);
    Canvas c(&img);
    c.setPenColor(Qt::red);
    c.setBrushColor(Qt::blue);
    c.RoundRect(2, 3, 26, 17, 10, 10);
    // Straight parts of the outline on the outermost pixels of the rectangle.
    EXPECT_EQ(boundsOf(inked(img, white)), QRect(QPoint(2, 3), QPoint(25, 16)));
    EXPECT_EQ(img.pixel(14, 3), red);
    EXPECT_EQ(img.pixel(14, 16), red);
    EXPECT_EQ(img.pixel(2, 10), red);
    EXPECT_EQ(img.pixel(25, 10), red);
    // Inside filled with the brush, corners cut off.
    EXPECT_EQ(img.pixel(14, 10), blue);
    EXPECT_EQ(img.pixel(14, 4), blue);
    EXPECT_EQ(img.pixel(2, 3), white);
    EXPECT_EQ(img.pixel(25, 3), white);
    EXPECT_EQ(img.pixel(2, 16), white);
    EXPECT_EQ(img.pixel(25, 16), white);
    // Nothing but pen, brush and background: no antialiasing.
    for (const QPoint& p : inked(img, white))
        EXPECT_TRUE(img.pixel(p) == red || img.pixel(p) == blue) << p.x() << "," << p.y();
}

TEST(CanvasFont, CellHeightPicksTheLargestFittingSize) {
    Canvas c;
    for (int cell : {8, 11, 13, 16, 20, 24, 31, 40}) {
        for (bool bold : {false, true}) {
            c.setFont("Arial", cell, bold);
            const QFont f = c.font();
            EXPECT_EQ(f.bold(), bold);
            EXPECT_LE(QFontMetrics(f).height(), cell) << cell;
            QFont bigger = f;
            bigger.setPixelSize(f.pixelSize() + 1);
            EXPECT_GT(QFontMetrics(bigger).height(), cell) << cell;
            EXPECT_EQ(c.TextHeight("x"), QFontMetrics(f).height());
        }
    }
    c.setFont("Arial", 20);
    EXPECT_EQ(QFontInfo(c.font()).family(), "Liberation Sans");
    EXPECT_EQ(c.font().styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
    EXPECT_GT(c.TextWidth("WW"), c.TextWidth("W"));
    EXPECT_EQ(c.TextWidth(""), 0);
}

TEST(CanvasFont, NoLargerSizeFitsAtTheProgramsCellHeights) {
    // The quick search must find what trying every size from the cell height down finds.
    std::vector<int> cells = {36, 40, 48, 120, 150, 180};
    for (int cell = 8; cell <= 30; ++cell) cells.push_back(cell);
    for (int cell : cells)
        for (bool bold : {false, true}) {
            const int chosen = Canvas::pixelSizeForCellHeight("Arial", cell, bold);
            QFont fitting("Arial");
            fitting.setPixelSize(chosen);
            fitting.setBold(bold);
            fitting.setStyleStrategy(QFont::NoAntialias);
            ASSERT_LE(QFontMetrics(fitting).height(), cell) << cell << (bold ? " bold" : "");
            for (int p = chosen + 1; p <= cell; ++p) {
                QFont f("Arial");
                f.setPixelSize(p);
                f.setBold(bold);
                f.setStyleStrategy(QFont::NoAntialias);
                ASSERT_GT(QFontMetrics(f).height(), cell) << cell << (bold ? " bold" : "") << " size " << p;
            }
        }
}

TEST(CanvasText, TopLeftPlacementWithoutAntialiasing) {
    QImage img = blank(60, 40);
    Canvas c(&img);
    c.setFont("Arial", 20);
    c.setFontColor(Qt::red);
    c.setBrushStyle(BrushStyle::Clear);
    c.TextOut(10, 5, "H");
    const QFontMetrics m(c.font());
    const auto ink = inked(img, white);
    ASSERT_FALSE(ink.empty());
    for (const QPoint& p : ink) EXPECT_EQ(img.pixel(p), red);
    const QRect b = boundsOf(ink);
    // The glyph sits on the baseline ascent pixels below the top of the cell.
    EXPECT_EQ(b.bottom(), 5 + m.ascent() - 1);
    EXPECT_GE(b.top(), 5);
    EXPECT_GE(b.left(), 10);
    EXPECT_LT(b.right(), 10 + c.TextWidth("H"));
    // The same text one pixel further right and down moves every pixel by one.
    QImage moved = blank(60, 40);
    Canvas d(&moved);
    d.setFont("Arial", 20);
    d.setFontColor(Qt::red);
    d.setBrushStyle(BrushStyle::Clear);
    d.TextOut(11, 6, "H");
    EXPECT_EQ(boundsOf(inked(moved, white)), b.translated(1, 1));
}

TEST(CanvasText, SolidBackgroundFillsExactlyTheCell) {
    QImage img = blank(80, 40);
    Canvas c(&img);
    c.setFont("Arial", 16, true);
    c.setFontColor(Qt::red);
    c.setBrushColor(Qt::blue);
    c.TextOut(4, 7, "Hi 7");
    const QRect cell(4, 7, c.TextWidth("Hi 7"), c.TextHeight("Hi 7"));
    EXPECT_EQ(boundsOf(inked(img, white)), cell);
    int redCount = 0;
    for (const QPoint& p : inked(img, white)) {
        EXPECT_TRUE(img.pixel(p) == red || img.pixel(p) == blue);
        redCount += img.pixel(p) == red;
    }
    EXPECT_GT(redCount, 10);
}

TEST(CanvasPicture, CopyRectCopiesExactlyOrScales) {
    QImage src = blank(4, 4);
    src.setPixel(1, 1, red);
    src.setPixel(2, 1, blue);
    QImage img = blank(10, 10);
    Canvas c(&img);
    c.CopyRect({5, 5, 7, 6}, src, {1, 1, 3, 2});
    EXPECT_EQ(img.pixel(5, 5), red);
    EXPECT_EQ(img.pixel(6, 5), blue);
    EXPECT_EQ(inked(img, white).size(), 2u);

    // Twice the size: each source pixel becomes a 2 x 2 block.
    QImage big = blank(10, 10);
    Canvas d(&big);
    d.CopyRect({0, 0, 4, 2}, src, {1, 1, 3, 2});
    EXPECT_EQ(big.pixel(0, 0), red);
    EXPECT_EQ(big.pixel(1, 1), red);
    EXPECT_EQ(big.pixel(2, 0), blue);
    EXPECT_EQ(big.pixel(3, 1), blue);
    EXPECT_EQ(inked(big, white).size(), 8u);

    // Within one picture, overlapping: reads the region as it was before.
    QImage self = blank(6, 1);
    for (int x = 0; x < 6; ++x) self.setPixel(x, 0, qRgb(x, x, x));
    Canvas e(&self);
    e.CopyRect({1, 0, 5, 1}, self, {0, 0, 4, 1});
    for (int x = 1; x < 5; ++x) EXPECT_EQ(qRed(self.pixel(x, 0)), x - 1);
}

TEST(CanvasPicture, DrawTransparentSkipsTheKeyColour) {
    QImage pic = blank(3, 2, qRgb(0, 255, 0));
    pic.setPixel(1, 0, red);
    pic.setPixel(2, 1, blue);
    QImage img = blank(8, 8, qRgb(9, 9, 9));
    Canvas c(&img);
    c.DrawTransparent(4, 4, pic, QColor(0, 255, 0));
    EXPECT_EQ(img.pixel(5, 4), red);
    EXPECT_EQ(img.pixel(6, 5), blue);
    EXPECT_EQ(inked(img, qRgb(9, 9, 9)).size(), 2u);
    // Partly outside the image: the visible part is drawn, the rest ignored.
    c.DrawTransparent(6, 7, pic, QColor(0, 255, 0));
    EXPECT_EQ(img.pixel(7, 7), red);
    // Draw without a key copies everything.
    c.Draw(0, 0, pic);
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(1, 0), red);
}

// A picture at pixel ratio 2: logical coordinates, every logical pixel a 2 x 2 block for fills,
// lines and copies; text rendered at device size.
TEST(CanvasRatio, LogicalOperationsCoverDeviceBlocks) {
    QImage img = makePicture(20, 20, 2.0);
    img.fill(white);
    ASSERT_EQ(img.size(), QSize(40, 40));
    EXPECT_EQ(logicalSize(img), QSize(20, 20));
    Canvas c(&img);
    QRect reported;
    c.onChange = [&](const QRect& r) { reported |= r; };
    c.setBrushColor(QColor(red));
    c.FillRect(2, 2, 5, 5);
    c.setPenColor(QColor(blue));
    c.MoveTo(0, 10);
    c.LineTo(10, 10);
    struct Probe {
        int x, y;
        QRgb colour;
    };
    const Probe probes[] = {{4, 4, red},   {9, 9, red},   {3, 4, white}, {10, 9, white},
                            {0, 20, blue}, {19, 21, blue}, {20, 20, white}, {0, 22, white}};
    for (const Probe& p : probes)
        EXPECT_EQ(img.pixel(p.x, p.y) & 0xFFFFFFu, p.colour & 0xFFFFFFu) << p.x << "," << p.y;
    EXPECT_EQ(c.Pixel(2, 2), QColor(red));
    EXPECT_EQ(reported, QRect(0, 2, 11, 9));  // logical pixels (a line reports its end too)

    // A copy from a ratio-1 picture enlarges it into the blocks.
    QImage small = blank(2, 1, blue);
    small.setPixel(1, 0, red);
    c.Draw(12, 0, small);
    EXPECT_EQ(img.pixel(25, 1) & 0xFFFFFFu, blue & 0xFFFFFFu);
    EXPECT_EQ(img.pixel(26, 0) & 0xFFFFFFu, red & 0xFFFFFFu);

    // Text: glyph edges fall between the blocks, so it is not a ratio-1 picture enlarged.
    QImage page = makePicture(60, 30, 2.0);
    page.fill(white);
    Canvas t(&page);
    t.setFont("Arial", 24);
    t.setBrushStyle(BrushStyle::Clear);
    t.TextOut(2, 2, "S8");
    bool split = false;
    for (int y = 0; y + 1 < page.height() && !split; y += 2)
        for (int x = 0; x + 1 < page.width() && !split; x += 2) {
            const int ink = (page.pixel(x, y) != page.pixel(x + 1, y)) +
                            (page.pixel(x, y) != page.pixel(x, y + 1));
            split = ink > 0;
        }
    EXPECT_TRUE(split);
}

}  // namespace
}  // namespace dozudo
