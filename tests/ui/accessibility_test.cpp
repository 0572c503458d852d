// The window as a screen reader meets it, through Qt's accessibility interfaces (offscreen):
// names, roles and states of the painted controls, their press actions, the focused field and
// the status line's announcement. The offscreen platform has no accessibility bus, so the
// events a screen reader gets are tested end to end (tests/e2e/test_accessibility.sh).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>

#include "game/captions.h"
#include "help/info_form.h"
#include "tests/ui/window_fixture.h"

namespace dozudo {
namespace {

using namespace uitest;

QStringList childNames(QAccessibleInterface* parent) {
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i) names << parent->child(i)->text(QAccessible::Name);
    return names;
}

QAccessibleInterface* childNamed(QObject* control, const QString& name) {
    QAccessibleInterface* parent = QAccessible::queryAccessibleInterface(control);
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(QAccessible::Name) == name) return parent->child(i);
    return nullptr;
}

void press(QAccessibleInterface* part) {
    ASSERT_NE(part, nullptr);
    part->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ShownWindow::settle();
}

class Accessibility : public ::testing::Test {
  protected:
    void SetUp() override { win = std::make_unique<ShownWindow>(allScales[1]); }
    TForm1& w() { return win->w(); }
    QAccessibleInterface* command(const char* name) { return childNamed(w().ZelArrayBtn1, name); }
    QAccessibleInterface* analysis(const char* name) { return childNamed(w().ZelArrayBtn2, name); }
    QAccessibleInterface* cell(int column, int row) {
        return QAccessible::queryAccessibleInterface(w().PaintBox1)->tableInterface()->cellAt(row - 1, column - 1);
    }
    void type(const char* keys) {
        QTest::keyClicks(&w(), keys);
        ShownWindow::settle();
    }

    std::unique_ptr<ShownWindow> win;
};

TEST_F(Accessibility, CommandBarButtonsReadTheirCaptionsHoverTextsAndKeys) {
    struct Row {
        const char *name, *description, *keys;
        bool checkable;
    };
    const Row rows[] = {
        {"open", "open puzzle from disc", "Ctrl+O", true},
        {"save", "save puzzle to disc", "Ctrl+S", true},
        {"clipbrd", "paste puzzle from clipboard", "", true},
        {"erase board", "erase puzzle", "", false},
        {"enter puzzle", "enter digits of new puzzle", "", true},
        {"restore puzzle", "restore the original puzzle", "", false},
        {"search", "search for a solution", "", true},
        {"help info", "show help documentation", "F1", true},
    };
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w().ZelArrayBtn1);
    ASSERT_EQ(bar->childCount(), 8);
    for (int i = 0; i < 8; ++i) {
        QAccessibleInterface* b = bar->child(i);
        const Row& r = rows[i];
        EXPECT_EQ(b->text(QAccessible::Name), r.name);
        EXPECT_EQ(b->role(), r.checkable ? QAccessible::CheckBox : QAccessible::Button) << r.name;
        EXPECT_EQ(b->text(QAccessible::Description), r.description) << r.name;
        EXPECT_EQ(b->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()).join(""),
                  r.keys) << r.name;
        EXPECT_EQ(b->state().checkable, r.checkable) << r.name;
        EXPECT_EQ(bar->indexOfChild(b), i);
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w().ZelArrayBtn2)->childCount(), 0) << "all hidden at start";
}

TEST_F(Accessibility, PressActionsClickAndOnlyVisibleButtonsAreInTheTree) {
    struct Step {
        TZelArrayBtn* bar;
        const char* button;
        const char* typed;
        QStringList analysisColumn;
        bool checked;  // the pressed button afterwards
    };
    const Step steps[] = {
        {w().ZelArrayBtn1, "enter puzzle", "53", {}, true},
        {w().ZelArrayBtn1, "search", "", {"show options", "take back"}, true},
        {w().ZelArrayBtn2, "show options", "", {"show options", "hints", "reduction", "take back"}, true},
        {w().ZelArrayBtn2, "hints", "", {"show options", "hints", "fill digit", "fill all", "reduction", "take back"}, true},
        {w().ZelArrayBtn2, "show options", "", {"show options", "take back"}, false},
    };
    for (const Step& s : steps) {
        press(childNamed(s.bar, s.button));
        type(s.typed);
        EXPECT_EQ(childNames(QAccessible::queryAccessibleInterface(w().ZelArrayBtn2)), s.analysisColumn) << s.button;
        EXPECT_EQ(childNamed(s.bar, s.button)->state().checked, s.checked) << s.button;
    }
    EXPECT_EQ(w().game().gameState, gsSolving);
    EXPECT_EQ(cell(2, 1)->text(QAccessible::Value), "3");
    EXPECT_FALSE(command("enter puzzle")->state().checked) << "released by search";
    // While the options are shown, an empty field reads them.
    press(analysis("show options"));
    QAccessibleTextInterface* shown = cell(3, 1)->textInterface();
    EXPECT_EQ(shown->text(0, shown->characterCount()), "empty, options 1 2 4 6 7 8 9");
    EXPECT_EQ(cell(3, 1)->text(QAccessible::Description), "") << "said once, in the text";
    EXPECT_EQ(cell(1, 1)->text(QAccessible::Description), "puzzle digit");
}

