#pragma once
// The help window: paged help text with a small markup, links between pages and page
// navigation by keys, by the page-number box (with auto-repeat) and by the button "1".

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <string>
#include <vector>

#include "help/core/help_markup.h"
#include "help/core/help_pages.h"
#include "widgets/backing_widget.h"

namespace dozudo {

// Background of the text box and the page number: $C0F0F0.
QColor helpColor();

// The paint box of the help text; it hands its paint, pointer moves and presses to the window.
// To a screen reader it is a document with links (help/help_box_accessible.h).
class THelpBox : public BackingWidget {
    Q_OBJECT
  public:
    explicit THelpBox(QWidget* parent = nullptr);
    std::function<void()> onPaint;
    std::function<void(int y)> onMouseMove;
    std::function<void()> onMouseDown;

  protected:
    void fullRepaint() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

class TinfoForm : public QDialog {
    Q_OBJECT
  public:
    // The window for a field size of cellSize, with the help text built into the program.
    explicit TinfoForm(int cellSize, QWidget* parent = nullptr);
    // The same with other stored lines (each a scrambled line as the program stores them).
    TinfoForm(int cellSize, std::vector<std::string> storedLines, QWidget* parent = nullptr);

    // Opens page 1 modally at the owner's position + 20 and returns when the window closes.
    void openHelp(QWidget* owner);

    QLabel* subTitle = nullptr;
    THelpBox* helpbox = nullptr;
    QLabel* pageNrDisplay = nullptr;
    QToolButton* page1Btn = nullptr;
    // Hidden; made and filled with the stored lines when a page is first drawn.
    QListWidget* ListBox1 = nullptr;
    QTimer* Timer1 = nullptr;

    int cellSize = 50;
    HelpPages pages;  // helpPage, pageCount, repeatDirection, hoverLine, linkPage
    std::uint8_t lineIndex = 0;
    HelpFontHeights heights;  // normalHeight, largeHeight, smallHeight

    void drawHelpLine(const QString& stored);
    void drawHelpPage();
    void clearHelpText();
    void stepPage(int d);
    void showFirstPage();
    void toggleBand(int line);

    // What a screen reader reads of the shown page: its 24 text lines without their markup (the
    // empty lines at the end left out); nothing past the last page.
    QStringList pageLines();
    // The band of text line 1..24 in the text box.
    QRect lineRect(int line) const;
    // A click on text line 1..24 as the pointer makes it: onto the line, then the button down.
    void clickLine(int line);

    // Event handlers. The key handlers return whether the key was consumed.
    bool FormKeyDown(int key);
    bool FormKeyPress(char character);
    void helpboxPaint();
    void helpboxMouseMove(int y);
    void helpboxMouseDown();
    void pageNrDisplayMouseDown(Qt::MouseButton button);
    void pageNrDisplayMouseUp();
    void page1BtnClick();
    void Timer1Timer();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void FormCreate();
    // Moves the stored lines into ListBox1 the first time a page is drawn.
    void fillListBox();

    std::vector<std::string> source_;
};

}  // namespace dozudo
