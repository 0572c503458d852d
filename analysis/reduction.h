#pragma once
// The "reduction" of the options: the unit-assignment pass, then the
// intersection pass, both narrowing the options masks in place.

#include "analysis/options.h"

namespace dozudo {

// Narrows only tables.options; the digit-missing masks are left as they are.
void reduceOptionTables(OptionTables& tables);

}  // namespace dozudo
