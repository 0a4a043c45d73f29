// Which parameters the arrange command can change, by command kind: labels, limits, where each
// is stored, and which take their limits from the shot's formation or movement type.
#include <array>
#include <cstddef>
#include <cstdint>

#include "data/ed_command.h"
#include "data/ed_move.h"
#include "data/ed_shot.h"
#include "flow/arrange.h"
#include "flow/arrange_rows.h"
#include "flow/field_access.h"

namespace {

template <auto Member>
FieldRef Move(cEdCommand& c) {
  if (!c.pMove) return {};
  auto& field = (*c.pMove).*Member;
  return {&field, static_cast<int>(sizeof(field) * 8)};
}

template <auto Member>
FieldRef Shot(cEdCommand& c) {
  if (!c.pShot) return {};
  auto& field = (*c.pShot).*Member;
  return {&field, static_cast<int>(sizeof(field) * 8)};
}

template <auto Member, int kIndex>
FieldRef ShotAt(cEdCommand& c) {
  if (!c.pShot) return {};
  return {&((*c.pShot).*Member)[kIndex], 16};
}

template <int kIndex>
FieldRef Param(cEdCommand& c) {
  if (kIndex >= static_cast<int>(c.params.size())) return {};
  return {&c.params[kIndex], 32};
}

constexpr ArrangeRow kTargets[] = {
    {"目標X(bl)", -640, 640, Move<&cEdMove::nTargetX>},
    {"目標X(dot)", -640, 640, Move<&cEdMove::nTargetXDots>},
    {"目標Y(bl)", -640, 640, Move<&cEdMove::nTargetY>},
    {"目標Y(dot)", -640, 640, Move<&cEdMove::nTargetYDots>},
};

constexpr ArrangeRow kStraight[] = {
    kTargets[0], kTargets[1], kTargets[2], kTargets[3],
    {"角度", -7200, 7200, Move<&cEdMove::nAngle>},
    {"分身値による増加角度", -7200, 7200, Move<&cEdMove::nAngleStep>},
};

constexpr ArrangeRow kHoming[] = {
    {"誘導性能の悪さ", 0, 10, Move<&cEdMove::nRadius>},
    {"分身値による増加誘導性能の悪さ", 0, 10, Move<&cEdMove::nRadiusStep>},
    kTargets[0], kTargets[1], kTargets[2], kTargets[3],
};

constexpr ArrangeRow kFormation[] = {
    {"フォーメーション固有1", 0, 0, ShotAt<&cEdShot::nFormParam, 0>, ArrangeLimitSource::kFormation, 0},
    {"フォーメーション固有2", 0, 0, ShotAt<&cEdShot::nFormParam, 1>, ArrangeLimitSource::kFormation, 1},
    {"フォーメーション固有3", 0, 0, ShotAt<&cEdShot::nFormParam, 2>, ArrangeLimitSource::kFormation, 2},
};

constexpr ArrangeRow kGroup = {"勢力", 0, 7, Shot<&cEdShot::nGroup>};
constexpr ArrangeRow kLayer = {"Z座標", 0, 7, Shot<&cEdShot::nLayer>};
constexpr ArrangeRow kPower = {"威力", -999999, 999999, Shot<&cEdShot::nPower>};
constexpr ArrangeRow kImpact = {"衝撃", -20, 20, Shot<&cEdShot::nImpact>};

constexpr ArrangeRow kShot[] = {
    {"グラフィック", 1, 120, Shot<&cEdShot::nPicture>},
    kLayer,
    kFormation[0], kFormation[1], kFormation[2],
    {"発射数", 1, 127, Shot<&cEdShot::nCount>},
    {"発射数に対する分身数", 0, 20, Shot<&cEdShot::nVolleys>},
    {"角度のズレ", -7200, 7200, Shot<&cEdShot::nAngle>},
    {"分身値による角度のズレ", -7200, 7200, Shot<&cEdShot::nAngleStep>},
    {"分散角度", 0, 180, Shot<&cEdShot::nSpread>},
    {"発射位置のズレX(dot)", -640, 640, Shot<&cEdShot::nVolleyX>},
    {"分身値による発射位置のズレX(dot)", -640, 640, Shot<&cEdShot::nVolleyXStep>},
    {"発射位置のズレY(dot)", -640, 640, Shot<&cEdShot::nVolleyY>},
    {"分身値による発射位置のズレY(dot)", -640, 640, Shot<&cEdShot::nVolleyYStep>},
    kGroup,
    {"移動タイプ固有1", 0, 0, ShotAt<&cEdShot::nTrajParam, 0>, ArrangeLimitSource::kTrajectory, 0},
    {"移動タイプ固有2", 0, 0, ShotAt<&cEdShot::nTrajParam, 1>, ArrangeLimitSource::kTrajectory, 1},
    {"移動タイプ固有3", 0, 0, ShotAt<&cEdShot::nTrajParam, 2>, ArrangeLimitSource::kTrajectory, 2},
    {"速度", -200, 200, Shot<&cEdShot::nSpeed>},
    {"分身値による増加速度", -200, 200, Shot<&cEdShot::nSpeedStep>},
    {"加速度", -200, 200, Shot<&cEdShot::nAccel>},
    {"分身値による増加加速度", -200, 200, Shot<&cEdShot::nAccelStep>},
    {"飛距離(hbl)", 0, 64, Shot<&cEdShot::nRange>},
    {"分身値による増加飛距離", -40, 40, Shot<&cEdShot::nRangeStep>},
    {"存在時間(1/10s)", 1, 999, Shot<&cEdShot::nLife>},
    {"分身値よる増加存在時間", -99, 99, Shot<&cEdShot::nLifeStep>},
    {"消滅値", 1, 9, Shot<&cEdShot::nEraseLevel>},
    kPower,
    kImpact,
};

constexpr ArrangeRow kSword[] = {kGroup, kLayer, kPower, kImpact};

// The summons keep their lifetime where a shot keeps its range.
constexpr ArrangeRow kLifetime = {"存在時間(1/10s)", 1, 9999, Shot<&cEdShot::nRange>};
constexpr ArrangeRow kSummonCount = {"数", 1, 127, Shot<&cEdShot::nCount>};
constexpr ArrangeRow kSummonX = {"召喚位置のズレX(dot)", -640, 640, Shot<&cEdShot::nVolleyX>};
constexpr ArrangeRow kSummonY = {"召喚位置のズレY(dot)", -640, 640, Shot<&cEdShot::nVolleyY>};

constexpr ArrangeRow kSummonBlock[] = {kFormation[0], kFormation[1], kFormation[2], kSummonCount, kSummonX, kSummonY};
constexpr ArrangeRow kSummonChara[] = {kLifetime,     kGroup,       kFormation[0], kFormation[1],
                                       kFormation[2], kSummonCount, kSummonX,      kSummonY};
constexpr ArrangeRow kSummonItem[] = {kLifetime, kFormation[0], kFormation[1], kFormation[2],
                                      kSummonCount, kSummonX, kSummonY};

constexpr ArrangeRow kWarp[] = {
    {"距離(hbl)", 0, 64, Move<&cEdMove::nDistance>},
    {"分身値による増加距離(hbl)", -40, 40, Move<&cEdMove::nDistanceStep>},
    {"目標X(bl)", -640, 640, Move<&cEdMove::nTargetX>},
    {"目標Y(bl)", -640, 640, Move<&cEdMove::nTargetY>},
    {"目標Xのズレ(dot)", -640, 640, Move<&cEdMove::nTargetXDots>},
    {"目標Yのズレ(dot)", -640, 640, Move<&cEdMove::nTargetYDots>},
};

constexpr ArrangeRow kStageClear[] = {
    {"次のステージの番号", 1, 99, Param<1>},
    {"次のステージの初期位置X(bl)", 0, 999, Param<6>},
    {"次のステージの初期位置Y(bl)", 0, 999, Param<7>},
    {"クリア後のワールドマップの位置X", 0, 999, Param<3>},
    {"クリア後のワールドマップの位置Y", 0, 999, Param<4>},
};

constexpr ArrangeRow kMessage[] = {
    {"メッセージID", 0, 999, Param<13>},
    {"座標X(bl)", 0, 20, Param<1>},
    {"座標Y(bl)", 0, 15, Param<2>},
    {"表示位置のズレX(dot)", -999, 999, Param<3>},
    {"表示位置のズレY(dot)", -999, 999, Param<4>},
};

constexpr ArrangeRow kSetTarget[] = {
    {"対象勢力", 0, 7, Param<1>},
    {"対象キャラID", 0, 99, Param<9>},
    {"キャラ変数と比較する数値", -999999, 999999, Param<12>},
};

constexpr ArrangeRow kStatusOp[] = {
    {"乱数の最小値", -999999, 999999, Param<8>},
    {"乱数の最大値", -999999, 999999, Param<9>},
};

constexpr ArrangeRow kVanish[] = {{"対象勢力", 0, 7, Param<1>}};

constexpr ArrangeRow kChangeGraphic[] = {
    {"グラフィック", 1, 119, Param<1>},
    {"ズレ", -999, 999, Param<2>},
};

constexpr ArrangeRow kEffect[] = {
    {"座標X(bl)", 0, 511, Param<2>},
    {"座標Y(bl)", 0, 511, Param<3>},
    {"表示位置のズレX(dot)", -999, 999, Param<4>},
    {"表示位置のズレY(dot)", -999, 999, Param<5>},
    {"表示倍率(%)", 1, 1000, Param<6>},
};

constexpr ArrangeRow kPicture[] = {
    {"ピクチャーID", 0, 999, Param<13>},
    {"座標X(bl)", 0, 511, Param<2>},
    {"座標Y(bl)", 0, 511, Param<3>},
    {"表示位置のズレX(dot)", -999, 999, Param<4>},
    {"表示位置のズレY(dot)", -999, 999, Param<5>},
    {"表示倍率(%)", 1, 1000, Param<7>},
};

constexpr ArrangeRow kScreenColour[] = {
    {"R", 0, 255, Param<0>},
    {"G", 0, 255, Param<1>},
    {"B", 0, 255, Param<2>},
    {"%", 0, 100, Param<3>},
};

constexpr ArrangeRow kBackground[] = {{"背景番号", 1, 8, Param<0>}};

template <std::size_t N>
constexpr ArrangeRows Rows(const ArrangeRow (&rows)[N]) {
  return {rows, static_cast<int>(N)};
}

// Kinds 3, 4 and 7 have accessors that change nothing: present, with no rows.
constexpr ArrangeRows kNothing = {nullptr, 0};

}  // namespace

const std::array<ArrangeRows, kArrangeKinds>& ArrangeTable() {
  static const std::array<ArrangeRows, kArrangeKinds> table = [] {
    std::array<ArrangeRows, kArrangeKinds> t{};
    t[2] = Rows(kStraight);
    t[3] = kNothing;
    t[4] = kNothing;
    t[5] = Rows(kStraight);
    t[6] = Rows(kHoming);
    t[7] = kNothing;
    t[11] = Rows(kShot);
    t[12] = Rows(kSword);
    t[13] = Rows(kSummonBlock);
    t[14] = Rows(kSummonChara);
    t[15] = Rows(kSummonItem);
    t[17] = Rows(kStageClear);
    t[19] = Rows(kMessage);
    t[20] = Rows(kWarp);
    t[21] = Rows(kSetTarget);
    t[22] = Rows(kStatusOp);
    t[24] = Rows(kVanish);
    t[26] = Rows(kChangeGraphic);
    t[29] = Rows(kEffect);
    t[32] = Rows(kPicture);
    t[33] = Rows(kScreenColour);
    t[34] = Rows(kBackground);
    t[3].accessors = t[4].accessors = t[7].accessors = true;
    return t;
  }();
  return table;
}
