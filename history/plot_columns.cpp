// plot_columns.cpp - the points of a line gathered by pixel column.
#include "history/plot_columns.h"

#include <algorithm>
#include <cmath>

namespace nk {

int plotColumnOf(int64_t time, int64_t from, int64_t to, int columns) {
  if (columns <= 1 || to <= from) return 0;
  // In double: a span of any 64-bit times neither overflows nor loses more
  // than a fraction of a column.
  const double share = (static_cast<double>(time) - static_cast<double>(from)) /
                       (static_cast<double>(to) - static_cast<double>(from));
  const double column = std::floor(share * columns);
  return static_cast<int>(std::clamp(column, 0.0, static_cast<double>(columns - 1)));
}

}  // namespace nk
