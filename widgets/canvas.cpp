#include "widgets/canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QRawFont>
#include <QtMath>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

namespace dozudo {

QColor colorFromBgr(std::uint32_t bbggrr) {
    return toQColor(fromBgr(bbggrr));
}

QColor colorFromRgb(int red, int green, int blue) {
    return QColor(red, green, blue);
}

QColor toQColor(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QImage makePicture(int width, int height, qreal ratio, QImage::Format format) {
    if (ratio <= 0) ratio = 1;
    QImage picture(qCeil(width * ratio), qCeil(height * ratio), format);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QSize logicalSize(const QImage& picture) {
    const qreal r = picture.devicePixelRatio();
    if (r == 1) return picture.size();
    return QSize(qCeil(picture.width() / r - 1e-9), qCeil(picture.height() / r - 1e-9));
}

namespace {

// Glyphs are drawn as single-colour bitmaps so that text pixels are exact.
QFont withoutAntialiasing(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QFont fontAt(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return withoutAntialiasing(font);
}

}  // namespace

Canvas::Canvas(QImage* image) : image_(image) {
    font_ = withoutAntialiasing(font_);
}

Canvas::Canvas(QPainter* painter) : image_(nullptr), painter_(painter) {
    font_ = withoutAntialiasing(font_);
}

void Canvas::setFont(const QFont& font) {
    font_ = withoutAntialiasing(font);
}

void Canvas::setFont(const QString& family, int cellHeight, bool bold) {
    font_ = fontAt(family, pixelSizeForCellHeight(family, cellHeight, bold), bold);
}

int Canvas::pixelSizeForCellHeight(const QString& family, int cellHeight, bool bold) {
    // Asking the font engine for metrics is slow enough to be worth remembering the answers.
    // Fonts belong to the thread that loaded them, so each thread keeps its own.
    thread_local std::map<std::tuple<QString, int, bool>, int> chosen;
    const auto key = std::make_tuple(family, cellHeight, bold);
    if (auto it = chosen.find(key); it != chosen.end()) return it->second;
    // The largest size that fits. Loading a font for every size tried costs a font-config
    // match each (most of the program's start-up); one raw font per family resized in place
    // gives the same line heights (ascent and descent each rounded, as font metrics do).
    thread_local std::map<std::pair<QString, bool>, QRawFont> raws;
    auto raw = raws.find({family, bold});
    if (raw == raws.end())
        raw = raws.emplace(std::make_pair(family, bold), QRawFont::fromFont(fontAt(family, 100, bold)))
                  .first;
    const auto lineHeight = [&](int p) {
        raw->second.setPixelSize(p);
        return qRound(raw->second.ascent()) + qRound(raw->second.descent());
    };
    const auto fits = [&](int p) { return lineHeight(p) <= cellHeight; };
    const int reference = std::max(1, lineHeight(100));
    int size = std::clamp(cellHeight * 100 / reference, 1, std::max(1, cellHeight));
    while (size > 1 && !fits(size)) --size;
    while (size < cellHeight && fits(size + 1)) ++size;
    chosen.emplace(key, size);
    return size;
}

QFont Canvas::widgetFont(int cellHeight, bool bold) {
    QFont f("Arial");
    f.setPixelSize(pixelSizeForCellHeight("Arial", cellHeight, bold));
    f.setBold(bold);
    return f;
}

int Canvas::device(int v) const {
    const qreal s = scale();
    return s == 1 ? v : qFloor(v * s + 0.5);
}

QRect Canvas::deviceRect(const QRect& logical) const {
    const int left = device(logical.x()), top = device(logical.y());
    return QRect(left, top, device(logical.x() + logical.width()) - left,
                 device(logical.y() + logical.height()) - top);
}

bool Canvas::validLogical(int x, int y) const {
    if (!image_) return false;
    if (scale() == 1) return image_->valid(x, y);
    return QRect(QPoint(0, 0), logicalSize(*image_)).contains(x, y);
}

void Canvas::changed(const QRect& r) {
    if (!image_ || !onChange) return;
    const QRect clipped = r.intersected(QRect(QPoint(0, 0), logicalSize(*image_)));
    if (!clipped.isEmpty()) onChange(clipped);
}

void Canvas::plot(int x, int y, QRgb pen) {
    if (painter_) {
        withPainter(true, [&](QPainter& p) {
            p.setPen(QColor(pen));
            p.drawPoint(x, y);
        });
        return;
    }
    if (!validLogical(x, y)) return;
    // One logical pixel: a block of device pixels (one pixel at ratio 1).
    const QRect block = deviceRect(QRect(x, y, 1, 1)).intersected(image_->rect());
    for (int dy = block.top(); dy <= block.bottom(); ++dy)
        for (int dx = block.left(); dx <= block.right(); ++dx) {
            if (penMode_ == PenMode::Copy)
                image_->setPixel(dx, dy, pen | 0xFF000000u);
            else
                image_->setPixel(dx, dy, (pen | ~image_->pixel(dx, dy)) | 0xFF000000u);
        }
}

namespace {

// Bresenham from the start point towards the end point, leaving the end point out.
template <typename F>
void bresenham(QPoint from, QPoint to, F&& pixel) {
    int cx = from.x(), cy = from.y();
    const int x = to.x(), y = to.y();
    const int dx = std::abs(x - cx), dy = -std::abs(y - cy);
    const int sx = cx < x ? 1 : -1, sy = cy < y ? 1 : -1;
    int err = dx + dy;
    while (cx != x || cy != y) {
        pixel(cx, cy);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
}

}  // namespace

template <typename F>
void Canvas::withPainter(bool applyPenMode, F&& draw) {
    if (painter_) {
        painter_->save();
        prepare(*painter_, applyPenMode);
        draw(*painter_);
        painter_->restore();
        return;
    }
    if (!image_ || image_->isNull()) return;
    QPainter painter(image_);
    prepare(painter, applyPenMode);
    draw(painter);
}

template <typename F>
void Canvas::withDevicePainter(F&& draw) {
    if (painter_) {  // a printer's painter has no ratio of its own
        withPainter(false, draw);
        return;
    }
    if (!image_ || image_->isNull()) return;
    // The same pixels seen without the ratio: the painter works in device pixels.
    QImage pixels(image_->bits(), image_->width(), image_->height(), image_->bytesPerLine(),
                  image_->format());
    QPainter painter(&pixels);
    prepare(painter, false);
    draw(painter);
}

void Canvas::prepare(QPainter& painter, bool applyPenMode) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (applyPenMode && penMode_ == PenMode::MergePenNot) {
        painter.setCompositionMode(QPainter::RasterOp_SourceOrNotDestination);
    }
}

void Canvas::LineTo(int x, int y) {
    const QPoint from = penPos_;
    penPos_ = QPoint(x, y);
    if (penWidth_ == 1) {
        const QRgb pen = penColor_.rgb();
        const bool direct = !painter_ && image_ && scale() == 1 &&
                            (image_->format() == QImage::Format_RGB32 ||
                             image_->format() == QImage::Format_ARGB32);
        if (direct) {
            // A plain 32-bit picture at ratio 1: the pixels are written in place, as plot would.
            uchar* bits = image_->bits();
            const qsizetype stride = image_->bytesPerLine();
            const QRect bounds = image_->rect();
            const bool copy = penMode_ == PenMode::Copy;
            bresenham(from, penPos_, [&](int px, int py) {
                if (!bounds.contains(px, py)) return;
                QRgb& p = reinterpret_cast<QRgb*>(bits + py * stride)[px];
                p = (copy ? pen : (pen | ~p)) | 0xFF000000u;
            });
        } else if (painter_ && penMode_ == PenMode::Copy) {
            // On a painter: the same pixels, handed over in one call.
            QPolygon points;
            bresenham(from, penPos_, [&](int px, int py) { points << QPoint(px, py); });
            withPainter(false, [&](QPainter& p) {
                p.setPen(QPen(penColor_, 1));
                p.drawPoints(points);
            });
        } else {
            bresenham(from, penPos_, [&](int px, int py) { plot(px, py, pen); });
        }
        changed(QRect(from, penPos_).normalized());
        return;
    }
    // Wide pens: round ends and joins, as wide solid pens have.
    withPainter(true, [&](QPainter& p) {
        p.setPen(QPen(penColor_, penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(from, penPos_);
    });
    const int grow = penWidth_;
    changed(QRect(from, penPos_).normalized().adjusted(-grow, -grow, grow, grow));
}

void Canvas::FillRect(const TRect& r) {
    if (brushStyle_ == BrushStyle::Clear || r.isEmpty()) return;
    withDevicePainter([&](QPainter& p) { p.fillRect(deviceRect(r.toQRect()), brushColor_); });
    changed(r.toQRect());
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    if (penWidth_ == 1) {
        if (brushStyle_ == BrushStyle::Solid && right - left > 2 && bottom - top > 2) {
            withPainter(true, [&](QPainter& p) {
                p.fillRect(QRect(left + 1, top + 1, right - left - 2, bottom - top - 2),
                           brushColor_);
            });
        }
        const QPoint keep = penPos_;
        MoveTo(left, top);
        LineTo(right - 1, top);
        LineTo(right - 1, bottom - 1);
        LineTo(left, bottom - 1);
        LineTo(left, top);
        penPos_ = keep;
        changed(QRect(left, top, right - left, bottom - top));
        return;
    }
    withPainter(true, [&](QPainter& p) {
        p.setPen(QPen(penColor_, penWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        if (brushStyle_ == BrushStyle::Solid) p.setBrush(brushColor_);
        p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    });
    const int grow = penWidth_;
    changed(QRect(left, top, right - left, bottom - top).adjusted(-grow, -grow, grow, grow));
}

void Canvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                       int cornerHeight) {
    if (right <= left || bottom <= top) return;
    withPainter(true, [&](QPainter& p) {
        p.setPen(QPen(penColor_, penWidth_, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
        if (brushStyle_ == BrushStyle::Solid) p.setBrush(brushColor_);
        p.drawRoundedRect(QRectF(left, top, right - left - 1, bottom - top - 1), cornerWidth / 2.0,
                          cornerHeight / 2.0, Qt::AbsoluteSize);
    });
    const int grow = penWidth_;
    changed(QRect(left, top, right - left, bottom - top).adjusted(-grow, -grow, grow, grow));
}

void Canvas::FocusRect(const TRect& r, int cornerSize) {
    if (r.isEmpty()) return;
    withPainter(true, [&](QPainter& p) {
        p.setPen(QPen(penColor_, 1, Qt::DotLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        const QRectF box(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
        if (cornerSize > 0)
            p.drawRoundedRect(box, cornerSize / 2.0, cornerSize / 2.0, Qt::AbsoluteSize);
        else
            p.drawRect(box);
    });
    changed(r.toQRect());
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    withPainter(true, [&](QPainter& p) {
        p.setPen(QPen(penColor_, penWidth_));
        if (brushStyle_ == BrushStyle::Solid) p.setBrush(brushColor_);
        p.drawEllipse(QRectF(left, top, right - left - 1, bottom - top - 1));
    });
    const int grow = penWidth_;
    changed(QRect(left, top, right - left, bottom - top).adjusted(-grow, -grow, grow, grow));
}

void Canvas::TextOut(int x, int y, const QString& text) {
    const QFontMetrics metrics(font_);
    const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
    withPainter(false, [&](QPainter& p) {
        if (brushStyle_ == BrushStyle::Solid) p.fillRect(cell, brushColor_);
        p.setFont(font_);
        p.setPen(fontColor_);
        p.drawText(QPoint(x, y + metrics.ascent()), text);
    });
    // Some glyphs reach a little beyond their advance; report a margin around the cell.
    const int margin = metrics.height() / 2 + 1;
    changed(cell.adjusted(-margin, 0, margin, 0));
}

int Canvas::TextWidth(const QString& text) const {
    return QFontMetrics(font_).horizontalAdvance(text);
}

int Canvas::TextHeight(const QString&) const {
    return QFontMetrics(font_).height();
}

void Canvas::CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect) {
    if (dest.isEmpty() || sourceRect.isEmpty()) return;
    // The source rectangle is logical; the painter wants the source's own pixels.
    const qreal ss = source.devicePixelRatio();
    const QRect sourcePixels =
        ss == 1 ? sourceRect.toQRect()
                : QRect(qFloor(sourceRect.Left * ss + 0.5), qFloor(sourceRect.Top * ss + 0.5),
                        qFloor(sourceRect.Right * ss + 0.5) - qFloor(sourceRect.Left * ss + 0.5),
                        qFloor(sourceRect.Bottom * ss + 0.5) - qFloor(sourceRect.Top * ss + 0.5));
    // Copying within the same picture reads from a snapshot of the source region.
    const QImage src = (&source == image_) ? source.copy(sourcePixels) : source;
    const QRect from = (&source == image_) ? QRect(QPoint(0, 0), sourcePixels.size()) : sourcePixels;
    withDevicePainter([&](QPainter& p) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QRectF(deviceRect(dest.toQRect())), src, QRectF(from));
    });
    changed(dest.toQRect());
}

void Canvas::Draw(int x, int y, const QImage& picture) {
    CopyRect({x, y, x + picture.width(), y + picture.height()}, picture,
             TRect::fromQRect(picture.rect()));
}

void Canvas::DrawTransparent(int x, int y, const QImage& picture, const QColor& transparent) {
    if (!image_ || picture.isNull()) return;
    const QSize logical = logicalSize(picture);
    QImage src = picture.convertToFormat(QImage::Format_RGB32);
    // A picture of another ratio is brought to this one first (nearest pixel, no blending).
    if (picture.devicePixelRatio() != scale())
        src = src.scaled(deviceRect(QRect(0, 0, logical.width(), logical.height())).size());
    const QRgb key = transparent.rgb() & 0xFFFFFFu;
    const int ox = device(x), oy = device(y);
    for (int sy = 0; sy < src.height(); ++sy) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        for (int sx = 0; sx < src.width(); ++sx) {
            if ((line[sx] & 0xFFFFFFu) == key) continue;
            if (image_->valid(ox + sx, oy + sy))
                image_->setPixel(ox + sx, oy + sy, line[sx] | 0xFF000000u);
        }
    }
    changed(QRect(QPoint(x, y), logical));
}

QColor Canvas::Pixel(int x, int y) const {
    if (!validLogical(x, y)) return QColor();
    return QColor(image_->pixel(device(x), device(y)));
}

void Canvas::SetPixel(int x, int y, const QColor& c) {
    if (!validLogical(x, y)) return;
    const PenMode keep = penMode_;
    penMode_ = PenMode::Copy;
    plot(x, y, c.rgb());
    penMode_ = keep;
    changed(QRect(x, y, 1, 1));
}

}  // namespace dozudo
