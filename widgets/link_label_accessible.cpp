#include "widgets/link_label_accessible.h"

#include <QPointer>
#include <QTimer>

namespace dozudo {

TLinkLabelAccessible::TLinkLabelAccessible(TLinkLabel* label)
    : QAccessibleWidget(label, QAccessible::Link) {}

QString TLinkLabelAccessible::text(QAccessible::Text t) const {
    const QString own = QAccessibleWidget::text(t);
    if (t != QAccessible::Name || !own.isEmpty()) return own;
    return static_cast<TLinkLabel*>(widget())->text();
}

QStringList TLinkLabelAccessible::actionNames() const { return {pressAction()}; }

void TLinkLabelAccessible::doAction(const QString& actionName) {
    if (actionName != pressAction()) return;
    // After the screen reader's call has returned, as a click would come.
    QPointer<TLinkLabel> label = static_cast<TLinkLabel*>(widget());
    QTimer::singleShot(0, label, [label] {
        if (label && label->onClick) label->onClick();
    });
}

namespace {

QAccessibleInterface* linkLabelFactory(const QString& key, QObject* object) {
    if (key == QLatin1String(TLinkLabel::staticMetaObject.className()))
        return new TLinkLabelAccessible(static_cast<TLinkLabel*>(object));
    return nullptr;
}

}  // namespace

void installLinkLabelAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(linkLabelFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace dozudo
