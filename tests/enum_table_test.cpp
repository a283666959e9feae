#include "runtime/enum_table.h"

#include <gtest/gtest.h>

#include <vector>

namespace dwelvane {
namespace {

enum class Colour { kRed, kGreen, kBlue, kCount };

struct Row {
  Colour colour;
  int value;
};

TEST(EnumTableTest, TellsACompleteTableFromAFaultyOne) {
  using enum Colour;
  struct Case {
    const char* what;
    std::vector<Row> rows;
    bool in_place, each_once;
  };
  const Case cases[] = {
      {"complete", {{kRed, 1}, {kGreen, 2}, {kBlue, 3}}, true, true},
      {"a row left out", {{kGreen, 2}, {kBlue, 3}}, false, false},
      {"left out, filled as std::array does", {{kGreen, 2}, {kBlue, 3}, {}}, false, true},
      {"a row twice", {{kRed, 1}, {kRed, 1}, {kBlue, 3}}, false, false},
      {"two rows swapped", {{kRed, 1}, {kBlue, 3}, {kGreen, 2}}, false, true},
      {"no such enumerator", {{kRed, 1}, {kGreen, 2}, {kCount, 3}}, false, false},
      {"a row too many", {{kRed, 1}, {kGreen, 2}, {kBlue, 3}, {kBlue, 4}}, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RowsFollowTheirEnum(c.rows, &Row::colour), c.in_place) << c.what;
    EXPECT_EQ(RowsNameEachEnumeratorOnce(c.rows, &Row::colour), c.each_once) << c.what;
  }
}

}  // namespace
}  // namespace dwelvane