TEST_F(Accessibility, TheSelectedFieldIsTheFocusedCellAndItsDigitIsTold) {
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(w().PaintBox1);
    EXPECT_EQ(board->role(), QAccessible::Table);
    EXPECT_EQ(board->tableInterface()->rowCount(), 9);
    EXPECT_EQ(board->childCount(), 81);
    press(command("enter puzzle"));
    EXPECT_TRUE(cell(1, 1)->state().focused);
    EXPECT_EQ(board->focusChild(), cell(1, 1));
    QTest::keyClick(&w(), Qt::Key_Down);
    EXPECT_TRUE(cell(1, 2)->state().focused);
    EXPECT_FALSE(cell(1, 1)->state().focused);
    type("7");
    EXPECT_EQ(cell(1, 2)->text(QAccessible::Value), "7");
    EXPECT_EQ(cell(1, 2)->text(QAccessible::Description), "puzzle digit");
    EXPECT_EQ(board->focusChild(), cell(2, 2)) << "moved on";
    EXPECT_EQ(board->tableInterface()->selectedCells(), QList<QAccessibleInterface*>{cell(2, 2)});
}

TEST_F(Accessibility, ReviewReadsTheFieldsAsShownWithTheirRowAndColumnHeaders) {
    press(command("enter puzzle"));
    type("53");
    QAccessibleInterface* five = cell(1, 1);
    QAccessibleTextInterface* text = five->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()), "5");
    // The digit lies on its field, where review looks for it.
    EXPECT_EQ(text->characterRect(0), five->rect());
    EXPECT_EQ(text->offsetAtPoint(five->rect().center()), 0);
    QAccessibleTableCellInterface* place = cell(3, 2)->tableCellInterface();
    ASSERT_EQ(place->rowHeaderCells().size(), 1);
    EXPECT_EQ(place->rowHeaderCells()[0]->text(QAccessible::Name), "row 2");
    EXPECT_EQ(place->columnHeaderCells()[0]->text(QAccessible::Name), "column 3");
    EXPECT_EQ(place->columnHeaderCells()[0]->role(), QAccessible::ColumnHeader);
    // With the keyboard in the command bar the selected field is not the focused object.
    EXPECT_TRUE(cell(3, 1)->state().focused);
    w().ZelArrayBtn1->setFocus();
    EXPECT_FALSE(cell(3, 1)->state().focused);
    EXPECT_TRUE(cell(3, 1)->state().selected);
}

TEST_F(Accessibility, TheStatusLineAnnouncesNewMessagesButNotHoverTexts) {
    QAccessibleInterface* line = QAccessible::queryAccessibleInterface(w().StaticText1);
    EXPECT_EQ(line->role(), QAccessible::StatusBar);
    ASSERT_EQ(line->childCount(), 1);
    EXPECT_EQ(line->child(0)->role(), QAccessible::Notification);
    press(command("enter puzzle"));
    type("5");
    press(command("search"));
    type(" 5");
    const QString conflict = "5 allready present in row 1";
    EXPECT_EQ(line->text(QAccessible::Name), conflict);
    EXPECT_EQ(line->child(0)->text(QAccessible::Name), conflict);
    const QPoint over = w().ZelArrayBtn1->GetBtnRect(cmdOpen).toQRect().center();
    QTest::mouseMove(w().ZelArrayBtn1, over);
    ShownWindow::settle();
    EXPECT_EQ(line->text(QAccessible::Name), "open puzzle from disc");
    EXPECT_EQ(line->child(0)->text(QAccessible::Name), conflict) << "hover texts are not announced";
}

TEST_F(Accessibility, PrintPagePositionsSayWhetherTheyHoldAPuzzle) {
    QAccessibleInterface* top = childNamed(w().ZelArrayBtn3, "top of printpage");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->text(QAccessible::Description), "empty");
    press(top);
    EXPECT_TRUE(top->state().checked);
    EXPECT_EQ(top->text(QAccessible::Description), "holds a puzzle");
    EXPECT_EQ(w().StaticText1->text(), "added puzzle at top of printpage");
    EXPECT_EQ(childNamed(w().ZelArrayBtn3, "bottom of printpage")->text(QAccessible::Description), "empty");
    // The print page's own Qt controls keep their names.
    const std::pair<QWidget*, const char*> named[] = {
        {w().printbtn, "print"}, {w().erasebtn, "erase"}, {w().setupbtn, "printer setup"}, {w().optionsbox, "show options"}};
    for (const auto& [widget, name] : named)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
}

TEST_F(Accessibility, HelpPageReadsAsTextWithLinksToTheirPages) {
    TinfoForm form(50);
    form.show();
    ShownWindow::settle();
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(form.helpbox);
    const QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(&form);
    for (int i = 0; i < dialog->childCount(); ++i)
        EXPECT_NE(dialog->child(i)->role(), QAccessible::List) << "the stored lines stay hidden";
    EXPECT_EQ(page->text(QAccessible::Name), "page 1 of 9");
    EXPECT_TRUE(page->textInterface()->text(0, -1).startsWith("Welcome to DOZUDO, the Sudoku helper.\n\nThe board"));
    ASSERT_EQ(page->childCount(), 9);
    EXPECT_EQ(page->child(2)->role(), QAccessible::Link);
    EXPECT_EQ(page->child(2)->text(QAccessible::Name), "3. Solving - search and the rule check");
    press(page->child(2));
    EXPECT_EQ(form.pageNrDisplay->text(), "3");
    EXPECT_EQ(page->text(QAccessible::Name), "page 3 of 9");
    EXPECT_EQ(page->text(QAccessible::Description), "Solving and the rule check");
    EXPECT_EQ(childNames(page), (QStringList{"4 - next: page 4, Options and hints", "1 - back to page 1: Contents"}));
}

}  // namespace
}  // namespace dozudo
