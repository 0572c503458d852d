#pragma once
// Accessibility of the parts of a painted control: a button of a button array, a field of the
// board, a link line of the help text. A part is no widget of its own, so its interface lives
// beside the control's and reads everything from the control when asked. The parts of one
// control are registered with Qt once and kept until the control's interface goes.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAccessibleTextInterface>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace dozudo {

class AccessiblePart : public QAccessibleInterface {
  public:
    explicit AccessiblePart(QWidget* owner) : owner_(owner) {}

    bool isValid() const override { return !owner_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    // The part's rectangle on the screen, from its place in the owner.
    QRect rect() const override;

    QWidget* owner() const { return owner_; }

  protected:
    // The part's rectangle in the owner's coordinates.
    virtual QRect localRect() const = 0;

    QPointer<QWidget> owner_;
};

// The registered parts of one control, by a key of the control's choosing.
class AccessibleParts {
  public:
    AccessibleParts() = default;
    AccessibleParts(const AccessibleParts&) = delete;
    AccessibleParts& operator=(const AccessibleParts&) = delete;
    ~AccessibleParts();

    // The part for key, made by make on first use.
    QAccessibleInterface* get(int key, const std::function<QAccessibleInterface*()>& make);
    // The part for key if it was made, else nullptr.
    QAccessibleInterface* find(int key) const;
    // Deletes the part for key; the next get makes a new one.
    void remove(int key);

  private:
    QHash<int, QAccessible::Id> ids_;
};

// The text interface of something a screen reader reads but cannot change: the whole text
// comes from text(); no caret, no selection.
class ReadOnlyText : public QAccessibleTextInterface {
  public:
    virtual QString wholeText() const = 0;

    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return static_cast<int>(wholeText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return 0; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override;
};

// Sends an accessibility event about a part, when a screen reader listens.
void notifyPart(QAccessibleInterface* part, QAccessible::Event type);

}  // namespace dozudo
