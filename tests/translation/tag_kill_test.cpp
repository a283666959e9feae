// `tag` killed at random moments, again and again, on a project of 2,000 scripts: whatever
// moment a run dies in, the scripts and the table stay consistent, and one run without a
// kill finishes the job.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "project_files.h"
#include "temp_folder.h"

extern char** environ;

namespace dwelvane {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace testing;

constexpr int kScripts = 2000;
constexpr int kKills = 200;
const std::string kTable = "English/STRING.TAB";
const std::string kTableStart =
    kBom + "; base table\r\nold_12\tAn old line\r\nintro\tWelcome ~ home\r\nDLG_0003\tKept\r\n";

std::string ScriptPath(int script) {
  return "scenes/room" + std::to_string(script / 50) + "/s" + std::to_string(script) + ".script";
}

// Mixed line ends, escaped quotes and line breaks, lines with IDs already, shared texts.
// Returns each script's bytes, which the scripts must show again once their IDs are taken out.
Files WriteProject(const TempFolder& folder) {
  folder.Write("game.wpr", "PROJECT {\r\n  STRING_TABLE = \"English\\STRING.TAB\"\r\n}\r\n");
  folder.Write(kTable, kTableStart);
  Files scripts;
  for (int k = 0; k < kScripts; ++k) {
    const std::string end = k % 3 == 0 ? "\n" : "\r\n";
    std::string text = "on \"LeftClick\" {" + end + "actor.Talk(\"Hello from " + std::to_string(k) +
                       "\");" + end + "Game.AddResponse(0, \"Ask about ~\"the ship~\"\");" + end +
                       "guard.Talk(\"Two~nlines " + std::to_string(k % 7) + "\", \"a.ogg\");" + end;
    text += k % 4 == 0 ? "actor.Talk(\"/old_12/An old line\");" + end : "";
    text += k % 5 == 0 ? "actor.Talk(\"/DLG_0003/Kept\");" + end : "";
    scripts[ScriptPath(k)] = text + "}" + end;
    folder.Write(ScriptPath(k), scripts[ScriptPath(k)]);
  }
  return scripts;
}

// Fresh lines in every script, so that the next runs have writes to be killed in.
void AddUntaggedLines(const TempFolder& folder, Files& scripts, int round) {
  for (auto& [path, original] : scripts) {
    const std::string line = "guard.Talk(\"Round " + std::to_string(round) + "\");\r\n";
    original += line;
    folder.Write(path, ReadFileBytes(folder.Join(path)) + line);
  }
}

// A run's exit code once it ends or is killed after `kill_after`; -1 when killed.
int RunTag(const std::string& project, Clock::duration kill_after = std::chrono::minutes(5)) {
  std::string program = DWELVANE_CLI_PATH, command = "tag", folder = project;
  char* argv[] = {program.data(), command.data(), folder.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  EXPECT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  const Clock::time_point deadline = Clock::now() + kill_after;
  while (waitpid(pid, &status, WNOHANG) != pid) {
    if (Clock::now() >= deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Takes the "/dlg_N/" tags out of `script`, adding each ID with its table text to `said`.
std::string TakeOutIds(std::string_view script, Files& said) {
  std::string untagged;
  for (std::size_t at = 0; at < script.size(); ++at) {
    untagged += script[at];
    if (script[at] != '"' || script.substr(at + 1, 5) != "/dlg_") {
      continue;
    }
    const std::size_t id_end = script.find('/', at + 2);
    std::string text;
    for (std::size_t i = id_end + 1; script[i] != '"'; ++i) {
      text += script[i] != '~' ? script[i] : script[++i] == 'n' ? '|' : script[i];
    }
    EXPECT_FALSE(text.starts_with('/')) << "a literal with two IDs: " << text;
    const std::string id = LowerAscii(script.substr(at + 2, id_end - at - 2));
    EXPECT_TRUE(said.emplace(id, text).second) << "said in two places: " << id;
    at = id_end;
  }
  return untagged;
}

void ExpectConsistent(const TempFolder& project, const Files& scripts) {
  Files files = ReadTree(project.Path());
  const std::string table = files[kTable];
  ASSERT_TRUE(table.starts_with(kTableStart));
  Files said;
  for (const auto& [path, original] : scripts) {
    EXPECT_EQ(TakeOutIds(files[path], said), original) << path;
    files.erase(path);
  }
  files.erase(kTable);
  files.erase("game.wpr");
  EXPECT_TRUE(files.empty()) << files.begin()->first;
  Files entries;
  for (std::size_t at = kTableStart.size(); at < table.size();) {
    const std::size_t tab = table.find('\t', at), end = table.find("\r\n", at);
    const std::string id = LowerAscii(std::string_view(table).substr(at, tab - at));
    EXPECT_TRUE(entries.emplace(id, table.substr(tab + 1, end - tab - 1)).second) << id;
    at = end + 2;
  }
  EXPECT_EQ(entries.size(), said.size());
  int named = 0;
  for (const auto& [id, text] : said) {
    const auto entry = entries.find(id);
    if ((entry == entries.end() || entry->second != text) && ++named <= 5) {
      ADD_FAILURE() << id << " says \"" << text << "\", the table "
                    << (entry == entries.end() ? "lacks it" : "has \"" + entry->second + "\"");
    }
  }
}

std::string MemoryFileSystemOrTemp() {
  std::error_code error;
  return fs::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0
             ? "/dev/shm"
             : fs::temp_directory_path().string();
}

// The project lies in memory where the system has one: a run flushes each script it
// writes, which on a disk makes a run ten times slower, and a kill loses no written byte
// either way.
TEST(TagKillTest, RunsKilledAtRandomMomentsLeaveWhatTheNextRunFinishes) {
  const TempFolder home;
  const std::string old_home = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
  setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
  const TempFolder project(MemoryFileSystemOrTemp());
  Files scripts = WriteProject(project);
  std::chrono::microseconds one_run{};
  {
    const TempFolder copy(MemoryFileSystemOrTemp());
    fs::copy(project.Path(), copy.Path(), fs::copy_options::recursive);
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(RunTag(copy.Path()), 0);
    one_run = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
  }
  RecordProperty("one_run_ms", std::to_string(one_run.count() / 1000));
  std::mt19937 random(0x7a6b111);
  int finished = 0;
  std::string table = ReadFileBytes(project.Join(kTable));
  for (int run = 0; run < kKills; ++run) {
    const int exit_code =
        RunTag(project.Path(), std::chrono::microseconds(random() % (one_run.count() + 1)));
    if (exit_code != -1) {
      ASSERT_EQ(exit_code, 0) << "run " << run;
      AddUntaggedLines(project, scripts, ++finished);
    }
    const std::string now = ReadFileBytes(project.Join(kTable));
    ASSERT_TRUE(now.starts_with(table)) << "run " << run << " changed the table's old bytes";
    table = now;
  }
  RecordProperty("runs_not_killed", std::to_string(finished));
  ASSERT_EQ(RunTag(project.Path()), 0);
  ExpectConsistent(project, scripts);

  const Files done = ReadTree(project.Path());
  ASSERT_EQ(RunTag(project.Path()), 0);
  EXPECT_TRUE(ReadTree(project.Path()) == done) << "a run after the finishing one changed files";
  if (old_home.empty()) {
    unsetenv("XDG_CONFIG_HOME");
  } else {
    setenv("XDG_CONFIG_HOME", old_home.c_str(), 1);
  }
}

}  // namespace
}  // namespace dwelvane
