// `tag` killed at random moments, again and again, on a project of 2,000 scripts: whatever
// moment a run dies in, the scripts and the table stay consistent, and one run without a
// kill finishes the job.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "temp_folder.h"

extern char** environ;

namespace dwelvane {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using testing::ReadFileBytes;
using testing::TempFolder;

constexpr int kFolders = 40;
constexpr int kScriptsPerFolder = 50;
constexpr int kKills = 200;
constexpr std::uint32_t kSeed = 0x7a6b111;
const std::string kBom = "\xEF\xBB\xBF";
const std::string kTable = "English/STRING.TAB";
const std::string kTableStart =
    kBom + "; base table\r\nold_12\tAn old line\r\nintro\tWelcome ~ home\r\nDLG_0003\tKept\r\n";

// relative path to the bytes a script would have without any ID tag put into it
using Scripts = std::map<std::string, std::string>;

std::string LineEnd(int script) {
  return script % 3 == 0 ? "\n" : "\r\n";
}

std::string ScriptText(int script) {
  const std::string end = LineEnd(script);
  std::string text = "// room " + std::to_string(script) + end + "on \"LeftClick\" {" + end;
  text += "  actor.Talk(\"Hello from " + std::to_string(script) + "\");" + end;
  text += "  Game.AddResponse(0, \"Ask about ~\"the ship~\"\");" + end;
  text += "  guard.Talk(\"Two~nlines " + std::to_string(script % 7) + "\", \"a.ogg\");" + end;
  if (script % 4 == 0) {
    text += "  actor.Talk(\"/old_12/An old line\");" + end;
  }
  if (script % 5 == 0) {
    text += "  actor.Talk(\"/DLG_0003/Kept\");" + end;
  }
  text += "  Game.AddResponse(1, \"Bye\");" + end + "}" + end;
  return text;
}

std::string ScriptPath(int script) {
  return "scenes/room" + std::to_string(script / kScriptsPerFolder) + "/s" +
         std::to_string(script) + ".script";
}

Scripts WriteProject(const TempFolder& folder) {
  folder.Write(
      "game.wpr",
      "PROJECT {\r\n  NAME = \"Kill test\"\r\n  STRING_TABLE = \"English\\STRING.TAB\"\r\n}\r\n");
  folder.Write(kTable, kTableStart);
  Scripts scripts;
  for (int script = 0; script < kFolders * kScriptsPerFolder; ++script) {
    scripts[ScriptPath(script)] = ScriptText(script);
    folder.Write(ScriptPath(script), scripts[ScriptPath(script)]);
  }
  return scripts;
}

// Gives the tagged scripts fresh lines, so that the next runs have writes to be killed in.
void AddUntaggedLines(const TempFolder& folder, Scripts& scripts, int round) {
  int script = 0;
  for (auto& [path, original] : scripts) {
    const std::string line =
        "guard.Talk(\"Round " + std::to_string(round) + "\");" + LineEnd(script++);
    original += line;
    folder.Write(path, ReadFileBytes(folder.Join(path)) + line);
  }
}

class TagProcess {
 public:
  TagProcess(const std::string& project, const std::string& config_home) {
    std::vector<std::string> environment{"XDG_CONFIG_HOME=" + config_home};
    for (char** entry = environ; *entry != nullptr; ++entry) {
      if (!std::string_view(*entry).starts_with("XDG_CONFIG_HOME=")) {
        environment.emplace_back(*entry);
      }
    }
    std::vector<char*> envp;
    for (std::string& entry : environment) {
      envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string program = DWELVANE_CLI_PATH;
    std::string command = "tag";
    std::string folder = project;
    char* argv[] = {program.data(), command.data(), folder.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    spawned_ = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, envp.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
  }

  // The wait status once the program ends or is killed at `deadline`.
  int EndBy(Clock::time_point deadline) {
    int status = 0;
    while (Clock::now() < deadline) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        return status;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    return status;
  }

  bool Spawned() const { return spawned_; }

 private:
  pid_t pid_ = -1;
  bool spawned_ = false;
};

// A run's exit code; -1 when a signal ended it.
int RunTag(const std::string& project, const std::string& config_home,
           Clock::duration kill_after = std::chrono::minutes(5)) {
  TagProcess process(project, config_home);
  EXPECT_TRUE(process.Spawned());
  const int status = process.EndBy(Clock::now() + kill_after);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool IsLeftoverTemporaryFile(const std::string& name) {
  const std::size_t mark = name.rfind(".dwvtmp-");
  return name.starts_with('.') && mark != std::string::npos && name.size() == mark + 14;
}

// Every file of the project but the temporary files of killed runs, by relative path.
std::map<std::string, std::string> ReadProjectFiles(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder.Path())) {
    if (entry.is_regular_file() && !IsLeftoverTemporaryFile(entry.path().filename().string())) {
      files[entry.path().lexically_relative(folder.Path()).generic_string()] =
          ReadFileBytes(entry.path().string());
    }
  }
  return files;
}

// What a table entry holds for the text of a script literal.
std::string AsTableText(std::string_view literal) {
  std::string text;
  for (std::size_t i = 0; i < literal.size(); ++i) {
    if (literal[i] == '~' && i + 1 < literal.size()) {
      text += literal[++i] == 'n' ? '|' : literal[i];
    } else {
      text += literal[i];
    }
  }
  return text;
}

std::string Lower(std::string_view id) {
  std::string lower(id);
  for (char& c : lower) {
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return lower;
}

std::size_t ClosingQuote(std::string_view bytes, std::size_t from) {
  while (from < bytes.size() && bytes[from] != '"') {
    from += bytes[from] == '~' ? 2 : 1;
  }
  return from;
}

// The IDs a tagged script says, with the table text of each; the script's bytes with the
// IDs taken out go to `untagged`.
std::map<std::string, std::string> TakeOutIds(std::string_view tagged, std::string& untagged) {
  std::map<std::string, std::string> said;
  for (std::size_t at = 0; at < tagged.size();) {
    const std::size_t id_start = at + 1;
    if (tagged[at] != '"' || tagged.substr(id_start, 5) != "/dlg_") {
      untagged += tagged[at++];
      continue;
    }
    const std::size_t id_end = tagged.find('/', id_start + 1);
    const std::string id(tagged.substr(id_start + 1, id_end - id_start - 1));
    const std::size_t text_end = ClosingQuote(tagged, id_end + 1);
    const std::string_view text = tagged.substr(id_end + 1, text_end - id_end - 1);
    EXPECT_FALSE(text.starts_with('/')) << "a literal with two IDs: " << text;
    EXPECT_TRUE(said.emplace(Lower(id), AsTableText(text)).second) << id;
    untagged += '"';
    at = id_end + 1;
  }
  return said;
}

// The table's dlg_ entries by their ID in lower case; each must stand once.
std::map<std::string, std::string> ReadDlgEntries(std::string_view table) {
  std::map<std::string, std::string> entries;
  for (std::size_t at = 0; at < table.size();) {
    const std::size_t end = std::min(table.find("\r\n", at), table.size());
    const std::string_view line = table.substr(at, end - at);
    at = end + 2;
    const std::size_t tab = line.find('\t');
    const std::string id = Lower(line.substr(0, tab));
    if (id.starts_with("dlg_") && id != "dlg_0003") {
      EXPECT_TRUE(entries.emplace(id, std::string(line.substr(tab + 1))).second)
          << "twice in the table: " << id;
    }
  }
  return entries;
}

// Names the first few IDs whose entry is missing, extra or of another text.
void ExpectSameEntries(const std::map<std::string, std::string>& entries,
                       const std::map<std::string, std::string>& said) {
  EXPECT_EQ(entries.size(), said.size());
  int named = 0;
  for (const auto& [id, text] : said) {
    const auto entry = entries.find(id);
    if (entry == entries.end() || entry->second != text) {
      ADD_FAILURE() << id << " says \"" << text << "\", the table "
                    << (entry == entries.end() ? "lacks it" : "has \"" + entry->second + "\"");
      if (++named == 5) {
        return;
      }
    }
  }
  for (const auto& [id, text] : entries) {
    EXPECT_TRUE(said.contains(id)) << "no script says " << id;
  }
}

void ExpectConsistent(const TempFolder& project, const Scripts& scripts) {
  std::map<std::string, std::string> files = ReadProjectFiles(project);
  const std::string table = files[kTable];
  ASSERT_TRUE(table.starts_with(kTableStart));
  std::map<std::string, std::string> said;
  for (const auto& [path, original] : scripts) {
    SCOPED_TRACE(path);
    std::string untagged;
    for (auto& [id, text] : TakeOutIds(files[path], untagged)) {
      EXPECT_TRUE(said.emplace(id, text).second) << "said in two places: " << id;
    }
    EXPECT_EQ(untagged, original);
    files.erase(path);
  }
  files.erase(kTable);
  files.erase("game.wpr");
  EXPECT_TRUE(files.empty()) << files.begin()->first;
  ExpectSameEntries(ReadDlgEntries(std::string_view(table).substr(kBom.size())), said);
}

std::string MemoryFileSystemOrTemp() {
  std::error_code error;
  return fs::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0
             ? "/dev/shm"
             : fs::temp_directory_path().string();
}

Clock::duration MeasureOneRun(const TempFolder& project, const std::string& config_home) {
  const TempFolder copy(MemoryFileSystemOrTemp());
  fs::copy(project.Path(), copy.Path(), fs::copy_options::recursive);
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(RunTag(copy.Path(), config_home), 0);
  return Clock::now() - start;
}

// The project lies in memory where the system has one: a run flushes each script it
// writes, which on a disk makes a run ten times slower, and a kill loses no written byte
// either way.
TEST(TagKillTest, RunsKilledAtRandomMomentsLeaveWhatTheNextRunFinishes) {
  const TempFolder home;
  const TempFolder project(MemoryFileSystemOrTemp());
  Scripts scripts = WriteProject(project);
  const auto one_run =
      std::chrono::duration_cast<std::chrono::microseconds>(MeasureOneRun(project, home.Path()));
  RecordProperty("one_run_ms", std::to_string(one_run.count() / 1000));
  std::mt19937 random(kSeed);
  int finished = 0;
  std::string table = ReadFileBytes(project.Join(kTable));
  for (int run = 0; run < kKills; ++run) {
    const auto delay = std::chrono::microseconds(random() % (one_run.count() + 1));
    const int exit_code = RunTag(project.Path(), home.Path(), delay);
    if (exit_code != -1) {
      ASSERT_EQ(exit_code, 0) << "run " << run;
      AddUntaggedLines(project, scripts, ++finished);
    }
    const std::string now = ReadFileBytes(project.Join(kTable));
    ASSERT_TRUE(now.starts_with(table)) << "run " << run << " changed the table's old bytes";
    table = now;
  }
  RecordProperty("runs_not_killed", std::to_string(finished));
  ASSERT_EQ(RunTag(project.Path(), home.Path()), 0);
  ExpectConsistent(project, scripts);

  const std::map<std::string, std::string> done = ReadProjectFiles(project);
  ASSERT_EQ(RunTag(project.Path(), home.Path()), 0);
  EXPECT_TRUE(ReadProjectFiles(project) == done) << "a run after the finishing one changed files";
}

}  // namespace
}  // namespace dwelvane
