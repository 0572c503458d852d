#include "help/info_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "help/core/help_code.h"
#include "help/help_box_accessible.h"

namespace dozudo {

namespace {

QFont arialFont(int cellHeight, bool bold) { return Canvas::widgetFont(cellHeight, bold); }

const QColor shadeColour = colorFromBgr(0xD8D8D8);
const QColor frameColour = colorFromBgr(0x606060);
const QColor bandColour = colorFromBgr(0xA00000);
const QColor bevelLight = colorFromBgr(0xF0F0F0);

// Virtual key codes of the keys the window answers.
constexpr int vkPageUp = 33;
constexpr int vkPageDown = 34;
constexpr int vkHome = 36;
constexpr char escapeChar = 27;

}  // namespace

QColor helpColor() { return colorFromBgr(0xC0F0F0); }

// ---- the text box ----

THelpBox::THelpBox(QWidget* parent) : BackingWidget(parent) {
    setMouseTracking(true);
    installHelpBoxAccessibility();
}

void THelpBox::fullRepaint() {
    if (onPaint) onPaint();
}

void THelpBox::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove) onMouseMove(event->position().toPoint().y());
}

void THelpBox::mousePressEvent(QMouseEvent*) {
    if (onMouseDown) onMouseDown();
}

// ---- the window ----

TinfoForm::TinfoForm(int cellSize, QWidget* parent)
    : TinfoForm(cellSize, storedHelpLines(), parent) {}

