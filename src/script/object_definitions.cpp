#include "script/object_definitions.h"

#include <algorithm>

#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"
#include "script/definition_tokens.h"

namespace dwelvane {
namespace {

bool IsObjectKeyword(std::string_view word) {
  return EqualIgnoringAsciiCase(word, "ACTOR") || EqualIgnoringAsciiCase(word, "ACTOR3DX") ||
         EqualIgnoringAsciiCase(word, "ENTITY");
}

bool DescribesNothing(const ObjectDefinition& object) {
  return object.name.empty() && object.caption.empty() && object.scripts.empty();
}

// Follows the blocks of one text. Blocks of other kinds are entered only for the objects
// inside them and cost a count, not a place on the stack, so that memory grows with the
// objects kept, not with the braces.
class ObjectBlocks {
 public:
  ObjectBlocks(std::string_view text, std::vector<ObjectDefinition>& out)
      : tokens_(text), out_(out) {}

  void ReadAll() {
    DefinitionToken word;  // the last word not yet taken as a key or a block's keyword
    for (DefinitionToken token = tokens_.Next(); token.kind != DefinitionTokenKind::kEnd;
         token = tokens_.Next()) {
      if (token.kind == DefinitionTokenKind::kWord) {
        word = token;
        continue;
      }
      if (token.kind == DefinitionTokenKind::kEquals) {
        const std::string_view value = tokens_.NextValue();
        if (word.kind == DefinitionTokenKind::kWord) {
          Assign(word.text, value);
        }
      } else if (token.kind == DefinitionTokenKind::kOpen) {
        Open(word);
      } else if (token.kind == DefinitionTokenKind::kClose) {
        Close();
      }
      word = {};
    }
  }

 private:
  struct OpenObject {
    std::size_t index = 0;         // in `out_`
    std::size_t other_blocks = 0;  // open inside it
  };

  std::size_t& OtherBlocks() {
    return objects_.empty() ? outer_blocks_ : objects_.back().other_blocks;
  }

  void Open(const DefinitionToken& keyword) {
    if (keyword.kind != DefinitionTokenKind::kWord || !IsObjectKeyword(keyword.text)) {
      ++OtherBlocks();
      return;
    }
    objects_.push_back({.index = out_.size()});
    out_.emplace_back().line = keyword.line;
  }

  // A "}" without an open block is passed over.
  void Close() {
    if (OtherBlocks() > 0) {
      --OtherBlocks();
    } else if (!objects_.empty()) {
      objects_.pop_back();
    }
  }

  void Assign(std::string_view key, std::string_view value) {
    if (objects_.empty() || objects_.back().other_blocks > 0) {
      return;
    }
    ObjectDefinition& object = out_[objects_.back().index];
    if (EqualIgnoringAsciiCase(key, "NAME")) {
      object.name.assign(value);
    } else if (EqualIgnoringAsciiCase(key, "CAPTION")) {
      object.caption.assign(value);
    } else if (EqualIgnoringAsciiCase(key, "SCRIPT") && !value.empty()) {
      object.scripts.emplace_back(value);
    }
  }

  DefinitionTokens tokens_;
  std::vector<ObjectDefinition>& out_;
  std::vector<OpenObject> objects_;
  std::size_t outer_blocks_ = 0;  // other blocks open outside every object
};

}  // namespace

void ReadObjectDefinitions(std::string_view text, std::vector<ObjectDefinition>& out) {
  const std::size_t first = out.size();
  ObjectBlocks(WithoutByteOrderMark(text), out).ReadAll();
  // Removed only now: an object's place in `out` is held by its block until the text ends.
  out.erase(
      std::remove_if(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(), DescribesNothing),
      out.end());
}

}  // namespace dwelvane
