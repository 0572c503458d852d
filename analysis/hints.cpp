#include "analysis/hints.h"

#include <bit>

#include "model/units.h"

namespace dozudo {

namespace {

std::uint8_t byte(int v) {
    return static_cast<std::uint8_t>(v);
}

}  // namespace

void findHint(const Board& board, const OptionTables& t, Hint& h) {
    h.hintKind = 0;

    // Kind 1: a field without any option.
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (t.at(c, r) == 0) {
                h.hintRow = byte(r);
                h.hintColumn = byte(c);
                h.hintKind = 1;
                return;
            }

    // Per unit (rows, columns, groups: [0..8], [9..17], [18..26]) the digits allowed by at
    // least one of its fields and by at least two; the counts matter only as 0, 1 or more.
    DigitMask once[27] = {}, twice[27] = {};
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const DigitMask m = t.at(c, r) & allDigits;
            const int row = r - 1, column = 9 + c - 1, group = 18 + groupOf(c, r) - 1;
            twice[row] |= once[row] & m;
            once[row] |= m;
            twice[column] |= once[column] & m;
            once[column] |= m;
            twice[group] |= once[group] & m;
            once[group] |= m;
        }
    const auto lowestDigit = [](DigitMask m) { return byte(std::countr_zero(unsigned{m})); };

    // Kinds 3, 4, 5: a digit without a place in a row, column or group.
    const auto missing = [&](int first, int kind, std::uint8_t& unitItem) {
        for (int u = 1; u <= 9; ++u)
            if (const DigitMask none = allDigits & ~once[first + u - 1]; none != 0) {
                unitItem = byte(u);
                h.hintDigit = lowestDigit(none);
                h.hintKind = byte(kind);
                return true;
            }
        return false;
    };
    if (missing(0, 3, h.hintRow)) return;
    if (missing(9, 4, h.hintColumn)) return;
    if (missing(18, 5, h.hintGroup)) return;

    // Kind 2: an empty field with a single option.
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (const DigitMask m = t.at(c, r) & allDigits;
                board.digit(c, r) == 0 && m != 0 && (m & (m - 1)) == 0) {
                h.hintRow = byte(r);
                h.hintColumn = byte(c);
                h.hintDigit = byte(nthOption(t.at(c, r), 1));
                h.hintKind = 2;
                return;
            }

    // Kinds 6, 7, 8: a missing digit with a single place in its unit; the hinted
    // field is the first position of the unit that allows it.
    const auto singleChoice = [&](int first, const std::array<DigitMask, 9>& unitMask,
                                  UnitKind kind, int hintKind, std::uint8_t& unitItem) {
        for (int u = 1; u <= 9; ++u) {
            const DigitMask one = once[first + u - 1] & ~twice[first + u - 1] & unitMask[u - 1];
            if (one == 0) continue;
            const int d = lowestDigit(one);
            unitItem = byte(u);
            h.hintDigit = byte(d);
            h.hintKind = byte(hintKind);
            for (int i = 1; i <= 9; ++i) {
                const FieldPosition f = unitField(kind, u, i);
                if (t.at(f.column, f.row) & digitBit(d)) {
                    h.hintColumn = byte(f.column);
                    h.hintRow = byte(f.row);
                    break;
                }
            }
            return true;
        }
        return false;
    };
    if (singleChoice(0, t.rowMask, UnitKind::row, 6, h.hintRow)) return;
    if (singleChoice(9, t.columnMask, UnitKind::column, 7, h.hintColumn)) return;
    singleChoice(18, t.groupMask, UnitKind::group, 8, h.hintGroup);
}

std::string hintMessage(const Hint& h) {
    const std::string digit = std::to_string(h.hintDigit);
    const std::string fieldText =
        "row " + std::to_string(h.hintRow) + " column " + std::to_string(h.hintColumn);
    switch (h.hintKind) {
        case 1:
            return "empty field: " + fieldText;
        case 2:
            return "single digit: (" + digit + ") " + fieldText;
        case 3:
            return "missing digit " + digit + " in row " + std::to_string(h.hintRow);
        case 4:
            return "missing digit " + digit + " in column " + std::to_string(h.hintColumn);
        case 5:
            return "missing digit " + digit + " in group " + std::to_string(h.hintGroup);
        case 6:
            return "single choice: (" + digit + ") in row " + std::to_string(h.hintRow);
        case 7:
            return "single choice: (" + digit + ") in column " + std::to_string(h.hintColumn);
        case 8:
            return "single choice: (" + digit + ") in group " + std::to_string(h.hintGroup);
        default:
            return "";
    }
}

int hintStatusKind(int hintKind) {
    switch (hintKind) {
        case 1:
        case 3:
        case 4:
        case 5:
            return 1;
        case 2:
        case 6:
        case 7:
        case 8:
            return 2;
        default:
            return 0;
    }
}

}  // namespace dozudo
