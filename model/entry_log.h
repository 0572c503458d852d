#pragma once
// The digits entered while solving, oldest first; a field occurs at most once.

#include <array>
#include <cstdint>

namespace dozudo {

struct EntryTriple {
    std::uint8_t column = 0;
    std::uint8_t row = 0;
    std::uint8_t digit = 0;
};

struct EntryLog {
    std::array<EntryTriple, 81> entries{};  // entries[0] is triple 1
    std::uint8_t entryCount = 0;

    const EntryTriple& last() const { return entries[entryCount - 1]; }
    // Triple number n, 1..entryCount.
    const EntryTriple& triple(int n) const { return entries[n - 1]; }
};

// Drops the field's triple (if any) and appends (column, row, digit) unless digit is 0.
void recordEntry(EntryLog& log, int column, int row, int digit);

}  // namespace dozudo
