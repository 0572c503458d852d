#include "model/board.h"

namespace dozudo {

int Board::filled() const {
    int n = 0;
    for (const auto& column : fields)
        for (const field& f : column)
            if (f.digit != 0) ++n;
    return n;
}

}  // namespace dozudo
