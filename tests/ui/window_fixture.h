#pragma once
// Shared helpers for the main-window and board-view tests: the three screen scales, pixel
// access, field geometry worked out independently of the view, and a shown window.

#include <gtest/gtest.h>

#include <QCursor>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ui/main_window.h"

namespace dozudo::uitest {

// A screen size and the field size the window must choose for it.
struct Scale {
    int screenWidth;
    int screenHeight;
    int cs;
};
inline void PrintTo(const Scale& s, std::ostream* os) { *os << "cs" << s.cs; }
inline std::string scaleName(const ::testing::TestParamInfo<Scale>& info) {
    return "cs" + std::to_string(info.param.cs);
}
inline const Scale allScales[] = {{800, 600, 40}, {1024, 768, 50}, {1280, 1024, 60}};

// Colours as 0xRRGGBB, the alpha byte dropped.
constexpr QRgb rgb(int r, int g, int b) {
    return static_cast<QRgb>((r << 16) | (g << 8) | b);
}
inline QRgb px(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }
inline QRgb px(const QImage& img, QPoint p) { return px(img, p.x(), p.y()); }

inline constexpr QRgb black = rgb(0, 0, 0);
inline constexpr QRgb white = rgb(255, 255, 255);
inline constexpr QRgb navyColour = rgb(0, 0, 128);
inline constexpr QRgb amber = rgb(255, 192, 0);
inline constexpr QRgb yellow = rgb(255, 255, 0);
inline constexpr QRgb fieldLine = rgb(255, 208, 208);
inline constexpr QRgb groupLine = rgb(255, 0, 0);
inline constexpr QRgb groupNumber = rgb(128, 192, 224);
inline constexpr QRgb givenRed = rgb(208, 0, 0);
inline constexpr QRgb hoverGrey = rgb(176, 176, 176);

// Field (c, r), 1..9, on a board of field size cs: the square between the grid lines, and its
// interior without the four-pixel ring.
inline QRect fieldBox(int cs, int c, int r) { return QRect((c - 1) * cs + 1, (r - 1) * cs + 1, cs - 1, cs - 1); }
inline QRect interiorBox(int cs, int c, int r) { return fieldBox(cs, c, r).adjusted(4, 4, -4, -4); }
inline bool inRing(int cs, int c, int r, QPoint p) {
    return fieldBox(cs, c, r).contains(p) && !interiorBox(cs, c, r).contains(p);
}

// The frame rule shared by the selection mark and the window's frame: on a one-pixel frame
// drawn from the top-right corner along the top and down the left side in the first colour and
// back along the bottom and up the right side in the second, with line ends left out.
inline QRgb frameColour(QRect frame, QPoint p, QRgb first, QRgb second) {
    if (p.y() == frame.top()) return first;
    if (p.x() == frame.left() && p.y() != frame.bottom()) return first;
    return second;
}

// Line height of the Arial font the drawing layer picks for a character-cell height.
inline int arialCell(int cellHeight, bool bold = false) {
    QFont f("Arial");
    f.setPixelSize(Canvas::pixelSizeForCellHeight("Arial", cellHeight, bold));
    f.setBold(bold);
    return QFontMetrics(f).height();
}
inline int arialAdvance(int cellHeight, const QString& text) {
    QFont f("Arial");
    f.setPixelSize(Canvas::pixelSizeForCellHeight("Arial", cellHeight, false));
    return QFontMetrics(f).horizontalAdvance(text);
}

// Pixels of an area with the given colour, and the smallest rectangle around some pixels.
inline std::vector<QPoint> pixelsOf(const QImage& img, const QRect& area, QRgb colour) {
    std::vector<QPoint> out;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (px(img, x, y) == colour) out.emplace_back(x, y);
    return out;
}
inline QRect bounds(const std::vector<QPoint>& pts) {
    QRect r;
    for (const QPoint& p : pts) r |= QRect(p, QSize(1, 1));
    return r;
}

// Compares two pictures over an area; returns the number of differing pixels and describes
// the first one.
inline int countDiff(const QImage& a, const QImage& b, const QRect& area, std::string* first = nullptr) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (px(a, x, y) != px(b, x, y)) {
                if (n++ == 0 && first)
                    *first = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
            }
    return n;
}

// A window at the given scale, shown on the offscreen screen with its first paint done.
class ShownWindow {
public:
    explicit ShownWindow(const Scale& s, std::uint64_t seed = 4711)
        : form(std::make_unique<TForm1>(s.screenWidth, s.screenHeight, seed)) {
        QCursor::setPos(-500, -500);
        form->show();
        exposed = QTest::qWaitForWindowExposed(form.get());
        settle();
    }
    ~ShownWindow() { QCursor::setPos(-500, -500); }
    static void settle() { QTest::qWait(10); }

    TForm1& w() { return *form; }
    Game& game() { return form->game(); }
    const QImage& view() { return form->PaintBox1->image(); }

    std::unique_ptr<TForm1> form;
    bool exposed = false;
};

}  // namespace dozudo::uitest
