#pragma once
// Recording fakes of the screen interfaces, and helpers to set up boards.

#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "game/exchange_commands.h"
#include "game/game.h"

namespace dozudo::test {

struct RecordingView : BoardView {
    std::vector<std::string> calls;
    int repaints = 0;
    void drawField(int c, int r, int d, int k) override {
        calls.push_back("drawField " + std::to_string(c) + "," + std::to_string(r) + " " +
                        std::to_string(d) + " " + std::to_string(k));
    }
    void paintAllOptions() override { calls.push_back("paintAllOptions"); }
    void eraseSelectionMark(int c, int r) override {
        calls.push_back("erase " + std::to_string(c) + "," + std::to_string(r));
    }
    void drawSelectionMark(int c, int r) override {
        calls.push_back("mark " + std::to_string(c) + "," + std::to_string(r));
    }
    void repaintBoard() override {
        ++repaints;
        calls.push_back("repaint");
    }
    int count(const std::string& prefix) const {
        int n = 0;
        for (const auto& c : calls) n += c.rfind(prefix, 0) == 0;
        return n;
    }
};

struct FakeWindow : Window {
    std::string caption = "DOZUDO - vudede";
    std::string statusText;
    Rgb statusColour;
    int beeps = 0;
    int interval = 333;
    bool timerOn = false;
    int timerRestarts = 0;  // enable after disable
    std::vector<int> released;
    std::set<int> visibleAnalysis;
    std::vector<std::string> platformCalls;
    std::vector<std::string> announced;  // messages a screen reader reads out

    void showStatusLine(const std::string& text, Rgb colour) override {
        statusText = text;
        statusColour = colour;
    }
    void announceStatus(const std::string& t) override { announced.push_back(t); }
    void setCaption(const std::string& c) override { caption = c; }
    void beep() override { ++beeps; }
    void setTimerInterval(int ms) override { interval = ms; }
    void setTimerEnabled(bool on) override {
        if (on && !timerOn) ++timerRestarts;
        timerOn = on;
    }
    void releaseCommandButton(int n) override { released.push_back(n); }
    void hideAnalysisButton(int n) override { visibleAnalysis.erase(n); }
    void showAnalysisButton(int n) override { visibleAnalysis.insert(n); }
    void openGame() override { platformCalls.push_back("open"); }
    void saveGame() override { platformCalls.push_back("save"); }
    void clipboardCommand() override { platformCalls.push_back("clipboard"); }
    void openHelp() override { platformCalls.push_back("help"); }
    void openWebPage() override { platformCalls.push_back("web"); }
};

// A clipboard that answers at once, or when the test calls answer().
struct FakeClipboard : PuzzleClipboard {
    bool holdsText = true;
    bool answersAtOnce = true;
    std::string contents;
    int requests = 0, cancels = 0;
    TextAnswer pending, last;  // last: kept after a cancel, to answer late anyway
    std::string text() const { return holdsText ? contents : std::string(); }
    void requestText(TextAnswer a) override {
        ++requests;
        last = a;
        if (answersAtOnce)
            a(text());
        else
            pending = std::move(a);
    }
    void cancelRequest() override {
        ++cancels;
        pending = nullptr;
    }
    void setText(const std::string& t) override {
        holdsText = true;
        contents = t;
    }
    void answer() {
        if (TextAnswer a = std::exchange(pending, nullptr)) a(text());
    }
};

// A game on fakes.
struct Fixture {
    RecordingView view;
    FakeWindow window;
    Game game{view, window};
};

// A board from 81 characters in reading order; '.' or '0' empty; digits get `kind`.
inline Board boardFrom(const std::string& text, int kind = fkGiven) {
    if (text.size() != 81) throw std::invalid_argument("board text needs 81 characters");
    Board b;
    for (int i = 0; i < 81; ++i) {
        const char ch = text[i];
        if (ch >= '1' && ch <= '9') b.set(i % 9 + 1, i / 9 + 1, ch - '0', kind);
    }
    return b;
}

// A complete valid board in reading order.
inline std::string validSolution() {
    std::string s;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) s += static_cast<char>('1' + (r * 3 + r / 3 + c) % 9);
    return s;
}

inline std::vector<std::string> loadPuzzles(const std::string& name = "euler50.txt") {
    std::ifstream in(std::string(DOZUDO_TEST_DATA) + "/" + name);
    if (!in) throw std::runtime_error("missing test data " + name);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);)
        if (line.size() >= 81 && line[0] != '#') out.push_back(line.substr(0, 81));
    return out;
}

// Brings the game into solving with options and hints shown, as the buttons do.
inline void startSolving(Game& g, bool options = true, bool hints = true) {
    g.commandBarChange(6, true);  // "search"
    if (options) g.analysisBarChange(0, true);
    if (hints) g.analysisBarChange(1, true);
}

}  // namespace dozudo::test
