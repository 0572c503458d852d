#pragma once
// The status line StaticText1: a label that a screen reader meets as a status bar showing the
// line's text. Each new remembered message is also announced once, through the status bar's one
// child, a notification that carries the message and is shown anew for every announcement
// (what a screen reader speaks without the status line having the focus).

#include <QAccessibleWidget>
#include <QLabel>

#include "widgets/accessible_part.h"

namespace dozudo {

class TStatusText : public QLabel {
    Q_OBJECT
  public:
    explicit TStatusText(QWidget* parent = nullptr);

    // Announces a message to a listening screen reader.
    void announce(const QString& message);
    const QString& announced() const { return announced_; }

  private:
    QString announced_;
};

class TStatusTextAccessible : public QAccessibleWidget, public ReadOnlyText {
  public:
    explicit TStatusTextAccessible(TStatusText* label);
    void* interface_cast(QAccessible::InterfaceType type) override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    QAccessibleInterface* announcement() const;
    // Text: the line as it is shown.
    using ReadOnlyText::text;
    QString wholeText() const override { return static_cast<TStatusText*>(widget())->text(); }

  private:
    mutable AccessibleParts parts_;
};

class TAnnouncementAccessible : public AccessiblePart {
  public:
    explicit TAnnouncementAccessible(TStatusText* label) : AccessiblePart(label) {}
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override;

  protected:
    QRect localRect() const override { return owner() ? owner()->rect() : QRect(); }
};

}  // namespace dozudo
