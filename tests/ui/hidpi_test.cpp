// At a desktop scale of 200 % (this suite runs in its own process with QT_SCALE_FACTOR=2): the
// backing pictures have twice the pixels, the layout stays in logical pixels, lines lie at
// twice their logical coordinates, and text is drawn at device resolution, not enlarged.
#include <gtest/gtest.h>

#include "tests/ui/window_fixture.h"

namespace dozudo {
namespace {

using namespace uitest;

const Scale scale60{1280, 1024, 60};

// Whether some 2 x 2 block on even coordinates inside the area mixes the colour with others:
// a picture drawn at half resolution and enlarged has none.
bool drawnAtDeviceResolution(const QImage& img, const QRect& area, QRgb colour) {
    for (int y = area.top() & ~1; y + 1 <= area.bottom(); y += 2)
        for (int x = area.left() & ~1; x + 1 <= area.right(); x += 2) {
            const int n = (px(img, x, y) == colour) + (px(img, x + 1, y) == colour) +
                          (px(img, x, y + 1) == colour) + (px(img, x + 1, y + 1) == colour);
            if (n != 0 && n != 4) return true;
        }
    return false;
}

TEST(HiDpi, BoardViewIsDrawnAtTwiceTheResolution) {
    ShownWindow win(scale60);
    ASSERT_EQ(win.w().devicePixelRatioF(), 2.0);
    const int cs = 60, side = 9 * cs + 1;
    // Layout in logical pixels, pictures at device pixels.
    EXPECT_EQ(win.w().size(), QSize(915, 707));
    EXPECT_EQ(win.w().PaintBox1->size(), QSize(side, side));
    const QImage& view = win.view();
    EXPECT_EQ(view.size(), QSize(2 * side, 2 * side));
    EXPECT_EQ(win.w().ZelArrayBtn1->image().size(), 2 * win.w().ZelArrayBtn1->size());

    // Grid lines two device pixels wide at twice their logical coordinates.
    const int y = 2 * (cs / 2) + 1;  // inside the first row of fields, off any line
    for (int n = 0; n <= 9; ++n) {
        const QRgb line = n % 3 == 0 ? groupLine : fieldLine;
        const int x = 2 * n * cs;
        EXPECT_EQ(px(view, x, y), line) << n;
        EXPECT_EQ(px(view, x + 1, y), line) << n;
        if (n > 0) {
            EXPECT_NE(px(view, x - 1, y), line) << n;
        }
        if (n < 9) {
            EXPECT_NE(px(view, x + 2, y), line) << n;
        }
    }

    // A puzzle digit: dark red on a white shadow, its outline at device resolution.
    win.game().commandBarChange(4, true);  // "enter/puzzle", field (1, 1) selected
    win.game().keyPress('7');
    ShownWindow::settle();
    const QRect interior(2 * 5, 2 * 5, 2 * (cs - 9), 2 * (cs - 9));
    EXPECT_GT(pixelsOf(view, interior, givenRed).size(), 100u);
    EXPECT_TRUE(drawnAtDeviceResolution(view, interior, givenRed));
    EXPECT_TRUE(drawnAtDeviceResolution(view, interior, white));
}

TEST(HiDpi, CommandCaptionsAreDrawnAtDeviceResolution) {
    ShownWindow win(scale60);
    TZelArrayBtn* bar = win.w().ZelArrayBtn1;
    const TRect open = bar->GetBtnRect(0);
    const QRect face(2 * open.Left + 4, 2 * open.Top + 4, 2 * open.Width() - 8, 2 * open.Height() - 8);
    EXPECT_GT(pixelsOf(bar->image(), face, black).size(), 50u);
    EXPECT_TRUE(drawnAtDeviceResolution(bar->image(), face, black));
}

}  // namespace
}  // namespace dozudo
