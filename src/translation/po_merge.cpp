#include "translation/po_merge.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <unordered_map>

#include "runtime/keyed_hash.h"

namespace dwelvane {
namespace {

struct MessageKey {
  bool has_context = false;
  std::string_view text;  // the context, or the id of a message without one

  friend bool operator==(const MessageKey&, const MessageKey&) = default;
};

struct MessageKeyHash {
  std::size_t operator()(const MessageKey& key) const {
    return KeyedHash(key.text, HashFold::kNone) ^ static_cast<std::size_t>(key.has_context);
  }
};

using MessageIndex = std::unordered_map<MessageKey, std::size_t, MessageKeyHash>;

MessageKey KeyOf(const PoMessage& message) {
  return message.context ? MessageKey{true, *message.context} : MessageKey{false, message.id};
}

// The messages but the header by key; a current message wins over an obsolete one.
MessageIndex IndexMessages(const PoCatalog& catalog) {
  MessageIndex index;
  index.reserve(catalog.messages.size());
  for (std::size_t i = 0; i < catalog.messages.size(); ++i) {
    const PoMessage& message = catalog.messages[i];
    if (message.IsHeader()) {
      continue;
    }
    const auto [place, added] = index.try_emplace(KeyOf(message), i);
    if (!added && !message.obsolete && catalog.messages[place->second].obsolete) {
      place->second = i;
    }
  }
  return index;
}

bool IsTranslated(const PoMessage& message) {
  return std::ranges::any_of(message.strings, [](const std::string& s) { return !s.empty(); });
}

PoMessage Untranslated(const PoMessage& fresh) {
  PoMessage message = fresh;
  message.obsolete = false;
  message.strings.assign(std::max<std::size_t>(fresh.strings.size(), 1), "");
  return message;
}

void CopyPrevious(PoMessage& to, const PoMessage& from) {
  to.previous_context = from.previous_context;
  to.previous_id = from.previous_id;
  to.previous_id_plural = from.previous_id_plural;
}

// A translation of a singular message fills every form of a plural one, and the other way
// round; either needs the translator's look.
void AdoptStrings(PoMessage& message, const PoMessage& old) {
  if (message.id_plural.has_value() == old.id_plural.has_value()) {
    message.strings = old.strings;
    return;
  }
  std::ranges::fill(message.strings, old.strings.empty() ? "" : old.strings[0]);
  message.SetFuzzy(true);
}

PoMessage Carry(const PoMessage& old, const PoMessage& fresh) {
  const bool same_id = old.id == fresh.id;
  if (!same_id && !IsTranslated(old)) {
    return Untranslated(fresh);
  }
  PoMessage message = Untranslated(fresh);
  message.translator_comments = old.translator_comments;
  message.flags = old.flags;
  CopyPrevious(message, old);
  if (!same_id && !(old.Fuzzy() && old.previous_id)) {
    message.previous_context.reset();
    message.previous_id = old.id;
    message.previous_id_plural = old.id_plural;
  }
  if (!same_id) {
    message.SetFuzzy(true);
  }
  AdoptStrings(message, old);
  return message;
}

const PoMessage* FindHeader(const PoCatalog& catalog) {
  const auto header = std::ranges::find_if(catalog.messages, &PoMessage::IsHeader);
  return header == catalog.messages.end() ? nullptr : &*header;
}

}  // namespace

PoCatalog MergePo(const PoCatalog& translated, const PoCatalog& fresh) {
  const MessageIndex translated_index = IndexMessages(translated);
  const MessageIndex fresh_index = IndexMessages(fresh);
  const PoMessage* old_header = FindHeader(translated);
  PoCatalog merged;
  merged.messages.reserve(fresh.messages.size() + 1);
  if (old_header != nullptr && FindHeader(fresh) == nullptr) {
    merged.messages.push_back(*old_header);
  }
  for (const PoMessage& message : fresh.messages) {
    const auto old = translated_index.find(KeyOf(message));
    if (message.IsHeader()) {
      merged.messages.push_back(old_header != nullptr ? *old_header : message);
    } else if (old != translated_index.end()) {
      merged.messages.push_back(Carry(translated.messages[old->second], message));
    } else {
      merged.messages.push_back(Untranslated(message));
    }
  }
  for (const PoMessage& old : translated.messages) {
    if (!old.IsHeader() && IsTranslated(old) && !fresh_index.contains(KeyOf(old))) {
      // Its places and notes are those of lines no longer said.
      PoMessage& obsolete = merged.messages.emplace_back(old);
      obsolete.obsolete = true;
      obsolete.references.clear();
      obsolete.extracted_comments.clear();
    }
  }
  return merged;
}

}  // namespace dwelvane
