#pragma once
// The program's 125 x 30 logo, drawn at start-up.

#include <QImage>

namespace dozudo {

QImage makeLogo();

}  // namespace dozudo
