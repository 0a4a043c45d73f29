// The code language of "コードの実行".
#include "flow/expression.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <vector>

#include "core/message_boxes.h"
#include "core/rand_range.h"
#include "data/ed_command.h"
#include "flow/field_access.h"
#include "flow/flow_world_seam.h"

int ExprErrorFlag = 0;

namespace {

constexpr std::int32_t kBig = 999999;

const char* const kFunctionNames[] = {"rand"};
const char* const kOperatorNames[] = {"=", "+", "-", "*", "/", "%"};
constexpr int kOperatorLevel[] = {2, 1, 1, 0, 0, 0};
enum Op : int { kAssign = 0, kAdd = 1, kSub = 2, kMul = 3, kDiv = 4, kRem = 5 };
const char* const kObjectNames[] = {"my", "tg", "pl", "sys"};
enum Object : int { kMy = 0, kTarget = 1, kHeroObject = 2, kSystemObject = 3 };

// The code's character statuses: v1-v8, then the named ones, with the status they are, their
// range on assignment and what follows an assignment.
struct CodeStatus {
  const char* name;
  int status;
  int variable;
  std::int32_t min, max;
};
const CodeStatus kCharaStatuses[] = {
    {"v1", kStatusVar, 1, -kBig, kBig},       {"v2", kStatusVar, 2, -kBig, kBig},
    {"v3", kStatusVar, 3, -kBig, kBig},       {"v4", kStatusVar, 4, -kBig, kBig},
    {"v5", kStatusVar, 5, -kBig, kBig},       {"v6", kStatusVar, 6, -kBig, kBig},
    {"v7", kStatusVar, 7, -kBig, kBig},       {"v8", kStatusVar, 8, -kBig, kBig},
    {"hp", kStatusHp, 0, 0, 0},               {"sp", kStatusSp, 0, 0, 0},  // up to the maxima, read then
    {"mhp", kStatusMaxHp, 0, 1, kBig},        {"msp", kStatusMaxSp, 0, 1, kBig},
    {"cid", kStatusCharaId, 0, 0, 99},        {"z", kStatusZ, 0, 0, 7},
    {"mark", kStatusMark, 0, 0, 119},         {"sight", kStatusSight, 0, 0, 40},
    {"power", kStatusPower, 0, -kBig, kBig},  {"imp", kStatusImpact, 0, -20, 20},
    {"def", kStatusDefence, 0, 0, kBig},      {"impd", kStatusImpactResist, 0, 0, 20},
    {"stop", kStatusStopEase, 0, 0, 200},     {"getsc", kStatusScoreValue, 0, -kBig, kBig},
};
struct SystemName {
  const char* name;
  std::int32_t min, max;
};
const SystemName kSystemStatuses[] = {{"time", 0, 999}, {"scrlx", -480, 480}, {"scrly", -480, 480},
                                      {"score", 0, kBig}, {"life", 0, 99}};
enum : int { kSysLife = 4 };

void DefaultReporter(const std::string& text) { ErrorBoxF("%s", text.c_str()); }
ExprErrorReporter g_reporter = DefaultReporter;

void Report(const std::string& text) {
  ExprErrorFlag = 1;
  g_reporter(text);
}

// Every error of the language: the flag, and the text when there is one.
int Fail(const std::string& text = {}) {
  if (text.empty()) {
    ExprErrorFlag = 1;
  } else {
    Report(text);
  }
  return 0;
}



// A decimal number as the C library reads one (leading white space, a sign, the leading
// digits; none gives 0), saturated to 32 bits.
std::int32_t Decimal(const std::string& text, std::size_t from = 0) {
  std::size_t i = from;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::int64_t v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = std::min<std::int64_t>(v * 10 + (text[i] - '0'), std::int64_t{1} << 32);
  }
  if (negative) v = -v;
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

template <std::size_t N>
int IndexOf(const char* const (&names)[N], const std::string& word) {
  for (std::size_t i = 0; i < N; ++i) {
    if (word == names[i]) return static_cast<int>(i);
  }
  return -1;
}

std::int32_t Wrapped(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

bool TooLong(const std::string& text) {
  if (text.size() <= kMaxCodeText) return false;
  Fail("コードが長すぎます！");
  return true;
}

class FlatEvaluator {
 public:
  FlatEvaluator(const std::string& text, cFlowActor& chara) : text_(text), chara_(chara) {}

  int Run() {
    if (!Tokenise()) return 0;
    std::optional<std::int32_t> last;
    for (int level = 0; level <= 2; ++level) {
      for (;;) {
        const auto it = std::find_if(tokens_.begin(), tokens_.end(),
                                     [level](const ExprToken& t) { return t.kind == 4 && kOperatorLevel[t.op] == level; });
        if (it == tokens_.end()) break;
        const std::size_t i = static_cast<std::size_t>(it - tokens_.begin());
        if (i == 0 || i + 1 >= tokens_.size() || tokens_[i - 1].kind == 4 || tokens_[i + 1].kind == 4) {
          return Fail("式が不正です！(" + text_ + ")");
        }
        const std::optional<std::int32_t> result = Operate(tokens_[i - 1], tokens_[i].op, tokens_[i + 1]);
        if (!result) return 0;
        // The three tokens become one result.
        tokens_[i - 1] = ExprToken{};
        tokens_[i - 1].value = *result;
        tokens_.erase(tokens_.begin() + static_cast<std::ptrdiff_t>(i), tokens_.begin() + static_cast<std::ptrdiff_t>(i + 2));
        last = *result;
      }
    }
    if (last) return *last;
    return lastRead_;
  }

 private:
  bool Tokenise() {
    std::string word;
    bool pending = false;
    bool tokenRead = false;
    object_ = kMy;
    for (std::size_t pos = 0; pos <= text_.size(); ++pos) {
      const char c = pos < text_.size() ? text_[pos] : '\0';
      if ((c == ' ' || c == '\0') && pending) {
        if (!Classify(word)) return false;
        pending = false;
        tokenRead = true;
        object_ = kMy;
        word.clear();
      } else if (c == '.') {
        const int object = IndexOf(kObjectNames, word);
        if (object >= 0) {
          object_ = object;
        } else if (!tokenRead) {
          Fail("オブジェクト \"" + word + ".\" が認識できません！");
          return false;
        }
        word.clear();
        pending = false;
        tokenRead = false;
      } else if (c != ' ' && c != '\0') {
        word += c;
        pending = true;
      }
    }
    return true;
  }

  bool Classify(const std::string& word) {
    ExprToken t;
    if (const int op = IndexOf(kOperatorNames, word); op >= 0) {
      t.kind = 4;
      t.op = op;
      tokens_.push_back(t);
      return true;
    }
    cFlowWorld* world = FlowWorld();
    cFlowActor* who = nullptr;
    switch (object_) {
      case kMy: who = &chara_; break;
      case kTarget:
        who = chara_.Target();
        if (who == nullptr) return Fail() != 0;
        break;
      case kHeroObject:
        who = world != nullptr ? world->Hero() : nullptr;
        if (who == nullptr) return Fail() != 0;
        break;
      default: break;
    }
    if (world != nullptr && (word[0] == 'C' || word[0] == 'S')) {
      cVector<std::int32_t>& vars = word[0] == 'C' ? world->CommonVars() : world->StageVars();
      const std::int32_t n = Decimal(word, 1);
      if (n < 0 || n >= static_cast<std::int32_t>(vars.size())) return Fail("変数 " + word + " は範囲外です！") != 0;
      t.kind = 1;
      t.target = {&vars[n], 32};
      t.value = vars[n];
      return Push(t);
    }
    for (int i = 0; i < static_cast<int>(std::size(kCharaStatuses)); ++i) {
      const CodeStatus& s = kCharaStatuses[i];
      if (word != s.name) continue;
      if (who == nullptr) return Fail("オブジェクト \"sys.\" にはキャラのステータスがありません！") != 0;
      t.kind = 2;
      t.status = i;
      t.object = who;
      t.target = who->StatusField(s.status, s.variable);
      if (t.target.address == nullptr) return Fail("式が不正です！(" + text_ + ")") != 0;
      t.value = ReadField(t.target);
      t.min = s.min;
      t.max = s.max;
      if (s.status == kStatusHp) t.max = ReadField(who->StatusField(kStatusMaxHp, 0));
      if (s.status == kStatusSp) t.max = ReadField(who->StatusField(kStatusMaxSp, 0));
      return Push(t);
    }
    const auto system = std::find_if(std::begin(kSystemStatuses), std::end(kSystemStatuses),
                                     [&word](const SystemName& n) { return word == n.name; });
    if (system != std::end(kSystemStatuses) && world != nullptr) {
      const int sys = static_cast<int>(system - std::begin(kSystemStatuses));
      t.kind = 3;
      t.system = sys;
      t.target = world->SystemStatus(sys);
      t.value = ReadField(t.target);
      t.min = kSystemStatuses[sys].min;
      t.max = kSystemStatuses[sys].max;
      if (sys == kSysLife && world->UnlimitedLives()) {
        // Unlimited lives read as none, and an assignment keeps them unlimited.
        t.value = 0;
        t.min = t.max = kBig;
      }
      return Push(t);
    }
    t.value = Decimal(word);
    return Push(t);
  }

  bool Push(const ExprToken& t) {
    tokens_.push_back(t);
    lastRead_ = t.value;
    return true;
  }

  std::optional<std::int32_t> Operate(const ExprToken& left, int op, const ExprToken& right) {
    const std::int64_t a = left.value;
    const std::int64_t b = right.value;
    switch (op) {
      case kAdd: return Wrapped(a + b);
      case kSub: return Wrapped(a - b);
      case kMul: return Wrapped(a * b);
      case kDiv:
      case kRem:
        if (b == 0) {
          Fail("0除算が行われました！(" + text_ + ")");
          return std::nullopt;
        }
        // The most negative value by -1 stays itself; its remainder is 0.
        return op == kDiv ? Wrapped(a / b) : static_cast<std::int32_t>(a % b);
      default: break;
    }
    if (left.target.address == nullptr) {
      Fail("式が不正です！(" + text_ + ")");
      return std::nullopt;
    }
    const std::int32_t v = std::clamp<std::int32_t>(right.value, left.min, std::max(left.min, left.max));
    WriteField(left.target, v);
    AfterAssignment(left);
    return v;
  }

  void AfterAssignment(const ExprToken& t) {
    cFlowWorld* world = FlowWorld();
    if (t.kind == 3 && world != nullptr && (t.system == 1 || t.system == 2)) world->AutoScrollChanged(t.system - 1);
    if (t.kind != 2 || t.object == nullptr) return;
    cFlowActor& who = *t.object;
    switch (kCharaStatuses[t.status].status) {
      case kStatusHp:
        if (&who != &chara_ && ReadField(t.target) <= 0 && world != nullptr) world->RequestDefeatCheck();
        break;
      case kStatusMaxHp:
      case kStatusMaxSp: {
        const bool hp = kCharaStatuses[t.status].status == kStatusMaxHp;
        const FieldRef current = who.StatusField(hp ? kStatusHp : kStatusSp, 0);
        if (current.address != nullptr) WriteField(current, std::clamp(ReadField(current), 1, std::max(1, ReadField(t.target))));
        break;
      }
      case kStatusSight:
        if (who.IsPlayerOperated()) who.StatusChanged(kStatusSight);
        break;
      case kStatusStopEase: who.StatusChanged(kStatusStopEase); break;
      default: break;
    }
  }

  const std::string& text_;
  cFlowActor& chara_;
  std::vector<ExprToken> tokens_;
  int object_ = kMy;
  std::int32_t lastRead_ = 0;
};

int EvalExprAt(const std::string& text, cFlowActor& chara, int depth);

// A call of `name` whose "(" is at `open`: its value, and where its ")" is.
std::optional<std::pair<std::int32_t, std::size_t>> Call(const std::string& s, const std::string& name, std::size_t open,
                                                         cFlowActor& chara, int depth) {
  std::vector<std::int32_t> args;
  std::string arg;
  int nesting = 0;
  std::size_t k = open + 1;
  std::optional<std::size_t> close;
  for (; k < s.size(); ++k) {
    const char c = s[k];
    if (c == '(') {
      ++nesting;
      arg += c;
    } else if (c == ')' && nesting > 0) {
      --nesting;
      arg += c;
    } else if (c == ',' && nesting > 0) {
      arg += c;
    } else if (c == ',' || c == ')') {
      if (!arg.empty()) args.push_back(EvalExprAt(arg, chara, depth + 1));
      arg.clear();
      if (c == ')') {
        close = k;
        break;
      }
    } else {
      arg += c;
    }
  }
  if (!close) {
    Fail("関数 " + name + " で\")\"が見つかりません！");
    return std::nullopt;
  }
  if (args.size() != 2) {
    Fail("関数 " + name + " の引数が不正です！");
    return std::nullopt;
  }
  return std::pair{RandRange(std::min(args[0], args[1]), std::max(args[0], args[1])), *close};
}

int EvalExprAt(const std::string& text, cFlowActor& chara, int depth) {
  if (depth > kMaxCodeNesting) return Fail("括弧が深すぎます！");
  if (TooLong(text)) return 0;
  std::string s = text;
  std::size_t p = 0;
  std::size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == ' ') {
      p = ++i;
      continue;
    }
    if (c != '(') {
      ++i;
      continue;
    }
    if (i == p) {
      std::size_t j = i + 1;
      int nesting = 0;
      for (; j < s.size(); ++j) {
        if (s[j] == ')') {
          if (nesting == 0) break;
          --nesting;
        } else if (s[j] == '(') {
          ++nesting;
        }
      }
      if (j >= s.size()) return Fail("\")\"が見つかりません！");
      const std::int32_t v = EvalExprAt(s.substr(i + 1, j - i - 1), chara, depth + 1);
      s = s.substr(0, p) + std::to_string(v) + s.substr(j + 1);
      if (TooLong(s)) return 0;
      i = p;
      continue;
    }
    // A call: the word's name, parentheses left out, compared at each "(" it meets.
    std::string name;
    std::optional<std::size_t> open;
    for (std::size_t k = p; k < s.size() && s[k] != ' '; ++k) {
      if (s[k] == ')') break;
      if (s[k] == '(') {
        if (IndexOf(kFunctionNames, name) >= 0) {
          open = k;
          break;
        }
        continue;
      }
      name += s[k];
    }
    if (!open) {
      ++i;
      continue;
    }
    const auto called = Call(s, name, *open, chara, depth);
    if (!called) return 0;
    s = s.substr(0, p) + std::to_string(called->first) + s.substr(called->second + 1);
    if (TooLong(s)) return 0;
    i = p;
  }
  return EvalFlat(s, chara);
}

}  // namespace

