#pragma once
// A widget that keeps its picture in a QImage. Drawing goes through the canvas into the image at
// once and the changed pixels are brought to the screen by Qt later; paintEvent only copies the
// image. When Qt itself asks for the widget to be painted (show, expose, resize, invalidate) and
// not merely for pixels we changed ourselves, the picture is rebuilt first by fullRepaint().

#include <QImage>
#include <QRegion>
#include <QWidget>

#include "widgets/canvas.h"

namespace dozudo {

class BackingWidget : public QWidget {
    Q_OBJECT
  public:
    explicit BackingWidget(QWidget* parent = nullptr);

    Canvas& canvas() { return canvas_; }
    // The picture; its logical size follows the widget's size, its pixels the device pixel ratio.
    // A widget that does not keep its picture draws one for the caller.
    const QImage& image();
    const QImage& image() const { return image_; }

    // Asks Qt to paint the whole widget; the picture is rebuilt before it is shown.
    void invalidate();

    // A widget that draws only inside fullRepaint needs no picture of its own: without keeping
    // one it is painted straight onto the screen's buffer (image() then draws one on request).
    void setKeepPicture(bool keep);

  protected:
    // Draws the whole picture from the widget's state. Runs inside paintEvent.
    virtual void fullRepaint() {}
    // Makes the image as large as the widget (keeping what fits of the old picture).
    void syncImageSize();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void drawn(const QRect& r);

    QImage image_;
    Canvas canvas_;
    QRegion ownDirty_;  // pixels changed by our own drawing and not yet shown
    bool rebuildPending_ = true;
    bool painting_ = false;
    bool keepPicture_ = true;
};

}  // namespace dozudo
