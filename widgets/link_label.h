#pragma once
// A label that reports the pointer entering and leaving it and clicks on it.

#include <QLabel>
#include <QMouseEvent>
#include <functional>

namespace dozudo {

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    std::function<void()> onMouseEnter, onMouseLeave, onClick;

protected:
    void enterEvent(QEnterEvent* event) override {
        QLabel::enterEvent(event);
        if (onMouseEnter) onMouseEnter();
    }
    void leaveEvent(QEvent* event) override {
        QLabel::leaveEvent(event);
        if (onMouseLeave) onMouseLeave();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            onClick)
            onClick();
    }
};

}  // namespace dozudo
