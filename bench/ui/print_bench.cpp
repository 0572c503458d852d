// Printing a sheet with both boards and their options to a PDF file at 300 dpi (page width
// 2400 pixels), through the drawing layer, as the print button does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "print/core/print_sheet.h"
#include "print/page_printer.h"

namespace dozudo {
namespace {

struct NoView : StatusLineView {
    void showStatusLine(const std::string&, Rgb) override {}
};

void BM_PrintSheetWithBothBoardsAndOptions(benchmark::State& state) {
    QTemporaryDir dir;
    std::unique_ptr<QPrinter> printer = makePagePrinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(dir.filePath("bench.pdf"));
    fitPageWidth(*printer, 300, 2400);
    if (printer->width() != 2400) state.SkipWithError("page width is not 2400");

    // A published puzzle on top, the same half solved below.
    const char* puzzle =
        "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
    PrintPage page;
    for (int i = 0; i < 81; ++i) {
        const int d = puzzle[i] == '.' ? 0 : puzzle[i] - '0';
        page.printSlots[0][i % 9][i / 9] = static_cast<std::uint8_t>(d);
        page.printSlots[1][i % 9][i / 9] = static_cast<std::uint8_t>(d);
    }
    page.printSlots[1][0][0] = 4;
    page.printSlots[1][1][0] = 8;
    NoView view;
    StatusLine status(&view);
    for (auto _ : state) {
        // Each sheet replaces the last: a taken name would make the job number on.
        QFile::remove(dir.filePath("bench.pdf"));
        PagePrinter job(*printer);
        printSheet(
            job, page, [](int) { return true; }, true, "www.vorlane.example", status);
        if (status.lastMessage().rfind("puzzels send to printer : ", 0) != 0)
            state.SkipWithError(status.lastMessage().c_str());
    }
}
BENCHMARK(BM_PrintSheetWithBothBoardsAndOptions)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dozudo

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