TinfoForm::TinfoForm(int cs, std::vector<std::string> storedLines, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      cellSize(cs),
      source_(std::move(storedLines)) {
    setWindowTitle("SUDOKU - help");
    subTitle = new QLabel(this);
    helpbox = new THelpBox(this);
    pageNrDisplay = new QLabel(this);
    page1Btn = new QToolButton(this);
    Timer1 = new QTimer(this);
    FormCreate();
}

void TinfoForm::FormCreate() {
    const int cs = cellSize;
    heights = helpFontHeightsFor(cs);
    pages.pageCount = HelpPages::pagesFor(source_.size());

    const int titleHeight = cs * 6 / 10;
    const int titleFont = cs / 2;
    subTitle->setGeometry(10, 5, cs * 10, titleHeight);
    subTitle->setTextFormat(Qt::PlainText);
    subTitle->setFont(arialFont(titleFont, true));
    QPalette titlePalette = subTitle->palette();
    titlePalette.setColor(QPalette::WindowText, colorFromBgr(0xFF0000));
    subTitle->setPalette(titlePalette);

    helpbox->setGeometry(10, subTitle->y() + subTitle->height() + cs / 4, cs * 13, cs * 9);
    helpbox->onPaint = [this] { helpboxPaint(); };
    helpbox->onMouseMove = [this](int y) { helpboxMouseMove(y); };
    helpbox->onMouseDown = [this] { helpboxMouseDown(); };

    const int boxRight = helpbox->x() + helpbox->width();
    const int pageWidth = cs * 3 / 4;
    pageNrDisplay->setGeometry(boxRight - pageWidth, 5, pageWidth, titleHeight);
    pageNrDisplay->setFont(arialFont(titleFont, true));
    pageNrDisplay->setAlignment(Qt::AlignCenter);
    pageNrDisplay->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pageNrDisplay->setLineWidth(1);
    pageNrDisplay->setAutoFillBackground(true);
    QPalette pagePalette = pageNrDisplay->palette();
    pagePalette.setColor(QPalette::Window, helpColor());
    pagePalette.setColor(QPalette::WindowText, Qt::black);
    pageNrDisplay->setPalette(pagePalette);
    pageNrDisplay->setText("1");
    pageNrDisplay->setAccessibleDescription("page number");
    pageNrDisplay->installEventFilter(this);

    page1Btn->setText("1");
    page1Btn->setGeometry(pageNrDisplay->x() - 25 - cs / 2, 5, 25, titleHeight);
    page1Btn->setFont(arialFont(titleFont, false));
    page1Btn->setFocusPolicy(Qt::NoFocus);
    page1Btn->setAccessibleDescription("first page");
    connect(page1Btn, &QToolButton::clicked, this, [this] { page1BtnClick(); });

    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(boxRight + cs / 2, helpbox->y() + helpbox->height() + cs / 2);
}

void TinfoForm::fillListBox() {
    if (ListBox1) return;
    // An item view is costly to make; it is made with its lines when a page is first drawn.
    ListBox1 = new QListWidget(this);
    ListBox1->hide();
    for (const std::string& line : source_)
        ListBox1->addItem(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    source_.clear();
    source_.shrink_to_fit();
}

void TinfoForm::openHelp(QWidget* owner) {
    pages.helpPage = 1;
    pageNrDisplay->setText("1");
    // Wayland leaves the place of every window to the compositor; elsewhere it opens over the
    // main window, 20 pixels down and right.
    const bool placeable = !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (owner && placeable) move(owner->pos() + QPoint(20, 20));
    exec();
}

// ---- drawing ----

void TinfoForm::drawHelpLine(const QString& stored) {
    const QByteArray bytes = stored.toLatin1();
    const std::string text = decodeHelpLine(std::string_view(bytes.constData(), bytes.size()));
    if (lineIndex == 0) {
        // Titles are shown as they stand, markup included.
        subTitle->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        return;
    }
    Canvas& cv = helpbox->canvas();
    // The font is chosen again only when the markup changes it.
    int fontHeight = -1;
    bool fontBold = false;
    const auto useFont = [&](int height, bool bold) {
        if (height == fontHeight && bold == fontBold) return;
        fontHeight = height;
        fontBold = bold;
        cv.setFont("arial", height, bold);
    };
    const HelpLineDrawing drawing =
        interpretHelpLine(text, lineIndex, heights, [&](char ch, int height, bool bold) {
            useFont(height, bold);
            return cv.TextWidth(QString(QChar(static_cast<uchar>(ch))));
        });
    pages.linkPage[lineIndex] = drawing.linkPage;
    cv.setPenMode(PenMode::Copy);
    cv.setFontColor(Qt::black);
    for (const HelpDrawOp& op : drawing.ops) {
        if (op.kind == HelpDrawOp::Frame) {
            cv.setPenWidth(2);
            cv.setPenColor(frameColour);
            cv.MoveTo(op.x, op.y);
            cv.LineTo(op.x2, op.y2);
            continue;
        }
        useFont(op.fontHeight, op.bold);
        if (op.shaded) {
            cv.setBrushColor(shadeColour);
        } else {
            cv.setBrushColor(helpColor());
            cv.setBrushStyle(BrushStyle::Clear);
        }
        cv.TextOut(op.x, op.y, QString(QChar(static_cast<uchar>(op.ch))));
    }
    cv.setPenWidth(1);
    cv.setPenColor(Qt::black);
}

void TinfoForm::drawHelpPage() {
    fillListBox();
    lineIndex = 0;
    const int first = (pages.helpPage - 1) * helpLinesPerPage;
    pages.linkPage.fill(0);
    pages.hoverLine = 0;
    while (first + lineIndex < ListBox1->count() && lineIndex < helpLinesPerPage) {
        drawHelpLine(ListBox1->item(first + lineIndex)->text());
        ++lineIndex;
    }
    notifyHelpPageDrawn(helpbox);
}

QStringList TinfoForm::pageLines() {
    fillListBox();
    QStringList lines;
    const int first = (pages.helpPage - 1) * helpLinesPerPage;
    for (int i = 1; i < helpLinesPerPage && first + i < ListBox1->count(); ++i) {
        const QByteArray bytes = ListBox1->item(first + i)->text().toLatin1();
        const std::string text = helpLineText(decodeHelpLine(std::string_view(bytes.constData(), bytes.size())));
        lines.append(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty()) lines.removeLast();
    return lines;
}

QRect TinfoForm::lineRect(int line) const {
    const int h = heights.normalHeight;
    return QRect(10, line * h, helpbox->width() - 20, h);
}

void TinfoForm::clickLine(int line) {
    helpboxMouseMove(line * heights.normalHeight);
    helpboxMouseDown();
}

void TinfoForm::clearHelpText() {
    Canvas& cv = helpbox->canvas();
    cv.setBrushColor(helpColor());
    cv.FillRect(10, 10, helpbox->width() - 10, helpbox->height() - 10);
}

void TinfoForm::helpboxPaint() {
    Canvas& cv = helpbox->canvas();
    const int w = helpbox->width(), h = helpbox->height();
    cv.setBrushColor(helpColor());
    cv.FillRect(0, 0, w, h);
    cv.setPenWidth(1);
    cv.setPenMode(PenMode::Copy);
    for (int i = 0; i <= 2; ++i) {
        cv.setPenColor(Qt::black);
        cv.MoveTo(w - 1 - i, i);
        cv.LineTo(i, i);
        cv.LineTo(i, h - 1 - i);
        cv.setPenColor(bevelLight);
        cv.LineTo(w - 1 - i, h - 1 - i);
        cv.LineTo(w - 1 - i, i);
    }
    drawHelpPage();
}

void TinfoForm::toggleBand(int line) {
    Canvas& cv = helpbox->canvas();
    const int h = heights.normalHeight;
    cv.setPenColor(bandColour);
    cv.setPenWidth(1);
    cv.setPenMode(PenMode::MergePenNot);
    for (int i = 0; i < h; ++i) {
        cv.MoveTo(10, line * h + i);
        cv.LineTo(helpbox->width() - 10, line * h + i);
    }
    cv.setPenMode(PenMode::Copy);
}

// ---- navigation ----

void TinfoForm::stepPage(int d) {
    if (!pages.stepPage(d)) return;
    clearHelpText();
    pageNrDisplay->setText(QString::number(pages.helpPage));
    drawHelpPage();
}

void TinfoForm::showFirstPage() {
    clearHelpText();
    pages.helpPage = 1;
    pageNrDisplay->setText("1");
    drawHelpPage();
}

void TinfoForm::page1BtnClick() { showFirstPage(); }

void TinfoForm::helpboxMouseMove(int y) {
    const HelpPages::BandToggles t = pages.hoverTo(y / heights.normalHeight);
    if (t.off) toggleBand(t.off);
    if (t.on) toggleBand(t.on);
}

void TinfoForm::helpboxMouseDown() {
    if (!pages.followLink()) return;
    clearHelpText();
    drawHelpPage();
    pageNrDisplay->setText(QString::number(pages.helpPage));
}

void TinfoForm::pageNrDisplayMouseDown(Qt::MouseButton button) {
    stepPage(button == Qt::RightButton ? 2 : 1);
    Timer1->start();
}

void TinfoForm::pageNrDisplayMouseUp() { Timer1->stop(); }

void TinfoForm::Timer1Timer() { stepPage(0); }

bool TinfoForm::FormKeyDown(int key) {
    switch (key) {
        case vkPageUp:
            stepPage(2);
            return true;
        case vkPageDown:
            stepPage(1);
            return true;
        case vkHome:
            showFirstPage();
            return true;
        default:
            return false;
    }
}

bool TinfoForm::FormKeyPress(char character) {
    if (character != escapeChar) return false;
    accept();
    return true;
}

void TinfoForm::keyPressEvent(QKeyEvent* event) {
    int key = 0;
    switch (event->key()) {
        case Qt::Key_PageUp: key = vkPageUp; break;
        case Qt::Key_PageDown: key = vkPageDown; break;
        case Qt::Key_Home: key = vkHome; break;
        default: break;
    }
    if (key && FormKeyDown(key)) return;
    if (event->key() == Qt::Key_Escape && FormKeyPress(escapeChar)) return;
    QDialog::keyPressEvent(event);
}

bool TinfoForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pageNrDisplay) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                pageNrDisplayMouseDown(static_cast<QMouseEvent*>(event)->button());
                return true;
            case QEvent::MouseButtonRelease:
                pageNrDisplayMouseUp();
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TinfoForm::hideEvent(QHideEvent* event) {
    // A button held on the page number when the window closes never comes up here.
    Timer1->stop();
    QDialog::hideEvent(event);
}

}  // namespace dozudo
