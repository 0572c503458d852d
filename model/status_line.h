#pragma once
// The status line under the board: every message of the program goes through it.

#include <array>
#include <cstdint>
#include <string>

#include "model/colour.h"

namespace dozudo {

// Where the status line is shown: the caption and font colour of the status control.
class StatusLineView {
  public:
    virtual ~StatusLineView() = default;
    virtual void showStatusLine(const std::string& text, Rgb colour) = 0;
    // A new remembered message (kinds 0..3, not empty), to be read out once by a screen reader.
    // Hover texts and messages brought back are shown only.
    virtual void announceStatus(const std::string& /*text*/) {}
};

// Font colour per message kind 0..4: black, red, green, blue, hover grey.
inline constexpr std::array<Rgb, 5> statusColors{
    {{0, 0, 0}, {255, 0, 0}, {0, 208, 0}, {0, 0, 255}, {176, 176, 176}}};

class StatusLine {
  public:
    explicit StatusLine(StatusLineView* view = nullptr) : view_(view) {}
    void setView(StatusLineView* view) { view_ = view; }

    // Kinds 0..3 show and remember the text; 4 shows it in grey without remembering;
    // 5 brings back the last remembered message in its own colour.
    void setStatus(int kind, const std::string& text);
    // The same, with what a screen reader says instead of the text shown.
    void setStatus(int kind, const std::string& text, const std::string& spoken);
    // Empties the shown text; colour and the remembered message stay.
    void blank();

    const std::string& lastMessage() const { return lastMessage_; }
    int lastKind() const { return lastKind_; }
    const std::string& shownText() const { return shownText_; }
    Rgb shownColour() const { return shownColour_; }

  private:
    void show();

    StatusLineView* view_;
    std::string lastMessage_;
    std::uint8_t lastKind_ = 0;
    std::string shownText_;
    Rgb shownColour_ = statusColors[0];
};

}  // namespace dozudo
