#include "script/script_reader.h"

#include <algorithm>
#include <optional>
#include <span>

namespace dwelvane {
namespace {

// How far a call's receiver or arguments are looked for: a script's statements are far
// shorter, and a bound keeps a script of unclosed brackets linear.
constexpr std::size_t kLongestExpression = 512;

// The tokens kept before and after the one being read, and how many may pile up before
// those already read are dropped.
constexpr std::size_t kContext = kLongestExpression + 8;
constexpr std::size_t kDropEvery = 8 * 1024;

using Tokens = std::span<const Token>;

bool IsPunct(const Token& token, char punct) {
  return token.kind == TokenKind::kPunct && token.punct == punct;
}

bool IsOpening(const Token& token) {
  return IsPunct(token, '(') || IsPunct(token, '[') || IsPunct(token, '{');
}

bool IsClosing(const Token& token) {
  return IsPunct(token, ')') || IsPunct(token, ']') || IsPunct(token, '}');
}

bool HoldsBrokenLiteral(Tokens tokens) {
  return std::any_of(tokens.begin(), tokens.end(), [](const Token& token) {
    return token.kind == TokenKind::kBroken || token.kind == TokenKind::kTooLong;
  });
}

class Reader {
 public:
  Reader(const ScriptTokens& tokens, ScriptFacts& facts)
      : tokens_(tokens), all_(tokens.Tokens()), facts_(facts) {}

  // The whole token list as one value; a text is no receiver.
  ScriptValue ReadAll() const {
    const ScriptValue value = ValueOf(0, all_.size());
    return value.form == ValueForm::kText ? ScriptValue{} : value;
  }

  // Reads the tokens from `next_` on that have kContext tokens after them (all, at the
  // end); returns how many of the first tokens are no longer needed.
  std::size_t ReadAvailable(bool at_end) {
    const std::size_t limit =
        at_end ? all_.size() : (all_.size() > kContext ? all_.size() - kContext : 0);
    for (; next_ < limit; ++next_) {
      ReadAt(next_);
    }
    if (at_end || next_ < kDropEvery) {
      return 0;
    }
    const std::size_t unneeded = next_ - kContext;
    next_ -= unneeded;
    return unneeded;
  }

  void Finish() {
    KeepUsedArrays();
    LinkChoicesToTheirTalk();
  }

 private:
  std::string_view Keep(std::string_view text) { return facts_.texts.Store(text); }
  ScriptValue Keep(ScriptValue value) { return {value.form, Keep(value.text), value.offset}; }

  bool IsName(std::size_t i, std::string_view name) const {
    return i < all_.size() && all_[i].kind == TokenKind::kName && Bytes(i) == name;
  }
  bool IsPunctAt(std::size_t i, char punct) const {
    return i < all_.size() && IsPunct(all_[i], punct);
  }
  std::string_view Bytes(std::size_t i) const { return ScriptTokens::Bytes(all_[i]); }

  void ReadAt(std::size_t i) {
    const Token& token = all_[i];
    if (token.kind == TokenKind::kBroken || token.kind == TokenKind::kTooLong) {
      facts_.broken.push_back({token.line, token.kind == TokenKind::kTooLong});
    } else if (token.kind == TokenKind::kInclude && i + 1 < all_.size() &&
               all_[i + 1].kind == TokenKind::kText) {
      facts_.includes.push_back({Keep(tokens_.Text(all_[i + 1])), token.line});
    } else if (IsPunct(token, '.') && i + 2 < all_.size() && IsPunctAt(i + 2, '(')) {
      ReadMethodCall(i);
    } else if (token.kind == TokenKind::kName) {
      ReadDeclarationOrAssignment(i);
    }
  }

  void ReadMethodCall(std::size_t dot) {
    const std::size_t method = dot + 1;
    const bool talk = IsName(method, "Talk");
    const bool async = IsName(method, "TalkAsync");
    if (talk || async) {
      ReadTalkCall(dot, async ? LineKind::kAsync : LineKind::kTalk);
    } else if (IsName(method, "AddResponse") || IsName(method, "AddResponseOnce") ||
               IsName(method, "AddResponseOnceGame")) {
      ReadChoice(method);
    }
  }

