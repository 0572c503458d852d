#include "print/page_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <cstdlib>
#include <vector>

namespace dozudo {

QString defaultPrintFileName() {
    // The documents folder named in the environment wins over the one in the user's
    // user-dirs.dirs file, which is all that QStandardPaths reads.
    QString folder = qEnvironmentVariable("XDG_DOCUMENTS_DIR");
    if (folder.isEmpty() || QDir::isRelativePath(folder))
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath("dozudo-printpage.pdf");
}

QPageSize localePaper() {
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

int fitPageWidth(QPrinter& printer, int dpi, int width) {
    printer.setResolution(dpi);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    const int paper = printer.width();
    // Qt keeps margins in whole points (1/72 inch) and rounds each side to pixels on its own:
    // measure what a left margin of n points takes, then pick the most even pair of side
    // margins that leaves exactly `width`, else the nearest.
    const int most = paper > width ? (paper - width) * 72 / dpi + 2 : 0;
    std::vector<int> taken(most + 1);
    for (int n = 0; n <= most; ++n) {
        printer.setPageMargins(QMarginsF(n, 0, 0, 0), QPageLayout::Point);
        taken[n] = paper - printer.width();
    }
    int bestLeft = 0, bestRight = 0, bestMiss = paper + width, bestSpread = 0;
    for (int left = 0; left <= most; ++left)
        for (int right = 0; right <= most; ++right) {
            const int miss = std::abs(paper - taken[left] - taken[right] - width);
            const int spread = std::abs(left - right);
            if (miss < bestMiss || (miss == bestMiss && spread < bestSpread)) {
                bestMiss = miss;
                bestSpread = spread;
                bestLeft = left;
                bestRight = right;
            }
        }
    printer.setPageMargins(QMarginsF(bestLeft, 0, bestRight, 0), QPageLayout::Point);
    return printer.width();
}

std::unique_ptr<QPrinter> makePagePrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QPrinterInfo system = QPrinterInfo::defaultPrinter();
    if (system.isNull()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(defaultPrintFileName());
        printer->setPageSize(localePaper());
    } else {
        printer->setPrinterName(system.printerName());
    }
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(false);
    printer->setDocName("DOZUDO - vudede");
    printer->setCreator("DOZUDO");
    fitPageWidth(*printer, 300, 2400);
    return printer;
}

void PagePrinter::fail() {
    if (printer_.outputFormat() == QPrinter::PdfFormat)
        failure_ = "printing failed: cannot write " + printer_.outputFileName().toStdString();
    else
        failure_ = "printing failed: printer " + printer_.printerName().toStdString() +
                   " did not take the job";
}

bool PagePrinter::BeginDoc() {
    failure_.clear();
    if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty()) {
        // The documents folder may not exist yet on a fresh account.
        QDir().mkpath(QFileInfo(printer_.outputFileName()).absolutePath());
    }
    if (!painter_.begin(&printer_)) {
        fail();
        return false;
    }
    canvas_.emplace(&painter_);
    printCanvas_.emplace(*canvas_);
    return true;
}

bool PagePrinter::EndDoc() {
    printCanvas_.reset();
    canvas_.reset();
    const bool ended = painter_.end();
    if (!ended || printer_.printerState() == QPrinter::Error) {
        fail();
        return false;
    }
    return true;
}

}  // namespace dozudo
