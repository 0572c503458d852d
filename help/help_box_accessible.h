#pragma once
// The help text box as a screen reader meets it: a document named by the page number whose
// text is the shown page's lines without their markup, and whose children are the link lines,
// each a link whose press action clicks the line as the pointer would and so opens its page.

#include <QAccessibleWidget>

#include "help/info_form.h"
#include "widgets/accessible_part.h"

namespace dozudo {

class THelpBoxAccessible : public QAccessibleWidget, public ReadOnlyText {
  public:
    explicit THelpBoxAccessible(THelpBox* box);

    TinfoForm* form() const;
    // Text lines 1..24 that carry a link on the shown page.
    QList<int> linkLines() const;
    QAccessibleInterface* link(int line) const;
    // The page was drawn: a new page is told to a listening screen reader.
    void pageDrawn();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override { return static_cast<int>(linkLines().size()); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // Text: the page's lines, one per line of text.
    using ReadOnlyText::text;
    QString wholeText() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;

  private:

    mutable AccessibleParts parts_;
    int toldPage_ = 0;
    QString toldText_;
    QList<int> toldLinks_;
};

class THelpLinkAccessible : public AccessiblePart, public QAccessibleActionInterface {
  public:
    THelpLinkAccessible(THelpBox* box, int line) : AccessiblePart(box), line_(line) {}

    int line() const { return line_; }
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::Link; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  protected:
    QRect localRect() const override;

  private:
    TinfoForm* form() const;

    int line_;
};

// The help window as a dialog whose children are the controls one can see: the hidden list of
// stored lines (scrambled text) stays out of the tree.
class TinfoFormAccessible : public QAccessibleWidget {
  public:
    explicit TinfoFormAccessible(TinfoForm* form) : QAccessibleWidget(form, QAccessible::Dialog) {}
    int childCount() const override { return static_cast<int>(shownChildren().size()); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

  private:
    QList<QWidget*> shownChildren() const;
};

// Tells the help box's interface that a page was drawn (when a screen reader listens).
void notifyHelpPageDrawn(THelpBox* box);

// Makes Qt use the interfaces above for the help window (once; the box's constructor calls it).
void installHelpBoxAccessibility();

}  // namespace dozudo
