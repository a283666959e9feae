#include "runtime/folder_walk.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/directory_listing.h"
#include "runtime/path_separator.h"
#include "runtime/recorded_walk.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

using testing::TempFolder;

// Every file the walk reports, relative to `root`, and a "|" for each drain.
std::vector<std::string> WalkRecord(const std::string& root, const std::string& start) {
  std::vector<std::string> seen;
  WalkFolder(start, {[&](const WalkedFile& file) {
                       EXPECT_EQ(file.path, file.folder + kPathSeparator + file.name);
                       std::string relative = file.folder.substr(root.size()) + "/" + file.name;
                       std::replace(relative.begin(), relative.end(), kPathSeparator, '/');
                       seen.push_back(relative);
                     },
                     [&] { seen.push_back("|"); }});
  return seen;
}

#ifndef _WIN32
std::vector<std::string> ListNames(const std::string& folder) {
  DirectoryListing listing;
  std::vector<std::string> names;
  EXPECT_FALSE(listing.DirListOpen(folder).Failed());
  for (EntryKind kind; (kind = listing.DirListNext()) != kNoEntry;) {
    names.push_back((kind == kDirectoryEntry ? "D " : "F ") + listing.DirListEntryName());
  }
  return names;
}

// POSIX sorts the listing itself and has links of its own kind.
TEST(DirectoryListingTest, DeliversDotsFirstThenNamesInNtfsOrder) {
  TempFolder folder;
  for (const char* name : {"b.script", "A.script", "a_b", "aa", "-dash", "Zed", "zed"}) {
    folder.Write(name, "");
  }
  folder.MakeFolder("Middle");
  EXPECT_EQ(ListNames(folder.Path()),
            (std::vector<std::string>{"D .", "D ..", "F -dash", "F A.script", "F aa", "F a_b",
                                      "F b.script", "D Middle", "F Zed", "F zed"}));
}
#endif

TEST(FolderWalkTest, WalksDepthFirstAndDrainsAfterEachSubfolder) {
  TempFolder folder;
  folder.Write("a.txt", "");
  folder.Write("b/c.txt", "");
  folder.Write("b/d/e.txt", "");
  folder.Write("f.txt", "");
  const std::vector<std::string> expected{"/a.txt", "/b/c.txt", "/b/d/e.txt", "|", "|", "/f.txt"};
  EXPECT_EQ(WalkRecord(folder.Path(), folder.Path() + kPathSeparator), expected)
      << "one trailing separator changes nothing";
}

// A cancelled command stops its walk, and the replay of a recorded one, after the subfolder
// where the cancel is seen; nothing after it is met.
TEST(FolderWalkTest, EndsAfterTheSubfolderWhereItIsToldToStop) {
  TempFolder folder;
  folder.Write("a.txt", "");
  folder.Write("b/c.txt", "");
  folder.Write("b/d/e.txt", "");
  folder.Write("f.txt", "");
  folder.Write("g/h.txt", "");
  const std::vector<std::vector<std::string>> expected_by_asks = {
      {"/a.txt", "/b/c.txt", "/b/d/e.txt", "|"},
      {"/a.txt", "/b/c.txt", "/b/d/e.txt", "|", "|"},
      {"/a.txt", "/b/c.txt", "/b/d/e.txt", "|", "|", "/f.txt", "/g/h.txt", "|"},
  };
  const std::string root = folder.Path();
  for (std::size_t asks = 1; asks <= expected_by_asks.size(); ++asks) {
    std::vector<std::string> walked, replayed;
    const auto visitor = [&](std::vector<std::string>& seen) {
      return FolderVisitor{
          [&](const WalkedFile& file) {
            std::string relative = file.folder.substr(root.size()) + "/" + file.name;
            std::replace(relative.begin(), relative.end(), kPathSeparator, '/');
            seen.push_back(relative);
          },
          [&] { seen.push_back("|"); },
          {},
          [&] {
            return static_cast<std::size_t>(std::count(seen.begin(), seen.end(), "|")) >= asks;
          }};
    };
    WalkFolder(root, visitor(walked));
    RecordedWalk recorded;
    recorded.Record(
        root, {}, [](const WalkedFile&) { return true; }, [] {});
    recorded.Replay(visitor(replayed));
    EXPECT_EQ(walked, expected_by_asks[asks - 1]) << asks;
    EXPECT_EQ(replayed, expected_by_asks[asks - 1]) << asks;
  }
}

