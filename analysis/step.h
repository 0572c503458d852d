#pragma once
// One step of the solving path as plain data: the technique, the candidates that form
// its pattern, and what it yields (candidates removed, or a digit placed).

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/candidate_grid.h"
#include "analysis/hints.h"

namespace dozudo {

// The techniques, from simple to hard, in the order the ladder tries them.
enum class Technique : std::uint8_t {
    none,
    wrongEntry,  // a digit of the user's that differs from the solution
    hint,        // a contradiction or single of the hint finder (Step::hint says which)
    pointing,
    claiming,
    nakedPair,
    hiddenPair,
    nakedTriple,
    hiddenTriple,
    nakedQuad,
    hiddenQuad,
    xWing,
    swordfish,
    jellyfish,
    finnedXWing,
    finnedSwordfish,
    finnedJellyfish,
    xyWing,
    xyzWing,
    wWing,
    simpleColouring,
    uniqueRectangle1,
    uniqueRectangle2,
    xChain,
    xyChain,
    aic,
    alsXz,
    nishioForcingChain,
    cellForcingChain,
    unitForcingChain,
    forcingNet,
    trialAndError,
};

// A cell with some of its candidates.
struct CellDigits {
    std::uint8_t cell = 0;  // 0..80
    DigitMask digits = 0;
    bool operator==(const CellDigits&) const = default;
};

struct Step {
    Technique technique = Technique::none;
    Hint hint;                       // for Technique::hint
    std::vector<CellDigits> pattern;  // the candidates the deduction starts from
    std::vector<CellDigits> removals;  // candidates it removes
    std::uint8_t placeCell = 0, placeDigit = 0;  // the digit it places (0: none)

    bool found() const { return technique != Technique::none; }
    bool places() const { return placeDigit != 0; }
    // Adds candidates to a list, merging digits of the same cell.
    static void add(std::vector<CellDigits>& list, int cell, DigitMask digits);
};

// The technique's name as the solving community writes it ("X-Wing", "XY-Chain"); for
// the hint finder's kinds "Naked Single", "Hidden Single" or the contradiction's name.
std::string techniqueName(const Step& step);
// "r3c5", "r3c5{27}", "r3c5<>2", "r3c5=4".
std::string cellName(int cell);
// One line of the explained path: "X-Wing: r2c5{3} r2c8{3} ... => r4c5<>3, r9c8<>3".
std::string stepLine(const Step& step);
// The status line's short form, which fits its width at every field size:
// "X-Wing: 3 options removed", "Forcing Net: (4) row 3 column 5", "Pointing: 2 options removed".
std::string stepStatus(const Step& step);
// What a screen reader says: the technique, its fields by name, and its result.
std::string stepSpeech(const Step& step);
// 0 none, 1 red (a contradiction or a wrong digit), 2 green.
int stepStatusKind(const Step& step);

}  // namespace dozudo
