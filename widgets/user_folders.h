#pragma once
// Where the user keeps files: puzzles and printed sheets go into the documents folder.

#include <QString>

namespace dozudo {

// The documents folder: the one named in XDG_DOCUMENTS_DIR (an absolute path), else the
// desktop's (user-dirs.dirs), else home. It need not exist yet.
QString documentsFolder();

}  // namespace dozudo
