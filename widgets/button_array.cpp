#include "widgets/button_array.h"

#include "widgets/button_array_accessible.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

namespace dozudo {

const TBtnColors defaultBtnColors = {
    colorFromBgr(0xC0C0C0), colorFromBgr(0xF0F0F0), colorFromBgr(0x808080),
    colorFromBgr(0xFFFFFF), colorFromBgr(0x202020),
};

namespace {

constexpr std::uint8_t statusShift = 6;
constexpr std::uint8_t statusBits = 0xC0;
constexpr std::uint8_t modeShift = 4;
constexpr std::uint8_t modeBits = 0x30;
constexpr std::uint8_t groupBits = 0x0F;
// Flat, latch, group 0.
constexpr std::uint8_t freshButton = (stFlat << statusShift) | (bmLatch << modeShift);

}  // namespace

TZelArrayBtn::TZelArrayBtn(QWidget* parent) : BackingWidget(parent) {
    installButtonArrayAccessibility();
    // The canvas starts with the font the control has now; owners set their own later.
    canvas().setFont(font());
    canvas().setFontColor(palette().color(QPalette::WindowText));
    setMouseTracking(true);
    ResetBtns();
    FitSize();
}

// ---- properties ----

void TZelArrayBtn::SetBorder(std::uint8_t value) {
    border_ = value;
    FitSize();
}

void TZelArrayBtn::SetBtnHeight(std::uint8_t value) {
    btnHeight_ = std::max<std::uint8_t>(value, 10);
    FitSize();
}

void TZelArrayBtn::SetBtnSpacing(std::uint8_t value) {
    btnSpacing_ = value;
    FitSize();
}

void TZelArrayBtn::SetBtnShape(TBtnShape value) {
    btnShape_ = value;
    invalidate();
}

void TZelArrayBtn::SetBtnWidth(std::uint8_t value) {
    btnWidth_ = std::max<std::uint8_t>(value, 10);
    FitSize();
}

void TZelArrayBtn::SetBtnEdge(std::uint8_t value) {
    btnEdge_ = std::clamp<std::uint8_t>(value, 1, 2);
    PaintAllBtns();
}

QColor TZelArrayBtn::Color() const {
    if (color_) return *color_;
    const QWidget* from = parentWidget() ? parentWidget() : this;
    return from->palette().color(QPalette::Window);
}

void TZelArrayBtn::SetColor(const QColor& value) {
    color_ = value;
    invalidate();
}

void TZelArrayBtn::SetColumns(std::uint8_t value) {
    value = std::clamp<std::uint8_t>(value, 1, noBtn);
    if (value * rows_ > noBtn) rows_ = 1;
    columns_ = value;
    ResetBtns();
    FitSize();
}

void TZelArrayBtn::SetRows(std::uint8_t value) {
    value = std::clamp<std::uint8_t>(value, 1, noBtn);
    if (value * columns_ > noBtn) columns_ = 1;
    rows_ = value;
    ResetBtns();
    FitSize();
}

// ---- per-button state ----

void TZelArrayBtn::SetBtnMode(std::uint8_t BtnNr, std::uint8_t mode) {
    if (BtnNr >= noBtn) return;
    btns_[BtnNr] =
        static_cast<std::uint8_t>((btns_[BtnNr] & ~modeBits) | ((mode << modeShift) & modeBits));
}

void TZelArrayBtn::SetBtnGroup(std::uint8_t BtnNr, std::uint8_t group) {
    if (BtnNr >= noBtn) return;
    btns_[BtnNr] = static_cast<std::uint8_t>((btns_[BtnNr] & ~groupBits) | (group & groupBits));
}

TBtnStatus TZelArrayBtn::GetBtnStatus(std::uint8_t BtnNr) const {
    if (BtnNr > noBtn) return stHidden;
    return static_cast<TBtnStatus>((btns_[BtnNr] & statusBits) >> statusShift);
}

TBtnMode TZelArrayBtn::GetBtnMode(std::uint8_t BtnNr) const {
    if (BtnNr > noBtn) return bmPush;
    const int mode = (btns_[BtnNr] & modeBits) >> modeShift;
    return mode == 3 ? bmLatch : static_cast<TBtnMode>(mode);
}

std::uint8_t TZelArrayBtn::GetBtnGroup(std::uint8_t BtnNr) const {
    if (BtnNr > noBtn) return 0;
    return btns_[BtnNr] & groupBits;
}

void TZelArrayBtn::StoreBtnStatus(std::uint8_t BtnNr, TBtnStatus status) {
    if (BtnNr >= noBtn) return;  // noBtn always reads as hidden
    const TBtnStatus before = GetBtnStatus(BtnNr);
    btns_[BtnNr] =
        static_cast<std::uint8_t>((btns_[BtnNr] & ~statusBits) | (status << statusShift));
    if (before != status) notifyBtnStatus(this, BtnNr, before, status);
}

void TZelArrayBtn::ResetBtns() {
    for (int i = 0; i <= noBtn; ++i) btns_[i] = i < buttonCount() ? freshButton : 0;
}

void TZelArrayBtn::HideBtn(std::uint8_t BtnNr) {
    if (GetBtnStatus(BtnNr) == stHidden) return;
    StoreBtnStatus(BtnNr, stHidden);
    if (hoverBtn == BtnNr) hoverBtn = noBtn;
    PaintBtn(BtnNr, stHidden);
    if (BtnNr != focusBtn_ || !hasFocus()) return;
    // The mark goes to a neighbour; with no button left, the focus goes back to the parent.
    std::uint8_t next = nextVisibleBtn(BtnNr, 1);
    if (next == noBtn) next = nextVisibleBtn(BtnNr, -1);
    if (next != noBtn)
        SetFocusBtn(next);
    else if (parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
}

void TZelArrayBtn::ShowBtn(std::uint8_t BtnNr) {
    if (BtnNr >= noBtn || GetBtnStatus(BtnNr) != stHidden) return;
    StoreBtnStatus(BtnNr, stFlat);
    PaintBtn(BtnNr, stFlat);
}

void TZelArrayBtn::ReleaseBtn(std::uint8_t BtnNr) {
    if (GetBtnStatus(BtnNr) != stDown) return;
    StoreBtnStatus(BtnNr, stFlat);
    PaintBtn(BtnNr, stFlat);
}

void TZelArrayBtn::ReleaseGroup(std::uint8_t BtnNr) {
    const std::uint8_t group = GetBtnGroup(BtnNr);
    for (int i = 0; i < buttonCount(); ++i) {
        const auto nr = static_cast<std::uint8_t>(i);
        if (nr != BtnNr && GetBtnGroup(nr) == group && GetBtnStatus(nr) == stDown) {
            StoreBtnStatus(nr, stFlat);
            PaintBtn(nr, stFlat);
        }
    }
}

void TZelArrayBtn::SetBtnColors(const TBtnColors& colors) {
    colors_ = &colors;
    invalidate();
}

// ---- geometry ----

void TZelArrayBtn::FitSize() {
    if (rows_ == 0) rows_ = 1;
    if (columns_ == 0) columns_ = 1;
    const int w = (btnWidth_ + btnSpacing_) * columns_ - btnSpacing_ + 2 * border_;
    const int h = (btnHeight_ + btnSpacing_) * rows_ - btnSpacing_ + 2 * border_;
    resize(w, h);
    syncImageSize();
}

TRect TZelArrayBtn::GetBtnRect(std::uint8_t BtnNr) const {
    const int column = BtnNr % columns_;
    const int row = BtnNr / columns_;
    const int left = column * (btnWidth_ + btnSpacing_) + border_;
    const int top = row * (btnHeight_ + btnSpacing_) + border_;
    return {left, top, left + btnWidth_, top + btnHeight_};
}

std::uint8_t TZelArrayBtn::hitTest(int X, int Y) const {
    // Signed arithmetic; C++ remainders take the sign of the dividend, so points left of or
    // above the grid give a remainder of at most 0 and never hit.
    const int x = X - border_, y = Y - border_;
    const int pw = btnWidth_ + btnSpacing_, ph = btnHeight_ + btnSpacing_;
    const int fx = x % pw, fy = y % ph;
    if (x < columns_ * pw && y < rows_ * ph && btnEdge_ < fx && fx < btnWidth_ - btnEdge_ &&
        btnEdge_ < fy && fy < btnHeight_ - btnEdge_) {
        const auto nr = static_cast<std::uint8_t>((y / ph) * columns_ + x / pw);
        if (GetBtnStatus(nr) != stHidden) return nr;
    }
    return noBtn;
}

// ---- painting ----

void TZelArrayBtn::PaintBtn(std::uint8_t BtnNr, TBtnStatus status) {
    Canvas& c = canvas();
    const TRect r = GetBtnRect(BtnNr);
    c.setPenWidth(1);
    c.setBrushStyle(BrushStyle::Solid);
    if (status == stHidden) {
        c.setBrushColor(Color());
        c.FillRect(r);
        return;
    }
    const TBtnColors& col = *colors_;
    QColor face = col.FaceColor, topLeft = col.FlatEdgeColor, bottomRight = col.FlatEdgeColor;
    if (status == stDown) {
        face = col.DownColor;
        topLeft = col.DarkEdgeColor;
        bottomRight = col.LightEdgeColor;
    } else if (status == stHI) {
        topLeft = col.LightEdgeColor;
        bottomRight = col.DarkEdgeColor;
    }
    c.setBrushColor(face);
    if (btnShape_ == bs3D) {
        c.FillRect(r);
        for (int k = 0; k < btnEdge_; ++k) {
            c.setPenColor(topLeft);
            c.MoveTo(r.Right - 1 - k, r.Top + k);
            c.LineTo(r.Left + k, r.Top + k);
            c.LineTo(r.Left + k, r.Bottom - 1 - k);
            c.setPenColor(bottomRight);
            c.LineTo(r.Right - 1 - k, r.Bottom - 1 - k);
            c.LineTo(r.Right - 1 - k, r.Top + k);
        }
    } else {
        const int corner = std::max(std::min(btnHeight_ / 2, 40), 10);
        c.setPenWidth(btnEdge_);
        c.setPenColor(topLeft);
        c.RoundRect(r.Left + 1, r.Top + 1, r.Right, r.Bottom, corner, corner);
    }
    if (onBtnPaint) onBtnPaint(this, BtnNr, status);
    if (BtnNr == focusBtn_ && hasFocus()) PaintFocusMark(BtnNr);
}

void TZelArrayBtn::PaintFocusMark(std::uint8_t BtnNr) {
    // A dotted line inside the button's edge, in its dark edge colour; on a rounded button it
    // follows the rounding, clear of the corners and of the caption.
    Canvas& c = canvas();
    c.setPenColor(colors_->DarkEdgeColor);
    const TRect r = GetBtnRect(BtnNr);
    const int inset = btnEdge_ + 1;
    const int corner = btnShape_ == bsFlat ? std::max(std::max(std::min(btnHeight_ / 2, 40), 10) - 2 * inset, 0) : 0;
    c.FocusRect({r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset}, corner);
}

void TZelArrayBtn::Paint() {
    hoverBtn = noBtn;
    Canvas& c = canvas();
    const int w = width(), h = height();
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(Color());
    c.FillRect(0, 0, w, h);
    c.setPenWidth(1);
    c.setPenColor(colors_->FlatEdgeColor);
    if (border_ > 0) {
        c.setPenColor(btnShape_ == bs3D ? colors_->LightEdgeColor : colors_->FlatEdgeColor);
        c.MoveTo(w - 1, 0);
        c.LineTo(0, 0);
        c.LineTo(0, h - 1);
        c.setPenColor(colors_->FlatEdgeColor);
        c.LineTo(w - 1, h - 1);
        c.LineTo(w - 1, 0);
    }
    for (int i = 0; i < buttonCount(); ++i) {
        const auto nr = static_cast<std::uint8_t>(i);
        if (GetBtnStatus(nr) != stHidden) PaintBtn(nr, GetBtnStatus(nr));
    }
}

void TZelArrayBtn::PaintAllBtns() {
    for (int i = 0; i < buttonCount(); ++i) {
        const auto nr = static_cast<std::uint8_t>(i);
        PaintBtn(nr, GetBtnStatus(nr));
    }
}

// ---- keyboard ----

std::uint8_t TZelArrayBtn::nextVisibleBtn(int from, int step) const {
    for (int nr = from + step; nr >= 0 && nr < buttonCount(); nr += step)
        if (GetBtnStatus(static_cast<std::uint8_t>(nr)) != stHidden) return static_cast<std::uint8_t>(nr);
    return noBtn;
}

std::uint8_t TZelArrayBtn::FocusBtn() const {
    if (focusBtn_ < buttonCount() && GetBtnStatus(focusBtn_) != stHidden) return focusBtn_;
    return nextVisibleBtn(-1, 1);
}

void TZelArrayBtn::SetFocusBtn(std::uint8_t BtnNr) {
    if (BtnNr >= buttonCount() || GetBtnStatus(BtnNr) == stHidden) return;
    const std::uint8_t before = focusBtn_;
    focusBtn_ = BtnNr;
    if (!hasFocus()) return;
    if (before != BtnNr && before < buttonCount() && GetBtnStatus(before) != stHidden) repaintBtn(before);
    focusMoved();
}

void TZelArrayBtn::repaintBtn(std::uint8_t BtnNr) {
    const TBtnStatus status = GetBtnStatus(BtnNr);
    PaintBtn(BtnNr, BtnNr == hoverBtn && status == stFlat ? stHI : status);
}

void TZelArrayBtn::focusMoved() {
    if (focusBtn_ == noBtn) return;
    repaintBtn(focusBtn_);
    notifyBtnFocus(this, focusBtn_);
    if (onBtnFocus) onBtnFocus(this, focusBtn_);
}

void TZelArrayBtn::keyPressEvent(QKeyEvent* event) {
    // Keys with Ctrl or Alt are the window's (its commands); unused keys go on to the parent.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    const std::uint8_t at = FocusBtn();
    std::uint8_t to = noBtn;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up: to = nextVisibleBtn(at, -1); break;
        case Qt::Key_Right:
        case Qt::Key_Down: to = nextVisibleBtn(at, 1); break;
        case Qt::Key_Home: to = nextVisibleBtn(-1, 1); break;
        case Qt::Key_End: to = nextVisibleBtn(buttonCount(), -1); break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (at != noBtn && !event->isAutoRepeat()) ClickBtn(at);
            event->accept();
            return;
        default: event->ignore(); return;
    }
    // At the first or last button an arrow goes on to the parent (which may move on from here).
    if (to == noBtn) {
        event->ignore();
        return;
    }
    SetFocusBtn(to);
    event->accept();
}

void TZelArrayBtn::focusInEvent(QFocusEvent* event) {
    BackingWidget::focusInEvent(event);
    focusBtn_ = FocusBtn();
    focusMoved();
}

void TZelArrayBtn::focusOutEvent(QFocusEvent* event) {
    BackingWidget::focusOutEvent(event);
    if (focusBtn_ < buttonCount() && GetBtnStatus(focusBtn_) != stHidden) repaintBtn(focusBtn_);
    if (onBtnFocus) onBtnFocus(this, noBtn);
}

// ---- pointer ----

void TZelArrayBtn::MouseMove(int X, int Y) {
    const std::uint8_t b = hitTest(X, Y);
    if (b == hoverBtn) return;
    setCursor(b != noBtn ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (hoverBtn != noBtn && GetBtnStatus(hoverBtn) != stDown) PaintBtn(hoverBtn, stFlat);
    if (b != noBtn && GetBtnStatus(b) != stDown) PaintBtn(b, stHI);
    hoverBtn = b;
}

void TZelArrayBtn::MouseDown(Qt::MouseButton button) {
    pressBtn = noBtn;
    if (hoverBtn == noBtn) return;
    const std::uint8_t nr = hoverBtn;
    const TBtnStatus before = GetBtnStatus(nr);
    if (before == stFlat) {
        StoreBtnStatus(nr, stDown);
        PaintBtn(nr, stDown);
        ReleaseGroup(nr);
        if (onBtnChange) onBtnChange(this, nr, stDown, button);
    }
    const TBtnMode mode = GetBtnMode(nr);
    if (mode == bmPush || (mode == bmToggle && before == stDown)) pressBtn = nr;
}

void TZelArrayBtn::MouseUp(Qt::MouseButton button) {
    if (pressBtn == noBtn) return;
    StoreBtnStatus(pressBtn, stFlat);
    PaintBtn(pressBtn, stFlat);
    if (onBtnChange) onBtnChange(this, pressBtn, stFlat, button);
}

void TZelArrayBtn::CMMouseEnter() {
    if (OnEnter) OnEnter(this);
}

void TZelArrayBtn::CMMouseLeave() {
    if (hoverBtn != noBtn) {
        if (GetBtnStatus(hoverBtn) != stDown) PaintBtn(hoverBtn, stFlat);
        hoverBtn = noBtn;
    }
    if (OnLeave) OnLeave(this);
}

void TZelArrayBtn::ClickBtn(std::uint8_t BtnNr) {
    if (BtnNr >= buttonCount()) return;
    const QPoint at = GetBtnRect(BtnNr).toQRect().center();
    MouseMove(at.x(), at.y());
    MouseDown(Qt::LeftButton);
    MouseUp(Qt::LeftButton);
    CMMouseLeave();
}

void TZelArrayBtn::mouseMoveEvent(QMouseEvent* event) {
    leftWithoutMove_ = false;
    const QPointF p = event->position();
    MouseMove(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
    event->accept();
}

void TZelArrayBtn::mousePressEvent(QMouseEvent* event) {
    // Qt reports the pointer leaving when a dialog opens over the window, but no move when the
    // dialog closes and the pointer has stood still: the press itself says where it is.
    if (leftWithoutMove_) mouseMoveEvent(event);
    MouseDown(event->button());
    event->accept();
}

void TZelArrayBtn::mouseReleaseEvent(QMouseEvent* event) {
    MouseUp(event->button());
    event->accept();
}

void TZelArrayBtn::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    CMMouseEnter();
}

void TZelArrayBtn::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    leftWithoutMove_ = true;
    CMMouseLeave();
}

void TZelArrayBtn::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Without a colour of its own the control follows its parent's background.
    if (!color_ &&
        (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange)) {
        invalidate();
    }
}

}  // namespace dozudo
