// A string table from someone else's project must cost about what an ordinary one of its
// size costs, whatever IDs and texts it holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dialogue/string_table.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;
using namespace std::string_literals;

// The unkeyed hash string tables once used (FNV-1a of the lower-cased bytes, then
// multiplied), which anyone could compute ahead of time.
std::uint64_t UnkeyedHash(std::string_view id) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char byte : id) {
    const char lower = byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte;
    hash = (hash ^ static_cast<unsigned char>(lower)) * 1099511628211ull;
  }
  return hash * 0x9E3779B97F4A7C15ull;
}

std::string IdNumbered(std::uint64_t number) {
  std::string id = "id_";
  for (; number > 0; number /= 36) {
    id.push_back("0123456789abcdefghijklmnopqrstuvwxyz"[number % 36]);
  }
  return id;
}

// `count` IDs that the unkeyed hash puts into the first 64th of any table's slots, so
// that they pile up into one run that each new ID walks to its end; and as many IDs of
// the same form that it spreads evenly.
struct IdSets {
  std::vector<std::string> crowding;
  std::vector<std::string> ordinary;
};
IdSets MakeIds(std::size_t count) {
  IdSets sets;
  for (std::uint64_t number = 1; sets.crowding.size() < count; ++number) {
    std::string id = IdNumbered(number);
    if (UnkeyedHash(id) >> 58 == 0) {
      sets.crowding.push_back(std::move(id));
    } else if (sets.ordinary.size() < count) {
      sets.ordinary.push_back(std::move(id));
    }
  }
  return sets;
}

std::string TableOf(const std::vector<std::string>& ids) {
  std::string table;
  for (const std::string& id : ids) {
    table.append(id).append("\tSome text of a line\r\n");
  }
  return table;
}

// The shortest of a few runs, so that another process on the machine counts less.
std::chrono::duration<double> Fastest(const std::function<void()>& work, int runs) {
  std::chrono::duration<double> fastest = std::chrono::hours(1);
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    fastest =
        std::min<std::chrono::duration<double>>(fastest, std::chrono::steady_clock::now() - start);
  }
  return fastest;
}

// Loads the table at `path` and asks it for each of `ids`, all of which it holds.
void LoadAndAskFor(const std::string& path, const std::vector<std::string>& ids) {
  StringTable table;
  ASSERT_FALSE(table.Load(path).Failed());
  std::size_t found = 0;
  table.LookupEach(
      ids.size(), [&](std::size_t i) { return std::string_view(ids[i]); },
      [&](std::size_t, std::string_view text) { found += text.empty() ? 0 : 1; });
  for (const std::string& id : ids) {
    found += table.Has(id) ? 1 : 0;
  }
  EXPECT_EQ(found, 2 * ids.size());
}

TEST(StringTableBoundsTest, IdsChosenToCollideCostWhatOrdinaryOnesCost) {
  // With the unkeyed hash the crowding IDs took seconds here, the ordinary ones
  // milliseconds.
  const IdSets ids = MakeIds(60000);
  TempFolder folder;
  const std::string crowding = folder.Write("crowding.tab", TableOf(ids.crowding));
  const std::string ordinary = folder.Write("ordinary.tab", TableOf(ids.ordinary));
  const auto ordinary_time = Fastest([&] { LoadAndAskFor(ordinary, ids.ordinary); }, 3);
  const auto crowding_time = Fastest([&] { LoadAndAskFor(crowding, ids.crowding); }, 3);
  EXPECT_LT(crowding_time, 3 * ordinary_time + std::chrono::milliseconds(100))
      << crowding_time.count() << " s against " << ordinary_time.count() << " s";
}

TEST(StringTableBoundsTest, ReadsEveryIdEndAsBefore) {
  // What ends an ID (a tab; a space in a line without a tab; the line's end) decides the
  // match without a look at the text, and an ID asked for that holds such a byte never
  // matches a longer or shorter one.
  TempFolder folder;
  StringTable table;
  ASSERT_FALSE(table
                   .Load(folder.Write("STRING.TAB",
                                      "tabbed id\ttext\nspaced more text\nbare\r\n"
                                      "a\tb\tc\nnul_end\0after\n"s))
                   .Failed());
  struct Case {
    std::string_view id;
    bool held;
  };
  const Case cases[] = {
      {"tabbed id", true}, {"tabbed id\ttext", false}, {"spaced", true},
      {"bare", true},      {"bare\r", false},          {"nul_end", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(table.Has(c.id), c.held) << c.id;
  }
}

}  // namespace
}  // namespace dwelvane
