// "clipbrd" on an empty board while the clipboard's text has not come yet: what the user
// can do meanwhile, and where the text lands when it comes.
#include <gtest/gtest.h>

#include <functional>

#include "game/captions.h"
#include "game/keys.h"
#include "tests/core/fakes.h"

namespace dozudo {
namespace {

using namespace test;

const std::string puzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
const std::string empty(81, '.');

// A window whose "clipbrd" asks a clipboard that answers when the test says so.
struct WaitingFixture {
    struct ClipboardWindow : FakeWindow {
        std::function<void()> clipboard;
        void clipboardCommand() override { clipboard(); }
    };
    RecordingView view;
    ClipboardWindow window;
    FakeClipboard clip;
    Game game{view, window};
    WaitingFixture() {
        window.clipboard = [this] { game.clipboardCommand(clip); };
        clip.answersAtOnce = false;
        clip.contents = puzzle;
    }
    std::string digits() const {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                s += static_cast<char>(game.board.digit(c, r) ? '0' + game.board.digit(c, r) : '.');
        return s;
    }
};

struct WaitRow {
    const char* what;
    std::function<void(WaitingFixture&)> meanwhile;
    bool dropped;        // the wait ends at once, and a late text lands nowhere
    GameState state;     // right after what the user did
    std::string digits;  // the board at the end
};

TEST(ClipboardWait, Table) {
    const WaitRow rows[] = {
        {"the text comes", [](WaitingFixture&) {}, false, gsRestored, puzzle},
        {"a stray tick does not end the wait", [](WaitingFixture& f) { f.game.Timer1Timer(); },
         false, gsRestored, puzzle},
        {"keys and board clicks are ignored",
         [](WaitingFixture& f) {
             EXPECT_FALSE(f.game.keyPress('5'));
             EXPECT_FALSE(f.game.keyDown(vkRight));
             f.game.boardPress(1, 1);
         },
         false, gsRestored, puzzle},
        {"Escape drops it", [](WaitingFixture& f) { f.game.keyDown(vkEscape); }, true, gsIdle,
         empty},
        {"erase/board drops it",
         [](WaitingFixture& f) {
             f.game.commandBarChange(cmdErase, true);
             f.game.commandBarChange(cmdErase, false);
         },
         true, gsIdle, empty},
        {"open drops it", [](WaitingFixture& f) { f.game.commandBarChange(cmdOpen, true); }, true,
         gsIdle, empty},
        {"enter/puzzle drops it, and typing works at once",
         [](WaitingFixture& f) {
             f.game.commandBarChange(cmdEnter, true);
             EXPECT_TRUE(f.game.keyPress('4'));
         },
         true, gsEntering, "4" + empty.substr(1)},
        {"search drops it, and solving begins",
         [](WaitingFixture& f) { f.game.commandBarChange(cmdSearch, true); }, true, gsSolving,
         empty},
    };
    for (const WaitRow& row : rows) {
        SCOPED_TRACE(row.what);
        WaitingFixture f;
        f.game.commandBarChange(cmdClipboard, true);
        EXPECT_TRUE(f.game.clipboardWaiting());
        EXPECT_EQ(f.game.fillMode, fmClipboard) << "board locked while waiting";
        EXPECT_FALSE(f.window.timerOn) << "the pause has not begun";
        row.meanwhile(f);
        EXPECT_EQ(f.game.gameState, row.state);
        if (row.dropped) {
            EXPECT_EQ(f.clip.cancels, 1);
            EXPECT_EQ(f.window.released, std::vector<int>{cmdClipboard}) << "button up at once";
            EXPECT_EQ(f.game.fillMode, fmNone) << "keys and clicks work again";
            const std::string before = f.window.statusText;
            f.clip.last(f.clip.contents);  // a text that comes all the same
            EXPECT_FALSE(f.window.timerOn);
            EXPECT_EQ(f.window.statusText, before) << "the late text shows nothing";
        } else {
            EXPECT_TRUE(f.window.released.empty()) << "button down while waiting";
            f.clip.answer();
            EXPECT_EQ(f.window.statusText, "opened puzzle from clipboard");
            EXPECT_TRUE(f.window.timerOn) << "the pause begins with the message";
            EXPECT_EQ(f.game.fillMode, fmClipboard);
            f.game.Timer1Timer();
            EXPECT_EQ(f.window.released, std::vector<int>{cmdClipboard});
            EXPECT_EQ(f.game.gameState, gsIdle);
        }
        EXPECT_FALSE(f.game.clipboardWaiting());
        EXPECT_EQ(f.digits(), row.digits);
        EXPECT_EQ(f.clip.requests, 1);
    }
}

TEST(ClipboardWait, ACommandDuringThePauseIsNotUndoneByItsTick) {
    WaitingFixture f;
    f.game.board = boardFrom(puzzle);
    f.game.commandBarChange(cmdClipboard, true);  // copies, then pauses
    f.game.commandBarChange(cmdSearch, true);
    f.game.Timer1Timer();
    EXPECT_EQ(f.game.gameState, gsSolving);
    EXPECT_EQ(f.game.fillMode, fmNone);
    EXPECT_EQ(f.window.visibleAnalysis, (std::set<int>{anShowOptions, anTakeBack}));
}

TEST(ClipboardWait, ClosingTheWindowDropsIt) {
    FakeClipboard clip;
    clip.answersAtOnce = false;
    {
        WaitingFixture::ClipboardWindow window;
        RecordingView view;
        Game game(view, window);
        game.clipboardCommand(clip);
        EXPECT_EQ(clip.cancels, 0);
    }
    EXPECT_EQ(clip.cancels, 1);
    EXPECT_FALSE(clip.pending);
}

}  // namespace
}  // namespace dozudo
