#include "widgets/link_label.h"

#include "widgets/link_label_accessible.h"

namespace dozudo {

TLinkLabel::TLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    installLinkLabelAccessibility();
}

}  // namespace dozudo
