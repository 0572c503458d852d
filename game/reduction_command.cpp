// The "reduction" command: narrows the options by unit assignments and by
// line-group intersections, then shows them and the hint found in them.
#include "analysis/reduction.h"
#include "game/game.h"

namespace dozudo {

void Game::reduceOptions() {
    // Never painted: showReducedOptions replaces it before the screen is updated.
    setStatus(0, "please wait....");
    shownStep = Step{};
    reduceOptionTables(optionTables);
    showReducedOptions();
}

void Game::showReducedOptions() {
    setStatus(0, "");
    view_.paintAllOptions();
    if (hintsShown) {
        findHint();
        showHint();
    }
}

}  // namespace dozudo
