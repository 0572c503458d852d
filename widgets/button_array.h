#pragma once
// TZelArrayBtn: a rectangular grid of up to 48 owner-drawn buttons in one control.
// The control paints each button's face and edge; the owner draws the content in onBtnPaint on
// the control's canvas and hears about clicks through onBtnChange. Buttons light up while the
// pointer is over them; each button has a click behaviour (push, latch, toggle) and a group
// number for radio behaviour. With the keyboard focus (Tab), the arrow keys move a focus mark
// over the visible buttons and Space or Return click the marked one; other keys go on to the
// parent.

#include <QColor>
#include <cstdint>
#include <functional>
#include <optional>

#include "widgets/backing_widget.h"
#include "widgets/canvas.h"

namespace dozudo {

enum TBtnStatus : std::uint8_t { stHidden = 0, stFlat = 1, stDown = 2, stHI = 3 };
enum TBtnShape : std::uint8_t { bsFlat = 0, bs3D = 1 };
// Mode 3 behaves as bmLatch.
enum TBtnMode : std::uint8_t { bmPush = 0, bmLatch = 1, bmToggle = 2 };

struct TBtnColors {
    QColor FaceColor;       // face of a flat or highlighted button
    QColor DownColor;       // face of a button that is down
    QColor FlatEdgeColor;   // edge of a flat button, the control's frame
    QColor LightEdgeColor;  // top-left edge when highlighted, bottom-right when down
    QColor DarkEdgeColor;   // top-left edge when down, bottom-right when highlighted
};
extern const TBtnColors defaultBtnColors;

// The number that stands for "no button"; it reads as a hidden button.
constexpr std::uint8_t noBtn = 48;

class TZelArrayBtn;
using TBtnChangeProc = std::function<void(TZelArrayBtn* sender, std::uint8_t BtnNr,
                                          TBtnStatus status, Qt::MouseButton button)>;
using TBtnPaintProc =
    std::function<void(TZelArrayBtn* sender, std::uint8_t BtnNr, TBtnStatus status)>;
using TNotifyEvent = std::function<void(TZelArrayBtn* sender)>;
// The button with the focus mark, noBtn when the control loses the keyboard focus.
using TBtnFocusProc = std::function<void(TZelArrayBtn* sender, std::uint8_t BtnNr)>;

// What a screen reader reads of a button: its name, a longer description and the key that
// presses it. The owner knows them; the control only draws.
struct TBtnAccessibleText {
    QString name;
    QString description;
    QString shortcut;
};
using TBtnTextProc = std::function<TBtnAccessibleText(TZelArrayBtn* sender, std::uint8_t BtnNr)>;

class TZelArrayBtn : public BackingWidget {
    Q_OBJECT
  public:
    // A new control is 105 x 85: 2 x 2 flat bs3D buttons of 40 x 30, spacing 5, border 10.
    explicit TZelArrayBtn(QWidget* parent = nullptr);

    // Properties. Setters clamp as noted and resize or repaint the control.
    std::uint8_t Border() const { return border_; }
    void SetBorder(std::uint8_t value);
    std::uint8_t BtnHeight() const { return btnHeight_; }
    void SetBtnHeight(std::uint8_t value);  // at least 10
    std::uint8_t BtnSpacing() const { return btnSpacing_; }
    void SetBtnSpacing(std::uint8_t value);
    TBtnShape BtnShape() const { return btnShape_; }
    void SetBtnShape(TBtnShape value);  // repaints through Qt
    std::uint8_t BtnWidth() const { return btnWidth_; }
    void SetBtnWidth(std::uint8_t value);  // at least 10
    std::uint8_t BtnEdge() const { return btnEdge_; }
    void SetBtnEdge(std::uint8_t value);  // 1..2; repaints every button at once
    // Background of the control and of hidden buttons; the parent's window colour until set.
    QColor Color() const;
    void SetColor(const QColor& value);
    std::uint8_t Columns() const { return columns_; }
    // Columns and Rows: clamped to 1..48; when the product exceeds 48 the other dimension
    // becomes 1. Every button is reset (flat, latch, group 0).
    void SetColumns(std::uint8_t value);
    std::uint8_t Rows() const { return rows_; }
    void SetRows(std::uint8_t value);

