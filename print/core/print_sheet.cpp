#include "print/core/print_sheet.h"

namespace dozudo {

namespace {

constexpr int allDigitsMask = 1022;  // bits 1..9

}  // namespace

int printScale(int pageWidth) {
    if (pageWidth == 2400) return 1;
    if (pageWidth == 4800) return 2;
    return 0;
}

std::array<std::array<std::uint16_t, 9>, 9> slotOptions(const PrintSlot& slot) {
    std::array<std::uint16_t, 9> rowMask, columnMask, groupMask;
    rowMask.fill(allDigitsMask);
    columnMask.fill(allDigitsMask);
    groupMask.fill(allDigitsMask);
    // Flipping rather than clearing: a digit standing twice in a unit counts as missing again.
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const int d = slot[c - 1][r - 1];
            if (d == 0) continue;
            const auto bit = static_cast<std::uint16_t>(1u << d);
            rowMask[r - 1] ^= bit;
            columnMask[c - 1] ^= bit;
            groupMask[groupOf(c, r) - 1] ^= bit;
        }
    std::array<std::array<std::uint16_t, 9>, 9> options{};
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            if (slot[c - 1][r - 1] == 0)
                options[c - 1][r - 1] =
                    rowMask[r - 1] & columnMask[c - 1] & groupMask[groupOf(c, r) - 1];
    return options;
}

void printPuzzle(PrintCanvas& canvas, const PrintSlot& slot, int position, int s,
                 bool withOptions) {
    const int x0 = 450 * s;
    const int y0 = (position == 1 ? 100 : 1700) * s;
    const int x1 = x0 + 1500 * s, y1 = y0 + 1500 * s;
    const int group = 500 * s, pitch = 167 * s;

    for (int gc = 0; gc <= 2; ++gc)
        for (int gr = 0; gr <= 2; ++gr) {
            canvas.setBrushColor(((gc ^ gr) & 1) == 0 ? printLightGroup : printWhiteGroup);
            canvas.FillRect(x0 + group * gc, y0 + group * gr, x0 + group * (gc + 1),
                            y0 + group * (gr + 1));
        }

    // Field lines, then the wider group lines over them.
    const auto grid = [&](int penWidth, int step, int count) {
        canvas.setPenWidth(penWidth);
        canvas.setPenColor(printBlack);
        for (int i = 0; i <= count; ++i) {
            canvas.MoveTo(x0 + step * i, y0);
            canvas.LineTo(x0 + step * i, y1);
            canvas.MoveTo(x0, y0 + step * i);
            canvas.LineTo(x1, y0 + step * i);
        }
    };
    grid(2 * s, pitch, 9);
    grid(6 * s, group, 3);

    canvas.setFontName("arial");
    canvas.setFontHeight(150 * s);
    canvas.setFontColor(printBlack);
    canvas.setFontBold(false);
    canvas.setBrushClear();
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const int d = slot[c - 1][r - 1];
            if (d != 0)
                canvas.TextOut(x0 + pitch * (c - 1) + 50 * s, y0 + pitch * (r - 1) + 11 * s,
                               std::to_string(d));
        }

    if (!withOptions) return;
    const auto options = slotOptions(slot);
    canvas.setFontHeight(45 * s);
    canvas.setFontColor(printOptionGrey);
    canvas.setBrushClear();
    const int o = 56 * s;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (slot[c - 1][r - 1] != 0) continue;
            for (int j = 1; j <= 9; ++j)
                if (options[c - 1][r - 1] & (1u << j))
                    canvas.TextOut(x0 + pitch * (c - 1) + ((j - 1) % 3) * o + 12 * s,
                                   y0 + pitch * (r - 1) + ((j - 1) / 3) * o + 3 * s,
                                   std::to_string(j));
        }
}

void printSheet(Printer& printer, const PrintPage& page, const std::function<bool(int)>& occupied,
                bool withOptions, const std::string& makerHost, StatusLine& status) {
    const int s = printScale(printer.PageWidth());
    if (s == 0) {
        status.setStatus(1, "unknown page format");
        return;
    }
    const bool noted[2] = {occupied(0), occupied(1)};
    if (!noted[0] && !noted[1]) return;
    status.setStatus(0, "sending puzzles to printer...");
    const auto failed = [&] { status.setStatus(1, printer.failure()); };
    if (!printer.BeginDoc()) return failed();
    PrintCanvas& canvas = printer.Canvas();
    for (int slot = 0; slot <= 1; ++slot)
        if (noted[slot] && occupied(slot))
            printPuzzle(canvas, page.printSlots[slot], slot + 1, s, withOptions);
    canvas.setFontName("arial");
    canvas.setFontHeight(45 * s);
    canvas.setFontBold(true);
    canvas.setFontColor(printCreditBlue);
    canvas.setBrushClear();
    canvas.TextOut(200 * s, printer.PageHeight() - 50 * s,
                   "Vorlane Software" + std::string(8, ' ') + makerHost);
    if (!printer.EndDoc()) return failed();
    const std::string file = printer.fileWritten(), shown = printer.fileShown();
    const std::string done = "puzzels send to printer";
    status.setStatus(0, done + (shown.empty() ? "" : " : " + shown), done + (file.empty() ? "" : " : " + file));
}

}  // namespace dozudo
