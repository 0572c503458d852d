#pragma once
// Rows, columns and groups as units of nine positions.

#include "model/board.h"

namespace dozudo {

enum class UnitKind { row, column, group };

struct FieldPosition {
    int column;
    int row;
};

// The field at position 1..9 of a unit:
// row r: (i, r); column c: (c, i); group g: left to right, then top to bottom.
constexpr FieldPosition unitField(UnitKind kind, int unit, int position) {
    switch (kind) {
        case UnitKind::row:
            return {position, unit};
        case UnitKind::column:
            return {unit, position};
        case UnitKind::group:
            break;
    }
    return {groupFirstColumn(unit) + (position - 1) % 3, groupFirstRow(unit) + (position - 1) / 3};
}

}  // namespace dozudo
