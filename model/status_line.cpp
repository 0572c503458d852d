#include "model/status_line.h"

namespace dozudo {

void StatusLine::setStatus(int kind, const std::string& text) {
    setStatus(kind, text, text);
}

void StatusLine::setStatus(int kind, const std::string& text, const std::string& spoken) {
    if (kind < 0 || kind > 5) kind = 0;  // never passed; keeps the colour table in range
    const bool remembered = kind < 4;
    std::string toShow = text;
    if (remembered) {
        lastMessage_ = text;
        lastKind_ = static_cast<std::uint8_t>(kind);
    } else if (kind == 5) {
        kind = lastKind_;
        toShow = lastMessage_;
    }
    shownColour_ = statusColors[kind];
    shownText_ = toShow;
    show();
    if (remembered && !text.empty() && view_) view_->announceStatus(spoken);
}

void StatusLine::blank() {
    shownText_.clear();
    show();
}

void StatusLine::show() {
    if (view_) view_->showStatusLine(shownText_, shownColour_);
}

}  // namespace dozudo
