#include "print/print_page_controls.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "print/core/print_sheet.h"
#include "print/page_printer.h"
#include "widgets/dialog_popups.h"

namespace dozudo {

namespace {

// OK in the setup dialog. Qt's check asks whether to overwrite a PDF file that exists, but a
// print never overwrites one (it numbers on), so for an existing, writable file the check is
// left out; every other case (a folder, a file that cannot be written) keeps Qt's check and
// its message.
void acceptSetup(QPrintDialog* dialog) {
    const auto* name = dialog->findChild<QLineEdit*>("filename");
    if (name && name->isEnabled()) {
        const QFileInfo file(name->text());
        if (file.isFile() && file.isWritable()) {
            dialog->accept();
            return;
        }
    }
    QMetaObject::invokeMethod(dialog, "_q_checkFields");
}

}  // namespace

TPrintPageControls::TPrintPageControls(QWidget* window, Game& game, TZelArrayBtn* selector,
                                       QToolButton* printbtn, QToolButton* erasebtn,
                                       QToolButton* setupbtn, QCheckBox* optionsbox, int cellSize,
                                       std::string makerHost)
    : QObject(window),
      window_(window),
      game_(game),
      selector_(selector),
      optionsbox_(optionsbox),
      cellSize_(cellSize),
      makerHost_(std::move(makerHost)) {
    selector->onBtnChange = [this](TZelArrayBtn* s, std::uint8_t n, TBtnStatus st,
                                   Qt::MouseButton b) { ZelArrayBtn3BtnChange(s, n, st, b); };
    selector->onBtnPaint = [this](TZelArrayBtn* s, std::uint8_t n, TBtnStatus st) {
        ZelArrayBtn3BtnPaint(s, n, st);
    };
    // To a screen reader a position says where it is and whether it holds a puzzle.
    selector->onBtnText = [](TZelArrayBtn* s, std::uint8_t n) {
        TBtnAccessibleText t;
        if (n > 1) return t;
        t.name = QString::fromLatin1(slotName[n].data(), static_cast<qsizetype>(slotName[n].size())) +
                 QLatin1String(" of printpage");
        t.description = s->GetBtnStatus(n) == stDown ? QStringLiteral("holds a puzzle") : QStringLiteral("empty");
        return t;
    };
    // The icon's digits are in the toolkit's window-text colour, not in the window's own navy
    // that the control picked up from its parent when it was made.
    selector->canvas().setFontColor(QApplication::palette().color(QPalette::WindowText));
    connect(printbtn, &QToolButton::clicked, this, [this] { printbtnClick(); });
    connect(erasebtn, &QToolButton::clicked, this, [this] { erasebtnClick(); });
    connect(setupbtn, &QToolButton::clicked, this, [this] { setupbtnClick(); });
    printPage.emptySlots();
}

TPrintPageControls::~TPrintPageControls() {
    // The dialog refers to the printer: it goes first.
    delete PrinterSetupDialog1;
}

void TPrintPageControls::ZelArrayBtn3BtnChange(TZelArrayBtn*, std::uint8_t BtnNr, TBtnStatus status,
                                               Qt::MouseButton) {
    if (BtnNr > 1) return;
    if (status == stDown)
        printPage.addPuzzle(BtnNr, game_.board, game_.status);
    else if (status == stFlat)
        printPage.takeOutPuzzle(BtnNr, game_.status);
}

void TPrintPageControls::ZelArrayBtn3BtnPaint(TZelArrayBtn* sender, std::uint8_t BtnNr,
                                              TBtnStatus status) {
    const TRect b = sender->GetBtnRect(BtnNr);
    const TRect r{b.Left + 2, b.Top + 2, b.Right - 2, b.Bottom - 2};
    Canvas& cv = sender->canvas();
    cv.setPenWidth(1);
    cv.setBrushColor(colorFromBgr(0xF0F0F0));
    cv.FillRect(r);
    if (status != stDown) return;
    // A small 3 x 3 puzzle: two lines each way and the digits 1..9 in reading order, in the
    // face and colour the control's canvas font already has.
    cv.setPenWidth(2);
    cv.setPenColor(Qt::black);
    cv.setBrushStyle(BrushStyle::Clear);
    const int d = sender->BtnWidth() / 3;
    const int xo = sender->BtnWidth() / 8, yo = sender->BtnHeight() / 20;
    cv.setFont(cv.font().family(), static_cast<int>(cellSize_ * 0.25));
    for (int k = 1; k <= 2; ++k) {
        cv.MoveTo(r.Left + k * d, r.Top);
        cv.LineTo(r.Left + k * d, r.Bottom);
        cv.MoveTo(r.Left, r.Top + k * d);
        cv.LineTo(r.Right, r.Top + k * d);
    }
    for (int p = 0; p <= 2; ++p)
        for (int q = 0; q <= 2; ++q)
            cv.TextOut(r.Left + p * d + xo, r.Top + q * d + yo, QString::number(p + 3 * q + 1));
    cv.setPenWidth(1);
}

void TPrintPageControls::erasebtnClick() {
    selector_->ReleaseBtn(0);
    selector_->ReleaseBtn(1);
    printPage.erasePage(game_.status);
}

QPrinter& TPrintPageControls::printer() {
    if (!printer_) printer_ = makePagePrinter();
    return *printer_;
}

void TPrintPageControls::setOutputFileName(const QString& fileName) {
    printer().setOutputFileName(fileName);
}

void TPrintPageControls::printbtnClick() {
    PagePrinter job(printer());
    printSheet(
        job, printPage,
        [this](int slot) {
            return selector_->GetBtnStatus(static_cast<std::uint8_t>(slot)) == stDown;
        },
        optionsbox_->isChecked(), makerHost_, game_.status);
}

void TPrintPageControls::setupbtnClick() {
    QPrinter& p = printer();
    if (!PrinterSetupDialog1) {
        PrinterSetupDialog1 = new QPrintDialog(&p, window_);
        PrinterSetupDialog1->setWindowTitle("printer setup");
        PrinterSetupDialog1->setOption(QAbstractPrintDialog::PrintToFile, true);
        PrinterSetupDialog1->setOption(QAbstractPrintDialog::PrintSelection, false);
        PrinterSetupDialog1->setOption(QAbstractPrintDialog::PrintPageRange, false);
        PrinterSetupDialog1->setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        // The sheet is laid out for 8 inches at 300 or 600 dots per inch.
        auto* tab = new QWidget;
        tab->setWindowTitle("resolution");
        auto* layout = new QVBoxLayout(tab);
        layout->addWidget(new QLabel("print resolution"));
        resolutionBox_ = new QComboBox;
        resolutionBox_->addItem("300 dpi (page width 2400 pixels)", 300);
        resolutionBox_->addItem("600 dpi (page width 4800 pixels)", 600);
        layout->addWidget(resolutionBox_);
        layout->addStretch();
        PrinterSetupDialog1->setOptionTabs({tab});
        if (auto* buttons = PrinterSetupDialog1->findChild<QDialogButtonBox*>()) {
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText("OK");
            QPrintDialog* dialog = PrinterSetupDialog1;
            if (QObject::disconnect(buttons, SIGNAL(accepted()), dialog, SLOT(_q_checkFields())))
                connect(buttons, &QDialogButtonBox::accepted, dialog,
                        [dialog] { acceptSetup(dialog); });
        }
    }
    // Qt refuses a file in a folder that does not exist: the documents folder may not yet.
    if (p.outputFormat() == QPrinter::PdfFormat && !p.outputFileName().isEmpty())
        QDir().mkpath(QFileInfo(p.outputFileName()).absolutePath());
    const int dpi = p.resolution();
    resolutionBox_->setCurrentIndex(dpi >= 600 ? 1 : 0);
    const int result = PrinterSetupDialog1->exec();
    hideCompleterPopups(PrinterSetupDialog1);
    if (result != QDialog::Accepted) return;
    const int chosen = resolutionBox_->currentData().toInt();
    if (chosen != dpi) fitPageWidth(p, chosen, 8 * chosen);
}

}  // namespace dozudo
