// Help pages: unscrambling and laying out all 24 text lines of a page, the work of one page
// change besides the drawing itself.
#include <benchmark/benchmark.h>

#include "help/core/help_code.h"
#include "help/core/help_markup.h"

namespace dozudo {
namespace {

void BM_HelpPageLayout(benchmark::State& state) {
    const std::vector<std::string>& lines = storedHelpLines();
    const HelpFontHeights heights = helpFontHeightsFor(50);
    const HelpTextWidth width = [](char, int h, bool bold) { return h / 2 + (bold ? 1 : 0); };
    std::size_t page = 0;
    for (auto _ : state) {
        const std::size_t first = (page % 9) * 25;
        for (std::size_t k = 1; k < 25; ++k) {
            const HelpLineDrawing d = interpretHelpLine(decodeHelpLine(lines[first + k]),
                                                        static_cast<int>(k), heights, width);
            benchmark::DoNotOptimize(d.ops.data());
        }
        ++page;
    }
}
BENCHMARK(BM_HelpPageLayout);

}  // namespace
}  // namespace dozudo
