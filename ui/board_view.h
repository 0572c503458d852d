#pragma once
// The board view: the prepared board picture, the digits in their kind's colours,
// the options of empty fields and the selection mark. Between full repaints it is
// updated field by field, restoring the board picture only where it draws. To a screen reader
// it is a table of fields (ui/board_view_accessible.h).

#include <QImage>
#include <functional>

#include "game/game.h"
#include "game/screen.h"
#include "widgets/backing_widget.h"

namespace dozudo {

class TBoardView : public BackingWidget, public BoardView {
    Q_OBJECT
public:
    // The pictures belong to the main window and must outlive the view.
    TBoardView(QWidget* parent, int cellSize, const QImage* boardBitmap, const QImage* markBitmap,
               QImage* workBitmap);
    void setGame(const Game* game) { game_ = game; }
    const Game* game() const { return game_; }
    int cellSize() const { return cs_; }

    // Runs once, at the first paint, before the board is drawn (the command-line open).
    std::function<void()> onFirstPaint;
    // A mouse press on the board: field column and row, 1..9.
    std::function<void(int column, int row)> onFieldPress;
    // The screen reader's "next step" action on the board.
    std::function<void()> onNextStep;

    TRect fieldRect(int column, int row) const;
    TRect innerRect(int column, int row) const;

    // BoardView
    void drawField(int column, int row, int digit, int kind) override;
    void paintAllOptions() override;
    void eraseSelectionMark(int column, int row) override;
    void drawSelectionMark(int column, int row) override;
    void repaintBoard() override;

    void drawFieldOptions(int column, int row);
    // The options of a field that the shown step marks as its pattern and as removed.
    void stepMarks(int column, int row, DigitMask& pattern, DigitMask& removed) const;
    void clearFieldInterior(int column, int row);
    void PaintBox1Paint();

    // The field under a point of the view; the closing grid line counts as field 9.
    static int fieldAt(int coordinate, int cellSize);

protected:
    void fullRepaint() override { PaintBox1Paint(); }
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintPicture();

    int cs_;
    const QImage* boardBitmap_;
    const QImage* markBitmap_;
    QImage* workBitmap_;
    const Game* game_ = nullptr;
    bool firstPaint_ = true;
    bool repainting_ = false;  // inside PaintBox1Paint: nothing changes, the picture is rebuilt
};

}  // namespace dozudo