#ifndef _WIN32
// POSIX sorts the listing itself and has links of its own kind.
TEST(FolderWalkTest, WalksEachFolderOnceWhereItFirstReachesIt) {
  TempFolder folder;
  folder.Write("real/x.txt", "");
  ASSERT_EQ(::symlink(folder.Join("real").c_str(), folder.Join("alias").c_str()), 0);
  ASSERT_EQ(::symlink("..", folder.Join("real/up").c_str()), 0);
  ASSERT_EQ(::symlink(folder.Join("nowhere").c_str(), folder.Join("dangling").c_str()), 0);
  // alias comes first in the listing, so the real folder is listed there, and only there;
  // up leads back to the root, which is walked already.
  EXPECT_EQ(WalkRecord(folder.Path(), folder.Path()),
            (std::vector<std::string>{"|", "/alias/x.txt", "|", "/dangling", "|"}));
}

// Each level links twice to the one below: without a record of the folders walked, 24
// levels are 2^24 paths to the one script.
TEST(FolderWalkTest, AChainOfLinkedFoldersCostsWhatItsRealFoldersCost) {
  TempFolder folder;
  folder.Write("d00/x.script", "");
  constexpr int kLevels = 24;
  const auto level = [](int i) { return std::string(i < 10 ? "d0" : "d") + std::to_string(i); };
  for (int i = 1; i <= kLevels; ++i) {
    folder.MakeFolder(level(i));
    for (const char* name : {"/a", "/b"}) {
      ASSERT_EQ(::symlink(("../" + level(i - 1)).c_str(), folder.Join(level(i) + name).c_str()), 0);
    }
  }
  std::vector<std::string> files;
  WalkFolder(folder.Path(), {[&](const WalkedFile& file) { files.push_back(file.path); }, [] {}});
  EXPECT_EQ(files, std::vector<std::string>{folder.Join("d00/x.script")});
}

struct OutsideLinkCase {
  bool follow = false;
  std::vector<std::string> files;  // relative to the outside folder's parent
  std::vector<std::string> passed_over;
};

TEST(FolderWalkTest, FollowsALinkOutOfTheFolderOnlyWhenTold) {
  TempFolder parent;
  parent.Write("outside/secret.txt", "");
  parent.Write("project/a.script", "");
  const std::string project = parent.Join("project");
  ASSERT_EQ(::symlink(parent.Join("outside").c_str(), (project + "/out").c_str()), 0);
  ASSERT_EQ(::symlink("../outside", (project + "/out2").c_str()), 0);
  ASSERT_EQ(::symlink(".", (project + "/self").c_str()), 0);
  ASSERT_EQ(::symlink("../outside/secret.txt", (project + "/secret.script").c_str()), 0);
  ASSERT_EQ(::symlink("a.script", (project + "/b.script").c_str()), 0);
  const OutsideLinkCase cases[] = {
      {false,
       {"project/a.script", "project/b.script"},
       {"project/out", "project/out2", "project/secret.script"}},
      {true,
       {"project/a.script", "project/b.script", "project/out/secret.txt", "project/secret.script"},
       {}},
  };
  for (const OutsideLinkCase& expected : cases) {
    OutsideLinkCase seen{expected.follow, {}, {}};
    const auto relative = [&](const std::string& path) {
      return path.substr(parent.Path().size() + 1);
    };
    WalkFolder(project,
               {[&](const WalkedFile& file) { seen.files.push_back(relative(file.path)); }, [] {},
                [&](const IoError& unlisted) {
                  EXPECT_EQ(unlisted.code, kLinkLeadsOutOfTheProject);
                  seen.passed_over.push_back(relative(unlisted.path));
                }},
               {.follow_outside_links = expected.follow});
    EXPECT_EQ(seen.files, expected.files) << expected.follow;
    EXPECT_EQ(seen.passed_over, expected.passed_over) << expected.follow;
  }
}
#endif

}  // namespace
}  // namespace dwelvane
