#pragma once
// The main window: scales everything from the screen width, builds the board
// pictures, places the controls and carries the core's events to the screen.

#include <QCheckBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <future>
#include <memory>
#include <QPointer>

#include "game/game.h"
#include "print/print_page_controls.h"
#include "widgets/backing_widget.h"
#include "ui/board_pictures.h"
#include "ui/board_view.h"
#include "ui/status_text.h"
#include "widgets/link_label.h"
#include "widgets/button_array.h"

namespace dozudo {

class TinfoForm;
class QtPuzzleClipboard;

// The maker's web host: the link label's caption and the host of its page.
inline constexpr const char* makerHost = "www.vorlane.example";

class TForm1 : public BackingWidget, public Window {
    Q_OBJECT
public:
    // screenWidth/screenHeight: the screen to scale to and centre on; 0 takes the
    // primary screen's size.
    explicit TForm1(int screenWidth = 0, int screenHeight = 0, std::uint64_t textureSeed = 0);
    ~TForm1() override;

    // Field side in pixels: 40, 50 or 60 by the screen width.
    static int cellSizeFor(int screenWidth);

    Game& game() { return *game_; }
    int cellSize = 50;
    QImage boardBitmap, markBitmap, workBitmap;
    std::array<TBtnColors, 2> barColors;

    TZelArrayBtn* ZelArrayBtn1 = nullptr;
    TBoardView* PaintBox1 = nullptr;
    TZelArrayBtn* ZelArrayBtn2 = nullptr;
    TZelArrayBtn* ZelArrayBtn3 = nullptr;
    TStatusText* StaticText1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    TLinkLabel* vorlanelabel = nullptr;
    QToolButton* printbtn = nullptr;
    QToolButton* erasebtn = nullptr;
    QToolButton* setupbtn = nullptr;
    QCheckBox* optionsbox = nullptr;
    QTimer* Timer1 = nullptr;
    // The file dialogs are costly and watch their folder: made anew each time they open.
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    // The help window, made right after this window (app/main.cpp).
    TinfoForm* infoForm = nullptr;
    // The print page: selector, check box, print, erase and setup buttons, printer.
    TPrintPageControls* printControls = nullptr;

    // Window
    void showStatusLine(const std::string& text, Rgb colour) override;
    void announceStatus(const std::string& text) override;
    // A status text as it fits into `width` pixels (what follows its last " : " shortened in
    // the middle when the whole does not fit).
    static QString fittedStatus(const QString& text, const QFontMetrics& metrics, int width);
    void setCaption(const std::string& caption) override;
    void beep() override;
    void setTimerInterval(int milliseconds) override;
    void setTimerEnabled(bool enabled) override;
    void releaseCommandButton(int number) override;
    void hideAnalysisButton(int number) override;
    void showAnalysisButton(int number) override;
    void openWebPage() override;
    void openHelp() override;

    // Puzzle file and clipboard (ui/puzzle_exchange.cpp).
    void openGame() override;
    void saveGame() override;
    void clipboardCommand() override;
    // Replaces a puzzle dialog by a new one (see puzzle_exchange.cpp).
    void renewDialog(QFileDialog*& dialog, const QString& title, QFileDialog::AcceptMode mode);
    // Opens a named puzzle file with every check: on success the caption, status line and
    // board show it; a failing step shows the error box and changes nothing.
    bool openPuzzleFile(const QString& path);
    // Opens the file named by the first command-line argument, if any (at the first paint).
    void openFromCommandLine();
    // A file dropped onto the window: "open" is pressed and takes the file as if it had
    // been chosen in the dialog.
    void openDroppedFile(const QString& path);
    void showFileError(const std::string& text);
    // The program and its puzzle file arguments (app/main.cpp sets them): the program first.
    QStringList commandLine;
    // Where the puzzle dialogs start: the folder of the puzzle file last chosen in a dialog or
    // opened from the command line or a drop in this run, else the documents folder (made for
    // saving if it is missing), else home.
    QString puzzleDialogFolder(bool saving) const;

    // Event handlers of the controls.
    void ZelArrayBtn1BtnPaint(TZelArrayBtn* sender, std::uint8_t BtnNr, TBtnStatus status);
    void ZelArrayBtn1BtnChange(TZelArrayBtn* sender, std::uint8_t BtnNr, TBtnStatus status,
                               Qt::MouseButton button);
    void ZelArrayBtn1Leave(TZelArrayBtn* sender);
    void ZelArrayBtn2BtnPaint(TZelArrayBtn* sender, std::uint8_t BtnNr, TBtnStatus status);
    void ZelArrayBtn2BtnChange(TZelArrayBtn* sender, std::uint8_t BtnNr, TBtnStatus status,
                               Qt::MouseButton button);
    void PaintBox1MouseDown(int column, int row);
    // Return whether the key was consumed.
    bool FormKeyDown(int key);
    bool FormKeyPress(char character);
    void vorlanelabelMouseEnter();
    void vorlanelabelMouseLeave();
    void vorlanelabelClick();
    void Timer1Timer();

    // The key code of game/keys.h for a Qt key (0 for keys without one).
    static int keyCodeFor(int qtKey);

protected:
    void fullRepaint() override { FormPaint(); }
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Tab and Shift+Tab go from region to region (ui/keyboard_focus.cpp).
    bool focusNextPrevChild(bool next) override {
        moveFocusRegion(next ? 1 : -1);
        return true;
    }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(int screenWidth, int screenHeight);
    void FormDestroy();
    void FormPaint();
    void paintCaption(TZelArrayBtn* bar, std::uint8_t BtnNr, TBtnStatus status,
                      const QString& caption, int fontHeight, const std::string& hoverText);

    void centreFrame(int attempt);
    // The desktop's usual keys for the commands (ui/shortcuts.cpp); true when the key was one.
    bool commandKey(const QKeyEvent* event);
    // Keyboard focus (ui/keyboard_focus.cpp): the regions in Tab order.
    enum FocusRegionNr { frBoard, frCommandBar, frAnalysisColumn, frPrintPage, frCount };
    void makeKeyboardFocus();
    std::array<QWidget*, 5> printPageWidgets() const;
    int focusRegion() const;
    // Gives the region the focus; false when it has nothing that can take it now.
    bool giveRegionFocus(int region);
    void moveFocusRegion(int step);
    void movePrintPageFocus(QWidget* from, int step);
    // F6, and the keys a region's control left unused; true when the key was one.
    bool regionKey(QKeyEvent* event);
    void showFocusHoverText(const std::string& text);
    // What a screen reader reads of the buttons of the command bar and the analysis column.
    TBtnAccessibleText commandBarText(std::uint8_t BtnNr);
    TBtnAccessibleText analysisColumnText(std::uint8_t BtnNr);

    // The clipboard outlives the game, which drops a read still waiting when it goes.
    std::unique_ptr<QtPuzzleClipboard> clipboard_;
    std::unique_ptr<Game> game_;
    std::future<StartPictures> startPictures_;  // drawn on a second core while the controls are made
    bool openingAtFirstPaint_ = false;
    QString droppedFile_;  // while a dropped file is being opened
    QString puzzleFolder_;  // of the last puzzle file (see puzzleDialogFolder); empty before any
    QPointer<QWidget> printPageFocus_;  // where the print page had the focus last
    bool centring_ = false;  // the frame correction runs after the first show only
};

}  // namespace dozudo
