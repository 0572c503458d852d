#pragma once
// A label that reports the pointer entering and leaving it and clicks on it; to a screen reader
// it is a link (widgets/link_label_accessible.h).

#include <QLabel>
#include <QMouseEvent>
#include <functional>

namespace dozudo {

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(const QString& text, QWidget* parent = nullptr);
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
