#include "help/help_box_accessible.h"

#include <QPointer>
#include <QTimer>

namespace dozudo {

// ---- the text box ----

THelpBoxAccessible::THelpBoxAccessible(THelpBox* box) : QAccessibleWidget(box, QAccessible::Document) {}

TinfoForm* THelpBoxAccessible::form() const { return qobject_cast<TinfoForm*>(widget()->parentWidget()); }

QString THelpBoxAccessible::wholeText() const {
    TinfoForm* f = form();
    return f ? f->pageLines().join('\n') : QString();
}

QList<int> THelpBoxAccessible::linkLines() const {
    QList<int> lines;
    if (TinfoForm* f = form())
        for (int line = 1; line < helpLinesPerPage; ++line)
            if (f->pages.linkPage[line] != 0) lines.append(line);
    return lines;
}

QAccessibleInterface* THelpBoxAccessible::link(int line) const {
    return parts_.get(line, [&] { return new THelpLinkAccessible(static_cast<THelpBox*>(widget()), line); });
}

void THelpBoxAccessible::pageDrawn() {
    TinfoForm* f = form();
    if (!f || f->pages.helpPage == toldPage_) return;
    toldPage_ = f->pages.helpPage;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    const QString now = wholeText();
    QAccessibleTextUpdateEvent text(this, 0, toldText_, now);
    QAccessible::updateAccessibility(&text);
    toldText_ = now;
    // The links of the old page go, those of the new one come.
    for (int line : std::as_const(toldLinks_)) {
        notifyPart(parts_.find(line), QAccessible::ObjectDestroyed);
        parts_.remove(line);
    }
    toldLinks_ = linkLines();
    for (int line : std::as_const(toldLinks_)) notifyPart(link(line), QAccessible::ObjectCreated);
}

QString THelpBoxAccessible::text(QAccessible::Text t) const {
    const QString own = QAccessibleWidget::text(t);
    TinfoForm* f = form();
    if (!own.isEmpty() || !f) return own;
    switch (t) {
        case QAccessible::Name: return QStringLiteral("page %1 of %2").arg(f->pages.helpPage).arg(f->pages.pageCount);
        case QAccessible::Description: return f->subTitle->text();
        default: return {};
    }
}

QAccessible::State THelpBoxAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    return s;
}

QAccessibleInterface* THelpBoxAccessible::child(int index) const {
    const QList<int> lines = linkLines();
    return index >= 0 && index < lines.size() ? link(lines[index]) : nullptr;
}

int THelpBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* l = dynamic_cast<const THelpLinkAccessible*>(child);
    if (!l || l->owner() != widget()) return -1;
    return static_cast<int>(linkLines().indexOf(l->line()));
}

QAccessibleInterface* THelpBoxAccessible::childAt(int x, int y) const {
    for (int line : linkLines()) {
        QAccessibleInterface* l = link(line);
        if (l->rect().contains(x, y)) return l;
    }
    return nullptr;
}

void* THelpBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QRect THelpBoxAccessible::characterRect(int offset) const {
    // The band of the character's text line.
    TinfoForm* f = form();
    if (!f) return {};
    const int line = static_cast<int>(wholeText().left(offset).count('\n')) + 1;
    return QRect(widget()->mapToGlobal(f->lineRect(line).topLeft()), f->lineRect(line).size());
}

int THelpBoxAccessible::offsetAtPoint(const QPoint& point) const {
    // The start of the text line under the point.
    TinfoForm* f = form();
    if (!f) return -1;
    const int line = widget()->mapFromGlobal(point).y() / f->heights.normalHeight;
    const QStringList lines = f->pageLines();
    int offset = 0;
    for (int i = 1; i < line && i <= lines.size(); ++i) offset += static_cast<int>(lines[i - 1].size()) + 1;
    return std::min(offset, characterCount());
}

// ---- a link line ----

TinfoForm* THelpLinkAccessible::form() const {
    return owner() ? qobject_cast<TinfoForm*>(owner()->parentWidget()) : nullptr;
}

QString THelpLinkAccessible::text(QAccessible::Text t) const {
    TinfoForm* f = form();
    if (!f) return {};
    if (t == QAccessible::Name) {
        const QStringList lines = f->pageLines();
        return line_ <= lines.size() ? lines[line_ - 1].simplified() : QString();
    }
    if (t == QAccessible::Description) return QStringLiteral("page %1").arg(f->pages.linkPage[line_]);
    return {};
}

QAccessible::State THelpLinkAccessible::state() const {
    QAccessible::State s;
    s.invalid = !form();
    s.invisible = !owner() || !owner()->isVisible();
    s.linked = true;
    return s;
}

void* THelpLinkAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

void THelpLinkAccessible::doAction(const QString& actionName) {
    if (actionName != pressAction() || !form()) return;
    // After the screen reader's call has returned, as a click would come.
    QPointer<TinfoForm> f = form();
    const int line = line_;
    QTimer::singleShot(0, f, [f, line] {
        if (f) f->clickLine(line);
    });
}

QRect THelpLinkAccessible::localRect() const { return form() ? form()->lineRect(line_) : QRect(); }

// ---- the window ----

QList<QWidget*> TinfoFormAccessible::shownChildren() const {
    QList<QWidget*> shown;
    for (QObject* o : widget()->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isWindow() && !w->isHidden()) shown.append(w);
    }
    return shown;
}

QAccessibleInterface* TinfoFormAccessible::child(int index) const {
    const QList<QWidget*> shown = shownChildren();
    return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index]) : nullptr;
}

int TinfoFormAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child) return -1;
    return static_cast<int>(shownChildren().indexOf(qobject_cast<QWidget*>(child->object())));
}

// ---- events and the factory ----

void notifyHelpPageDrawn(THelpBox* box) {
    if (!QAccessible::isActive()) return;
    if (auto* iface = dynamic_cast<THelpBoxAccessible*>(QAccessible::queryAccessibleInterface(box)))
        iface->pageDrawn();
}

namespace {

QAccessibleInterface* helpBoxFactory(const QString& key, QObject* object) {
    if (key == QLatin1String(THelpBox::staticMetaObject.className()))
        return new THelpBoxAccessible(static_cast<THelpBox*>(object));
    if (key == QLatin1String(TinfoForm::staticMetaObject.className()))
        return new TinfoFormAccessible(static_cast<TinfoForm*>(object));
    return nullptr;
}

}  // namespace

void installHelpBoxAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(helpBoxFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace dozudo
