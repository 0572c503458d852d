#pragma once
// The board view as a screen reader meets it: a table of 9 x 9 cells. A cell is named by its
// place ("row 3 column 5"), its text is its digit or "empty", and its description says who
// placed the digit or, while the options are shown, the options of an empty field. The
// selected field is the focused cell.

#include <QAccessibleTableCellInterface>
#include <QAccessibleTableInterface>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "ui/board_view.h"
#include "widgets/accessible_part.h"

namespace dozudo {

class TBoardViewAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit TBoardViewAccessible(TBoardView* view);

    TBoardView* view() const;
    const Game* game() const;
    // The cell of field (column, row), both 1..9.
    QAccessibleInterface* field(int column, int row) const;
    // The header of row or column n (1..9), named "row n" or "column n".
    QAccessibleInterface* header(QAccessible::Role role, int n) const;
    // The keyboard is on the board (the window has it itself, not a command bar).
    bool hasKeyboard() const;

    QString text(QAccessible::Text t) const override;
    int childCount() const override { return 81; }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;
    // One action, "next step", as the key N: it names the next step while solving with the
    // options shown, and does nothing otherwise.
    QStringList actionNames() const override;
    QString localizedActionDescription(const QString& name) const override;
    void doAction(const QString& name) override;

    // Table: rows and columns counted from 0 as Qt does; the selected field is the one
    // selected cell.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return 9; }
    int rowCount() const override { return 9; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // The field last told as focused; 0 = none, so that the next selection is told again.
    int toldColumn = 0, toldRow = 0;

  private:
    mutable AccessibleParts parts_;
};

class TBoardCellAccessible : public AccessiblePart,
                             public QAccessibleTableCellInterface,
                             public ReadOnlyText,
                             public QAccessibleValueInterface {
  public:
    TBoardCellAccessible(TBoardView* view, int column, int row);

    int column() const { return column_; }
    int row() const { return row_; }
    bool isSelectedField() const;
    QString value() const;

    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // Table cell.
    bool isSelected() const override { return isSelectedField(); }
    // "row 3" and "column 5": a screen reader names the row or column it moves into.
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return column_ - 1; }
    int rowIndex() const override { return row_ - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // Text: what the field shows ("5", "empty", "empty, options 2 5 7"), each character on the
    // field, so that review reads the board as digits.
    using ReadOnlyText::text;
    QString wholeText() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    // Value: the digit, 0 for an empty field; digits are typed, not set.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 9; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

    // The value last told to a screen reader, to tell what a change replaced.
    QString toldValue;

  protected:
    QRect localRect() const override;

  private:
    TBoardView* view() const { return static_cast<TBoardView*>(owner()); }

    int column_, row_;
};

// The header of a row or column: its number beside or above the board.
class TBoardHeaderAccessible : public AccessiblePart {
  public:
    TBoardHeaderAccessible(TBoardView* view, QAccessible::Role role, int n) : AccessiblePart(view), role_(role), n_(n) {}
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override;

  protected:
    QRect localRect() const override;

  private:
    QAccessible::Role role_;
    int n_;
};

// Events for a listening screen reader, sent by the board view as it draws.
void notifyFieldChanged(TBoardView* view, int column, int row);
// A selection on the field already told as focused is told again only when asked (the window
// got the keyboard back).
void notifyFieldSelected(TBoardView* view, int column, int row, bool again = false);
void notifyBoardRepainted(TBoardView* view);

// Makes Qt use the interfaces above for the board view (once; the view's constructor calls it).
void installBoardViewAccessibility();

}  // namespace dozudo
