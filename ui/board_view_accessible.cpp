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

QAccessibleInterface* TBoardViewAccessible::header(QAccessible::Role role, int n) const {
    if (n < 1 || n > 9) return nullptr;
    const int key = (role == QAccessible::RowHeader ? 100 : 200) + n;
    return parts_.get(key, [&] { return new TBoardHeaderAccessible(view(), role, n); });
}

bool TBoardViewAccessible::hasKeyboard() const {
    const QWidget* focus = view()->window()->focusWidget();
    return !focus || focus == view()->window();
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
        // Who placed the digit; an empty field's options are in its text already.
        case QAccessible::Description:
            return g && g->board.digit(column_, row_) != 0 ? fromStd(fieldDescription(*g, column_, row_)) : QString();
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
    s.selected = isSelectedField();
    const auto* board = dynamic_cast<TBoardViewAccessible*>(parent());
    s.focused = s.selected && board && board->hasKeyboard();
    return s;
}

QList<QAccessibleInterface*> TBoardCellAccessible::columnHeaderCells() const {
    const auto* board = dynamic_cast<TBoardViewAccessible*>(parent());
    return board ? QList<QAccessibleInterface*>{board->header(QAccessible::ColumnHeader, column_)} : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> TBoardCellAccessible::rowHeaderCells() const {
    const auto* board = dynamic_cast<TBoardViewAccessible*>(parent());
    return board ? QList<QAccessibleInterface*>{board->header(QAccessible::RowHeader, row_)} : QList<QAccessibleInterface*>{};
}

QString TBoardCellAccessible::wholeText() const {
    const Game* g = view() ? view()->game() : nullptr;
    return g ? fromStd(fieldText(*g, column_, row_)) : QString();
}

QRect TBoardCellAccessible::characterRect(int offset) const {
    // The field's width shared out among the characters, on one line.
    const int n = characterCount();
    if (offset < 0 || offset >= n) return {};
    const QRect field = rect();
    const int left = field.left() + field.width() * offset / n;
    const int right = field.left() + field.width() * (offset + 1) / n;
    return QRect(left, field.top(), std::max(right - left, 1), field.height());
}

int TBoardCellAccessible::offsetAtPoint(const QPoint& point) const {
    const QRect field = rect();
    if (!field.contains(point) || characterCount() == 0) return -1;
    return (point.x() - field.left()) * characterCount() / field.width();
}

// ---- headers ----

QString TBoardHeaderAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name) return {};
    return QStringLiteral("%1 %2").arg(role_ == QAccessible::RowHeader ? "row" : "column").arg(n_);
}

QAccessible::State TBoardHeaderAccessible::state() const {
    QAccessible::State s;
    s.invalid = !owner();
    s.invisible = !owner() || !owner()->isVisible();
    s.readOnly = true;
    return s;
}

QRect TBoardHeaderAccessible::localRect() const {
    // The number the window draws beside the row or above the column.
    const int cs = owner() ? static_cast<TBoardView*>(owner())->cellSize() : 0;
    if (role_ == QAccessible::RowHeader) return QRect(-cs, (n_ - 1) * cs, cs, cs);
    return QRect((n_ - 1) * cs, -cs, cs, cs);
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
    // One event a changed digit: a screen reader hears the new value of the field it is on. The
    // rest (text, options) is read when asked; every event more is one more a screen reader has
    // to work through while the user types.
    TBoardViewAccessible* board = boardInterface(view);
    if (!board) return;
    auto* cell = static_cast<TBoardCellAccessible*>(board->field(column, row));
    const QString now = cell->value();
    if (now == cell->toldValue) return;
    QAccessibleValueChangeEvent digit(cell, cell->currentValue());
    QAccessible::updateAccessibility(&digit);
    cell->toldValue = now;
}

void notifyFieldSelected(TBoardView* view, int column, int row, bool again) {
    TBoardViewAccessible* board = boardInterface(view);
    if (!board || (!again && board->toldColumn == column && board->toldRow == row)) return;
    // With the keyboard in a command bar the selection moves without taking the focus; the
    // field is told when the keyboard comes back to the board.
    if (!board->hasKeyboard()) {
        board->toldColumn = board->toldRow = 0;
        return;
    }
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
