#pragma once

#include <cstdint>
#include <string>

#include "flow/flow_actor_seam.h"

class cEdCommand;

// The authors' code language: one expression over character statuses, variables and system
// values, with + - * / %, "=", parentheses and rand(a, b), evaluated straight from the text.

// One token of a flat expression.
struct ExprToken {
  int kind = 0;  // 0 number or result, 1 variable, 2 character status, 3 system status, 4 operator
  std::int32_t value = 0;
  FieldRef target;  // what an assignment writes; no address for numbers and results
  int op = 0;
  std::int32_t min = -999999;
  std::int32_t max = 999999;
  int status = -1;  // the code's character status index (kind 2)
  int system = -1;  // the system status index (kind 3)
  cFlowActor* object = nullptr;
};

// Set by every error of the language; cleared by ExecCode.
extern int ExprErrorFlag;
// Where the language's error texts go: an error box unless replaced (tests record them).
using ExprErrorReporter = void (*)(const std::string& text);
void SetExprErrorReporter(ExprErrorReporter reporter);

// Runs a code text for a character: 1 without an error, 0 after one. A change of the
// character's own HP or SP starts its gauge.
int ExecCode(const std::string& text, cFlowActor& chara);
// A text with parentheses and calls; 0 after an error.
int EvalExpr(const std::string& text, cFlowActor& chara);
// A text without them; 0 after an error.
int EvalFlat(const std::string& text, cFlowActor& chara);
// "コードの実行".
void CmdExecCode(cFlowActor& chara, const cEdCommand& command);

// The longest text the language takes, its own built texts included.
inline constexpr std::size_t kMaxCodeText = 5119;
// How deep parentheses and calls may nest.
inline constexpr int kMaxCodeNesting = 64;