void SetExprErrorReporter(ExprErrorReporter reporter) { g_reporter = reporter != nullptr ? reporter : DefaultReporter; }

int EvalFlat(const std::string& text, cFlowActor& chara) {
  if (TooLong(text)) return 0;
  return FlatEvaluator(text, chara).Run();
}

int EvalExpr(const std::string& text, cFlowActor& chara) { return EvalExprAt(text, chara, 0); }

int ExecCode(const std::string& text, cFlowActor& chara) {
  ExprErrorFlag = 0;
  const FieldRef hp = chara.StatusField(kStatusHp, 0);
  const FieldRef sp = chara.StatusField(kStatusSp, 0);
  const std::int32_t hpBefore = ReadField(hp);
  const std::int32_t spBefore = ReadField(sp);
  EvalExpr(text, chara);
  if (ExprErrorFlag != 0) return 0;
  if (ReadField(hp) != hpBefore) chara.StartHpGauge(static_cast<std::int64_t>(ReadField(hp)) - hpBefore);
  if (ReadField(sp) != spBefore) chara.StartSpGauge(static_cast<std::int64_t>(ReadField(sp)) - spBefore);
  return 1;
}

void CmdExecCode(cFlowActor& chara, const cEdCommand& command) { ExecCode(command.strText, chara); }
