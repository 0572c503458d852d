#include "ui/x11_clipboard.h"

#include <qguiapplication_platform.h>

#include <QGuiApplication>
// clang-format off
#include <X11/Xlib.h>  // after Qt: its macros (None, Bool, Status) would clash with Qt's names
// clang-format on

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace dozudo {

namespace {

constexpr const char* atomNames[] = {
    "CLIPBOARD", "TARGETS", "INCR",       "UTF8_STRING",     "text/plain;charset=utf-8",
    "STRING",    "TEXT",    "text/plain", "DOZUDO_CLIPBOARD"};

// The display the application runs on, as it was opened (it may come from -display).
const char* applicationDisplayName() {
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        if (Display* display = x11->display()) return XDisplayString(display);
    return nullptr;  // xcb_connect then takes $DISPLAY
}

std::string utf8FromLatin1(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            text += ch;
        } else {
            text += static_cast<char>(0xC0 | byte >> 6);
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

}  // namespace

X11ClipboardReader::X11ClipboardReader(int silenceMs) : silenceMs_(silenceMs) {
    silence_.setSingleShot(true);
    connect(&silence_, &QTimer::timeout, this, [this] { finish({}); });
}

X11ClipboardReader::~X11ClipboardReader() {
    cancel();
    notifier_.reset();
    disconnectDisplay();
}

bool X11ClipboardReader::connectDisplay() {
    if (connection_ && !xcb_connection_has_error(connection_)) return true;
    disconnectDisplay();
    int screen = 0;
    connection_ = xcb_connect(applicationDisplayName(), &screen);
    if (xcb_connection_has_error(connection_)) {
        disconnectDisplay();
        return false;
    }
    xcb_intern_atom_cookie_t cookies[nameCount];
    for (int i = 0; i < nameCount; ++i)
        cookies[i] = xcb_intern_atom(
            connection_, 0, static_cast<std::uint16_t>(std::strlen(atomNames[i])), atomNames[i]);
    for (int i = 0; i < nameCount; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookies[i], nullptr);
        atoms_[i] = reply ? reply->atom : XCB_NONE;
        std::free(reply);
    }
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (; roots.rem > 1 && screen > 0; --screen) xcb_screen_next(&roots);
    root_ = roots.data ? roots.data->root : XCB_NONE;
    if (!root_ || std::count(std::begin(atoms_), std::end(atoms_), XCB_NONE)) {
        disconnectDisplay();
        return false;
    }
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                  QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { readEvents(); });
    return true;
}

void X11ClipboardReader::disconnectDisplay() {
    // Off before the socket closes; deleted later, since this may run inside its signal.
    if (notifier_) {
        notifier_->setEnabled(false);
        notifier_.release()->deleteLater();
    }
    if (connection_) xcb_disconnect(connection_);
    connection_ = nullptr;
}

bool X11ClipboardReader::read(Answer answer) {
    cancel();
    if (!connectDisplay()) return false;
    window_ = xcb_generate_id(connection_);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;  // for the pieces of a large text
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, root_, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    answer_ = std::move(answer);
    // The X server answers this itself, at once.
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, atoms_[aClipboard]), nullptr);
    const bool held = owner && owner->owner != XCB_NONE;
    std::free(owner);
    if (!held) {
        finish({});
        return true;
    }
    ask(atoms_[aTargets]);
    return true;
}

void X11ClipboardReader::cancel() {
    answer_ = nullptr;
    silence_.stop();
    if (connection_ && window_) {
        xcb_destroy_window(connection_, window_);
        xcb_flush(connection_);
    }
    window_ = asked_ = 0;
    targets_.clear();
    nextTarget_ = 0;
    incremental_ = false;
    incrementData_.clear();
}

void X11ClipboardReader::finish(const std::string& text) {
    Answer answer = std::move(answer_);
    cancel();
    if (answer) answer(text);
}

void X11ClipboardReader::ask(std::uint32_t target) {
    asked_ = target;
    xcb_convert_selection(connection_, window_, atoms_[aClipboard], target, atoms_[aProperty],
                          XCB_CURRENT_TIME);
    xcb_flush(connection_);
    silence_.start(silenceMs_);
}

void X11ClipboardReader::askNext() {
    if (nextTarget_ < targets_.size())
        ask(targets_[nextTarget_++]);
    else
        finish({});  // no text in any form
}

