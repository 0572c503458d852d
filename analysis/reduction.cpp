#include "analysis/reduction.h"

#include "analysis/intersection_reduction.h"
#include "analysis/unit_reduction.h"

namespace dozudo {

void reduceOptionTables(OptionTables& tables) {
    reduceByUnits(tables);
    reduceByIntersections(tables);
}

}  // namespace dozudo
