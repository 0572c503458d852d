#pragma once
// What a screen reader says of a field of the board: its place, as the status line names places
// ("row 3 column 5"), its digit or "empty", and who placed the digit or, while the options are
// shown, the options of an empty field ("options 2 5 7").

#include <string>

#include "game/game.h"

namespace dozudo {

std::string fieldName(int column, int row);
std::string fieldValue(const Game& game, int column, int row);
std::string fieldDescription(const Game& game, int column, int row);
// What the field shows, as review reads it: its digit, or "empty" followed by the options drawn
// in it ("empty, options 2 5 7").
std::string fieldText(const Game& game, int column, int row);

}  // namespace dozudo