void X11ClipboardReader::readEvents() {
    // Replies read while handling an event may bring further events along: take them all.
    while (connection_) {
        xcb_generic_event_t* event = xcb_poll_for_event(connection_);
        if (!event) break;
        handle(event);
        std::free(event);
    }
    if (connection_ && xcb_connection_has_error(connection_)) {
        Answer answer = std::move(answer_);
        cancel();  // the window went with the connection
        disconnectDisplay();
        if (answer) answer({});
    }
}

void X11ClipboardReader::handle(const xcb_generic_event_t* event) {
    if (!window_) return;  // a late event of a dropped read
    switch (event->response_type & 0x7F) {
        case XCB_SELECTION_NOTIFY: {
            const auto* e = reinterpret_cast<const xcb_selection_notify_event_t*>(event);
            if (e->requestor != window_ || e->target != asked_ || incremental_) return;
            if (e->property != XCB_NONE) {
                propertyArrived();
            } else if (asked_ == atoms_[aTargets]) {
                // An owner that does not list its formats: ask for the usual text forms.
                targets_ = {atoms_[aUtf8], XCB_ATOM_STRING};
                nextTarget_ = 0;
                askNext();
            } else {
                askNext();  // refused: the next form
            }
            break;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if (incremental_ && e->window == window_ && e->atom == atoms_[aProperty] &&
                e->state == XCB_PROPERTY_NEW_VALUE)
                incrementArrived();
            break;
        }
        default:
            break;
    }
}

// The whole property, removed from the window once read (which tells an owner sending a
// large text in pieces that the next piece may come).
bool X11ClipboardReader::takeProperty(std::uint32_t& type, std::uint8_t& format,
                                      std::string& bytes) {
    constexpr std::uint32_t pieceLongs = 1 << 20;
    bytes.clear();
    for (std::uint32_t offset = 0;;) {
        xcb_get_property_reply_t* reply =
            xcb_get_property_reply(connection_,
                                   xcb_get_property(connection_, 1, window_, atoms_[aProperty],
                                                    XCB_GET_PROPERTY_TYPE_ANY, offset, pieceLongs),
                                   nullptr);
        if (!reply) return false;
        type = reply->type;
        format = reply->format;
        const int length = xcb_get_property_value_length(reply);
        bytes.append(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<std::size_t>(length));
        const bool more = reply->bytes_after > 0;
        std::free(reply);
        if (!more) return true;
        offset += pieceLongs;
    }
}

void X11ClipboardReader::propertyArrived() {
    std::uint32_t type = 0;
    std::uint8_t format = 0;
    std::string bytes;
    if (!takeProperty(type, format, bytes)) {
        finish({});
        return;
    }
    if (type == atoms_[aIncr]) {
        // A large text: it comes in pieces, each one a new value of the property.
        incremental_ = true;
        incrementType_ = XCB_NONE;
        incrementData_.clear();
        silence_.start(silenceMs_);
        return;
    }
    answered(type, format, bytes);
}

void X11ClipboardReader::incrementArrived() {
    std::uint32_t type = 0;
    std::uint8_t format = 0;
    std::string bytes;
    if (!takeProperty(type, format, bytes)) {
        finish({});
        return;
    }
    if (!bytes.empty()) {
        incrementType_ = type;
        incrementFormat_ = format;
        incrementData_ += bytes;
        silence_.start(silenceMs_);
        return;
    }
    incremental_ = false;  // an empty piece ends the text
    const std::string whole = std::move(incrementData_);
    answered(incrementType_, incrementFormat_, whole);
}

void X11ClipboardReader::answered(std::uint32_t type, std::uint8_t format,
                                  const std::string& bytes) {
    if (asked_ == atoms_[aTargets]) {
        targets_.clear();
        nextTarget_ = 0;
        if (type == XCB_ATOM_ATOM && format == 32) {
            std::vector<std::uint32_t> offered(bytes.size() / 4);
            std::memcpy(offered.data(), bytes.data(), offered.size() * 4);
            for (const Name name : {aUtf8, aUtf8Plain, aString, aText, aPlain})
                if (std::find(offered.begin(), offered.end(), atoms_[name]) != offered.end())
                    targets_.push_back(atoms_[name]);
        } else {
            targets_ = {atoms_[aUtf8], XCB_ATOM_STRING};  // a list we cannot read: the usual forms
        }
        askNext();  // with no text form offered, the clipboard holds no text
    } else if (type == XCB_ATOM_STRING) {
        finish(utf8FromLatin1(bytes));
    } else if (type == atoms_[aUtf8] || type == atoms_[aUtf8Plain] || type == atoms_[aPlain] ||
               type == atoms_[aText]) {
        finish(bytes);
    } else {
        askNext();  // a form we do not read (COMPOUND_TEXT, say): the next one
    }
}

}  // namespace dozudo
