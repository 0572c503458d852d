// The print page on the main window: the selector's icon at the three field sizes, adding,
// taking out and erasing puzzles, and printed sheets read back from the PDF with pdftoppm at the
// printer's resolution, at page widths of 2400 and 4800 pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

#include "print/page_printer.h"
#include "tests/ui/window_fixture.h"

namespace dozudo {
namespace {

using namespace uitest;

constexpr QRgb lightYellow = rgb(255, 255, 208);
constexpr QRgb optionGrey = rgb(112, 112, 112);
constexpr QRgb creditBlue = rgb(0, 0, 255);
constexpr QRgb paleGrey = rgb(240, 240, 240);

// A board from 81 characters in reading order, '.' for an empty field.
void loadBoard(Game& game, const char* text) {
    for (int i = 0; i < 81; ++i)
        game.board.set(i % 9 + 1, i / 9 + 1, text[i] == '.' ? 0 : text[i] - '0', fkGiven);
}

// Row 1 holds 1..8, field (9, 1) is empty with the single option 9; a 5 in field (1, 4).
const char* const topPuzzle =
    "12345678."
    "........."
    "........."
    "5........"
    "........."
    "........."
    "........."
    "........."
    ".........";

// A printed sheet: the rendered page and the printable area's top-left corner on it.
struct Sheet {
    QImage page;
    QPoint origin;
    int s = 1;
    QRgb at(int x, int y) const { return px(page, origin.x() + x, origin.y() + y); }
    // The smallest rectangle (in printable-area pixels) around the pixels of a colour.
    QRect inkOf(QRgb colour, const QRect& area) const {
        std::vector<QPoint> pts = pixelsOf(page, area.translated(origin), colour);
        return bounds(pts).translated(-origin);
    }
    int count(QRgb colour, const QRect& area) const {
        return static_cast<int>(pixelsOf(page, area.translated(origin), colour).size());
    }
};

// Where the ink of a text lies when its character cell (Arial by cell height) has its top-left
// corner at (x, y): drawn independently of the program on a plain image.
QRect expectedInk(const QString& text, int cellHeight, bool bold, int x, int y) {
    QFont font("Arial");
    font.setPixelSize(Canvas::pixelSizeForCellHeight("arial", cellHeight, bold));
    font.setBold(bold);
    const QFontMetrics metrics(font);
    QImage ref(x + metrics.horizontalAdvance(text) + cellHeight, y + 2 * cellHeight,
               QImage::Format_RGB32);
    ref.fill(Qt::white);
    QPainter p(&ref);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(x, y + metrics.ascent(), text);
    p.end();
    return bounds(pixelsOf(ref, ref.rect(), black));
}

// The found ink lies where the expected ink does, within a tolerance.
::testing::AssertionResult near(const QRect& found, const QRect& expected, int tolerance) {
    if (!found.isEmpty() && std::abs(found.left() - expected.left()) <= tolerance &&
        std::abs(found.top() - expected.top()) <= tolerance &&
        std::abs(found.bottom() - expected.bottom()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "ink at (" << found.left() << "," << found.top() << ")-(" << found.right() << ","
           << found.bottom() << "), expected (" << expected.left() << "," << expected.top() << ")-("
           << expected.right() << "," << expected.bottom() << ")";
}

class PrintPageTest : public ::testing::Test {
  protected:
    PrintPageTest() : form(1024, 768, 11) {}

    TPrintPageControls& controls() { return *form.printControls; }
    TZelArrayBtn& selector() { return *form.ZelArrayBtn3; }
    QString status() const { return form.StaticText1->text(); }
    QRgb statusColour() const {
        return form.StaticText1->palette().color(QPalette::WindowText).rgb() & 0xFFFFFFu;
    }
    QString pdf() const { return dir.filePath("sheet.pdf"); }

    // A click with the left button on a selector position.
    void click(int BtnNr) {
        const TRect r = selector().GetBtnRect(static_cast<std::uint8_t>(BtnNr));
        selector().MouseMove((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        selector().MouseDown(Qt::LeftButton);
        selector().MouseUp(Qt::LeftButton);
    }
    // Printer on a PDF in the test's folder, page width `width` at `dpi`.
    QPrinter& printerAt(int dpi, int width) {
        QPrinter& p = controls().printer();
        controls().setOutputFileName(pdf());
        fitPageWidth(p, dpi, width);
        return p;
    }
    // Presses "print" and renders the PDF it wrote at the printer's resolution.
    std::optional<Sheet> printAndRender() {
        QFile::remove(pdf());
        form.printbtn->click();
        if (!QFile::exists(pdf())) return std::nullopt;
        QPrinter& p = controls().printer();
        const QString base = dir.filePath("sheet");
        const int rc =
            QProcess::execute("pdftoppm", {"-r", QString::number(p.resolution()), "-aa", "no",
                                           "-aaVector", "no", "-png", "-singlefile", pdf(), base});
        if (rc != 0) return std::nullopt;
        Sheet sheet;
        QImageReader::setAllocationLimit(1024);  // a page at 600 dpi is larger than the default
        sheet.page = QImage(base + ".png").convertToFormat(QImage::Format_RGB32);
        sheet.origin = p.pageLayout().paintRectPixels(p.resolution()).topLeft();
        sheet.s = p.width() / 2400;
        return sheet;
    }

    TForm1 form;
    QTemporaryDir dir;
};

// ------------------------------------------------------------------ selector

TEST(PrintSelectorIcon, GreySquareAndThreeByThreeIconAtEveryScale) {
    struct Row {
        Scale scale;
        int step, xo, yo, fontHeight;
    };
    for (const Row& t : {Row{allScales[0], 13, 5, 2, 10}, Row{allScales[1], 16, 6, 2, 12},
                         Row{allScales[2], 20, 7, 3, 15}}) {
        SCOPED_TRACE(t.scale.cs);
        ShownWindow win(t.scale);
        ASSERT_TRUE(win.exposed);
        TZelArrayBtn& sel = *win.w().ZelArrayBtn3;
        const TRect top = sel.GetBtnRect(0), bottom = sel.GetBtnRect(1);
        sel.MouseMove((top.Left + top.Right) / 2, (top.Top + top.Bottom) / 2);
        sel.MouseDown(Qt::LeftButton);
        sel.MouseUp(Qt::LeftButton);
        sel.MouseMove(-1, -1);
        const QImage& img = sel.image();
        const QRect r(top.Left + 2, top.Top + 2, top.Width() - 4, top.Height() - 4);
        const QRect flat(bottom.Left + 2, bottom.Top + 2, bottom.Width() - 4, bottom.Height() - 4);

        // A free position: only the light grey square inside the two-pixel edge.
        EXPECT_EQ(static_cast<int>(pixelsOf(img, flat, paleGrey).size()),
                  flat.width() * flat.height());
        EXPECT_NE(px(img, bottom.Left + 1, bottom.Top + 5), paleGrey) << "edge kept";

        // An occupied one: lines of width 2 at steps d, digits 1..9 in reading order.
        EXPECT_EQ(px(img, r.left() + 1, r.bottom() - 1), paleGrey);
        for (int k = 1; k <= 2; ++k) {
            const int x = r.left() + k * t.step;
            EXPECT_EQ(px(img, x, r.bottom() - 2), black) << "vertical line " << k;
            EXPECT_EQ(px(img, x - 1, r.bottom() - 2), black) << "vertical line " << k;
            EXPECT_EQ(px(img, x + 1, r.bottom() - 2), paleGrey) << "vertical line " << k;
            const int y = r.top() + k * t.step;
            EXPECT_EQ(px(img, r.right() - 2, y), black) << "horizontal line " << k;
            EXPECT_EQ(px(img, r.right() - 2, y + 1), paleGrey) << "horizontal line " << k;
        }
        for (int q = 0; q <= 2; ++q)
            for (int p = 0; p <= 2; ++p) {
                // The digit's ink lies right of and below its offset, within the font height.
                const QRect cell(r.left() + p * t.step + 1, r.top() + q * t.step + 1, t.step - 3,
                                 t.step - 3);
                const QRect ink = bounds(pixelsOf(img, cell, black));
                EXPECT_FALSE(ink.isEmpty()) << "digit " << p + 3 * q + 1;
                EXPECT_GE(ink.left(), cell.left() - 1 + t.xo) << "digit " << p + 3 * q + 1;
                EXPECT_GE(ink.top(), cell.top() - 1 + t.yo) << "digit " << p + 3 * q + 1;
                EXPECT_LT(ink.bottom(), cell.top() - 1 + t.yo + t.fontHeight)
                    << "digit " << p + 3 * q + 1;
                EXPECT_GE(ink.height(), t.fontHeight / 2) << "digit " << p + 3 * q + 1;
            }
    }
}

TEST_F(PrintPageTest, PositionsAreAddedTakenOutAndErasedWithTheirMessages) {
    EXPECT_EQ(controls().printPage.printSlots, (std::array<PrintSlot, 2>{})) << "empty at start";
    loadBoard(form.game(), topPuzzle);
    click(0);
    EXPECT_EQ(status(), "added puzzle at top of printpage");
    EXPECT_EQ(statusColour(), black);
    EXPECT_EQ(selector().GetBtnStatus(0), stDown);
    form.game().board.set(9, 1, 9, fkEntered);
    click(1);
    EXPECT_EQ(status(), "added puzzle at bottom of printpage");
    EXPECT_EQ(controls().printPage.digit(0, 9, 1), 0) << "the top copy keeps the board as it was";
    EXPECT_EQ(controls().printPage.digit(1, 9, 1), 9);
    EXPECT_EQ(controls().printPage.digit(1, 1, 4), 5);
    EXPECT_EQ(selector().GetBtnStatus(0), stDown) << "occupying one never frees the other";

    click(1);
    EXPECT_EQ(status(), "erased puzzle at bottom of printpage");
    EXPECT_EQ(selector().GetBtnStatus(1), stFlat);
    EXPECT_EQ(controls().printPage.printSlots[1], PrintSlot{});

    click(1);
    form.erasebtn->click();
    EXPECT_EQ(status(), "printer page erased");
    EXPECT_EQ(selector().GetBtnStatus(0), stFlat);
    EXPECT_EQ(selector().GetBtnStatus(1), stFlat);
    EXPECT_EQ(controls().printPage.printSlots, (std::array<PrintSlot, 2>{}));
    form.erasebtn->click();
    EXPECT_EQ(status(), "printer page erased") << "also with nothing on the page";
}

TEST_F(PrintPageTest, PrinterAndSetupDialogAreMadeWhenFirstUsed) {
    EXPECT_FALSE(controls().hasPrinter());
    EXPECT_EQ(controls().PrinterSetupDialog1, nullptr);
    form.printbtn->click();  // nothing on the page: no message, but the page width is read
    EXPECT_TRUE(controls().hasPrinter());
    EXPECT_EQ(status(), "welcome at the DOZUDO - vudede");
}

TEST_F(PrintPageTest, PrinterSetupShowsTheFileAndItsResolutionChoiceDecidesThePageWidth) {
    printerAt(300, 2400);
    click(0);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        bool fileShown = false;
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
            fileShown = fileShown || edit->text() == pdf();
        seen = fileShown && dialog->windowTitle() == "printer setup";
        for (QComboBox* box : dialog->findChildren<QComboBox*>())
            if (box->count() == 2 && box->itemData(1).toInt() == 600) box->setCurrentIndex(1);
        dialog->accept();
    });
    form.setupbtn->click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(controls().printer().width(), 4800);
    form.printbtn->click();
    EXPECT_EQ(form.StaticText1->announced(), "puzzels send to printer : " + pdf());
    EXPECT_TRUE(QFile::exists(pdf()));
}

TEST_F(PrintPageTest, EachPrintGoesToAFreeNameThatTheStatusLineNamesFromHome) {
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", dir.path().toUtf8());
    printerAt(300, 2400);
    click(0);
    for (const char* name : {"sheet.pdf", "sheet-2.pdf", "sheet-3.pdf"}) {
        form.printbtn->click();
        EXPECT_EQ(status(), QString("puzzels send to printer : ~/") + name);
    }
    qputenv("HOME", home);
}

// Sheets in the documents folder are named by their file name, whose end ("-2.pdf") stays
// in sight at every field size; a screen reader hears the whole path.
TEST(PrintFile, TheStatusLineShowsWhichSheetWasWritten) {
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME"), savedDocuments = qgetenv("XDG_DOCUMENTS_DIR");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DOCUMENTS_DIR", home.filePath("Papers").toUtf8());
    for (const Scale& scale : allScales) {
        QDir(home.filePath("Papers")).removeRecursively();
        TForm1 form(scale.screenWidth, scale.screenHeight, 11);
        TPrintPageControls& controls = *form.printControls;
        controls.setOutputFileName(home.filePath("Papers/dozudo-printpage.pdf"));
        fitPageWidth(controls.printer(), 300, 2400);
        loadBoard(form.game(), topPuzzle);
        TZelArrayBtn& selector = *form.ZelArrayBtn3;
        const TRect r = selector.GetBtnRect(0);
        selector.MouseMove((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        selector.MouseDown(Qt::LeftButton);
        selector.MouseUp(Qt::LeftButton);
        const QLabel& status = *form.StaticText1;
        for (const char* name : {"dozudo-printpage.pdf", "dozudo-printpage-2.pdf", "dozudo-printpage-3.pdf"}) {
            form.printbtn->click();
            SCOPED_TRACE(std::to_string(scale.cs) + " " + name);
            const QString text = status.text(), end = QString(name).right(6);
            EXPECT_TRUE(text.startsWith("puzzels send to printer : ") && text.endsWith(end)) << text.toStdString();
            EXPECT_LE(status.fontMetrics().horizontalAdvance(text), status.contentsRect().width());
            EXPECT_EQ(form.StaticText1->announced(), QString("puzzels send to printer : ~/Papers/") + name);
        }
        EXPECT_EQ(QDir(home.filePath("Papers")).entryList(QDir::Files).size(), 3);
    }
    qputenv("HOME", savedHome);
    qputenv("XDG_DOCUMENTS_DIR", savedDocuments);
}

TEST(PrintFile, DefaultsToTheDocumentsFolder) {
    const QByteArray saved = qgetenv("XDG_DOCUMENTS_DIR");
    qputenv("XDG_DOCUMENTS_DIR", "/somewhere/Papers");
    EXPECT_EQ(defaultPrintFileName(), "/somewhere/Papers/dozudo-printpage.pdf");
    qputenv("XDG_DOCUMENTS_DIR", "Papers");  // not a folder name that can be trusted
    EXPECT_EQ(defaultPrintFileName(),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/dozudo-printpage.pdf");
    qputenv("XDG_DOCUMENTS_DIR", saved);
}

// ------------------------------------------------------------------ printed sheets

class PrintedSheet : public PrintPageTest, public ::testing::WithParamInterface<int> {};

TEST_P(PrintedSheet, BoardsLinesDigitsOptionsAndCreditWhereTheLayoutPutsThem) {
    const int dpi = GetParam();
    QPrinter& printer = printerAt(dpi, 8 * dpi);
    ASSERT_EQ(printer.width(), 8 * dpi);
    const int s = dpi / 300;
    loadBoard(form.game(), topPuzzle);
    click(0);
    form.erasebtn->click();  // erase and add again: still prints
    click(0);
    form.game().eraseBoard();
    click(1);  // the bottom board is empty: all nine options everywhere
    form.optionsbox->setChecked(true);
    const auto sheet = printAndRender();
    ASSERT_TRUE(sheet) << status().toStdString();
    EXPECT_EQ(form.StaticText1->announced(), "puzzels send to printer : " + pdf());
    EXPECT_EQ(sheet->s, s);

    const int pitch = 167 * s, group = 500 * s, x0 = 450 * s;
    for (const int y0 : {100 * s, 1700 * s}) {
        SCOPED_TRACE(y0);
        // Group shading, in a field's margin left of its options.
        for (int gc = 0; gc <= 2; ++gc)
            for (int gr = 0; gr <= 2; ++gr)
                EXPECT_EQ(sheet->at(x0 + group * gc + 7 * s, y0 + group * gr + 80 * s),
                          (gc + gr) % 2 == 0 ? lightYellow : white)
                    << "group " << gc << "," << gr;
        // Field lines 2s wide at the 167s pitch, group lines 6s wide; the tenth field line at
        // 1503s.
        const auto lineAt = [&](int offset, int width, bool vertical) {
            const int lo = offset - width / 2, hi = offset + width / 2 - 1;
            const auto at = [&](int t) {
                return vertical ? sheet->at(x0 + t, y0 + 80 * s) : sheet->at(x0 + 7 * s, y0 + t);
            };
            return at(lo) == black && at(hi) == black && at(lo - 1) != black;
        };
        for (int i = 0; i <= 9; ++i) {
            if (i % 3 != 0) {
                EXPECT_TRUE(lineAt(pitch * i, 2 * s, true)) << "vertical field line " << i;
                EXPECT_TRUE(lineAt(pitch * i, 2 * s, false)) << "horizontal field line " << i;
                EXPECT_NE(sheet->at(x0 + pitch * i + s, y0 + 80 * s), black) << i;
            }
        }
        for (int i = 0; i <= 3; ++i) {
            EXPECT_TRUE(lineAt(group * i, 6 * s, true)) << "vertical group line " << i;
            EXPECT_TRUE(lineAt(group * i, 6 * s, false)) << "horizontal group line " << i;
        }
        EXPECT_EQ(sheet->at(x0 + 1503 * s + s - 1, y0 + 80 * s), black);
        EXPECT_NE(sheet->at(x0 + 1503 * s + s, y0 + 80 * s), black);
        EXPECT_EQ(sheet->at(x0 + 80 * s, y0 + 1503 * s + s - 1), black);
        EXPECT_NE(sheet->at(x0 + 80 * s, y0 + 1503 * s + s), black);
        EXPECT_EQ(sheet->at(x0 + 80 * s, y0 + 1510 * s), white) << "nothing below the board";
    }

    // Digits: a 150s Arial cell at +50s, +11s in the field.
    for (int c = 1; c <= 8; ++c) {
        const QRect field(x0 + pitch * (c - 1), 100 * s, pitch, pitch);
        const QRect ink = sheet->inkOf(black, field.adjusted(4 * s, 4 * s, -5 * s, -5 * s));
        EXPECT_TRUE(near(
            ink,
            expectedInk(QString::number(c), 150 * s, false, field.x() + 50 * s, field.y() + 11 * s),
            2 * s))
            << "digit " << c;
    }

    // Options: grey, three by three at a 56s pitch from +12s, +3s, only in empty fields.
    const auto optionBox = [&](int y0, int c, int r, int j) {
        return QRect(x0 + pitch * (c - 1) + 12 * s + ((j - 1) % 3) * 56 * s,
                     y0 + pitch * (r - 1) + 3 * s + ((j - 1) / 3) * 56 * s, 56 * s, 56 * s)
            .intersected(QRect(x0 + pitch * (c - 1) + s, y0 + pitch * (r - 1) + s, pitch - 2 * s,
                               pitch - 2 * s));
    };
    for (int j = 1; j <= 9; ++j) {
        EXPECT_EQ(sheet->count(optionGrey, optionBox(100 * s, 9, 1, j)) > 0, j == 9)
            << "field (9,1) has the single option 9; option " << j;
        EXPECT_EQ(sheet->count(optionGrey, optionBox(100 * s, 2, 4, j)) > 0, j != 2 && j != 5)
            << "field (2,4) sees the 2 of its column and the 5 of its row; option " << j;
        EXPECT_GT(sheet->count(optionGrey, optionBox(1700 * s, 5, 5, j)), 0)
            << "empty board, option " << j;
    }
    const auto optionInk = [&](int y0, int c, int r, int j) {
        return near(sheet->inkOf(optionGrey, optionBox(y0, c, r, j)),
                    expectedInk(QString::number(j), 45 * s, false,
                                x0 + pitch * (c - 1) + 12 * s + ((j - 1) % 3) * 56 * s,
                                y0 + pitch * (r - 1) + 3 * s + ((j - 1) / 3) * 56 * s),
                    2 * s);
    };
    EXPECT_TRUE(optionInk(100 * s, 9, 1, 9));
    for (int j : {1, 5, 9}) EXPECT_TRUE(optionInk(1700 * s, 5, 5, j)) << "option " << j;
    for (int c = 1; c <= 8; ++c)
        EXPECT_EQ(sheet->count(optionGrey, QRect(x0 + pitch * (c - 1), 100 * s, pitch, pitch)), 0)
            << "no options in the filled field (" << c << ",1)";

    // Credit line: blue bold text at (200s, PageHeight - 50s).
    const QRect credit =
        sheet->inkOf(creditBlue, QRect(0, printer.height() - 100 * s, printer.width(), 100 * s));
    EXPECT_TRUE(near(credit,
                     expectedInk(QString("Vorlane Software        ") + makerHost, 45 * s, true,
                                 200 * s, printer.height() - 50 * s),
                     2 * s));
    EXPECT_GT(credit.width(), 800 * s) << "Vorlane Software, eight blanks and the host name";

    // Printing leaves the page as it was, and the same sheet can be printed again.
    EXPECT_EQ(selector().GetBtnStatus(0), stDown);
    EXPECT_EQ(selector().GetBtnStatus(1), stDown);
    EXPECT_EQ(controls().printPage.digit(0, 1, 4), 5);
}

INSTANTIATE_TEST_SUITE_P(Dpi, PrintedSheet, ::testing::Values(300, 600),
                         [](const auto& info) { return "width" + std::to_string(8 * info.param); });

TEST_F(PrintPageTest, OnlyTheBottomBoardWithoutOptions) {
    printerAt(300, 2400);
    loadBoard(form.game(), topPuzzle);
    click(1);
    const auto sheet = printAndRender();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->count(white, QRect(0, 0, 2400, 1650)), 2400 * 1650) << "the top stays blank";
    EXPECT_EQ(sheet->at(450, 1780), black) << "bottom board's left edge";
    EXPECT_EQ(sheet->count(optionGrey, QRect(0, 0, 2400, 3300)), 0) << "options not ticked";
    EXPECT_GT(sheet->count(creditBlue, QRect(0, sheet->page.height() - 200, 2400, 200)), 100);

    const PrintSlot before = controls().printPage.printSlots[1];
    ASSERT_TRUE(printAndRender()) << "printed again";
    EXPECT_EQ(controls().printPage.printSlots[1], before);
    EXPECT_EQ(selector().GetBtnStatus(1), stDown);
}

TEST_F(PrintPageTest, OtherPageWidthsAreRefusedBeforeAnythingIsPrinted) {
    // Page widths set through the side margins.
    QPrinter& printer = printerAt(300, 2399);
    ASSERT_EQ(printer.width(), 2399);
    form.printbtn->click();
    EXPECT_EQ(status(), "unknown page format") << "also with no position occupied";
    EXPECT_EQ(statusColour(), rgb(255, 0, 0));

    click(0);
    for (int dpi = 300; dpi < 320 && printer.width() != 2401; ++dpi)
        fitPageWidth(printer, dpi, 2401);
    ASSERT_EQ(printer.width(), 2401);
    form.printbtn->click();
    EXPECT_EQ(status(), "unknown page format");
    EXPECT_FALSE(QFile::exists(pdf()));
    EXPECT_EQ(selector().GetBtnStatus(0), stDown);
}

TEST_F(PrintPageTest, AFileThatCannotBeWrittenEndsInARedMessageNamingIt) {
    printerAt(300, 2400);
    controls().setOutputFileName(dir.path());  // a folder, not a file
    click(0);
    form.printbtn->click();
    EXPECT_EQ(status().toStdString(), "printing failed: cannot write " + dir.path().toStdString());
    EXPECT_EQ(statusColour(), rgb(255, 0, 0));
}

}  // namespace
}  // namespace dozudo
