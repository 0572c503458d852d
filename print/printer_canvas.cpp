#include "print/printer_canvas.h"

namespace dozudo {

void PrinterCanvas::TextOut(int x, int y, const std::string& text) {
    if (fontName_ != setName_ || fontHeight_ != setHeight_ || fontBold_ != setBold_) {
        canvas_.setFont(fontName_, fontHeight_, fontBold_);
        setName_ = fontName_;
        setHeight_ = fontHeight_;
        setBold_ = fontBold_;
    }
    canvas_.TextOut(x, y, QString::fromStdString(text));
}

}  // namespace dozudo
