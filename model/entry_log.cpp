#include "model/entry_log.h"

namespace dozudo {

void recordEntry(EntryLog& log, int column, int row, int digit) {
    int p = 0;
    for (int i = 1; i <= log.entryCount; ++i) {
        const EntryTriple& t = log.triple(i);
        if (t.column == column && t.row == row) {
            p = i;
            break;
        }
    }
    if (p != 0) {
        for (int i = p; i < log.entryCount; ++i) log.entries[i - 1] = log.entries[i];
        --log.entryCount;
    }
    if (digit != 0 && log.entryCount < log.entries.size()) {
        log.entries[log.entryCount] = {static_cast<std::uint8_t>(column),
                                       static_cast<std::uint8_t>(row),
                                       static_cast<std::uint8_t>(digit)};
        ++log.entryCount;
    }
}

}  // namespace dozudo
