#pragma once
// Printing the print page on one sheet: each occupied position becomes a board with shaded
// groups, field and group lines, its digits and, on request, the options of its empty fields;
// a credit line goes at the foot. The layout is fixed in printer pixels for page widths of
// 2400 and 4800 pixels only.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "model/colour.h"
#include "model/status_line.h"
#include "print/core/print_page.h"

namespace dozudo {

// The printer's canvas with the drawing state the sheet uses. Lines leave out their end point,
// rectangles exclude their right and bottom edge, text is placed by the top-left corner of its
// character cell and font heights are cell heights.
class PrintCanvas {
  public:
    virtual ~PrintCanvas() = default;
    virtual void setPenWidth(int width) = 0;
    virtual void setPenColor(Rgb colour) = 0;
    // Makes the brush solid in the colour.
    virtual void setBrushColor(Rgb colour) = 0;
    // Leaves fills out and makes text transparent.
    virtual void setBrushClear() = 0;
    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontHeight(int cellHeight) = 0;
    virtual void setFontColor(Rgb colour) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual void FillRect(int left, int top, int right, int bottom) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
};

// The printer: the printable page in printer pixels, its canvas and the print job.
class Printer {
  public:
    virtual ~Printer() = default;
    virtual int PageWidth() = 0;
    virtual int PageHeight() = 0;
    virtual PrintCanvas& Canvas() = 0;
    // Start and finish the job; false when the printer reports a failure, named by failure().
    virtual bool BeginDoc() = 0;
    virtual bool EndDoc() = 0;
    virtual std::string failure() const = 0;
    // After a job that went into a file: that file from the home folder on ("~/..."), as
    // a screen reader hears it; empty when the job went to a printer.
    virtual std::string fileWritten() const { return {}; }
    // The same as the status line shows it: the file's name alone when it lies in the
    // documents folder, where sheets go unless the user chose another file.
    virtual std::string fileShown() const { return fileWritten(); }
};

inline constexpr Rgb printLightGroup = fromBgr(0xD0FFFF);
inline constexpr Rgb printWhiteGroup = fromBgr(0xFFFFFF);
inline constexpr Rgb printBlack = fromBgr(0x000000);
inline constexpr Rgb printOptionGrey = fromBgr(0x707070);
inline constexpr Rgb printCreditBlue = fromBgr(0xFF0000);

// 1 for a page width of exactly 2400 pixels, 2 for exactly 4800, 0 for any other.
int printScale(int pageWidth);

// The options of every field of a slot by the row, column and group rule, [column][row] 0-based:
// a mask with bit d for every digit d still possible (0 for fields holding a digit).
std::array<std::array<std::uint16_t, 9>, 9> slotOptions(const PrintSlot& slot);

// Draws one slot at scale s; position 1 is the top board (slot 0), 2 the bottom (slot 1).
void printPuzzle(PrintCanvas& canvas, const PrintSlot& slot, int position, int s, bool withOptions);

// The print command: checks the page width, prints the occupied positions and the credit line
// ending in makerHost, and reports in the status line, naming the file when the sheet went into
// one. occupied(slot) is asked before the job starts and again before each board is drawn.
void printSheet(Printer& printer, const PrintPage& page, const std::function<bool(int)>& occupied,
                bool withOptions, const std::string& makerHost, StatusLine& status);

}  // namespace dozudo