  void ReadTalkCall(std::size_t dot, LineKind kind) {
    const CallArguments* arguments = Arguments(dot + 2);
    if (!arguments || HoldsBrokenLiteral(Range(dot + 3, arguments->end))) {
      return;
    }
    SpokenLine spoken;
    spoken.kind = kind;
    spoken.line = all_[dot + 1].line;
    const std::size_t receiver = ReceiverStart(dot);
    join_.clear();
    for (std::size_t i = receiver; i < dot; ++i) {
      join_.append(ScriptTokens::Bytes(all_[i]));
    }
    spoken.receiver = Keep(join_);
    spoken.speaker = Keep(ValueOf(receiver, dot));
    if (!arguments->bounds.empty()) {
      spoken.text = Keep(ValueOf(arguments->bounds[0].first, arguments->bounds[0].second));
    }
    if (arguments->bounds.size() > 1) {
      const ScriptValue audio = ValueOf(arguments->bounds[1].first, arguments->bounds[1].second);
      spoken.audio = audio.form == ValueForm::kText ? Keep(audio.text) : std::string_view{};
    }
    if (spoken.text.form == ValueForm::kArrayElement) {
      used_arrays_.push_back(spoken.text.text);
    }
    facts_.spoken.push_back(spoken);
  }

  void ReadChoice(std::size_t method) {
    const CallArguments* arguments = Arguments(method + 1);
    if (!arguments || arguments->bounds.size() < 2 ||
        HoldsBrokenLiteral(Range(method + 2, arguments->end))) {
      return;
    }
    const ScriptValue text = Keep(ValueOf(arguments->bounds[1].first, arguments->bounds[1].second));
    if (text.form == ValueForm::kArrayElement) {
      used_arrays_.push_back(text.text);
      arrays_in_choices_.push_back(text.text);
    } else if (text.form == ValueForm::kText) {
      AddChoice(all_[method].line, text, {});
    }
  }

  void AddChoice(std::int64_t line, ScriptValue text, std::string_view array) {
    SpokenLine& choice = facts_.spoken.emplace_back();
    choice.kind = LineKind::kChoice;
    choice.line = line;
    choice.text = text;
    choice.array = array;
  }

  // `global name`, `var name = value`, `name = value`, `name[...] = "text"`.
  void ReadDeclarationOrAssignment(std::size_t i) {
    if (i > 0 && IsPunct(all_[i - 1], '.')) {
      return;
    }
    if (Bytes(i) == "global" && i + 1 < all_.size() && all_[i + 1].kind == TokenKind::kName) {
      facts_.globals.push_back(Keep(Bytes(i + 1)));
      return;
    }
    if (IsPunctAt(i + 1, '[')) {
      ReadArrayElementAssignment(i);
      return;
    }
    if (!IsPunctAt(i + 1, '=') || IsPunctAt(i + 2, '=')) {
      return;
    }
    const std::size_t end = StatementEnd(i + 2);
    const ScriptValue value = ValueOf(i + 2, end);
    if (value.form == ValueForm::kThis || value.form == ValueForm::kName ||
        value.form == ValueForm::kGetNode || value.form == ValueForm::kLoad) {
      facts_.assignments.push_back({Keep(Bytes(i)), Keep(value), all_[i].line});
    }
  }

  void ReadArrayElementAssignment(std::size_t name) {
    const std::size_t closing = Matching(name + 1);
    if (closing >= all_.size() || !IsPunctAt(closing + 1, '=') || IsPunctAt(closing + 2, '=')) {
      return;
    }
    const ScriptValue value = ValueOf(closing + 2, StatementEnd(closing + 2));
    if (value.form == ValueForm::kText) {
      has_array_texts_ = true;
      AddChoice(all_[closing + 2].line, Keep(value), Keep(Bytes(name)));
    }
  }

  // The arguments of the call whose "(" is at `opening`: each as its token range, and
  // where the ")" is; nothing when it isn't found within reach.
  struct CallArguments {
    std::vector<std::pair<std::size_t, std::size_t>> bounds;
    std::size_t end = 0;
  };
  const CallArguments* Arguments(std::size_t opening) const {
    CallArguments& arguments = arguments_;
    arguments.bounds.clear();
    std::size_t depth = 0;
    std::size_t start = opening + 1;
    const std::size_t reach = std::min(all_.size(), opening + kLongestExpression);
    for (std::size_t i = opening + 1; i < reach; ++i) {
      const Token& token = all_[i];
      if (IsOpening(token)) {
        ++depth;
      } else if (IsClosing(token) && depth > 0) {
        --depth;
      } else if (IsClosing(token) || IsPunct(token, ';')) {
        if (!IsPunct(token, ')')) {
          return nullptr;
        }
        if (i > start || !arguments.bounds.empty()) {
          arguments.bounds.emplace_back(start, i);
        }
        arguments.end = i;
        return &arguments;
      } else if (depth == 0 && IsPunct(token, ',')) {
        arguments.bounds.emplace_back(start, i);
        start = i + 1;
      }
    }
    return nullptr;
  }

