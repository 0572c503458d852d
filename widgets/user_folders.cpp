#include "widgets/user_folders.h"

#include <QDir>
#include <QStandardPaths>

namespace dozudo {

QString documentsFolder() {
    // The folder named in the environment wins over the one in the user's user-dirs.dirs file,
    // which is all that QStandardPaths reads.
    QString folder = qEnvironmentVariable("XDG_DOCUMENTS_DIR");
    if (folder.isEmpty() || QDir::isRelativePath(folder))
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

}  // namespace dozudo
