#include "widgets/button_array_accessible.h"

#include <QTimer>

namespace dozudo {

namespace {

bool isVisibleBtn(const TZelArrayBtn* control, std::uint8_t nr) {
    return nr < control->buttonCount() && control->GetBtnStatus(nr) != stHidden;
}

bool staysDown(const TZelArrayBtn* control, std::uint8_t nr) {
    return control->GetBtnMode(nr) != bmPush;
}

}  // namespace

// ---- the control ----

TZelArrayBtnAccessible::TZelArrayBtnAccessible(TZelArrayBtn* control)
    : QAccessibleWidget(control, QAccessible::Grouping) {}

TZelArrayBtn* TZelArrayBtnAccessible::control() const { return static_cast<TZelArrayBtn*>(widget()); }

int TZelArrayBtnAccessible::childCount() const {
    int n = 0;
    for (int i = 0; i < control()->buttonCount(); ++i) n += isVisibleBtn(control(), static_cast<std::uint8_t>(i));
    return n;
}

QAccessibleInterface* TZelArrayBtnAccessible::child(int index) const {
    if (index < 0) return nullptr;
    for (int i = 0; i < control()->buttonCount(); ++i) {
        const auto nr = static_cast<std::uint8_t>(i);
        if (isVisibleBtn(control(), nr) && index-- == 0) return button(nr);
    }
    return nullptr;
}

int TZelArrayBtnAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* b = dynamic_cast<const TZelArrayBtnButtonAccessible*>(child);
    if (!b || b->owner() != control() || !isVisibleBtn(control(), b->number())) return -1;
    int index = 0;
    for (std::uint8_t nr = 0; nr < b->number(); ++nr) index += isVisibleBtn(control(), nr);
    return index;
}

QAccessibleInterface* TZelArrayBtnAccessible::childAt(int x, int y) const {
    const QPoint p = control()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < control()->buttonCount(); ++i) {
        const auto nr = static_cast<std::uint8_t>(i);
        if (isVisibleBtn(control(), nr) && control()->GetBtnRect(nr).toQRect().contains(p)) return button(nr);
    }
    return nullptr;
}

QAccessibleInterface* TZelArrayBtnAccessible::focusChild() const {
    return control()->hasFocus() ? button(control()->FocusBtn()) : nullptr;
}

QAccessibleInterface* TZelArrayBtnAccessible::button(std::uint8_t BtnNr) const {
    if (BtnNr >= control()->buttonCount()) return nullptr;
    return parts_.get(BtnNr, [&] { return new TZelArrayBtnButtonAccessible(control(), BtnNr); });
}

void TZelArrayBtnAccessible::buttonShown(std::uint8_t BtnNr) {
    parts_.remove(BtnNr);
    notifyPart(button(BtnNr), QAccessible::ObjectCreated);
}

void TZelArrayBtnAccessible::buttonHidden(std::uint8_t BtnNr) {
    if (QAccessibleInterface* gone = parts_.find(BtnNr)) {
        notifyPart(gone, QAccessible::ObjectDestroyed);
        parts_.remove(BtnNr);
    }
}

// ---- one button ----

TZelArrayBtnButtonAccessible::TZelArrayBtnButtonAccessible(TZelArrayBtn* control, std::uint8_t BtnNr)
    : AccessiblePart(control), nr_(BtnNr) {}

TZelArrayBtn* TZelArrayBtnButtonAccessible::control() const { return static_cast<TZelArrayBtn*>(owner()); }

TBtnAccessibleText TZelArrayBtnButtonAccessible::texts() const {
    if (!control() || !control()->onBtnText) return {};
    return control()->onBtnText(control(), nr_);
}

QString TZelArrayBtnButtonAccessible::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Name: return texts().name;
        case QAccessible::Description: return texts().description;
        case QAccessible::Accelerator: return texts().shortcut;
        default: return {};
    }
}

QAccessible::Role TZelArrayBtnButtonAccessible::role() const {
    return control() && staysDown(control(), nr_) ? QAccessible::CheckBox : QAccessible::Button;
}

QAccessible::State TZelArrayBtnButtonAccessible::state() const {
    QAccessible::State s;
    if (!control()) {
        s.invalid = true;
        return s;
    }
    const TBtnStatus status = control()->GetBtnStatus(nr_);
    s.invisible = status == stHidden || !control()->isVisible();
    s.disabled = !control()->isEnabled();
    s.pressed = status == stDown;
    s.focusable = status != stHidden;
    s.focused = status != stHidden && control()->hasFocus() && control()->FocusBtn() == nr_;
    if (staysDown(control(), nr_)) {
        s.checkable = true;
        s.checked = status == stDown;
    }
    return s;
}

void* TZelArrayBtnButtonAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList TZelArrayBtnButtonAccessible::actionNames() const { return {pressAction()}; }

void TZelArrayBtnButtonAccessible::doAction(const QString& actionName) {
    if (actionName != pressAction() || !control()) return;
    QPointer<TZelArrayBtn> target = control();
    const std::uint8_t nr = nr_;
    QTimer::singleShot(0, target, [target, nr] {
        if (target) target->ClickBtn(nr);
    });
}

QStringList TZelArrayBtnButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    const QString key = texts().shortcut;
    if (actionName != pressAction() || key.isEmpty()) return {};
    return {key};
}

QRect TZelArrayBtnButtonAccessible::localRect() const {
    return control() ? control()->GetBtnRect(nr_).toQRect() : QRect();
}

// ---- events and the factory ----

void notifyBtnStatus(TZelArrayBtn* control, std::uint8_t BtnNr, TBtnStatus before, TBtnStatus after) {
    if (!QAccessible::isActive()) return;
    auto* iface = dynamic_cast<TZelArrayBtnAccessible*>(QAccessible::queryAccessibleInterface(control));
    if (!iface) return;
    if (after == stHidden) {
        iface->buttonHidden(BtnNr);
    } else if (before == stHidden) {
        iface->buttonShown(BtnNr);
    } else {
        QAccessible::State changed;
        changed.pressed = true;
        changed.checked = staysDown(control, BtnNr);
        QAccessibleStateChangeEvent event(iface->button(BtnNr), changed);
        QAccessible::updateAccessibility(&event);
    }
}

void notifyBtnFocus(TZelArrayBtn* control, std::uint8_t BtnNr) {
    if (!QAccessible::isActive()) return;
    QPointer<TZelArrayBtn> target = control;
    QTimer::singleShot(0, control, [target, BtnNr] {
        if (!target || !target->hasFocus() || target->FocusBtn() != BtnNr) return;
        auto* iface = dynamic_cast<TZelArrayBtnAccessible*>(QAccessible::queryAccessibleInterface(target));
        if (iface) notifyPart(iface->button(BtnNr), QAccessible::Focus);
    });
}

namespace {

QAccessibleInterface* buttonArrayFactory(const QString& key, QObject* object) {
    if (key == QLatin1String(TZelArrayBtn::staticMetaObject.className()))
        return new TZelArrayBtnAccessible(static_cast<TZelArrayBtn*>(object));
    return nullptr;
}

}  // namespace

void installButtonArrayAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(buttonArrayFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace dozudo
