#include "model/status_line.h"

namespace dozudo {

void StatusLine::setStatus(int kind, const std::string& text) {
    if (kind < 0 || kind > 5) kind = 0;  // never passed; keeps the colour table in range
    std::string toShow = text;
    if (kind < 4) {
        lastMessage_ = text;
        lastKind_ = static_cast<std::uint8_t>(kind);
    } else if (kind == 5) {
        kind = lastKind_;
        toShow = lastMessage_;
    }
    shownColour_ = statusColors[kind];
    shownText_ = toShow;
    show();
}

void StatusLine::blank() {
    shownText_.clear();
    show();
}

void StatusLine::show() {
    if (view_) view_->showStatusLine(shownText_, shownColour_);
}

}  // namespace dozudo
