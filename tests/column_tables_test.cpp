#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/column_checks.h"
#include "app/gadget_table.h"
#include "dialogue/csv_writer.h"

namespace dwelvane {
namespace {

constexpr int kDialoguePage = 0;

// A column is written, named on the command line and in the header, and ticked in the
// window: the tables that say so must name the same columns.
TEST(ColumnTablesTest, EveryColumnHasOneCheckBoxAndEveryCheckBoxOneColumn) {
  for (const DialogueColumn& column : kDialogueColumns) {
    const bool in_window = &column < std::end(kDialogueColumns) - kCommandLineOnlyColumns;
    const auto checks =
        std::count_if(std::begin(kColumnChecks), std::end(kColumnChecks),
                      [&](const ColumnCheck& check) { return check.tick == column.tick; });
    EXPECT_EQ(checks, in_window ? 1 : 0) << column.keyword;
  }
  std::set<int> page_check_boxes;
  for (const GadgetRow& row : kGadgets) {
    if (row.kind == GadgetKind::kCheckBox && row.tab == kDialoguePage) {
      page_check_boxes.insert(row.number);
    }
  }
  std::set<int> column_check_boxes;
  for (const ColumnCheck& check : kColumnChecks) {
    column_check_boxes.insert(check.gadget);
  }
  EXPECT_EQ(column_check_boxes, page_check_boxes);
  EXPECT_EQ(column_check_boxes.size(), std::size(kColumnChecks)) << "a check box for two columns";
}

}  // namespace
}  // namespace dwelvane
