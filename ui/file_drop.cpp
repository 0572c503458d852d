#include "ui/file_drop.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace dozudo {

FileDrop::FileDrop(QWidget* target, std::function<void(const QString&)> open)
    : QObject(target), open_(std::move(open)) {
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

QString FileDrop::droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    return urls.front().toLocalFile();
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (droppedFile(drag->mimeData()).isEmpty())
                drag->ignore();
            else
                drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = droppedFile(drop->mimeData());
            if (path.isEmpty()) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            // Opened after the drop has finished, so that an error box does not
            // hold up the program the file was dragged from.
            QTimer::singleShot(0, this, [this, path] { open_(path); });
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace dozudo
