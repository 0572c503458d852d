#include "ui/board_view_accessible.h"

#include "game/field_texts.h"

namespace dozudo {

namespace {

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// ---- the table ----

TBoardViewAccessible::TBoardViewAccessible(TBoardView* view) : QAccessibleWidget(view, QAccessible::Table) {}

TBoardView* TBoardViewAccessible::view() const { return static_cast<TBoardView*>(widget()); }

const Game* TBoardViewAccessible::game() const { return view()->game(); }

QAccessibleInterface* TBoardViewAccessible::field(int column, int row) const {
    if (column < 1 || column > 9 || row < 1 || row > 9) return nullptr;
    const int key = (row - 1) * 9 + column - 1;
    return parts_.get(key, [&] { return new TBoardCellAccessible(view(), column, row); });
}

QString TBoardViewAccessible::text(QAccessible::Text t) const {
    const QString own = QAccessibleWidget::text(t);
    return t == QAccessible::Name && own.isEmpty() ? QStringLiteral("board") : own;
}

QAccessibleInterface* TBoardViewAccessible::child(int index) const {
    if (index < 0 || index >= 81) return nullptr;
    return field(index % 9 + 1, index / 9 + 1);
}

int TBoardViewAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = dynamic_cast<const TBoardCellAccessible*>(child);
    if (!cell || cell->owner() != view()) return -1;
    return (cell->row() - 1) * 9 + cell->column() - 1;
}

QAccessibleInterface* TBoardViewAccessible::childAt(int x, int y) const {
    const QPoint p = view()->mapFromGlobal(QPoint(x, y));
    if (!view()->rect().contains(p)) return nullptr;
    return field(TBoardView::fieldAt(p.x(), view()->cellSize()), TBoardView::fieldAt(p.y(), view()->cellSize()));
}

QAccessibleInterface* TBoardViewAccessible::focusChild() const {
    const Game* g = game();
    return g && g->selColumn != 0 ? field(g->selColumn, g->selRow) : nullptr;
}

void* TBoardViewAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QStringList TBoardViewAccessible::actionNames() const { return {QStringLiteral("next step")}; }

QString TBoardViewAccessible::localizedActionDescription(const QString& name) const {
    return name == QLatin1String("next step") ? QStringLiteral("name the next logical step") : QString();
}

void TBoardViewAccessible::doAction(const QString& name) {
    if (name == QLatin1String("next step") && view()->onNextStep) view()->onNextStep();
}

QAccessibleInterface* TBoardViewAccessible::cellAt(int row, int column) const { return field(column + 1, row + 1); }

int TBoardViewAccessible::selectedCellCount() const { return focusChild() ? 1 : 0; }

QList<QAccessibleInterface*> TBoardViewAccessible::selectedCells() const {
    if (QAccessibleInterface* cell = focusChild()) return {cell};
    return {};
}

QString TBoardViewAccessible::columnDescription(int column) const {
    return QStringLiteral("column %1").arg(column + 1);
}

QString TBoardViewAccessible::rowDescription(int row) const { return QStringLiteral("row %1").arg(row + 1); }

// ---- one cell ----

TBoardCellAccessible::TBoardCellAccessible(TBoardView* view, int column, int row)
    : AccessiblePart(view), column_(column), row_(row) {
    toldValue = value();
}

bool TBoardCellAccessible::isSelectedField() const {
    const Game* g = view() ? view()->game() : nullptr;
    return g && g->selColumn == column_ && g->selRow == row_;
}

QString TBoardCellAccessible::value() const {
    const Game* g = view() ? view()->game() : nullptr;
    return g ? fromStd(fieldValue(*g, column_, row_)) : QString();
}

QString TBoardCellAccessible::text(QAccessible::Text t) const {
    const Game* g = view() ? view()->game() : nullptr;
    switch (t) {
        case QAccessible::Name: return fromStd(fieldName(column_, row_));
        case QAccessible::Value: return value();
        case QAccessible::Description: return g ? fromStd(fieldDescription(*g, column_, row_)) : QString();
        default: return {};
    }
}

QAccessible::State TBoardCellAccessible::state() const {
    QAccessible::State s;
    if (!view()) {
        s.invalid = true;
        return s;
    }
    s.invisible = !view()->isVisible();
    s.focusable = true;
    s.selectable = true;
    s.focused = s.selected = isSelectedField();
    return s;
}

void* TBoardCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return nullptr;
}

QVariant TBoardCellAccessible::currentValue() const {
    const Game* g = view() ? view()->game() : nullptr;
    return g ? g->board.digit(column_, row_) : 0;
}

QRect TBoardCellAccessible::localRect() const {
    return view() ? view()->fieldRect(column_, row_).toQRect() : QRect();
}

// ---- events and the factory ----

namespace {

TBoardViewAccessible* boardInterface(TBoardView* view) {
    if (!QAccessible::isActive()) return nullptr;
    return dynamic_cast<TBoardViewAccessible*>(QAccessible::queryAccessibleInterface(view));
}

QAccessibleInterface* boardViewFactory(const QString& key, QObject* object) {
    if (key == QLatin1String(TBoardView::staticMetaObject.className()))
        return new TBoardViewAccessible(static_cast<TBoardView*>(object));
    return nullptr;
}

}  // namespace

void notifyFieldChanged(TBoardView* view, int column, int row) {
    TBoardViewAccessible* board = boardInterface(view);
    if (!board) return;
    auto* cell = static_cast<TBoardCellAccessible*>(board->field(column, row));
    const QString now = cell->value();
    if (now != cell->toldValue) {
        QAccessibleTextUpdateEvent text(cell, 0, cell->toldValue, now);
        QAccessible::updateAccessibility(&text);
        QAccessibleValueChangeEvent digit(cell, cell->currentValue());
        QAccessible::updateAccessibility(&digit);
        cell->toldValue = now;
    }
    notifyPart(cell, QAccessible::DescriptionChanged);
}

void notifyFieldSelected(TBoardView* view, int column, int row, bool again) {
    TBoardViewAccessible* board = boardInterface(view);
    if (!board || (!again && board->toldColumn == column && board->toldRow == row)) return;
    board->toldColumn = column;
    board->toldRow = row;
    notifyPart(board->field(column, row), QAccessible::Focus);
}

void notifyBoardRepainted(TBoardView* view) {
    TBoardViewAccessible* board = boardInterface(view);
    if (!board) return;
    for (int i = 0; i < 81; ++i) {
        auto* cell = static_cast<TBoardCellAccessible*>(board->child(i));
        cell->toldValue = cell->value();
    }
    QAccessibleTableModelChangeEvent event(board, QAccessibleTableModelChangeEvent::DataChanged);
    event.setFirstRow(0);
    event.setLastRow(8);
    event.setFirstColumn(0);
    event.setLastColumn(8);
    QAccessible::updateAccessibility(&event);
}

void installBoardViewAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(boardViewFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace dozudo
