#include "script/object_definitions.h"

#include <algorithm>
#include <limits>

#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"
#include "script/definition_tokens.h"

namespace dwelvane {
namespace {

constexpr std::size_t kNoObject = std::numeric_limits<std::size_t>::max();

bool IsObjectKeyword(std::string_view word) {
  return EqualIgnoringAsciiCase(word, "ACTOR") || EqualIgnoringAsciiCase(word, "ACTOR3DX") ||
         EqualIgnoringAsciiCase(word, "ENTITY");
}

bool DescribesNothing(const ObjectDefinition& object) {
  return object.name.empty() && object.caption.empty() && object.scripts.empty();
}

// Follows the blocks of one text: each open block holds the index of its object in `out`,
// or kNoObject for a block of another kind (entered only for the objects inside).
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
      } else if (token.kind == DefinitionTokenKind::kClose && !blocks_.empty()) {
        blocks_.pop_back();
      }
      word = {};
    }
  }

 private:
  void Open(const DefinitionToken& keyword) {
    if (keyword.kind != DefinitionTokenKind::kWord || !IsObjectKeyword(keyword.text)) {
      blocks_.push_back(kNoObject);
      return;
    }
    blocks_.push_back(out_.size());
    out_.emplace_back().line = keyword.line;
  }

  void Assign(std::string_view key, std::string_view value) {
    if (blocks_.empty() || blocks_.back() == kNoObject) {
      return;
    }
    ObjectDefinition& object = out_[blocks_.back()];
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
  std::vector<std::size_t> blocks_;
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
