#include <gtest/gtest.h>

#include "runtime/command_feedback.h"

namespace dwelvane {
namespace {

TEST(ProgressPositionTest, RoundsTheFloatQuotientHalfToEven) {
  struct Case {
    std::int64_t count, total;
    int position;
  };
  const Case cases[] = {
      {1, 3, 333},  {2, 3, 667}, {3, 3, 1000}, {1, 16, 62},  {3, 16, 188},
      {1, 2000, 1}, {1, 8, 125}, {0, 5, 0},    {0, 0, 0},    {7, 0, 0},
      {9, 4, 1000}, {-1, 4, 0},  {1, 4000, 0}, {3, 4000, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgressPosition({c.total, c.count}), c.position) << c.count << " of " << c.total;
  }
}

}  // namespace
}  // namespace dwelvane
