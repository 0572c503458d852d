// What a screen reader is told: the texts of a field, the status messages read out, and the
// plain text of a help line.

#include <gtest/gtest.h>

#include "game/field_texts.h"
#include "game/keys.h"
#include "help/core/help_markup.h"
#include "tests/core/fakes.h"

namespace dozudo::test {
namespace {

TEST(FieldTexts, PlaceDigitAndWhoPlacedItOrTheOptionsShown) {
    Fixture f;
    f.game.board = boardFrom("5" + std::string(80, '.'));
    f.game.board.set(2, 1, 3, fkFilled);
    f.game.board.set(3, 2, 4, fkEntered);
    f.game.computeOptions();
    f.game.optionTables.at(9, 9) = 0;  // a dead end left by a reduction
    struct Case {
        int column, row;
        bool optionsShown;
        const char *name, *value, *description, *text;
    };
    const Case cases[] = {
        {1, 1, true, "row 1 column 1", "5", "puzzle digit", "5"},
        {2, 1, false, "row 1 column 2", "3", "filled", "3"},
        {3, 2, true, "row 2 column 3", "4", "entered", "4"},
        {5, 3, false, "row 3 column 5", "empty", "", "empty"},
        {4, 2, true, "row 2 column 4", "empty", "options 1 2 3 5 6 7 8 9", "empty, options 1 2 3 5 6 7 8 9"},
        {9, 9, true, "row 9 column 9", "empty", "no options", "empty, no options"},
    };
    for (const Case& c : cases) {
        f.game.optionsShown = c.optionsShown;
        EXPECT_EQ(fieldName(c.column, c.row), c.name);
        EXPECT_EQ(fieldValue(f.game, c.column, c.row), c.value) << c.name;
        EXPECT_EQ(fieldDescription(f.game, c.column, c.row), c.description) << c.name;
        EXPECT_EQ(fieldText(f.game, c.column, c.row), c.text) << c.name;
    }
}

TEST(StatusAnnouncements, EveryNewRememberedMessageOnceNoHoverTextsNoReturns) {
    Fixture f;
    struct Step {
        int kind;
        const char* text;
        std::vector<std::string> announced;  // all so far
    };
    const Step steps[] = {
        {0, "erased game", {"erased game"}},
        {4, "erase puzzle", {"erased game"}},                // hover text
        {5, "", {"erased game"}},                            // brought back
        {0, "", {"erased game"}},                            // nothing to say
        {1, "x", {"erased game", "x"}},
        {1, "x", {"erased game", "x", "x"}},                 // refused again: said again
        {2, "hint", {"erased game", "x", "x", "hint"}},
        {3, "puzzle solved", {"erased game", "x", "x", "hint", "puzzle solved"}},
    };
    for (const Step& s : steps) {
        f.game.setStatus(s.kind, s.text);
        EXPECT_EQ(f.window.announced, s.announced) << s.kind << " " << s.text;
    }
}

TEST(StatusAnnouncements, ARuleConflictWhileSolvingIsReadOutOnce) {
    Fixture f;
    f.game.board = boardFrom("5" + std::string(80, '.'));
    startSolving(f.game, false, false);
    f.window.announced.clear();
    f.game.keyDown(vkRight);
    f.game.keyPress('5');
    f.game.linkEnter();  // a hover text
    EXPECT_EQ(f.window.announced, std::vector<std::string>{"5 allready present in row 1"});
}

TEST(HelpLineText, MarkupLeftOutTabsKeptLinkDigitsRead) {
    const std::pair<const char*, const char*> cases[] = {
        {"\\FKey\\Twhat it does\\N", "Key\twhat it does"},
        {"9 x 9 = 9\\P2\\N = 81", "9 x 9 = 9^2 = 81"},
        {"\\[erase/board\\[\\N empties", "erase/board empties"},
        {"\\I3 - go on to page 3", "3 - go on to page 3"},
        {"f\\B1\\S .. \\M f9 \\N", "f1 ..  f9 "},
        {"a\\\\b\\", "a"},  // a second backslash keeps the escape: b is a command
        {"\\qx", "x"},
    };
    for (const auto& [line, text] : cases) EXPECT_EQ(helpLineText(line), text) << line;
    EXPECT_EQ(helpLineText(std::string(300, 'a')).size(), maxHelpLineLength);
}

}  // namespace
}  // namespace dozudo::test
