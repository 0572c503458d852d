#include "exchange/puzzle_record.h"

namespace dozudo {

puzzleRecord recordFromBoard(const Board& board) {
    puzzleRecord record{};
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const field& f = board.at(c, r);
            record[recordOffset(c, r)] = f.digit;
            record[recordOffset(c, r) + 1] = f.kind == fkGiven ? 1 : 0;
        }
    return record;
}

Board boardFromRecord(const puzzleRecord& record) {
    Board board;
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            board.set(c, r, record[recordOffset(c, r)],
                      record[recordOffset(c, r) + 1] != 0 ? fkGiven : fkEntered);
    return board;
}

bool recordDigitsValid(const puzzleRecord& record) {
    for (int i = 0; i < puzzleRecordSize; i += 2)
        if (record[i] > 9) return false;
    return true;
}

}  // namespace dozudo
