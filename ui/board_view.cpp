#include "ui/board_view.h"

#include <QMouseEvent>

#include "ui/board_pictures.h"
#include "ui/board_view_accessible.h"

namespace dozudo {

namespace {

// Digit colours by kind: puzzle digits dark red, filled grey, entered black ($BBGGRR).
constexpr std::uint32_t kindColors[3] = {0x0000D0, 0xB0B0B0, 0x000000};

}  // namespace

TBoardView::TBoardView(QWidget* parent, int cellSize, const QImage* boardBitmap,
                       const QImage* markBitmap, QImage* workBitmap)
    : BackingWidget(parent),
      cs_(cellSize),
      boardBitmap_(boardBitmap),
      markBitmap_(markBitmap),
      workBitmap_(workBitmap) {
    setFixedSize(9 * cellSize + 1, 9 * cellSize + 1);  // the board picture may still be drawn
    setFocusPolicy(Qt::NoFocus);
    installBoardViewAccessibility();
}

void TBoardView::repaintBoard() {
    invalidate();
    notifyBoardRepainted(this);
}

TRect TBoardView::fieldRect(int c, int r) const {
    return {(c - 1) * cs_ + 1, (r - 1) * cs_ + 1, c * cs_, r * cs_};
}

TRect TBoardView::innerRect(int c, int r) const {
    return {(c - 1) * cs_ + 4, (r - 1) * cs_ + 4, c * cs_ - 4, r * cs_ - 4};
}

void TBoardView::drawSelectionMark(int c, int r) {
    const TRect f = fieldRect(c, r);
    canvas().DrawTransparent(f.Left, f.Top, *markBitmap_, Qt::black);
    if (!repainting_) notifyFieldSelected(this, c, r);
}

void TBoardView::eraseSelectionMark(int c, int r) {
    const TRect f = fieldRect(c, r);
    Canvas work(workBitmap_);
    const QSize side = logicalSize(*workBitmap_);
    const int w = side.width(), h = side.height();
    work.CopyRect({0, 0, w, h}, *boardBitmap_, f);
    work.setBrushColor(Qt::black);
    work.FillRect(4, 4, w - 4, h - 4);
    canvas().DrawTransparent(f.Left, f.Top, *workBitmap_, Qt::black);
}

void TBoardView::clearFieldInterior(int c, int r) {
    const TRect f = fieldRect(c, r);
    Canvas work(workBitmap_);
    const QSize side = logicalSize(*workBitmap_);
    const int w = side.width(), h = side.height();
    work.setBrushColor(Qt::black);
    work.FillRect(0, 0, w, h);
    work.CopyRect({4, 4, w - 4, h - 4}, *boardBitmap_,
                  {f.Left + 4, f.Top + 4, f.Left + w - 4, f.Top + h - 4});
    canvas().DrawTransparent(f.Left, f.Top, *workBitmap_, Qt::black);
}

void TBoardView::drawField(int c, int r, int digit, int kind) {
    if (!repainting_) notifyFieldChanged(this, c, r);
    clearFieldInterior(c, r);
    Canvas& cv = canvas();
    cv.setFont("Arial", cs_ * 8 / 10);
    const QString text = QString::number(digit);
    const int w = cv.TextWidth(text), h = cv.TextHeight(text);
    if (digit == 0) return;
    cv.setBrushStyle(BrushStyle::Clear);
    const int dx = (cs_ - w - 8) / 2, dy = (cs_ - h - 8) / 2;
    const TRect inner = innerRect(c, r);
    cv.setFontColor(colorFromBgr(0xFFFFFF));
    cv.TextOut(inner.Left + dx + 1, inner.Top + dy + 1, text);
    cv.setFontColor(colorFromBgr(kindColors[kind >= 0 && kind <= 2 ? kind : fkEntered]));
    cv.TextOut(inner.Left + dx - 1, inner.Top + dy - 1, text);
}

void TBoardView::drawFieldOptions(int c, int r) {
    clearFieldInterior(c, r);
    if (!game_) return;
    Canvas& cv = canvas();
    cv.setBrushStyle(BrushStyle::Clear);
    const int cellHeight = cs_ * 3 / 10;
    cv.setFont("Arial", cellHeight);
    cv.setFontColor(Qt::black);
    const int step = cs_ * 2 / 10;
    // Rows follow the asked-for cell height: the chosen font's line may be a pixel lower.
    const int line = cellHeight - 2;
    const TRect inner = innerRect(c, r);
    const DigitMask mask = game_->optionTables.at(c, r);
    // The step "next step" shows: its pattern's options blue in a blue frame, the options it
    // removes red and struck through (the status line's blue and red).
    DigitMask pattern = 0, removed = 0;
    stepMarks(c, r, pattern, removed);
    if (pattern) {
        cv.setPenColor(toQColor(statusColors[3]));
        cv.setPenWidth(1);
        cv.setBrushStyle(BrushStyle::Clear);
        cv.Rectangle(inner.Left + 1, inner.Top + 1, inner.Right, inner.Bottom);
    }
    for (int n = 1; n <= 9; ++n) {
        if (!(mask & digitBit(n))) continue;
        const int x = inner.Left + ((n - 1) % 3 + 1) * step, y = inner.Top + ((n - 1) / 3) * line;
        const bool gone = removed & digitBit(n);
        cv.setFontColor(gone ? toQColor(statusColors[1]) : pattern & digitBit(n) ? toQColor(statusColors[3])
                                                                                  : QColor(Qt::black));
        cv.TextOut(x, y, QString::number(n));
        if (gone) {
            cv.setPenColor(toQColor(statusColors[1]));
            const int mid = y + cellHeight / 2;
            cv.MoveTo(x - 1, mid);
            cv.LineTo(x + cv.TextWidth(QString::number(n)) + 1, mid);
        }
    }
}

void TBoardView::stepMarks(int c, int r, DigitMask& pattern, DigitMask& removed) const {
    const Step& shown = game_->shownStep;
    const int cell = cellAt(c, r);
    for (const CellDigits& p : shown.pattern)
        if (p.cell == cell) pattern |= p.digits;
    for (const CellDigits& x : shown.removals)
        if (x.cell == cell) removed |= x.digits;
    if (shown.places() && shown.placeCell == cell)
        removed |= static_cast<DigitMask>(game_->optionTables.at(c, r) & ~digitBit(shown.placeDigit));
}

void TBoardView::paintAllOptions() {
    if (!game_) return;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (game_->board.digit(c, r) == 0) drawFieldOptions(c, r);
}

void TBoardView::PaintBox1Paint() {
    repainting_ = true;
    paintPicture();
    repainting_ = false;
}

void TBoardView::paintPicture() {
    if (firstPaint_) {
        firstPaint_ = false;
        if (onFirstPaint) onFirstPaint();
    }
    canvas().Draw(0, 0, *boardBitmap_);
    if (!game_) return;
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const field& f = game_->board.at(c, r);
            if (f.digit != 0) drawField(c, r, f.digit, f.kind);
        }
    if (game_->optionsShown) paintAllOptions();
    if (game_->selColumn != 0) {
        // Redraws the mark where the selection stands (the view's part of selectField).
        eraseSelectionMark(game_->selColumn, game_->selRow);
        drawSelectionMark(game_->selColumn, game_->selRow);
    }
}

int TBoardView::fieldAt(int coordinate, int cellSize) {
    const int f = coordinate / cellSize + 1;
    return f > 9 ? 9 : f;
}

void TBoardView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (p.x() < 0 || p.y() < 0) return;
    if (onFieldPress) onFieldPress(fieldAt(p.x(), cs_), fieldAt(p.y(), cs_));
}

}  // namespace dozudo
