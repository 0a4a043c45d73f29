#include "data/shot_param_tables.h"

namespace {

constexpr ShotParamRow kNone{"", 0, 0, 0};
constexpr ShotParamRow kHblGap{"間隔(hbl)", 0, 40, 0};
constexpr ShotParamRow kCourseChange{"軌道変更(hbl)", 0, 40, 0};
constexpr ShotParamRow kTargetGroup{"対象勢力", 0, 7, 0};
constexpr ShotParamRow kHomingStart{"誘導開始(hbl)", 0, 40, 0};
constexpr ShotParamRow kHomingEnd{"誘導終了(hbl)", 0, 999, 999};

const ShotParamRow& RowOf(const ShotParamRow* table, int kinds, int kind, int parameter) {
  if (kind < 0 || kind >= kinds || parameter < 0 || parameter >= kShotParamsPerRow) return kNone;
  return table[kind * kShotParamsPerRow + parameter];
}

}  // namespace

const ShotParamRow ShotFormationParams[kFormationKinds * kShotParamsPerRow] = {
    kHblGap, kNone, kNone,  // 直進A
    kHblGap, kNone, kNone,  // 直進B
    {"角度", 0, 180, 30}, kNone, kNone,  // 拡散
    kHblGap, {"列の数", 1, 50, 1}, {"列の間隔(hbl)", 0, 40, 0},  // 落雷
    kNone, kNone, kNone,  // 爆発
    {"距離(hbl)", 0, 40, 6}, kNone, kNone,  // 包囲
};

const ShotParamRow ShotTrajectoryParams[kTrajectoryKinds * kShotParamsPerRow] = {
    kNone, kNone, kNone,  // 直進
    kCourseChange, kNone, kNone,  // 主人公を狙う
    kCourseChange, kTargetGroup, kNone,  // 近いキャラを狙う
    kCourseChange, kNone, kNone,  // ターゲットを狙う
    kHomingStart, kHomingEnd, kNone,  // 主人公へ誘導
    kHomingStart, kHomingEnd, kTargetGroup,  // 近いキャラへ誘導（無効化）
    kHomingStart, kHomingEnd, kNone,  // ターゲットへ誘導
    kHomingStart, kHomingEnd, kTargetGroup,  // 近いキャラへ誘導（変更）
    {"波の最大(hbl)", 0, 100, 4}, {"波の速度", 0, 100, 4}, {"開始角度", 0, 359, 0},  // ウェーブ
    kCourseChange, kNone, kNone,  // 落下
};

const ShotParamRow& FormationParamRow(int formation, int parameter) {
  return RowOf(ShotFormationParams, kFormationKinds, formation, parameter);
}

const ShotParamRow& TrajectoryParamRow(int trajectory, int parameter) {
  return RowOf(ShotTrajectoryParams, kTrajectoryKinds, trajectory, parameter);
}
