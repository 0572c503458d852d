#include "widgets/accessible_part.h"

#include <QWindow>

namespace dozudo {

QWindow* AccessiblePart::window() const {
    return owner_ ? owner_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessiblePart::parent() const {
    return owner_ ? QAccessible::queryAccessibleInterface(owner_.data()) : nullptr;
}

QRect AccessiblePart::rect() const {
    if (!owner_) return {};
    const QRect local = localRect();
    return QRect(owner_->mapToGlobal(local.topLeft()), local.size());
}

AccessibleParts::~AccessibleParts() {
    for (const QAccessible::Id id : std::as_const(ids_)) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* AccessibleParts::get(int key, const std::function<QAccessibleInterface*()>& make) {
    if (QAccessibleInterface* part = find(key)) return part;
    QAccessibleInterface* part = make();
    ids_.insert(key, QAccessible::registerAccessibleInterface(part));
    return part;
}

QAccessibleInterface* AccessibleParts::find(int key) const {
    const auto it = ids_.constFind(key);
    return it == ids_.constEnd() ? nullptr : QAccessible::accessibleInterface(*it);
}

void AccessibleParts::remove(int key) {
    const auto it = ids_.find(key);
    if (it == ids_.end()) return;
    QAccessible::deleteAccessibleInterface(*it);
    ids_.erase(it);
}

void ReadOnlyText::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString ReadOnlyText::text(int startOffset, int endOffset) const {
    const QString all = wholeText();
    if (endOffset < 0 || endOffset > all.size()) endOffset = static_cast<int>(all.size());
    if (startOffset < 0 || startOffset > endOffset) return {};
    return all.mid(startOffset, endOffset - startOffset);
}

QString ReadOnlyText::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void notifyPart(QAccessibleInterface* part, QAccessible::Event type) {
    if (!part || !QAccessible::isActive()) return;
    QAccessibleEvent event(part, type);
    QAccessible::updateAccessibility(&event);
}

}  // namespace dozudo
