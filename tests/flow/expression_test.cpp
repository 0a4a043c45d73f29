// The code language: a golden table of texts, the state they leave and what they report.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/game_random.h"
#include "fake_actor.h"
#include "flow/expression.h"

namespace {

using flowtest::FakeActor;
using flowtest::FakeWorld;

std::vector<std::string> g_reports;
void Record(const std::string& text) { g_reports.push_back(text); }

struct Scene {
  Scene() {
    SetExprErrorReporter(Record);
    g_reports.clear();
    self.maxHp = 50;
    self.hp = 30;
  }
  ~Scene() { SetExprErrorReporter(nullptr); }
  FakeWorld world;
  FakeActor self;
  FakeActor other;
};

std::string N(long long v) { return std::to_string(v); }

TEST(ExpressionTest, TextsLeaveTheirStateAndReportTheirErrors) {
  struct Case {
    const char* text;
    std::function<void(Scene&)> before;
    std::function<std::string(Scene&)> state;
    std::string expected;
    int ok;              // what ExecCode returns
    std::string report;  // the one error text, or none
  };
  const auto none = [](Scene&) {};
  const auto v1 = [](Scene& t) { return N(t.self.vars[1]); };
  const auto target = [](Scene& t) { t.self.target = &t.other; };
  const Case cases[] = {
      {"my.v1 = 10 - 3 - 2", none, v1, "5", 1, ""},
      {"my.v1 = 2 + 3 * 4", none, v1, "14", 1, ""},
      {"my.v1 = ( 2 + 3 ) * 4", none, v1, "20", 1, ""},
      {"my.v1 = 7 / 2", none, v1, "3", 1, ""},
      {"my.v1 = -7 / 2", none, v1, "-3", 1, ""},
      {"my.v1 = -7 % 2", none, v1, "-1", 1, ""},
      {"my.v1 = 4 -2", none, v1, "4", 1, ""},
      {"my.v1 = 2147483647 + 1", none, v1, "-999999", 1, ""},
      {"my.v1 = rand (1,6)", none, v1, "0", 1, ""},
      {"my.v1 = rand(1)", [](Scene& t) { t.self.vars[1] = 9; }, v1, "9", 0, "関数 rand の引数が不正です！"},
      {"my.v1=5", [](Scene& t) { t.self.vars[1] = 9; }, v1, "9", 1, ""},
      {"my.v1 = 3.5", none, v1, "5", 1, ""},
      {"my.v1 = 5 my.v2 = my.v1", [](Scene& t) { t.self.vars[1] = 7; },
       [](Scene& t) { return N(t.self.vars[1]) + " " + N(t.self.vars[2]); }, "5 7", 1, ""},
      {"my.hp = 99999", none, [](Scene& t) { return N(t.self.hp); }, "50", 1, ""},
      {"my.mhp = 10", none, [](Scene& t) { return N(t.self.maxHp) + " " + N(t.self.hp); }, "10 10", 1, ""},
      {"my.mhp = 0", [](Scene& t) { t.self.hp = 0; }, [](Scene& t) { return N(t.self.maxHp) + " " + N(t.self.hp); }, "1 1", 1, ""},
      {"tg.hp = 0", target, [](Scene& t) { return N(t.other.hp) + " " + N(t.world.defeatChecks); }, "0 1", 1, ""},
      {"my.hp = 0", none, [](Scene& t) { return N(t.self.hp) + " " + N(t.world.defeatChecks); }, "0 0", 1, ""},
      {"tg.v1 = 1", none, v1, "0", 0, ""},
      {"pl.v1 = 1", none, v1, "0", 0, ""},
      {"pl.v1 = 1", [](Scene& t) { t.world.hero = &t.other; }, [](Scene& t) { return N(t.other.vars[1]); }, "1", 1, ""},
      {"my.cid = 300", none, [](Scene& t) { return N(t.self.charaId); }, "99", 1, ""},
      {"my.z = -1", none, [](Scene& t) { return N(t.self.z); }, "0", 1, ""},
      {"my.imp = -50", none, [](Scene& t) { return N(t.self.impact); }, "-20", 1, ""},
      {"my.stop = 50", none, [](Scene& t) { return N(t.self.stopEase) + " " + N(t.self.changed.at(0)); }, "50 13", 1, ""},
      {"sys.time = 5000", none, [](Scene& t) { return N(t.world.time); }, "999", 1, ""},
      {"sys.life = 5", [](Scene& t) { t.world.lives = 999999; }, [](Scene& t) { return N(t.world.lives); }, "999999", 1, ""},
      {"my.v1 = sys.life", [](Scene& t) { t.world.lives = 999999; }, v1, "0", 1, ""},
      {"sys.scrlx = 20", none, [](Scene& t) { return N(t.world.scrollX) + " " + N(t.world.scrollChanges.at(0)); }, "20 0", 1, ""},
      {"C3 = C3 + 1", [](Scene& t) { t.world.common[3] = 4; }, [](Scene& t) { return N(t.world.common[3]); }, "5", 1, ""},
      {"S0 = 1", none, [](Scene& t) { return N(t.world.stage[0]); }, "1", 1, ""},
      {"foo.hp = 1", none, [](Scene& t) { return N(t.self.hp); }, "30", 0, "オブジェクト \"foo.\" が認識できません！"},
      {"my.v1 = ( 5 / 0 )", [](Scene& t) { t.self.vars[1] = 9; }, v1, "0", 0, "0除算が行われました！( 5 / 0 )"},
      {"( 1 + 2", none, v1, "0", 0, "\")\"が見つかりません！"},
      {"my.v1 = rand(1,", none, v1, "0", 0, "関数 rand で\")\"が見つかりません！"},
      {"my.v1 =", none, v1, "0", 0, "式が不正です！(my.v1 =)"},
      {"5 = 3", none, v1, "0", 0, "式が不正です！(5 = 3)"},
      {"sys.hp = 1", none, [](Scene& t) { return N(t.self.hp); }, "30", 0, "オブジェクト \"sys.\" にはキャラのステータスがありません！"},
      {"C99 = 1", none, v1, "0", 0, "変数 C99 は範囲外です！"},
  };
  for (const Case& c : cases) {
    Scene t;
    c.before(t);
    EXPECT_EQ(ExecCode(c.text, t.self), c.ok) << c.text;
    EXPECT_EQ(c.state(t), c.expected) << c.text;
    EXPECT_EQ(g_reports, c.report.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.report}) << c.text;
  }
}

