#include "print/page_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPrinterInfo>
#include <cstdlib>
#include <vector>

#include "print/core/print_file_name.h"
#include "widgets/user_folders.h"

namespace dozudo {

QString defaultPrintFileName() {
    return QDir(documentsFolder()).filePath("dozudo-printpage.pdf");
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

void PagePrinter::restoreFileName() {
    if (!fileName_.isEmpty()) printer_.setOutputFileName(fileName_);
    fileName_.clear();
}

bool PagePrinter::BeginDoc() {
    failure_.clear();
    fileWritten_.clear();
    fileShown_.clear();
    if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty()) {
        fileName_ = printer_.outputFileName();
        // The documents folder may not exist yet on a fresh account.
        QDir().mkpath(QFileInfo(fileName_).absolutePath());
        // Any file is taken, a dangling link too (writing through it would create its target);
        // a folder is not, and printing to it fails naming it.
        const std::string free =
            freeFileName(QFile::encodeName(fileName_).toStdString(), [](const std::string& name) {
                const QFileInfo file(QFile::decodeName(name.c_str()));
                return file.exists() ? !file.isDir() : file.isSymLink();
            });
        const QString written = QFile::decodeName(free.c_str());
        printer_.setOutputFileName(written);
        const QFileInfo sheet(written);
        fileWritten_ = homeShortened(sheet.absoluteFilePath().toStdString(), QDir::homePath().toStdString());
        const bool inDocuments = QFileInfo(sheet.absolutePath()) == QFileInfo(documentsFolder());
        fileShown_ = inDocuments ? sheet.fileName().toStdString() : fileWritten_;
    }
    if (!painter_.begin(&printer_)) {
        fail();
        restoreFileName();
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
    const bool failed = !ended || printer_.printerState() == QPrinter::Error;
    if (failed) fail();
    restoreFileName();
    return !failed;
}

}  // namespace dozudo
