#pragma once
// The button array as a screen reader meets it: a group whose children are its visible
// buttons. A button is a push button, or a check box where it stays down (latch, toggle); it
// is checked and pressed while down. The button with the focus mark is the focused child. Its name, description and key come from the owner
// (TZelArrayBtn::onBtnText), and its press action clicks it as the pointer would.

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <cstdint>

#include "widgets/accessible_part.h"
#include "widgets/button_array.h"

namespace dozudo {

class TZelArrayBtnAccessible : public QAccessibleWidget {
  public:
    explicit TZelArrayBtnAccessible(TZelArrayBtn* control);

    TZelArrayBtn* control() const;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    // The button with the focus mark while the control has the keyboard focus.
    QAccessibleInterface* focusChild() const override;

    // The interface of button BtnNr (also of a hidden one).
    QAccessibleInterface* button(std::uint8_t BtnNr) const;
    // A hidden button leaves the tree; shown again it comes back as a new child.
    void buttonShown(std::uint8_t BtnNr);
    void buttonHidden(std::uint8_t BtnNr);

  private:
    mutable AccessibleParts parts_;
};

class TZelArrayBtnButtonAccessible : public AccessiblePart, public QAccessibleActionInterface {
  public:
    TZelArrayBtnButtonAccessible(TZelArrayBtn* control, std::uint8_t BtnNr);

    std::uint8_t number() const { return nr_; }
    QString text(QAccessible::Text t) const override;
    // A button that stays down reads as a check box: screen readers (through Qt's bridge, which
    // has no toggle button) then say whether it is down, and say so again when it is pressed.
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    // The click happens once the screen reader's call has returned: a click may open a modal
    // window, whose own event loop must not run inside the call.
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

  protected:
    QRect localRect() const override;

  private:
    TZelArrayBtn* control() const;
    TBtnAccessibleText texts() const;

    std::uint8_t nr_;
};

// Tells a listening screen reader that a button changed its stored status.
void notifyBtnStatus(TZelArrayBtn* control, std::uint8_t BtnNr, TBtnStatus before, TBtnStatus after);

// Tells a listening screen reader that button BtnNr took the keyboard focus. The control's own
// focus event comes after its focus-in handler, so the button's is sent once that is through.
void notifyBtnFocus(TZelArrayBtn* control, std::uint8_t BtnNr);

// Makes Qt use the interfaces above for every button array (once; the control's constructor
// calls it).
void installButtonArrayAccessibility();

}  // namespace dozudo
