#include "synthetic_project.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace dwelvane::bench {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCodeLines[] = {
    "  var door = Scene.GetNode(\"door\");",
    "  if(Game.GetGlobal(\"DoorOpen\")) door.Active = true;",
    "  actor.GoTo(320, 410);",
    "  // wait until the walk animation has finished",
    "  Sleep(250);",
    "  Game.Interactive = false;",
    "  this.SkipTo(100, 200); Game.Msg(\"debug\");",
    "",
    "}",
    "on \"LookAt\"",
    "{",
    "\tGame.Interactive = true;",
};

void AppendTalkLine(std::string& out, std::size_t file, std::size_t talk) {
  const std::string id = "dlg_" + std::to_string(file) + "_" + std::to_string(talk);
  switch (talk % 3) {
    case 0:
      out += "  actor.Talk(\"/" + id + "/Where did I put the lantern?\",\"" + id + ".ogg\");";
      break;
    case 1:
      out += "  Scene.GetNode(\"Guard\").TalkAsync(\"/" + id + "/Move along, nothing to see.\");";
      break;
    default:
      out += "\tGame.Talk(\"A line without an ID.\", \"unused.ogg\");";
  }
}

std::string ScriptText(std::size_t file, const SyntheticProjectShape& shape) {
  std::string text;
  const std::size_t talk_every =
      shape.talks_per_script == 0 ? 0 : shape.lines_per_script / shape.talks_per_script;
  std::size_t talks = 0;
  for (std::size_t line = 0; line < shape.lines_per_script; ++line) {
    if (talk_every != 0 && line % talk_every == talk_every / 2 && talks < shape.talks_per_script) {
      AppendTalkLine(text, file, talks++);
    } else {
      text += kCodeLines[(file + line) % std::size(kCodeLines)];
    }
    text += "\r\n";
  }
  return text;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

fs::path FolderOf(const fs::path& root, std::size_t index, std::size_t per_folder) {
  const std::size_t group = index / per_folder;
  return root / "scenes" / ("area" + std::to_string(group / 10)) /
         ("scene" + std::to_string(group)) / "scr";
}

constexpr const char* kOtherExtensions[] = {".scene", ".sprite", ".png",  ".ogg", ".actor",
                                            ".items", ".jpg",    ".wav",  ".tga", ".bmp",
                                            ".act3d", ".txt",    ".font", ".inc"};

}  // namespace

void WriteSyntheticProject(const std::string& folder, const SyntheticProjectShape& shape) {
  const fs::path root(folder);
  fs::create_directories(root);
  WriteFile(root / "Synthetic.wpr", "PROJECT\r\n{\r\n  NAME = \"Synthetic\"\r\n}\r\n");
  for (std::size_t i = 0; i < shape.scripts; ++i) {
    const fs::path dir = FolderOf(root, i, shape.scripts_per_folder);
    if (i % shape.scripts_per_folder == 0) {
      fs::create_directories(dir);
    }
    WriteFile(dir / ("script" + std::to_string(i) + ".script"), ScriptText(i, shape));
  }
  for (std::size_t i = 0; i < shape.other_files; ++i) {
    const fs::path dir = FolderOf(root, i, shape.scripts_per_folder).parent_path();
    fs::create_directories(dir);
    const char* extension = kOtherExtensions[i % std::size(kOtherExtensions)];
    WriteFile(dir / ("file" + std::to_string(i) + extension),
              "ITEM\r\n{\r\n  NAME = \"x\"\r\n}\r\n");
  }
  if (shape.string_table_lines > 0) {
    fs::create_directories(root / "English");
    std::string table;
    for (std::size_t i = 0; i < shape.string_table_lines; ++i) {
      table += "dlg_" + std::to_string(i / 5) + "_" + std::to_string(i % 5) +
               "\tA translated line of dialogue, number " + std::to_string(i) + ".\r\n";
    }
    WriteFile(root / "English" / "STRING.TAB", table);
  }
}

std::string WriteLargeScript(const std::string& folder) {
  SyntheticProjectShape shape;
  shape.scripts = 1;
  shape.lines_per_script = 200000;
  shape.talks_per_script = 10000;
  WriteSyntheticProject(folder, shape);
  return FolderOf(fs::path(folder), 0, shape.scripts_per_folder).string();
}

}  // namespace dwelvane::bench
