// The print page's core: stored copies of the board, the options printed from a slot, and the
// print command's course (page-width check, what goes to the printer in which order, messages
// and printer failures) on a recording printer.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "print/core/print_file_name.h"
#include "print/core/print_page.h"
#include "print/core/print_sheet.h"
#include "tests/core/fakes.h"

namespace dozudo {
namespace {

using test::boardFrom;

struct Status : StatusLineView {
    std::string text;
    Rgb colour;
    int shown = 0;
    void showStatusLine(const std::string& t, Rgb c) override {
        text = t;
        colour = c;
        ++shown;
    }
};

// Records the fills and texts of a print job as "fill x,y" and "text x,y <text>".
struct RecordingPrinter : Printer, PrintCanvas {
    int width = 2400, height = 3300;
    bool beginFails = false, endFails = false;
    std::vector<std::string> log;

    int PageWidth() override { return width; }
    int PageHeight() override { return height; }
    PrintCanvas& Canvas() override { return *this; }
    bool BeginDoc() override {
        log.push_back("begin");
        return !beginFails;
    }
    bool EndDoc() override {
        log.push_back("end");
        return !endFails;
    }
    std::string failure() const override { return "printing failed: the printer said no"; }

    void setPenWidth(int) override {}
    void setPenColor(Rgb) override {}
    void setBrushColor(Rgb) override {}
    void setBrushClear() override {}
    void setFontName(const std::string&) override {}
    void setFontHeight(int) override {}
    void setFontColor(Rgb) override {}
    void setFontBold(bool) override {}
    void FillRect(int left, int top, int, int) override {
        log.push_back("fill " + std::to_string(left) + "," + std::to_string(top));
    }
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void TextOut(int x, int y, const std::string& text) override {
        log.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + text);
    }
    int count(const std::string& prefix) const {
        int n = 0;
        for (const auto& l : log) n += l.rfind(prefix, 0) == 0;
        return n;
    }
};

TEST(PrintPage, SlotsKeepTheBoardAsItWasWhenAdded) {
    Status view;
    StatusLine status(&view);
    PrintPage page;
    Board board = boardFrom(test::validSolution());
    page.addPuzzle(0, board, status);
    EXPECT_EQ(view.text, "added puzzle at top of printpage");
    board.set(1, 1, 0, fkGiven);
    EXPECT_EQ(page.digit(0, 1, 1), 1) << "later changes of the board do not reach the slot";
    page.addPuzzle(1, Board{}, status);
    EXPECT_EQ(view.text, "added puzzle at bottom of printpage");
    EXPECT_EQ(page.printSlots[1], PrintSlot{}) << "an empty board is stored as it is";
    page.takeOutPuzzle(0, status);
    EXPECT_EQ(view.text, "erased puzzle at top of printpage");
    EXPECT_EQ(page.printSlots[0], PrintSlot{});
    page.addPuzzle(0, boardFrom(test::validSolution()), status);
    page.erasePage(status);
    EXPECT_EQ(view.text, "printer page erased");
    EXPECT_EQ(view.colour, statusColors[0]);
    EXPECT_EQ(page.printSlots, (std::array<PrintSlot, 2>{}));
}

TEST(PrintOptions, ComeFromTheSlotByRowColumnAndGroup) {
    struct Case {
        const char* name;
        std::string board;  // 81 characters
        int column, row;
        std::uint16_t options;
    };
    const std::string row1 = "12345678.";
    const Case cases[] = {
        {"single missing digit", row1 + std::string(72, '.'), 9, 1, 1u << 9},
        {"empty board: all nine", std::string(81, '.'), 5, 5, 1022},
        {"a digit twice in a row counts as missing again", "5...5...." + std::string(72, '.'), 9, 1,
         1022},
        {"full board: none", test::validSolution(), 3, 3, 0},
        {"column and group",
         "........."
         "........."
         "........."
         "........."
         "....7...."
         "........."
         "........."
         "........."
         "....3....",
         5, 1, static_cast<std::uint16_t>(1022 & ~(1u << 7) & ~(1u << 3))},
    };
    for (const Case& c : cases) {
        const Board b = boardFrom(c.board);
        PrintSlot slot{};
        for (int col = 1; col <= 9; ++col)
            for (int r = 1; r <= 9; ++r) slot[col - 1][r - 1] = b.digit(col, r);
        EXPECT_EQ(slotOptions(slot)[c.column - 1][c.row - 1], c.options) << c.name;
    }
}

class PrintCommand : public ::testing::Test {
  protected:
    void print(std::array<bool, 2> occupied, bool options = false) {
        printSheet(
            printer, page, [&](int slot) { return occupied[slot]; }, options, "host.example",
            status);
    }
    Status view;
    StatusLine status{&view};
    PrintPage page;
    RecordingPrinter printer;
};

TEST_F(PrintCommand, OnlyPageWidthsOf2400And4800AreAccepted) {
    for (int width : {2399, 2401, 4799, 4801, 0}) {
        printer.width = width;
        printer.log.clear();
        print({false, false});
        EXPECT_EQ(view.text, "unknown page format") << width;
        EXPECT_EQ(view.colour, statusColors[1]) << width;
        EXPECT_TRUE(printer.log.empty()) << width;
    }
    EXPECT_EQ(printScale(2400), 1);
    EXPECT_EQ(printScale(4800), 2);
}

TEST_F(PrintCommand, NothingOccupiedPrintsNothingAndSaysNothing) {
    print({false, false});
    EXPECT_EQ(view.shown, 0);
    EXPECT_TRUE(printer.log.empty());
}

TEST_F(PrintCommand, TopBoardThenBottomBoardThenTheCreditLineOnOneJob) {
    printer.width = 4800;
    printer.height = 6600;
    print({true, true});
    ASSERT_GE(printer.log.size(), 3u);
    EXPECT_EQ(printer.log.front(), "begin");
    EXPECT_EQ(printer.log.back(), "end");
    EXPECT_EQ(printer.count("begin"), 1);
    EXPECT_EQ(printer.log[1], "fill 900,200") << "top board first";
    const auto bottom = std::find(printer.log.begin(), printer.log.end(), "fill 900,3400");
    EXPECT_NE(bottom, printer.log.end());
    EXPECT_EQ(printer.log[printer.log.size() - 2],
              "text 400,6500 Vorlane Software        host.example");
    EXPECT_EQ(printer.count("fill"), 18);
    EXPECT_EQ(view.text, "puzzels send to printer");
    EXPECT_EQ(view.colour, statusColors[0]);
}

TEST_F(PrintCommand, APositionFreedMeanwhileIsNotPrinted) {
    int asked = 0;
    printSheet(
        printer, page, [&](int slot) { return slot == 0 && ++asked == 1; }, true, "h", status);
    EXPECT_EQ(printer.count("fill"), 0);
    EXPECT_EQ(printer.count("text"), 1) << "only the credit line";
}

TEST_F(PrintCommand, PrinterFailuresEndTheCommandInRed) {
    printer.beginFails = true;
    print({true, false});
    EXPECT_EQ(view.text, "printing failed: the printer said no");
    EXPECT_EQ(view.colour, statusColors[1]);
    EXPECT_EQ(printer.count("end"), 0);
    EXPECT_EQ(printer.count("fill"), 0);

    printer = RecordingPrinter{};
    printer.endFails = true;
    print({true, false});
    EXPECT_EQ(view.text, "printing failed: the printer said no");
    EXPECT_EQ(view.colour, statusColors[1]);
}

// Beyond dozudo-printpage.pdf, -2, -3 (tests/ui/print_page_test.cpp): which dot, the first gap.
TEST(PrintFileName, NumberedBeforeTheNamesLastDotAtTheFirstFreeNumber) {
    const std::set<std::string> taken{"/d/a.pdf", "/d/a-3.pdf", "/d/a.b.pdf", "/d.x/sheet"};
    const auto freeOf = [&](const char* path) {
        return freeFileName(path, [&](const std::string& p) { return taken.count(p) > 0; });
    };
    EXPECT_EQ(freeOf("/d/a.pdf"), "/d/a-2.pdf");
    EXPECT_EQ(freeOf("/d/a.b.pdf"), "/d/a.b-2.pdf");
    EXPECT_EQ(freeOf("/d.x/sheet"), "/d.x/sheet-2");
}

TEST(PrintFileName, OnlyTheHomeFolderItselfBecomesATilde) {
    EXPECT_EQ(homeShortened("/home/u/Documents/a.pdf", "/home/u/"), "~/Documents/a.pdf");
    EXPECT_EQ(homeShortened("/home/user/a.pdf", "/home/u"), "/home/user/a.pdf");
    EXPECT_EQ(homeShortened("/a.pdf", "/"), "/a.pdf");
}

}  // namespace
}  // namespace dozudo
