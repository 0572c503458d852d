#pragma once
// Reads the text of the X clipboard without ever stopping the window. Qt's own clipboard
// asks the program that holds the text and waits up to 5 s for each answer with every
// window frozen; a program that has stopped answering then costs two such waits. This
// reader asks on a display connection of its own, takes the answer from the event loop,
// and counts an owner that stays silent for a second as holding no text.

#include <xcb/xcb.h>

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dozudo {

class X11ClipboardReader : public QObject {
  public:
    using Answer = std::function<void(const std::string& utf8)>;
    explicit X11ClipboardReader(int silenceMs = 1000);
    ~X11ClipboardReader() override;

    // Starts reading the CLIPBOARD selection of the application's display; a read still
    // running is dropped. The answer comes once: the text in UTF-8, or an empty text when
    // no program holds the clipboard, it offers no text, or it stays silent for a second
    // (at once from inside this call when nobody holds the clipboard). False, with no
    // answer, when the display cannot be reached.
    bool read(Answer answer);
    // Drops the read still running: its answer never comes.
    void cancel();

  private:
    enum Name {
        aClipboard,
        aTargets,
        aIncr,
        aUtf8,
        aUtf8Plain,
        aString,
        aText,
        aPlain,
        aProperty,
        nameCount
    };

    bool connectDisplay();
    void disconnectDisplay();
    void readEvents();
    void handle(const xcb_generic_event_t* event);
    void ask(std::uint32_t target);
    void askNext();
    void propertyArrived();
    void incrementArrived();
    void answered(std::uint32_t type, std::uint8_t format, const std::string& bytes);
    bool takeProperty(std::uint32_t& type, std::uint8_t& format, std::string& bytes);
    void finish(const std::string& text);

    const int silenceMs_;
    xcb_connection_t* connection_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer silence_;
    std::uint32_t root_ = 0;
    std::uint32_t atoms_[nameCount] = {};
    // The read running: its window (new for every read, so that late answers to a dropped
    // read find nobody), the format asked for and the ones still to try.
    std::uint32_t window_ = 0;
    std::uint32_t asked_ = 0;
    std::vector<std::uint32_t> targets_;
    std::size_t nextTarget_ = 0;
    bool incremental_ = false;
    std::uint32_t incrementType_ = 0;
    std::uint8_t incrementFormat_ = 0;
    std::string incrementData_;
    Answer answer_;
};

}  // namespace dozudo