  // The first token of the receiver before the "." at `dot`: names joined by ".", each
  // perhaps followed by a call's or an index's brackets; `dot` when there is none.
  std::size_t ReceiverStart(std::size_t dot) const {
    std::size_t start = dot;
    std::size_t i = dot;
    const std::size_t reach = dot > kLongestExpression ? dot - kLongestExpression : 0;
    while (i > reach) {
      std::size_t last = i - 1;
      if (IsPunct(all_[last], ')') || IsPunct(all_[last], ']')) {
        last = MatchingBackwards(last, reach);
        if (last == 0 || last <= reach) {
          break;
        }
        --last;
      }
      if (all_[last].kind != TokenKind::kName) {
        break;
      }
      start = last;
      if (last == 0 || !IsPunct(all_[last - 1], '.')) {
        break;
      }
      i = last - 1;
    }
    return start;
  }

  // The "(" or "[" that the bracket at `closing` closes; `reach` when not found after it.
  std::size_t MatchingBackwards(std::size_t closing, std::size_t reach) const {
    std::size_t depth = 0;
    for (std::size_t i = closing + 1; i-- > reach;) {
      if (IsClosing(all_[i])) {
        ++depth;
      } else if (IsOpening(all_[i]) && --depth == 0) {
        return i;
      }
    }
    return reach;
  }

  // The bracket that closes the one at `opening`; the token count when not within reach.
  std::size_t Matching(std::size_t opening) const {
    std::size_t depth = 0;
    const std::size_t reach = std::min(all_.size(), opening + kLongestExpression);
    for (std::size_t i = opening; i < reach; ++i) {
      if (IsOpening(all_[i])) {
        ++depth;
      } else if (IsClosing(all_[i]) && --depth == 0) {
        return i;
      }
    }
    return all_.size();
  }

  // The ";" (or closing bracket, or reach) that ends the statement going on at `from`.
  std::size_t StatementEnd(std::size_t from) const {
    std::size_t depth = 0;
    const std::size_t reach = std::min(all_.size(), from + kLongestExpression);
    for (std::size_t i = from; i < reach; ++i) {
      if (IsOpening(all_[i])) {
        ++depth;
      } else if (IsClosing(all_[i])) {
        if (depth == 0) {
          return i;
        }
        --depth;
      } else if (depth == 0 && IsPunct(all_[i], ';')) {
        return i;
      }
    }
    return reach;
  }

  Tokens Range(std::size_t begin, std::size_t end) const {
    return Tokens(all_).subspan(begin, end - begin);
  }

  ScriptValue ValueOf(std::size_t begin, std::size_t end) const {
    const std::size_t count = end - begin;
    if (count == 0) {
      return {};
    }
    if (all_[begin].kind == TokenKind::kText) {
      return JoinedText(begin, end);
    }
    if (count == 1 && all_[begin].kind == TokenKind::kName) {
      return {Bytes(begin) == "this" ? ValueForm::kThis : ValueForm::kName, Bytes(begin)};
    }
    if (count == 3 && IsName(begin, "Game") && IsPunctAt(begin + 1, '.') &&
        IsName(begin + 2, "LastResponse")) {
      return {ValueForm::kLastResponse, {}};
    }
    if (all_[begin].kind == TokenKind::kName && IsPunctAt(begin + 1, '[') &&
        Matching(begin + 1) == end - 1) {
      return {ValueForm::kArrayElement, Bytes(begin)};
    }
    return ObjectCall(begin, end);
  }

  // X.GetNode("name"), X.LoadActor("file") and the like, ending the range.
  ScriptValue ObjectCall(std::size_t begin, std::size_t end) const {
    if (end - begin < 5 || !IsPunctAt(end - 1, ')') || all_[end - 2].kind != TokenKind::kText ||
        !IsPunctAt(end - 3, '(') || !IsPunctAt(end - 5, '.')) {
      return {};
    }
    const std::string_view argument = tokens_.Text(all_[end - 2]);
    const std::size_t method = end - 4;
    if (IsName(method, "GetNode")) {
      return {ValueForm::kGetNode, argument};
    }
    if (IsName(method, "LoadActor") || IsName(method, "LoadActor3D") ||
        IsName(method, "LoadEntity")) {
      return {ValueForm::kLoad, argument};
    }
    return {};
  }

