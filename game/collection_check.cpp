#include "game/collection_check.h"

#include <algorithm>

#include "analysis/ladder.h"
#include "analysis/solver.h"
#include "exchange/puzzle_formats.h"
#include "game/captions.h"
#include "game/game.h"

namespace dozudo {
namespace {

// A screen that shows nothing; only the pacing timer's switch is kept, so that
// the check ticks it while "fill all" runs.
struct NoView : BoardView {
    void drawField(int, int, int, int) override {}
    void paintAllOptions() override {}
    void eraseSelectionMark(int, int) override {}
    void drawSelectionMark(int, int) override {}
    void repaintBoard() override {}
};

struct NoWindow : Window {
    bool timerOn = false;
    void showStatusLine(const std::string&, Rgb) override {}
    void setCaption(const std::string&) override {}
    void beep() override {}
    void setTimerInterval(int) override {}
    void setTimerEnabled(bool on) override { timerOn = on; }
    void releaseCommandButton(int) override {}
    void hideAnalysisButton(int) override {}
    void showAnalysisButton(int) override {}
};

void press(Game& game, int button) {
    game.analysisBarChange(button, true);
    game.analysisBarChange(button, false);
}

// "fill all", with the timer's ticks until it stops by itself.
void fillAll(Game& game, const NoWindow& window) {
    press(game, anFillAll);
    while (game.fillMode == fmFilling && window.timerOn) game.Timer1Timer();
}

}  // namespace

PuzzleVerdict checkPuzzle(const Board& puzzle) {
    const Board givens = puzzle.givens();
    PuzzleVerdict verdict;
    verdict.solutions = countSolutions(givens);

    NoView view;
    NoWindow window;
    Game game(view, window);
    game.replaceBoard(givens);
    game.commandBarChange(cmdSearch, true);
    game.analysisBarChange(anShowOptions, true);
    game.analysisBarChange(anHints, true);
    fillAll(game, window);
    bool reduced = false;
    while (game.board.filled() < 81) {
        // Stuck: "reduction" until the hint names a digit or nothing narrows any more.
        for (;;) {
            const auto before = game.optionTables.options;
            press(game, anReduction);
            reduced = true;
            if (hintPlacesDigit(game.hint.hintKind) || game.optionTables.options == before) break;
        }
        if (!hintPlacesDigit(game.hint.hintKind)) break;
        const int filled = game.board.filled();
        fillAll(game, window);
        if (game.board.filled() == filled) break;  // the named digit was refused
    }
    verdict.emptyLeft = 81 - game.board.filled();
    // A full board whose givens conflict is not solved.
    if (verdict.emptyLeft == 0 && verdict.solutions == 1)
        verdict.logic = reduced ? PuzzleVerdict::Reduction : PuzzleVerdict::Singles;
    else if (verdict.solutions == 1) {
        const SolvingPath path = explainPuzzle(givens);
        if (path.solved) {
            verdict.logic = PuzzleVerdict::Ladder;
            verdict.hardest = path.hardest;
        }
    }
    return verdict;
}

std::string verdictLine(int number, const PuzzleVerdict& v) {
    std::string line = std::to_string(number) + (v.solutions == 0   ? " 0"
                                                 : v.solutions == 1 ? " 1"
                                                                    : " 2+");
    switch (v.logic) {
        case PuzzleVerdict::Singles:
            return line + " singles";
        case PuzzleVerdict::Reduction:
            return line + " reduction";
        case PuzzleVerdict::Ladder: {
            Step hardest;
            hardest.technique = v.hardest;
            return line + " " + techniqueName(hardest);
        }
        case PuzzleVerdict::Stuck:
            break;
    }
    return line + " stuck " + std::to_string(v.emptyLeft);
}

void CheckCounts::add(const PuzzleVerdict& v) {
    ++puzzles;
    ++(v.solutions == 0 ? noSolution : v.solutions == 1 ? oneSolution : moreSolutions);
    if (v.logic == PuzzleVerdict::Ladder) {
        auto at = std::find_if(techniques.begin(), techniques.end(),
                               [&](const auto& t) { return t.first >= v.hardest; });
        if (at == techniques.end() || at->first != v.hardest) at = techniques.insert(at, {v.hardest, 0});
        ++at->second;
        return;
    }
    ++(v.logic == PuzzleVerdict::Singles     ? singles
       : v.logic == PuzzleVerdict::Reduction ? reduction
                                             : stuck);
}

std::string summaryLine(const CheckCounts& n) {
    std::string line = std::to_string(n.puzzles) + (n.puzzles == 1 ? " puzzle: " : " puzzles: ") +
                       std::to_string(n.noSolution) + " without solution, " +
                       std::to_string(n.oneSolution) + " with one, " + std::to_string(n.moreSolutions) +
                       " with more; singles " + std::to_string(n.singles) + ", reduction " +
                       std::to_string(n.reduction);
    for (const auto& [technique, count] : n.techniques) {
        Step named;
        named.technique = technique;
        line += ", " + techniqueName(named) + " " + std::to_string(count);
    }
    return line + ", stuck " + std::to_string(n.stuck);
}

int checkCollections(const std::vector<std::string>& paths, std::ostream& out,
                     std::ostream& err) {
    CheckCounts counts;
    bool unreadable = false;
    for (const std::string& path : paths) {
        std::vector<Board> puzzles;
        const std::string error = readPuzzles(path, puzzles);
        if (!error.empty()) {
            err << "dozudo: " << path << ": " << error << '\n';
            unreadable = true;
            continue;
        }
        if (paths.size() > 1) out << path << ":\n";
        int number = 0;
        for (const Board& puzzle : puzzles) {
            const PuzzleVerdict verdict = checkPuzzle(puzzle);
            out << verdictLine(++number, verdict) << '\n';
            counts.add(verdict);
        }
    }
    out << summaryLine(counts) << '\n';
    out.flush();
    if (unreadable) return 2;
    return counts.oneSolution == counts.puzzles ? 0 : 1;
}

int explainFile(const std::string& path, std::ostream& out, std::ostream& err) {
    std::vector<Board> puzzles;
    const std::string error = readPuzzles(path, puzzles);
    if (!error.empty()) {
        err << "dozudo: " << path << ": " << error << '\n';
        return 2;
    }
    const SolvingPath p = explainPuzzle(puzzles.front());
    int placed = 0;
    for (const Step& step : p.steps) {
        out << stepLine(step) << '\n';
        placed += step.places() || hintPlacesDigit(step.hint.hintKind);
    }
    Step hardest;
    hardest.technique = p.hardest;
    const int givens = [&] {
        int n = 0;
        for (int c = 1; c <= 9; ++c)
            for (int r = 1; r <= 9; ++r) n += puzzles.front().at(c, r).kind == fkGiven && puzzles.front().digit(c, r);
        return n;
    }();
    const std::string steps = std::to_string(p.steps.size()) + (p.steps.size() == 1 ? " step" : " steps");
    if (p.solved)
        out << "solved in " << steps << ", hardest: " << (p.hardest == Technique::none ? "none" : techniqueName(hardest)) << '\n';
    else
        out << "stuck after " << steps << ", " << 81 - givens - placed << " empty fields left\n";
    out.flush();
    return p.solved ? 0 : 1;
}

}  // namespace dozudo
