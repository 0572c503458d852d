#pragma once
// The link label as a screen reader meets it: a link named by its caption whose press action
// is a click on it.

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>

#include "widgets/link_label.h"

namespace dozudo {

class TLinkLabelAccessible : public QAccessibleWidget {
  public:
    explicit TLinkLabelAccessible(TLinkLabel* label);
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};

// Makes Qt use the interface above for every link label (once; the label's constructor calls it).
void installLinkLabelAccessibility();

}  // namespace dozudo
