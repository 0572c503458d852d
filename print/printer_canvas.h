#pragma once
// The sheet's drawing state carried onto the drawing layer's canvas: font name, height and
// weight are collected and given to the canvas when text is drawn.

#include <QString>
#include <string>

#include "print/core/print_sheet.h"
#include "widgets/canvas.h"

namespace dozudo {

class PrinterCanvas : public PrintCanvas {
  public:
    explicit PrinterCanvas(Canvas& canvas) : canvas_(canvas) {}

    void setPenWidth(int width) override { canvas_.setPenWidth(width); }
    void setPenColor(Rgb colour) override { canvas_.setPenColor(toQColor(colour)); }
    void setBrushColor(Rgb colour) override { canvas_.setBrushColor(toQColor(colour)); }
    void setBrushClear() override { canvas_.setBrushStyle(BrushStyle::Clear); }
    void setFontName(const std::string& name) override { fontName_ = QString::fromStdString(name); }
    void setFontHeight(int cellHeight) override { fontHeight_ = cellHeight; }
    void setFontColor(Rgb colour) override { canvas_.setFontColor(toQColor(colour)); }
    void setFontBold(bool bold) override { fontBold_ = bold; }
    void FillRect(int left, int top, int right, int bottom) override {
        canvas_.FillRect(left, top, right, bottom);
    }
    void MoveTo(int x, int y) override { canvas_.MoveTo(x, y); }
    void LineTo(int x, int y) override { canvas_.LineTo(x, y); }
    void TextOut(int x, int y, const std::string& text) override;

  private:
    Canvas& canvas_;
    QString fontName_ = "Arial";
    int fontHeight_ = 12;
    bool fontBold_ = false;
    QString setName_;
    int setHeight_ = -1;
    bool setBold_ = false;
};

}  // namespace dozudo
