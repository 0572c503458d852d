#pragma once
// The program's 125 x 30 logo (logical pixels), drawn at start-up at the given pixel ratio.

#include <QImage>

namespace dozudo {

QImage makeLogo(qreal ratio = 1);

}  // namespace dozudo
