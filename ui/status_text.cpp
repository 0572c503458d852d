#include "ui/status_text.h"

namespace dozudo {

namespace {

QAccessibleInterface* statusTextFactory(const QString& key, QObject* object) {
    if (key == QLatin1String(TStatusText::staticMetaObject.className()))
        return new TStatusTextAccessible(static_cast<TStatusText*>(object));
    return nullptr;
}

}  // namespace

TStatusText::TStatusText(QWidget* parent) : QLabel(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(statusTextFactory);
        return true;
    }();
    (void)installed;
}

void TStatusText::announce(const QString& message) {
    announced_ = message;
    if (!QAccessible::isActive()) return;
    auto* iface = dynamic_cast<TStatusTextAccessible*>(QAccessible::queryAccessibleInterface(this));
    if (!iface) return;
    notifyPart(iface->announcement(), QAccessible::NameChanged);
    notifyPart(iface->announcement(), QAccessible::ObjectShow);
}

TStatusTextAccessible::TStatusTextAccessible(TStatusText* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}

void* TStatusTextAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TStatusTextAccessible::text(QAccessible::Text t) const {
    const QString own = QAccessibleWidget::text(t);
    return t == QAccessible::Name && own.isEmpty() ? wholeText() : own;
}

QAccessibleInterface* TStatusTextAccessible::child(int index) const {
    return index == 0 ? announcement() : nullptr;
}

int TStatusTextAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child && child == parts_.find(0) ? 0 : -1;
}

QAccessibleInterface* TStatusTextAccessible::childAt(int x, int y) const {
    return rect().contains(x, y) ? announcement() : nullptr;
}

QAccessibleInterface* TStatusTextAccessible::announcement() const {
    return parts_.get(0, [&] { return new TAnnouncementAccessible(static_cast<TStatusText*>(widget())); });
}

QString TAnnouncementAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !owner()) return {};
    return static_cast<TStatusText*>(owner())->announced();
}

QAccessible::State TAnnouncementAccessible::state() const {
    QAccessible::State s;
    s.invalid = !owner();
    s.invisible = !owner() || !owner()->isVisible();
    s.readOnly = true;
    return s;
}

}  // namespace dozudo
