#include "widgets/backing_widget.h"

#include <QPaintEvent>
#include <QPainter>

namespace dozudo {

BackingWidget::BackingWidget(QWidget* parent) : QWidget(parent), canvas_(&image_) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.onChange = [this](const QRect& r) { drawn(r); };
    syncImageSize();
}

const QImage& BackingWidget::image() {
    if (!keepPicture_) {  // drawn afresh for every caller
        syncImageSize();
        painting_ = true;
        fullRepaint();
        painting_ = false;
    }
    return image_;
}

void BackingWidget::invalidate() {
    rebuildPending_ = true;
    update();
}

void BackingWidget::syncImageSize() {
    // The picture has the widget's logical size at the screen's device pixel ratio, so that
    // text and lines are drawn sharp on high-density screens.
    const QSize logical = size().expandedTo(QSize(1, 1));
    const qreal ratio = devicePixelRatioF();
    if (!image_.isNull() && image_.devicePixelRatio() == ratio && logicalSize(image_) == logical)
        return;
    QImage grown = makePicture(logical.width(), logical.height(), ratio);
    grown.fill(palette().color(QPalette::Window));
    if (!image_.isNull() && image_.devicePixelRatio() == ratio) {
        QPainter p(&grown);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, image_);
    }
    image_ = grown;  // the canvas keeps pointing at image_
    rebuildPending_ = true;
}

void BackingWidget::drawn(const QRect& r) {
    // Drawing done while the picture is rebuilt is shown by the paint event in progress.
    if (painting_) return;
    ownDirty_ += r;
    update(r);
}

void BackingWidget::paintEvent(QPaintEvent* event) {
    if (!keepPicture_) {
        // Nothing to keep: the picture is drawn straight onto the screen's buffer, without a
        // picture of the window's size made, filled, copied and dropped every time.
        QPainter p(this);
        p.setClipRegion(event->region());
        Canvas direct(&p);
        std::swap(canvas_, direct);
        painting_ = true;
        fullRepaint();
        painting_ = false;
        std::swap(canvas_, direct);
        return;
    }
    syncImageSize();
    // A region beyond what we changed ourselves means Qt wants the widget painted afresh.
    if (rebuildPending_ || !(event->region() - ownDirty_).isEmpty()) {
        rebuildPending_ = false;
        painting_ = true;
        fullRepaint();
        painting_ = false;
    }
    ownDirty_ = QRegion();
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const qreal ratio = image_.devicePixelRatio();
    for (const QRect& r : event->region())
        p.drawImage(QRectF(r), image_,
                    QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
}

void BackingWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (keepPicture_)
        syncImageSize();
    else
        rebuildPending_ = true;  // the picture is made by the next paint
}

void BackingWidget::setKeepPicture(bool keep) {
    keepPicture_ = keep;
    if (!keep) image_ = QImage();
}

void BackingWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    rebuildPending_ = true;
}

}  // namespace dozudo
