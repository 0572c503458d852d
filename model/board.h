#pragma once
// The board of 81 fields, addressed (column, row), both 1..9, column first.

#include <array>
#include <cstdint>

namespace dozudo {

// Who placed the digit of a field. The kind of an empty field carries no meaning.
enum fieldKind : std::uint8_t { fkGiven = 0, fkFilled = 1, fkEntered = 2 };

struct field {
    std::uint8_t digit = 0;  // 0 = empty, 1..9
    std::uint8_t kind = 0;   // fieldKind
};

// The 9 x 9 fields, stored column outer like every table of the program.
struct Board {
    std::array<std::array<field, 9>, 9> fields{};

    field& at(int column, int row) { return fields[column - 1][row - 1]; }
    const field& at(int column, int row) const { return fields[column - 1][row - 1]; }
    std::uint8_t digit(int column, int row) const { return at(column, row).digit; }

    // Puts a digit of the given kind into a field.
    void set(int column, int row, int digit, int kind) {
        at(column, row) = {static_cast<std::uint8_t>(digit), static_cast<std::uint8_t>(kind)};
    }
    // Number of fields holding a digit.
    int filled() const;
    // The puzzle digits (kind fkGiven) alone.
    Board givens() const;
};

// Group 1..9 of a field, numbered left to right, top to bottom.
constexpr int groupOf(int column, int row) {
    return (column - 1) / 3 + ((row - 1) / 3) * 3 + 1;
}
constexpr int groupFirstColumn(int group) {
    return ((group - 1) % 3) * 3 + 1;
}
constexpr int groupFirstRow(int group) {
    return ((group - 1) / 3) * 3 + 1;
}

}  // namespace dozudo
