#include "ui/main_window.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QScreen>
#include <QUrl>
#include <chrono>

#include "game/captions.h"
#include "game/keys.h"
#include "help/info_form.h"
#include "ui/board_pictures.h"
#include "ui/board_view_accessible.h"
#include "ui/file_drop.h"
#include "ui/puzzle_exchange.h"
#include "ui/shortcuts.h"

namespace dozudo {

namespace {

QFont arialFont(int cellHeight, bool bold = false) { return Canvas::widgetFont(cellHeight, bold); }

void setTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    p.setColor(QPalette::Text, colour);
    w->setPalette(p);
}

const QColor navy = colorFromBgr(0x800000);

// To a screen reader the main window is a window (a plain top-level widget reads as a filler).
QAccessibleInterface* mainWindowFactory(const QString& key, QObject* object) {
    if (key == QLatin1String(TForm1::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

int TForm1::cellSizeFor(int screenWidth) {
    if (screenWidth > 1024) return 60;
    if (screenWidth < 1024) return 40;
    return 50;
}

TForm1::TForm1(int screenWidth, int screenHeight, std::uint64_t textureSeed)
    : BackingWidget(nullptr) {
    static const bool accessible = [] {
        QAccessible::installFactory(mainWindowFactory);
        return true;
    }();
    (void)accessible;
    if (screenWidth <= 0 || screenHeight <= 0) {
        const QSize s = QGuiApplication::primaryScreen()->geometry().size();
        screenWidth = s.width();
        screenHeight = s.height();
    }
    if (textureSeed == 0)
        textureSeed = static_cast<std::uint64_t>(
            std::chrono::high_resolution_clock::now().time_since_epoch().count());
    // The pictures are drawn at the screen's device pixel ratio, as the board view is; a second
    // core draws them while the controls are made.
    startPictures_ = std::async(std::launch::async, drawStartPictures, cellSizeFor(screenWidth),
                                devicePixelRatioF(), textureSeed);

    // A fixed window with a system menu, minimize and close, and no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setCaption(std::string(programTitle));
    setFont(arialFont(11));
    setTextColour(this, navy);
    setFocusPolicy(Qt::StrongFocus);
    // The window's own picture (frame and numbers round the board) is drawn only when Qt asks.
    setKeepPicture(false);

    // Controls; their places and sizes are set by FormCreate.
    ZelArrayBtn1 = new TZelArrayBtn(this);
    ZelArrayBtn2 = new TZelArrayBtn(this);
    ZelArrayBtn3 = new TZelArrayBtn(this);
    StaticText1 = new TStatusText(this);
    Label1 = new QLabel("game --> printpage", this);
    Image1 = new QLabel(this);
    vorlanelabel = new TLinkLabel(makerHost, this);
    printbtn = new QToolButton(this);
    erasebtn = new QToolButton(this);
    setupbtn = new QToolButton(this);
    optionsbox = new QCheckBox("show options", this);
    Timer1 = new QTimer(this);
    Timer1->setInterval(333);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    FormCreate(screenWidth, screenHeight);
    makeKeyboardFocus();
    // The keyboard starts on the board (Qt would give it to the first control that takes Tab).
    setFocus(Qt::OtherFocusReason);
    new FileDrop(this, [this](const QString& path) { openDroppedFile(path); });
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::FormCreate(int screenWidth, int screenHeight) {
    // 1-4: scale and pictures (the board and the selection mark come with the start pictures).
    cellSize = cellSizeFor(screenWidth);
    const int cs = cellSize;
    workBitmap = makePicture(cs - 1, cs - 1, devicePixelRatioF());

    PaintBox1 = new TBoardView(this, cs, &boardBitmap, &markBitmap, &workBitmap);
    game_ = std::make_unique<Game>(*PaintBox1, *this);
    PaintBox1->setGame(game_.get());
    PaintBox1->onFieldPress = [this](int c, int r) { PaintBox1MouseDown(c, r); };
    PaintBox1->onNextStep = [this] { game_->nextStep(); };
    PaintBox1->onFirstPaint = [this] { openFromCommandLine(); };

    const TBtnColors colours{colorFromBgr(0xD0D0FF), colorFromBgr(0xD0FFD0), colorFromBgr(0xFF0000),
                             colorFromBgr(0x00FF00), colorFromBgr(0x000000)};
    barColors = {colours, colours};

    // 5: the command bar.
    TZelArrayBtn* bar = ZelArrayBtn1;
    bar->SetRows(1);
    bar->SetColumns(8);
    bar->SetBorder(0);
    bar->SetBtnShape(bsFlat);
    bar->SetBtnSpacing(5);
    bar->SetBtnEdge(1);
    bar->move(10, 10);
    bar->SetBtnWidth(static_cast<std::uint8_t>(cs * 7 / 4));
    bar->SetBtnHeight(static_cast<std::uint8_t>(cs));
    bar->SetBtnColors(barColors[0]);
    bar->SetBtnMode(cmdErase, bmPush);
    bar->SetBtnMode(cmdRestore, bmPush);
    bar->onBtnPaint = [this](TZelArrayBtn* s, std::uint8_t n, TBtnStatus st) {
        ZelArrayBtn1BtnPaint(s, n, st);
    };
    bar->onBtnChange = [this](TZelArrayBtn* s, std::uint8_t n, TBtnStatus st, Qt::MouseButton b) {
        ZelArrayBtn1BtnChange(s, n, st, b);
    };
    bar->OnLeave = [this](TZelArrayBtn* s) { ZelArrayBtn1Leave(s); };
    bar->onBtnText = [this](TZelArrayBtn*, std::uint8_t n) { return commandBarText(n); };
    bar->setAccessibleName("command bar");

    // 6-9: client width, board view, status line, client height.
    const int clientWidth = bar->x() + bar->width() + cs / 2;
    PaintBox1->move(bar->GetBtnRect(1).Left + 2 * bar->BtnSpacing(), bar->y() + bar->height() + cs / 2 + 10);
    StaticText1->setGeometry(PaintBox1->x(), PaintBox1->y() + PaintBox1->height() + 10,
                             PaintBox1->width(), cs * 6 / 10);
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1->setLineWidth(1);
    StaticText1->setAutoFillBackground(true);
    {
        QPalette p = StaticText1->palette();
        p.setColor(QPalette::Window, colorFromBgr(0xE0FFE0));
        StaticText1->setPalette(p);
    }
    StaticText1->setFont(arialFont(StaticText1->height() * 8 / 10));
    StaticText1->setTextFormat(Qt::PlainText);
    StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StaticText1->setIndent(0);
    const int clientHeight = StaticText1->y() + StaticText1->height() + 10;
    setFixedSize(clientWidth, clientHeight);

    // 10: centred on the screen.
    move((screenWidth - clientWidth) / 2, (screenHeight - clientHeight) / 2);

    // 11: the analysis column.
    TZelArrayBtn* column = ZelArrayBtn2;
    column->SetColumns(1);
    column->SetBorder(0);
    column->SetBtnShape(bsFlat);
    column->SetBtnSpacing(5);
    column->SetBtnEdge(1);
    column->SetRows(6);
    column->move(PaintBox1->x() + PaintBox1->width() + cs / 2, PaintBox1->y());
    column->SetBtnHeight(static_cast<std::uint8_t>(cs * 7 / 10));
    column->SetBtnWidth(static_cast<std::uint8_t>(3 * cs));
    column->SetBtnColors(barColors[1]);
    column->SetBtnGroup(anShowOptions, 1);
    column->SetBtnMode(anShowOptions, bmToggle);
    column->SetBtnGroup(anHints, 2);
    column->SetBtnMode(anHints, bmToggle);
    for (int b = anFillDigit; b <= anTakeBack; ++b) column->SetBtnMode(static_cast<std::uint8_t>(b), bmPush);
    column->onBtnPaint = [this](TZelArrayBtn* s, std::uint8_t n, TBtnStatus st) {
        ZelArrayBtn2BtnPaint(s, n, st);
    };
    column->onBtnChange = [this](TZelArrayBtn* s, std::uint8_t n, TBtnStatus st, Qt::MouseButton b) {
        ZelArrayBtn2BtnChange(s, n, st, b);
    };
    column->onBtnText = [this](TZelArrayBtn*, std::uint8_t n) { return analysisColumnText(n); };
    column->setAccessibleName("analysis column");

    // 12: the print-page selector.
    TZelArrayBtn* selector = ZelArrayBtn3;
    selector->SetRows(2);
    selector->SetColumns(1);
    selector->SetBorder(0);
    selector->SetBtnEdge(2);
    selector->SetBtnShape(bs3D);
    selector->SetBtnWidth(static_cast<std::uint8_t>(cs));
    selector->SetBtnHeight(static_cast<std::uint8_t>(cs));
    selector->move(column->x(), PaintBox1->y() + PaintBox1->height() - selector->height());
    selector->setToolTip("add puzzle to printpage");
    selector->setAccessibleName("printpage");
    for (std::uint8_t b = 0; b < 2; ++b) {
        selector->SetBtnMode(b, bmToggle);
        selector->SetBtnGroup(b, b);
    }

    // 13-15: label, logo, link label.
    Label1->setFont(arialFont(cs / 4));
    Label1->setFixedSize(QFontMetrics(Label1->font()).horizontalAdvance(Label1->text()),
                         QFontMetrics(Label1->font()).height());
    Label1->move(selector->x(), selector->y() - Label1->height() - 10);
    Image1->setFixedSize(125, 30);
    Image1->setAccessibleName("DOZUDO");
    Image1->move(column->x(), Label1->y() - cs * 3 / 2);
    QFont linkFont = arialFont(cs * 3 / 10);
    linkFont.setUnderline(true);
    vorlanelabel->setFont(linkFont);
    vorlanelabel->setFixedSize(QFontMetrics(linkFont).horizontalAdvance(vorlanelabel->text()),
                               QFontMetrics(linkFont).height());
    vorlanelabel->move(Image1->x(), cs / 10 + Image1->y() + Image1->height());
    vorlanelabel->setCursor(Qt::PointingHandCursor);
    vorlanelabel->onMouseEnter = [this] { vorlanelabelMouseEnter(); };
    vorlanelabel->onMouseLeave = [this] { vorlanelabelMouseLeave(); };
    vorlanelabel->onClick = [this] { vorlanelabelClick(); };

    // 16-19: print-page check box and buttons.
    optionsbox->setGeometry(cs / 5 + selector->x() + selector->width(), selector->y(), 2 * cs, cs * 4 / 10);
    optionsbox->setFont(arialFont(cs / 4));
    optionsbox->setToolTip("print de opties");
    optionsbox->setFocusPolicy(Qt::NoFocus);
    const auto speedButton = [](QToolButton* b, const char* caption, int fontHeight, bool bold,
                                const QColor& colour) {
        b->setText(caption);
        b->setFont(arialFont(fontHeight, bold));
        setTextColour(b, colour);
        b->setFocusPolicy(Qt::NoFocus);
    };
    speedButton(printbtn, "print", cs * 3 / 10, true, colorFromBgr(0xFF0000));
    printbtn->setGeometry(optionsbox->x(), cs / 10 + optionsbox->y() + optionsbox->height(), cs, cs / 2);
    speedButton(erasebtn, "erase", cs * 3 / 10, true, colorFromBgr(0x0000FF));
    erasebtn->setGeometry(printbtn->x(), selector->y() + selector->height() - printbtn->height(),
                          printbtn->width(), printbtn->height());
    speedButton(setupbtn, "printer setup", cs * 3 / 10, false, colorFromBgr(0x808080));
    setupbtn->setGeometry(erasebtn->x(), StaticText1->y(), 2 * cs, erasebtn->height());

    // The start pictures are needed from here on.
    StartPictures pictures = startPictures_.get();
    boardBitmap = std::move(pictures.board);
    markBitmap = std::move(pictures.mark);
    Image1->setPixmap(QPixmap::fromImage(pictures.logo));

    // 20-23: start state; the print page starts empty.
    printControls = new TPrintPageControls(this, *game_, selector, printbtn, erasebtn, setupbtn,
                                           optionsbox, cs, makerHost);
    game_->gameState = gsIdle;
    game_->hideAnalysis();
    game_->setStatus(0, "welcome at the DOZUDO - vudede");
}

void TForm1::FormDestroy() {
    // The game goes before the controls: a control losing the focus or the pointer as it goes
    // must not call back into it.
    for (TZelArrayBtn* bar : {ZelArrayBtn1, ZelArrayBtn2, ZelArrayBtn3}) {
        bar->onBtnPaint = nullptr;
        bar->onBtnChange = nullptr;
        bar->onBtnFocus = nullptr;
        bar->OnEnter = bar->OnLeave = nullptr;
        bar->onBtnText = nullptr;
    }
    // The controls are children of the window and go with it; the pictures are freed here.
    boardBitmap = QImage();
    markBitmap = QImage();
    workBitmap = QImage();
}

void TForm1::FormPaint() {
    Canvas& cv = canvas();
    cv.setBrushColor(palette().color(QPalette::Window));
    cv.FillRect(0, 0, width(), height());
    const int L = PaintBox1->x(), T = PaintBox1->y(), Wd = PaintBox1->width(), Ht = PaintBox1->height();
    cv.setPenWidth(1);
    for (int i = 0; i <= 1; ++i) {
        const int left = L - 2 + i, top = T - 2 + i, right = L + Wd + 1 - i, bottom = T + Ht + 1 - i;
        cv.setPenColor(Qt::black);
        cv.MoveTo(right, top);
        cv.LineTo(left, top);
        cv.LineTo(left, bottom);
        cv.setPenColor(colorFromBgr(0x00FFFF));
        cv.LineTo(right, bottom);
        cv.LineTo(right, top);
    }
    cv.setBrushStyle(BrushStyle::Clear);
    cv.setFont("Arial", cellSize * 4 / 10);
    cv.setFontColor(navy);
    const int half = cellSize / 2;
    for (int n = 1; n <= 9; ++n) {
        cv.TextOut(L + half + (n - 1) * cellSize, T - half, QString::number(n));
        cv.TextOut(L - half, T + half + (n - 1) * cellSize, QString::number(n));
    }
}

// ---- Window ----

void TForm1::showStatusLine(const std::string& text, Rgb colour) {
    setTextColour(StaticText1, toQColor(colour));
    StaticText1->setText(fittedStatus(QString::fromStdString(text), StaticText1->fontMetrics(),
                                      StaticText1->contentsRect().width()));
}

QString TForm1::fittedStatus(const QString& text, const QFontMetrics& metrics, int width) {
    // A message too long for the line (a file named after " : ") keeps its words and the end
    // of the name, where sheets and puzzles differ ("-2.pdf"); its middle gives way.
    const int colon = text.lastIndexOf(QLatin1String(" : "));
    if (metrics.horizontalAdvance(text) <= width || colon < 0) return text;
    const QString head = text.left(colon + 3);
    return head + metrics.elidedText(text.mid(colon + 3), Qt::ElideMiddle, width - metrics.horizontalAdvance(head));
}

void TForm1::announceStatus(const std::string& text) { StaticText1->announce(QString::fromStdString(text)); }

void TForm1::setCaption(const std::string& caption) {
    // Qt reads "[*]" in a title as the modified-mark placeholder; doubled it stands for itself.
    setWindowTitle(QString::fromStdString(caption).replace(QLatin1String("[*]"), QLatin1String("[*][*]")));
}

void TForm1::beep() { QApplication::beep(); }

void TForm1::setTimerInterval(int milliseconds) { Timer1->setInterval(milliseconds); }

void TForm1::setTimerEnabled(bool enabled) {
    if (!enabled)
        Timer1->stop();
    else if (!Timer1->isActive())
        Timer1->start();
}

void TForm1::releaseCommandButton(int number) { ZelArrayBtn1->ReleaseBtn(static_cast<std::uint8_t>(number)); }

void TForm1::hideAnalysisButton(int number) { ZelArrayBtn2->HideBtn(static_cast<std::uint8_t>(number)); }

void TForm1::showAnalysisButton(int number) { ZelArrayBtn2->ShowBtn(static_cast<std::uint8_t>(number)); }

void TForm1::openWebPage() {
    QDesktopServices::openUrl(QUrl(QString("http://%1/math/").arg(makerHost)));
}

void TForm1::openHelp() {
    if (infoForm) infoForm->openHelp(this);
}

// ---- command bars ----

void TForm1::paintCaption(TZelArrayBtn* bar, std::uint8_t BtnNr, TBtnStatus status,
                          const QString& caption, int fontHeight, const std::string& hoverText) {
    Canvas& cv = bar->canvas();
    const TRect rect = bar->GetBtnRect(BtnNr);
    const TBtnColors& colours = bar->BtnColors();
    cv.setFont("Arial", fontHeight, status == stHI);
    cv.setFontColor(Qt::black);
    cv.setBrushColor(status == stDown ? colours.DownColor : colours.FaceColor);
    const int slash = static_cast<int>(caption.indexOf('/'));
    if (slash >= 0) {
        const QString first = caption.left(slash), second = caption.mid(slash + 1);
        cv.TextOut(rect.Left + (bar->BtnWidth() - cv.TextWidth(first)) / 2, rect.Top + 5, first);
        cv.TextOut(rect.Left + (bar->BtnWidth() - cv.TextWidth(second)) / 2,
                   rect.Top + bar->BtnHeight() / 2, second);
    } else {
        cv.TextOut(rect.Left + (bar->BtnWidth() - cv.TextWidth(caption)) / 2,
                   rect.Top + (bar->BtnHeight() - cv.TextHeight(caption)) / 2, caption);
    }
    if (status == stHI)
        game_->setStatus(4, hoverText);
    else
        game_->setStatus(5, "");
}

void TForm1::ZelArrayBtn1BtnPaint(TZelArrayBtn* sender, std::uint8_t BtnNr, TBtnStatus status) {
    if (BtnNr >= commandCaptions.size()) return;
    const QString caption = QString::fromUtf8(commandCaptions[BtnNr].data(), commandCaptions[BtnNr].size());
    const int h = sender->BtnHeight();
    const int fontHeight = caption.contains('/') ? h * 3 / 10 : h * 4 / 10;
    paintCaption(sender, BtnNr, status, caption, fontHeight,
                 status == stHI ? game_->commandHoverText(BtnNr) : std::string());
}

void TForm1::ZelArrayBtn1BtnChange(TZelArrayBtn*, std::uint8_t BtnNr, TBtnStatus status, Qt::MouseButton) {
    game_->commandBarChange(BtnNr, status == stDown);
    // "enter puzzle" pressed from the keyboard: the digits are typed on the board next.
    if (BtnNr == cmdEnter && game_->gameState == gsEntering && ZelArrayBtn1->hasFocus()) setFocus(Qt::OtherFocusReason);
}

void TForm1::ZelArrayBtn1Leave(TZelArrayBtn*) { game_->commandBarLeave(); }

TBtnAccessibleText TForm1::commandBarText(std::uint8_t BtnNr) {
    if (BtnNr >= commandCaptions.size()) return {};
    const std::string_view caption = commandCaptions[BtnNr];
    // The caption as one line: "enter/puzzle" reads "enter puzzle".
    QString name = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    name.replace('/', ' ');
    return {name, QString::fromStdString(game_->commandHoverText(BtnNr)), commandShortcut(BtnNr)};
}

TBtnAccessibleText TForm1::analysisColumnText(std::uint8_t BtnNr) {
    if (BtnNr >= analysisCaptions.size()) return {};
    const std::string_view caption = analysisCaptions[BtnNr];
    return {QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
            QString::fromStdString(Game::analysisHoverText(BtnNr)), QString()};
}

void TForm1::ZelArrayBtn2BtnPaint(TZelArrayBtn* sender, std::uint8_t BtnNr, TBtnStatus status) {
    if (BtnNr >= analysisCaptions.size()) return;
    const QString caption = QString::fromUtf8(analysisCaptions[BtnNr].data(), analysisCaptions[BtnNr].size());
    paintCaption(sender, BtnNr, status, caption, sender->BtnHeight() / 2, Game::analysisHoverText(BtnNr));
}

void TForm1::ZelArrayBtn2BtnChange(TZelArrayBtn*, std::uint8_t BtnNr, TBtnStatus status, Qt::MouseButton) {
    game_->analysisBarChange(BtnNr, status == stDown);
}

// ---- board, keys, link, timer ----

void TForm1::PaintBox1MouseDown(int column, int row) { game_->boardPress(column, row); }

int TForm1::keyCodeFor(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Backspace: return vkBack;
        case Qt::Key_Escape: return vkEscape;
        case Qt::Key_Left: return vkLeft;
        case Qt::Key_Up: return vkUp;
        case Qt::Key_Right: return vkRight;
        case Qt::Key_Down: return vkDown;
        case Qt::Key_Delete: return vkDelete;
        default: return 0;
    }
}

bool TForm1::FormKeyDown(int key) { return game_->keyDown(key); }

bool TForm1::FormKeyPress(char character) { return game_->keyPress(character); }

void TForm1::keyPressEvent(QKeyEvent* event) {
    if (commandKey(event) || regionKey(event)) {
        event->accept();
        return;
    }
    // Every key reaches the window first: the key itself, then the character it types.
    // While the program fills or pauses, keys other than Escape are left unconsumed.
    bool consumed = FormKeyDown(keyCodeFor(event->key()));
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() < 128)
        consumed = FormKeyPress(static_cast<char>(text[0].unicode())) && consumed;
    event->setAccepted(consumed);
}

void TForm1::focusInEvent(QFocusEvent* event) {
    BackingWidget::focusInEvent(event);
    // Back in the window, a screen reader's focus returns to the selected field once the
    // window's own focus has been told.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus() && game_->selColumn != 0) notifyFieldSelected(PaintBox1, game_->selColumn, game_->selRow, true);
    });
}

void TForm1::showEvent(QShowEvent* event) {
    BackingWidget::showEvent(event);
    if (!centring_) {
        centring_ = true;
        centreFrame(0);
    }
}

void TForm1::centreFrame(int attempt) {
    // The window was placed centred by its client area; once the window manager has framed it,
    // it moves back by half the frame so that the whole window is centred. This happens once:
    // later show events (a restore from minimized) leave the window where it is.
    QTimer::singleShot(attempt == 0 ? 0 : 20, this, [this, attempt] {
        const QRect frame = frameGeometry();
        const int dx = frame.width() - width(), dy = frame.height() - height();
        if (dx > 0 || dy > 0)
            move(x() - dx / 2, y() - dy / 2);
        else if (attempt < 10)
            centreFrame(attempt + 1);  // no frame yet (or never: no window manager)
    });
}

void TForm1::vorlanelabelMouseEnter() {
    setTextColour(vorlanelabel, colorFromBgr(0x0000FF));
    game_->linkEnter();
}

void TForm1::vorlanelabelMouseLeave() {
    setTextColour(vorlanelabel, colorFromBgr(0xFF0000));
    game_->linkLeave();
}

void TForm1::vorlanelabelClick() { game_->linkClick(); }

void TForm1::Timer1Timer() { game_->Timer1Timer(); }

}  // namespace dozudo
