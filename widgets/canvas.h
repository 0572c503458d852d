#pragma once
// The drawing layer of the front: a canvas over a QImage with the pixel rules the program's
// pictures are designed for. Coordinates are logical pixels; a picture with a device pixel
// ratio above 1 is drawn at its full resolution: a logical pixel covers ratio x ratio device
// pixels, text and shapes are rendered at device size (sharp), and at ratio 1 every pixel is
// exactly as the rules say. Every operation draws into the image at once; rectangles have an
// exclusive right and bottom, lines leave out their end pixel, text is placed by the top-left
// corner of its character cell, fonts are chosen by cell height, and nothing is antialiased.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;
#include <cstdint>
#include <functional>

#include "model/colour.h"

class QPainter;

namespace dozudo {

// A colour written $BBGGRR: blue in the high byte, red in the low byte.
QColor colorFromBgr(std::uint32_t bbggrr);
// A colour from its red, green and blue parts (0..255 each).
QColor colorFromRgb(int red, int green, int blue);
// A colour of the Qt-free core.
QColor toQColor(Rgb colour);

// A picture of the given logical size drawn at a device pixel ratio: ceil(size x ratio) pixels,
// marked with the ratio so that canvases and painters work on it in logical pixels.
QImage makePicture(int width, int height, qreal ratio, QImage::Format format = QImage::Format_RGB32);
// The size of a picture in logical pixels (its pixel size divided by its ratio, rounded up).
QSize logicalSize(const QImage& picture);

// A rectangle given by its edges; Right and Bottom lie just outside it.
struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool isEmpty() const { return Right <= Left || Bottom <= Top; }
    // The same pixels as a QRect (whose right() and bottom() are inclusive).
    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect fromQRect(const QRect& r) {
        return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// How the pen combines with the picture: Copy puts the pen colour; MergePenNot sets
// destination = pen OR NOT destination (applied to the red, green and blue bits), so drawing
// twice leaves pen OR the earlier value.
enum class PenMode { Copy, MergePenNot };
// Solid brushes fill; a clear brush leaves fills out and makes text transparent.
enum class BrushStyle { Solid, Clear };

class Canvas {
  public:
    explicit Canvas(QImage* image = nullptr);
    // A canvas drawing through a painter that is already active on another device (a printer,
    // a PDF); the painter must outlive the canvas. Reading pixels is not available then.
    explicit Canvas(QPainter* painter);

    // The image drawn on; it must outlive the canvas or be replaced before it goes.
    void setImage(QImage* image) { image_ = image; }
    QImage* image() const { return image_; }
    // Device pixels per logical pixel of the image (1 without an image).
    qreal scale() const { return image_ ? image_->devicePixelRatio() : 1.0; }

    // Called after every operation with the rectangle of pixels it may have changed (clipped
    // to the image). A widget uses it to bring those pixels to the screen.
    std::function<void(const QRect&)> onChange;

    // Pen: used by LineTo and for the outline of Rectangle, RoundRect and Ellipse.
    void setPenColor(const QColor& c) { penColor_ = c; }
    QColor penColor() const { return penColor_; }
    void setPenWidth(int w) { penWidth_ = w < 1 ? 1 : w; }
    int penWidth() const { return penWidth_; }
    void setPenMode(PenMode m) { penMode_ = m; }
    PenMode penMode() const { return penMode_; }

    // Brush: used by FillRect, the inside of shapes and the background of text.
    // Setting a brush colour makes the brush solid.
    void setBrushColor(const QColor& c) {
        brushColor_ = c;
        brushStyle_ = BrushStyle::Solid;
    }
    QColor brushColor() const { return brushColor_; }
    void setBrushStyle(BrushStyle s) { brushStyle_ = s; }
    BrushStyle brushStyle() const { return brushStyle_; }

    // Font. The QFont overload takes a copy with antialiasing switched off; the other one picks
    // the pixel size whose line height is the largest not above cellHeight.
    void setFont(const QFont& font);
    void setFont(const QString& family, int cellHeight, bool bold = false);
    const QFont& font() const { return font_; }
    void setFontColor(const QColor& c) { fontColor_ = c; }
    QColor fontColor() const { return fontColor_; }
    // The pixel size chosen for a family, cell height and weight (at least 1).
    static int pixelSizeForCellHeight(const QString& family, int cellHeight, bool bold);
    // A widget font ("Arial", antialiased as widgets draw) of the given character-cell height.
    static QFont widgetFont(int cellHeight, bool bold = false);

    // Lines: LineTo draws from the pen position to (x, y) without the end pixel and moves the
    // pen position there.
    QPoint penPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
    void LineTo(int x, int y);

    // Fills the rectangle with the brush (the pen mode does not apply).
    void FillRect(const TRect& r);
    void FillRect(int left, int top, int right, int bottom) {
        FillRect({left, top, right, bottom});
    }
    // Outline with the pen on the outermost pixels of the rectangle, inside with the brush.
    void Rectangle(int left, int top, int right, int bottom);
    // Rounded rectangle: as Rectangle, corners rounded by ellipses of cornerWidth x cornerHeight.
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    // Ellipse inside the rectangle, outlined with the pen and filled with the brush.
    void Ellipse(int left, int top, int right, int bottom);
    // A keyboard focus mark: a dotted outline of r (every other pixel in the pen colour, one
    // pixel wide), its corners rounded by cornerSize where that is above 0.
    void FocusRect(const TRect& r, int cornerSize = 0);

    // Text with the top-left corner of its cell at (x, y), in the font colour, on the brush
    // colour when the brush is solid, else transparent.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    // Copies sourceRect of source into dest (scaled when the sizes differ).
    void CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect);
    // Draws a whole picture with its top-left corner at (x, y).
    void Draw(int x, int y, const QImage& picture);
    // As Draw, but pixels of the picture equal to transparent leave the canvas unchanged.
    void DrawTransparent(int x, int y, const QImage& picture, const QColor& transparent);

    // Single pixels; reading outside the image gives an invalid colour.
    QColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, const QColor& c);

  private:
    void changed(const QRect& r);
    void plot(int x, int y, QRgb pen);
    // Device coordinate of a logical edge, and the device pixels of a logical rectangle.
    int device(int v) const;
    QRect deviceRect(const QRect& logical) const;
    bool validLogical(int x, int y) const;
    // Runs a QPainter operation with antialiasing off and the pen mode as composition mode.
    template <typename F>
    void withPainter(bool applyPenMode, F&& draw);
    // Runs a QPainter operation in device pixels (the ratio left out).
    template <typename F>
    void withDevicePainter(F&& draw);
    void prepare(QPainter& painter, bool applyPenMode) const;

    QImage* image_;
    QPainter* painter_ = nullptr;
    QColor penColor_{Qt::black};
    int penWidth_ = 1;
    PenMode penMode_ = PenMode::Copy;
    QColor brushColor_{Qt::white};
    BrushStyle brushStyle_ = BrushStyle::Solid;
    QFont font_;
    QColor fontColor_{Qt::black};
    QPoint penPos_{0, 0};
};

}  // namespace dozudo