  // "a" + "b" + ...: one text when the whole range is literals joined by "+".
  ScriptValue JoinedText(std::size_t begin, std::size_t end) const {
    if ((end - begin) % 2 == 0) {
      return {};
    }
    for (std::size_t i = begin; i < end; i += 2) {
      if (all_[i].kind != TokenKind::kText || (i + 1 < end && !IsPunctAt(i + 1, '+'))) {
        return {};
      }
    }
    const std::int64_t offset = all_[begin].offset;
    if (end - begin == 1) {
      return {ValueForm::kText, tokens_.Text(all_[begin]), offset};
    }
    joined_.clear();
    for (std::size_t i = begin; i < end; i += 2) {
      joined_.append(tokens_.Text(all_[i]));
    }
    return {ValueForm::kText, joined_, offset};
  }

  // Array texts are choices only when a choice or a talk call takes its text from the
  // array.
  void KeepUsedArrays() {
    if (!has_array_texts_) {
      return;
    }
    const auto unused = [&](const SpokenLine& spoken) {
      return !spoken.array.empty() && std::find(used_arrays_.begin(), used_arrays_.end(),
                                                spoken.array) == used_arrays_.end();
    };
    std::erase_if(facts_.spoken, unused);
  }

  // A choice is said by the talk call that takes its text from Game.LastResponse or from
  // the choice's array.
  void LinkChoicesToTheirTalk() {
    const auto talk_saying = [&](ValueForm form, std::string_view array) -> std::int64_t {
      for (std::size_t i = 0; i < facts_.spoken.size(); ++i) {
        const SpokenLine& spoken = facts_.spoken[i];
        if (spoken.kind != LineKind::kChoice && spoken.text.form == form &&
            (form != ValueForm::kArrayElement || spoken.text.text == array)) {
          return static_cast<std::int64_t>(i);
        }
      }
      return -1;
    };
    const std::int64_t last_response = talk_saying(ValueForm::kLastResponse, {});
    for (SpokenLine& spoken : facts_.spoken) {
      if (spoken.kind != LineKind::kChoice) {
        continue;
      }
      if (!spoken.array.empty()) {
        spoken.said_by = talk_saying(ValueForm::kArrayElement, spoken.array);
        const bool in_choices = std::find(arrays_in_choices_.begin(), arrays_in_choices_.end(),
                                          spoken.array) != arrays_in_choices_.end();
        if (spoken.said_by < 0 && in_choices) {
          spoken.said_by = last_response;
        }
      } else {
        spoken.said_by = last_response;
      }
    }
  }

  const ScriptTokens& tokens_;
  const std::vector<Token>& all_;
  ScriptFacts& facts_;
  bool has_array_texts_ = false;
  std::vector<std::string_view> used_arrays_;
  std::vector<std::string_view> arrays_in_choices_;
  mutable CallArguments arguments_;
  std::string join_;
  mutable std::string joined_;  // a joined text until it is kept
  std::size_t next_ = 0;
};

}  // namespace

class ScriptReader::Window {
 public:
  void Start(ScriptFacts& facts) {
    facts.spoken.clear();
    facts.assignments.clear();
    facts.globals.clear();
    facts.includes.clear();
    facts.broken.clear();
    facts.directions.clear();
    facts.texts.Rewind();
    tokens_.Start();
    reader_.emplace(tokens_, facts);
    facts_ = &facts;
  }

  void Read(std::string_view run, bool piece) {
    tokens_.Read(run, piece);
    KeepDirections();
    tokens_.DropFront(reader_->ReadAvailable(false));
    tokens_.KeepHeldTokens();
  }

  void Finish(std::string_view last_run) {
    tokens_.Read(last_run);
    KeepDirections();
    reader_->ReadAvailable(true);
    reader_->Finish();
  }

 private:
  void KeepDirections() {
    for (const LineDirection& direction : tokens_.Directions()) {
      facts_->directions.push_back({direction.line, facts_->texts.Store(direction.text)});
    }
  }

  ScriptFacts* facts_ = nullptr;
  ScriptTokens tokens_;
  std::optional<Reader> reader_;
};

ScriptReader::ScriptReader() : window_(std::make_unique<Window>()) {}
ScriptReader::~ScriptReader() = default;

void ScriptReader::Start(ScriptFacts& facts) {
  window_->Start(facts);
}

void ScriptReader::Read(std::string_view run, bool piece) {
  window_->Read(run, piece);
}

void ScriptReader::Finish(std::string_view last_run) {
  window_->Finish(last_run);
}

void ReadScript(std::string_view script, ScriptFacts& facts) {
  ScriptReader reader;
  reader.Start(facts);
  reader.Finish(script);
}

ScriptValue ReadExpression(ScriptTokens& tokens, std::string_view expression) {
  ScriptFacts unused;
  tokens.Start();
  tokens.Read(expression);
  return Reader(tokens, unused).ReadAll();
}

}  // namespace dwelvane
