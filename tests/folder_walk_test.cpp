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

TEST(DirectoryListingTest, AFolderThatCannotBeListedDeliversNothing) {
  TempFolder folder;
  const std::string file = folder.Write("file.txt", "x");
  for (const std::string& path : {folder.Join("missing"), file}) {
    DirectoryListing listing;
    EXPECT_TRUE(listing.DirListOpen(path).Failed()) << path;
    EXPECT_EQ(listing.DirListNext(), kNoEntry) << path;
  }
  EXPECT_FALSE(IsReadableFolder(file));
  EXPECT_TRUE(IsReadableFolder(folder.Path()));
}

TEST(FolderWalkTest, WalksDepthFirstAndDrainsAfterEachSubfolder) {
  TempFolder folder;
  folder.Write("a.txt", "");
  folder.Write("b/c.txt", "");
  folder.Write("b/d/e.txt", "");
  folder.Write("f.txt", "");
  const std::vector<std::string> expected{"/a.txt", "/b/c.txt", "/b/d/e.txt", "|", "|", "/f.txt"};
  EXPECT_EQ(WalkRecord(folder.Path(), folder.Path()), expected);
  EXPECT_EQ(WalkRecord(folder.Path(), folder.Path() + kPathSeparator), expected)
      << "one trailing separator changes nothing";
}

#ifndef _WIN32
// POSIX sorts the listing itself and has links of its own kind.
TEST(FolderWalkTest, FollowsLinksButNeverLoops) {
  TempFolder folder;
  folder.Write("real/x.txt", "");
  ASSERT_EQ(::symlink(folder.Join("real").c_str(), folder.Join("alias").c_str()), 0);
  ASSERT_EQ(::symlink("..", folder.Join("real/up").c_str()), 0);
  ASSERT_EQ(::symlink(folder.Join("nowhere").c_str(), folder.Join("dangling").c_str()), 0);
  // up leads back to the root, which is on its own path: the walk doesn't enter it.
  EXPECT_EQ(
      WalkRecord(folder.Path(), folder.Path()),
      (std::vector<std::string>{"|", "/alias/x.txt", "|", "/dangling", "|", "/real/x.txt", "|"}));
}
#endif

TEST(FolderWalkTest, AMissingFolderYieldsNothing) {
  TempFolder folder;
  EXPECT_TRUE(WalkRecord(folder.Path(), folder.Join("missing")).empty());
}

}  // namespace
}  // namespace dwelvane
