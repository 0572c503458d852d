#include "ui/board_pictures.h"

#include <random>

#include "widgets/canvas.h"
#include "ui/logo.h"

namespace dozudo {

void buildBoardPicture(QImage& boardBitmap, int cs, std::uint64_t seed) {
    Canvas canvas(&boardBitmap);
    QImage texture(3 * cs, 3 * cs, QImage::Format_RGB32);
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> pick(0, 2);
    for (int k = 0; k < 2; ++k) {
        QRgb colours[3];
        for (int i = 0; i < 3; ++i) {
            const Rgb c = textureColors[k][i];
            colours[i] = qRgb(c.red, c.green, c.blue);
        }
        for (int y = 0; y < texture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(texture.scanLine(y));
            for (int x = 0; x < texture.width(); ++x) line[x] = colours[pick(random)];
        }
        for (int f = k; f < 9; f += 2) canvas.Draw((f % 3) * 3 * cs, (f / 3) * 3 * cs, texture);
    }

    canvas.setFont("Arial", 3 * cs);
    canvas.setFontColor(colorFromBgr(groupNumberColor));
    canvas.setBrushStyle(BrushStyle::Clear);
    for (int n = 1; n <= 9; ++n) {
        const QString text = QString::number(n);
        const int x = ((n - 1) % 3) * 3 * cs + (3 * cs - canvas.TextWidth(text)) / 2 + 2;
        const int y = ((n - 1) / 3) * 3 * cs + (3 * cs - canvas.TextHeight(text)) / 2 + 2;
        canvas.TextOut(x, y, text);
    }

    const int side = 9 * cs + 1;
    canvas.setPenWidth(1);
    const auto gridLine = [&](int at) {
        canvas.MoveTo(at, 0);
        canvas.LineTo(at, side);
        canvas.MoveTo(0, at);
        canvas.LineTo(side, at);
    };
    canvas.setPenColor(colorFromBgr(fieldLineColor));
    for (int n = 1; n <= 8; ++n) gridLine(n * cs);
    canvas.setPenColor(colorFromBgr(groupLineColor));
    for (int n = 0; n <= 3; ++n) gridLine(n * 3 * cs);
}

void buildSelectionMark(QImage& markBitmap) {
    Canvas canvas(&markBitmap);
    const int s = logicalSize(markBitmap).width();
    canvas.setBrushColor(Qt::black);
    canvas.FillRect(0, 0, s, s);
    canvas.setPenWidth(1);
    for (int i = 0; i <= 3; ++i) {
        canvas.setPenColor(colorFromBgr(markAmber));
        canvas.MoveTo(s - 1 - i, i);
        canvas.LineTo(i, i);
        canvas.LineTo(i, s - 1 - i);
        canvas.setPenColor(colorFromBgr(markYellow));
        canvas.LineTo(s - 1 - i, s - 1 - i);
        canvas.LineTo(s - 1 - i, i);
    }
}

StartPictures drawStartPictures(int cs, qreal ratio, std::uint64_t seed) {
    StartPictures pictures;
    pictures.board = makePicture(9 * cs + 1, 9 * cs + 1, ratio);
    buildBoardPicture(pictures.board, cs, seed);
    pictures.mark = makePicture(cs - 1, cs - 1, ratio);
    buildSelectionMark(pictures.mark);
    pictures.logo = makeLogo(ratio);
    return pictures;
}

}  // namespace dozudo
