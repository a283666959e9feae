#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/text_arena.h"
#include "script/line_kind.h"
#include "script/script_tokens.h"

namespace dwelvane {

// What an argument or the right side of an assignment is, as far as lines and characters
// care.
enum class ValueForm : std::uint8_t {
  kOther,
  kText,          // text literals joined by "+": `text` is the joined text
  kThis,          // this
  kName,          // a variable: `text` is its name
  kGetNode,       // X.GetNode("node"): `text` is the node's name
  kLoad,          // X.LoadActor("file"), LoadActor3D, LoadEntity: `text` is the file
  kLastResponse,  // Game.LastResponse
  kArrayElement,  // Name[...]: `text` is the array's name
};

struct ScriptValue {
  ValueForm form = ValueForm::kOther;
  std::string_view text;
  std::int64_t offset = -1;  // kText: where its first literal's opening quote stands
};

// A talk call (X.Talk(...), X.TalkAsync(...)) or a choice the player may say
// (AddResponse(id, TEXT) and its Once forms, or a literal stored in an array that a choice
// or a talk call takes its text from), in the order they stand.
struct SpokenLine {
  LineKind kind = LineKind::kTalk;
  std::int64_t line = 0;
  std::string_view receiver;  // the talk call's receiver as written; empty for choices
  ScriptValue speaker;        // the receiver's form: kThis, kName, kGetNode or kOther
  ScriptValue text;           // kText when the call or choice has a text of its own
  std::string_view audio;     // the second argument of a talk call when it is a text
  std::string_view array;     // a choice stored in an array: the array's name
  std::int64_t said_by = -1;  // a choice: the index of the talk call that says it
};

// `name = value`, `var name = value` or `global name = value`, for values that may name an
// actor or entity (kThis, kName, kGetNode, kLoad).
struct ScriptAssignment {
  std::string_view name;
  ScriptValue value;
  std::int64_t line = 0;
};

struct ScriptInclude {
  std::string_view file;  // as written: relative to the package folder, "\" between folders
  std::int64_t line = 0;
};

// A literal the line ends in, or one longer than the compiler takes; no call that holds it
// is read.
struct BrokenLiteral {
  std::int64_t line = 0;
  bool too_long = false;
};

// What one script says. The texts live in `texts` until the facts are read again.
struct ScriptFacts {
  std::vector<SpokenLine> spoken;
  std::vector<ScriptAssignment> assignments;
  std::vector<std::string_view> globals;  // the names declared global
  std::vector<ScriptInclude> includes;
  std::vector<BrokenLiteral> broken;
  std::vector<LineDirection> directions;  // in line order
  TextArena texts;
};

// Reads a script that comes in runs of lines (LineReader::FileReadLineRunOrPiece) into
// its facts. Only a window of tokens around the one being read is kept, so that memory
// stays flat whatever the script. Reused from script to script.
class ScriptReader {
 public:
  ScriptReader();
  ~ScriptReader();

  // Begins a script; `facts` is emptied and filled as the runs come.
  void Start(ScriptFacts& facts);
  void Read(std::string_view run, bool piece = false);
  // Reads the last run (perhaps empty), which stays as it is until the facts are complete,
  // and ties each choice to the talk call that says it.
  void Finish(std::string_view last_run = {});

 private:
  class Window;
  std::unique_ptr<Window> window_;
};

// A whole script's facts at once.
void ReadScript(std::string_view script, ScriptFacts& facts);

// What an expression written on its own is (kThis, kName, kGetNode, kLoad or kOther), as
// a talk call's receiver: "\tMolly", "Scene.GetNode(\"Gull\")". Its text lives in
// `tokens` until their next Read.
ScriptValue ReadExpression(ScriptTokens& tokens, std::string_view expression);

}  // namespace dwelvane
