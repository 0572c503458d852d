#pragma once
// The print page on the main window: the position selector ZelArrayBtn3, the check box
// optionsbox and the buttons printbtn, erasebtn and setupbtn. The printer and its setup dialog
// are made when first used.

#include <QCheckBox>
#include <QObject>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolButton>
#include <cstdint>
#include <memory>
#include <string>

#include "game/game.h"
#include "print/core/print_page.h"
#include "widgets/button_array.h"

class QComboBox;

namespace dozudo {

class TPrintPageControls : public QObject {
    Q_OBJECT
  public:
    // Hooks itself to the controls and empties the print page. makerHost ends the credit line.
    TPrintPageControls(QWidget* window, Game& game, TZelArrayBtn* selector, QToolButton* printbtn,
                       QToolButton* erasebtn, QToolButton* setupbtn, QCheckBox* optionsbox,
                       int cellSize, std::string makerHost);
    ~TPrintPageControls() override;

    PrintPage printPage;

    void ZelArrayBtn3BtnChange(TZelArrayBtn* sender, std::uint8_t BtnNr, TBtnStatus status,
                               Qt::MouseButton button);
    void ZelArrayBtn3BtnPaint(TZelArrayBtn* sender, std::uint8_t BtnNr, TBtnStatus status);
    void erasebtnClick();
    void printbtnClick();
    void setupbtnClick();

    // The printer, made on first use.
    QPrinter& printer();
    bool hasPrinter() const { return printer_ != nullptr; }
    // The setup dialog, made on first use of "printer setup".
    QPrintDialog* PrinterSetupDialog1 = nullptr;
    // The file a PDF printer writes to (the dialog's choice does the same).
    void setOutputFileName(const QString& fileName);

  private:
    QWidget* window_;
    Game& game_;
    TZelArrayBtn* selector_;
    QCheckBox* optionsbox_;
    int cellSize_;
    std::string makerHost_;
    std::unique_ptr<QPrinter> printer_;
    QComboBox* resolutionBox_ = nullptr;
};

}  // namespace dozudo
