#include "analysis/hints.h"

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

    // How many fields of each unit allow each digit ([unit-1][digit]).
    std::uint8_t rowCount[9][10] = {}, columnCount[9][10] = {}, groupCount[9][10] = {};
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const DigitMask m = t.at(c, r);
            const int g = groupOf(c, r);
            for (int d = 1; d <= 9; ++d)
                if (m & digitBit(d)) {
                    ++rowCount[r - 1][d];
                    ++columnCount[c - 1][d];
                    ++groupCount[g - 1][d];
                }
        }

    // Kinds 3, 4, 5: a digit without a place in a row, column or group.
    const auto missing = [&](std::uint8_t counts[9][10], int kind, std::uint8_t& unitItem) {
        for (int u = 1; u <= 9; ++u)
            for (int d = 1; d <= 9; ++d)
                if (counts[u - 1][d] == 0) {
                    unitItem = byte(u);
                    h.hintDigit = byte(d);
                    h.hintKind = byte(kind);
                    return true;
                }
        return false;
    };
    if (missing(rowCount, 3, h.hintRow)) return;
    if (missing(columnCount, 4, h.hintColumn)) return;
    if (missing(groupCount, 5, h.hintGroup)) return;

    // Kind 2: an empty field with a single option.
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (board.digit(c, r) == 0 && optionCount(t.at(c, r)) == 1) {
                h.hintRow = byte(r);
                h.hintColumn = byte(c);
                h.hintDigit = byte(nthOption(t.at(c, r), 1));
                h.hintKind = 2;
                return;
            }

    // Kinds 6, 7, 8: a missing digit with a single place in its unit; the hinted
    // field is the first position of the unit that allows it.
    const auto singleChoice = [&](std::uint8_t counts[9][10],
                                  const std::array<DigitMask, 9>& unitMask, UnitKind kind,
                                  int hintKind, std::uint8_t& unitItem) {
        for (int u = 1; u <= 9; ++u)
            for (int d = 1; d <= 9; ++d)
                if (counts[u - 1][d] == 1 && (unitMask[u - 1] & digitBit(d))) {
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
    if (singleChoice(rowCount, t.rowMask, UnitKind::row, 6, h.hintRow)) return;
    if (singleChoice(columnCount, t.columnMask, UnitKind::column, 7, h.hintColumn)) return;
    singleChoice(groupCount, t.groupMask, UnitKind::group, 8, h.hintGroup);
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