TEST(ExpressionTest, ValuesOfWholeTextsCallsAndLimits) {
  Scene t;
  EXPECT_EQ(EvalExpr("1 + 2 * 3 - 4 / 2 % 3", t.self), 5);
  EXPECT_EQ(EvalExpr("(2)3", t.self), 23);
  EXPECT_EQ(EvalExpr("99999999999", t.self), 2147483647);  // numbers saturate
  EXPECT_EQ(EvalExpr("", t.self), 0);
  EXPECT_EQ(EvalExpr("7", t.self), 7);
  SeedGameRandom(3);
  t.self.vars[2] = 6;
  for (const char* text : {"my.v1 = rand(6,1)", "my.v1 = rand( 1 , my.v2 )"}) {
    for (int i = 0; i < 50; ++i) {
      ASSERT_EQ(ExecCode(text, t.self), 1) << text;
      ASSERT_GE(t.self.vars[1], 1) << text;
      ASSERT_LE(t.self.vars[1], 6) << text;
    }
  }
  EXPECT_TRUE(g_reports.empty());
  // Too long, too deep.
  EXPECT_EQ(ExecCode(std::string(kMaxCodeText + 1, '1'), t.self), 0);
  EXPECT_EQ(g_reports.back(), "コードが長すぎます！");
  const std::string deep = std::string(kMaxCodeNesting + 1, '(') + "1" + std::string(kMaxCodeNesting + 1, ')');
  EXPECT_EQ(ExecCode(deep, t.self), 0);
  EXPECT_EQ(g_reports.back(), "括弧が深すぎます！");
  g_reports.clear();
  const std::string deepEnough = std::string(kMaxCodeNesting, '(') + "1" + std::string(kMaxCodeNesting, ')');
  EXPECT_EQ(EvalExpr(deepEnough, t.self), 1);
  EXPECT_TRUE(g_reports.empty());
}

TEST(ExpressionTest, OnlyTheRunnersOwnHpOrSpChangeStartsItsGauge) {
  Scene t;
  t.self.maxSp = 20;
  t.self.sp = 5;
  t.self.target = &t.other;
  t.other.maxHp = 50;
  t.other.hp = 40;
  EXPECT_EQ(ExecCode("my.hp = my.hp - 10 my.sp = 9", t.self), 1);
  EXPECT_EQ(t.self.hpGauges, (std::vector<std::int64_t>{-10}));
  EXPECT_EQ(t.self.spGauges, (std::vector<std::int64_t>{4}));
  EXPECT_EQ(ExecCode("tg.hp = tg.hp - 10", t.self), 1);
  EXPECT_EQ(t.other.hp, 30);
  EXPECT_TRUE(t.other.hpGauges.empty());
  EXPECT_EQ(t.self.hpGauges.size(), 1u);
  // An error starts no gauge, though the change before it stays.
  EXPECT_EQ(ExecCode("my.hp = 1 my.v1 = ( 1 / 0 )", t.self), 0);
  EXPECT_EQ(t.self.hp, 1);
  EXPECT_EQ(t.self.hpGauges.size(), 1u);
}

}  // namespace
