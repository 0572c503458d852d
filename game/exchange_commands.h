#pragma once
// What the core asks of the platform's clipboard (plain text only).

#include <functional>
#include <string>

namespace dozudo {

class PuzzleClipboard {
  public:
    using TextAnswer = std::function<void(const std::string& text)>;
    virtual ~PuzzleClipboard() = default;
    // Asks for the clipboard's text in UTF-8. The answer comes once, either from inside this
    // call or later from the event loop: an empty text when the clipboard holds none, or
    // when the program that holds it does not answer within about a second. A new request
    // replaces one whose answer has not come yet.
    virtual void requestText(TextAnswer answer) = 0;
    // Drops the request whose answer has not come: it never comes.
    virtual void cancelRequest() = 0;
    // Replaces the clipboard's contents with a text.
    virtual void setText(const std::string& text) = 0;
};

}  // namespace dozudo
