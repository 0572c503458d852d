#pragma once
// Opening a puzzle file by dropping it onto a window: an event filter that
// accepts a drag carrying exactly one local file and, once the drop is over,
// hands the file's path to the same routine the "open" command uses.

#include <QObject>
#include <QString>
#include <functional>

class QWidget;
class QMimeData;

namespace dozudo {

class FileDrop : public QObject {
  public:
    // Installs itself on `target` (and enables drops there); `open` receives the path.
    FileDrop(QWidget* target, std::function<void(const QString&)> open);

    // The one local file a drag carries, or an empty string when it carries
    // anything else (no file, several files, a remote address).
    static QString droppedFile(const QMimeData* data);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(const QString&)> open_;
};

}  // namespace dozudo
