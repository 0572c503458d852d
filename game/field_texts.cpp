#include "game/field_texts.h"

namespace dozudo {

std::string fieldName(int column, int row) {
    return "row " + std::to_string(row) + " column " + std::to_string(column);
}

std::string fieldValue(const Game& game, int column, int row) {
    const int digit = game.board.digit(column, row);
    return digit == 0 ? "empty" : std::to_string(digit);
}

std::string fieldDescription(const Game& game, int column, int row) {
    const field& f = game.board.at(column, row);
    if (f.digit != 0) {
        switch (f.kind) {
            case fkGiven: return "puzzle digit";
            case fkFilled: return "filled";
            default: return "entered";
        }
    }
    if (!game.optionsShown) return "";
    // The options drawn in the field: none at all is a dead end the board shows as blank.
    const DigitMask mask = game.optionTables.at(column, row);
    std::string text = "options";
    for (int d = 1; d <= 9; ++d)
        if (mask & digitBit(d)) text += " " + std::to_string(d);
    return (mask & allDigits) != 0 ? text : "no options";
}

std::string fieldText(const Game& game, int column, int row) {
    const std::string value = fieldValue(game, column, row);
    if (game.board.digit(column, row) != 0) return value;
    const std::string options = fieldDescription(game, column, row);
    return options.empty() ? value : value + ", " + options;
}

}  // namespace dozudo
