#include "ui/canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
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
    static std::map<std::tuple<QString, int, bool>, int> chosen;
    const auto key = std::make_tuple(family, cellHeight, bold);
    if (auto it = chosen.find(key); it != chosen.end()) return it->second;
    int size = 1;
    for (int p = cellHeight; p >= 1; --p) {
        if (QFontMetrics(fontAt(family, p, bold)).height() <= cellHeight) {
            size = p;
            break;
        }
    }
    chosen.emplace(key, size);
    return size;
}

void Canvas::changed(const QRect& r) {
    if (!image_ || !onChange) return;
    const QRect clipped = r.intersected(image_->rect());
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
    if (!image_ || !image_->valid(x, y)) return;
    if (penMode_ == PenMode::Copy) {
        image_->setPixel(x, y, pen | 0xFF000000u);
    } else {
        image_->setPixel(x, y, (pen | ~image_->pixel(x, y)) | 0xFF000000u);
    }
}

template <typename F>
void Canvas::withPainter(bool applyPenMode, F&& draw) {
    if (painter_) {
        painter_->save();
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        if (applyPenMode && penMode_ == PenMode::MergePenNot)
            painter_->setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
        draw(*painter_);
        painter_->restore();
        return;
    }
    if (!image_ || image_->isNull()) return;
    QPainter painter(image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (applyPenMode && penMode_ == PenMode::MergePenNot) {
        painter.setCompositionMode(QPainter::RasterOp_SourceOrNotDestination);
    }
    draw(painter);
}

void Canvas::LineTo(int x, int y) {
    const QPoint from = penPos_;
    penPos_ = QPoint(x, y);
    if (penWidth_ == 1) {
        // Bresenham from the start point towards the end point, leaving the end point out.
        const QRgb pen = penColor_.rgb();
        int cx = from.x(), cy = from.y();
        const int dx = std::abs(x - cx), dy = -std::abs(y - cy);
        const int sx = cx < x ? 1 : -1, sy = cy < y ? 1 : -1;
        int err = dx + dy;
        while (cx != x || cy != y) {
            plot(cx, cy, pen);
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
    withPainter(false, [&](QPainter& p) { p.fillRect(r.toQRect(), brushColor_); });
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
    // Copying within the same picture reads from a snapshot of the source region.
    const QImage src = (&source == image_) ? source.copy(sourceRect.toQRect()) : source;
    const QRect from = (&source == image_) ? QRect(QPoint(0, 0), sourceRect.toQRect().size())
                                           : sourceRect.toQRect();
    withPainter(false, [&](QPainter& p) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QRectF(dest.toQRect()), src, QRectF(from));
    });
    changed(dest.toQRect());
}

void Canvas::Draw(int x, int y, const QImage& picture) {
    CopyRect({x, y, x + picture.width(), y + picture.height()}, picture,
             TRect::fromQRect(picture.rect()));
}

void Canvas::DrawTransparent(int x, int y, const QImage& picture, const QColor& transparent) {
    if (!image_ || picture.isNull()) return;
    const QImage src = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb key = transparent.rgb() & 0xFFFFFFu;
    for (int sy = 0; sy < src.height(); ++sy) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        for (int sx = 0; sx < src.width(); ++sx) {
            if ((line[sx] & 0xFFFFFFu) == key) continue;
            if (image_->valid(x + sx, y + sy))
                image_->setPixel(x + sx, y + sy, line[sx] | 0xFF000000u);
        }
    }
    changed(QRect(x, y, src.width(), src.height()));
}

QColor Canvas::Pixel(int x, int y) const {
    if (!image_ || !image_->valid(x, y)) return QColor();
    return QColor(image_->pixel(x, y));
}

void Canvas::SetPixel(int x, int y, const QColor& c) {
    if (!image_ || !image_->valid(x, y)) return;
    image_->setPixel(x, y, c.rgb() | 0xFF000000u);
    changed(QRect(x, y, 1, 1));
}

}  // namespace dozudo
