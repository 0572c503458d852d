#include "ui/logo.h"

#include "widgets/canvas.h"

namespace dozudo {

QImage makeLogo(qreal ratio) {
    QImage logo = makePicture(125, 30, ratio, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    Canvas cv(&logo);
    // Nine small squares as a 3 x 3 group, then the name.
    for (int i = 0; i < 9; ++i) {
        const int x = 2 + (i % 3) * 9, y = 2 + (i / 3) * 9;
        cv.setBrushColor(i % 2 == 0 ? colorFromRgb(0, 208, 240) : colorFromRgb(0, 184, 216));
        cv.FillRect(x, y, x + 8, y + 8);
    }
    cv.setPenColor(colorFromRgb(255, 0, 0));
    cv.setBrushStyle(BrushStyle::Clear);
    cv.Rectangle(1, 1, 29, 29);
    // A bold name in a cell of 22 pixels just fits the 89 pixels right of the group.
    cv.setFont("Arial", 22, true);
    cv.setFontColor(colorFromRgb(208, 0, 0));
    cv.TextOut(34, (30 - cv.TextHeight("DOZUDO")) / 2, "DOZUDO");
    return logo;
}

}  // namespace dozudo
