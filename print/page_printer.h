#pragma once
// The printer of the print page on QPrinter. Without a system printer it is a PDF file,
// dozudo-printpage.pdf in the user's documents folder, numbered on (dozudo-printpage-2.pdf, ...)
// rather than replacing an earlier sheet; either way it is set up at 300 dots per inch with side
// margins that leave a printable width of exactly 8 inches (2400 pixels).

#include <QPainter>
#include <QPrinter>
#include <QString>
#include <memory>
#include <optional>

#include "print/core/print_sheet.h"
#include "print/printer_canvas.h"
#include "widgets/canvas.h"

namespace dozudo {

// The PDF file printed to when the system has no printer.
QString defaultPrintFileName();

// A4, or Letter where the user's locale measures in US units.
QPageSize localePaper();

// Sets the resolution and the side margins (top and bottom 0) so that the printable width is
// exactly `width` pixels at `dpi` on the printer's paper (or as near as the printer allows);
// returns the resulting printable width.
int fitPageWidth(QPrinter& printer, int dpi, int width);

// The system's default printer if there is one, else a PDF file at defaultPrintFileName(); set up
// at 300 dpi, 8 inches wide, with the print job's title.
std::unique_ptr<QPrinter> makePagePrinter();

// One print job on a QPrinter, drawn through the drawing layer. A job into a PDF file goes to the
// first free name of the printer's file (print/core/print_file_name.h); the printer keeps its
// own file name for the next job.
class PagePrinter : public Printer {
  public:
    explicit PagePrinter(QPrinter& printer) : printer_(printer) {}

    int PageWidth() override { return printer_.width(); }
    int PageHeight() override { return printer_.height(); }
    PrintCanvas& Canvas() override { return *printCanvas_; }
    bool BeginDoc() override;
    bool EndDoc() override;
    std::string failure() const override { return failure_; }
    std::string fileWritten() const override { return fileWritten_; }
    std::string fileShown() const override { return fileShown_; }

  private:
    void fail();
    void restoreFileName();

    QPrinter& printer_;
    QPainter painter_;
    std::optional<dozudo::Canvas> canvas_;
    std::optional<PrinterCanvas> printCanvas_;
    std::string failure_;
    QString fileName_;         // the printer's own file name while a job writes another
    std::string fileWritten_;  // from the home folder on
    std::string fileShown_;    // as the status line names it
};

}  // namespace dozudo