    // Events; an unassigned one is skipped.
    TBtnChangeProc onBtnChange;
    TBtnPaintProc onBtnPaint;
    TNotifyEvent OnEnter;
    TNotifyEvent OnLeave;
    TBtnFocusProc onBtnFocus;
    // Asked for by the accessibility interface of the control (widgets/button_array_accessible.h).
    TBtnTextProc onBtnText;

    // Per-button settings; stored only, no repaint. Modes 0..3, groups 0..15.
    void SetBtnMode(std::uint8_t BtnNr, std::uint8_t mode);
    void SetBtnGroup(std::uint8_t BtnNr, std::uint8_t group);
    TBtnStatus GetBtnStatus(std::uint8_t BtnNr) const;
    TBtnMode GetBtnMode(std::uint8_t BtnNr) const;
    std::uint8_t GetBtnGroup(std::uint8_t BtnNr) const;

    void HideBtn(std::uint8_t BtnNr);
    void ShowBtn(std::uint8_t BtnNr);
    void ReleaseBtn(std::uint8_t BtnNr);
    // Keeps a reference to colors (which must outlive the control) and repaints through Qt.
    void SetBtnColors(const TBtnColors& colors);
    const TBtnColors& BtnColors() const { return *colors_; }
    // The button's rectangle in the control's coordinates.
    TRect GetBtnRect(std::uint8_t BtnNr) const;

    // Pointer handling in the control's coordinates; Qt's mouse events call these.
    void MouseMove(int X, int Y);
    void MouseDown(Qt::MouseButton button);
    void MouseUp(Qt::MouseButton button);
    void CMMouseEnter();
    void CMMouseLeave();
    // A click on a button as the pointer makes it: onto the button, left button down and up, off
    // the control. A hidden button is not hit, and a latched one that is down ignores the press.
    void ClickBtn(std::uint8_t BtnNr);
    int buttonCount() const { return rows_ * columns_; }

    // Keyboard: the button that carries the focus mark while the control has the focus (the
    // first visible one until the arrows move it). noBtn when no button is visible.
    std::uint8_t FocusBtn() const;
    void SetFocusBtn(std::uint8_t BtnNr);
    bool hasVisibleBtn() const { return nextVisibleBtn(-1, 1) != noBtn; }

  protected:
    // The whole control: background, frame and every visible button.
    void Paint();
    void fullRepaint() override { Paint(); }
    // Paints one button in status without storing it, then raises onBtnPaint.
    void PaintBtn(std::uint8_t BtnNr, TBtnStatus status);
    void StoreBtnStatus(std::uint8_t BtnNr, TBtnStatus status);
    void ReleaseGroup(std::uint8_t BtnNr);
    void PaintAllBtns();
    void ResetBtns();
    void FitSize();
    // The visible button under (X, Y) or noBtn.
    std::uint8_t hitTest(int X, int Y) const;
    // The first visible button after `from` in direction step (+1 or -1), or noBtn.
    std::uint8_t nextVisibleBtn(int from, int step) const;
    void PaintFocusMark(std::uint8_t BtnNr);
    // Paints a button as it shows now: its status, or highlighted under the pointer.
    void repaintBtn(std::uint8_t BtnNr);
    void focusMoved();

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    std::uint8_t border_ = 10;
    std::uint8_t btnHeight_ = 30;
    std::uint8_t btnSpacing_ = 5;
    TBtnShape btnShape_ = bs3D;
    std::uint8_t btnWidth_ = 40;
    std::uint8_t btnEdge_ = 1;
    std::optional<QColor> color_;
    std::uint8_t columns_ = 2;
    std::uint8_t rows_ = 2;

    std::uint8_t hoverBtn = noBtn;
    std::uint8_t pressBtn = noBtn;
    std::uint8_t focusBtn_ = noBtn;
    // The pointer left the control and no move has been reported since.
    bool leftWithoutMove_ = false;
    // Per button: bits 6-7 status, bits 4-5 mode, bits 0-3 group. Entry noBtn stays 0.
    std::uint8_t btns_[noBtn + 1] = {};
    const TBtnColors* colors_ = &defaultBtnColors;
};

}  // namespace dozudo
