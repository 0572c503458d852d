#include "model/board.h"

namespace dozudo {

int Board::filled() const {
    int n = 0;
    for (const auto& column : fields)
        for (const field& f : column)
            if (f.digit != 0) ++n;
    return n;
}

Board Board::givens() const {
    Board b;
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            if (at(c, r).kind == fkGiven) b.at(c, r) = at(c, r);
    return b;
}

}  // namespace dozudo
