#pragma once
// What the core asks of the platform's clipboard (plain text only).

#include <string>

namespace dozudo {

class PuzzleClipboard {
  public:
    virtual ~PuzzleClipboard() = default;
    // Whether the clipboard holds plain text.
    virtual bool hasText() = 0;
    // The clipboard's text in UTF-8 (empty when it holds none).
    virtual std::string text() = 0;
    // Replaces the clipboard's contents with a text.
    virtual void setText(const std::string& text) = 0;
};

}  // namespace dozudo
