#pragma once

// Positions of the integer parameters of each command kind, as the flow engine reads them.
// Item commands of kind k from 2 on use the layout of character kind k + 15; the item kind 1
// (flow change) has its own.

// "向き変更"
namespace TurnParam {
enum : int { kFacing = 0 };
}

// "ジャンプ": the height follows the running speed in mode 2, through p1, p3 and p4.
namespace JumpParam {
enum : int { kHeightMode = 0, kSpeedHeightA = 1, kHeight = 2, kSpeedHeightB = 3, kSpeedHeightC = 4 };
}

// "フローの操作"
namespace FlowOpParam {
enum : int { kOperation = 0, kTarget = 1, kFlowId = 2 };
}

// "ステージクリア"
namespace StageClearParam {
enum : int {
  kMode = 0,
  kStageNumber = 1,
  kMoveMapCursor = 2,
  kMapColumn = 3,
  kMapRow = 4,
  kSetStartCell = 5,
  kStartCellX = 6,
  kStartCellY = 7,
  kStartFacing = 8,
};
}

// "ゲームウエイト"
namespace GameWaitParam {
enum : int { kTenths = 0 };
}

// "メッセージ"
namespace MessageParam {
enum : int {
  kPosition = 0,
  kCellX = 1,
  kCellY = 2,
  kOffsetX = 3,
  kOffsetY = 4,
  kKeepInScreen = 5,
  kDurationKind = 6,
  kTenths = 7,
  kGameWaits = 8,
  kExpandVariables = 9,
  kKeepFirstPosition = 10,
  kRefresh = 11,
  kHasId = 12,
  kId = 13,
  kFrame = 14,
  kEraseById = 15,
  kRefreshFrames = 16,
  kOneFrame = 17,
};
}

// "ターゲットの設定"
namespace SetTargetParam {
enum : int {
  kChoice = 0,
  kGroup = 1,
  kAllGroups = 2,
  kSearchRange = 3,
  kSkipSelf = 4,
  kSkipInvincibleHit = 5,
  kSkipInvinciblePass = 6,
  kSkipBlockCharas = 7,
  kByCharaId = 8,
  kCharaId = 9,
  kByVariable = 10,
  kVariable = 11,
  kVariableValue = 12,
  kVariableOp = 13,
  kWhenNoneFound = 14,
};
}

// "ステータスの操作"
namespace StatusOpParam {
enum : int {
  kLeftSource = 0,
  kLeftScope = 1,
  kLeftVariable = 2,
  kLeftOwner = 3,
  kLeftStatus = 4,
  kOperation = 5,
  kRightSource = 6,
  kConstant = 7,
  kRandomA = 8,
  kRandomB = 9,
  kRightScope = 10,
  kRightVariable = 11,
  kRightOwner = 12,
  kRightStatus = 13,
  kPercent = 14,
  kCalculation = 15,
  kShowGauge = 16,
  kNotWhileInvincible = 17,
};
}

// "ステータスの操作2"
namespace StatusOp2Param {
enum : int { kOwner = 0, kItem = 1, kSetting = 2 };
}

// "消滅"
namespace VanishParam {
enum : int { kObjectKind = 0, kGroup = 1, kRange = 2 };
}

// "アイテムの取得"
namespace TakeItemParam {
enum : int { kPalette = 0, kItemIndex = 1 };
}

// "グラフィックの変更"
namespace ChangeGraphicParam {
enum : int { kGraphicKind = 0, kGraphicIndex = 1, kGraphicParam = 2 };
}

// "基本アニメセットの変更", "アニメの実行", "効果音の再生" and the first parameter of every
// command that names a database record.
namespace RecordParam {
enum : int { kRecord = 0 };
}

// "エフェクトの実行"
namespace EffectParam {
enum : int {
  kEffect = 0,
  kPosition = 1,
  kCellX = 2,
  kCellY = 3,
  kOffsetX = 4,
  kOffsetY = 5,
  kSize = 6,
  kGameWaits = 7,
};
}

// "キャラエフェクトの実行", "画面エフェクトの実行"
namespace RunEffectParam {
enum : int { kEffect = 0, kRunMode = 1, kRepeat = 2 };
}

// "ピクチャーの表示"
namespace PictureParam {
enum : int {
  kPicture = 0,
  kPosition = 1,
  kCellX = 2,
  kCellY = 3,
  kOffsetX = 4,
  kOffsetY = 5,
  kLayer = 6,
  kSize = 7,
  kDurationKind = 8,
  kTenths = 9,
  kGameWaits = 10,
  kKeepPosition = 11,
  kHasId = 12,
  kId = 13,
  kOneFrame = 14,
};
}

// "画面の色を変更"
namespace ScreenColourParam {
enum : int { kRed = 0, kGreen = 1, kBlue = 2, kStrength = 3, kFadeBack = 4, kTenths = 5, kBlink = 6, kRepeats = 7 };
}

// "背景の変更"
namespace BackgroundParam {
enum : int { kBackground = 0, kVisibility = 1 };
}

// "BGMの再生"
namespace BgmParam {
enum : int { kBgm = 0, kLoop = 1 };
}

// "アレンジ": p0 names a character command kind, p1 one of its parameters.
namespace ArrangeParam {
enum : int { kCommandKind = 0, kParameter = 1, kOperation = 2, kOperandScope = 3, kOperandVariable = 4 };
}

// "ループ"
namespace LoopParam {
enum : int { kTimes = 0, kBodyLength = 1 };
}

// Item "フローの変更": add, change or delete flows; the selector is 0 for all, 1..26 a flow ID.
namespace ChangeFlowsParam {
enum : int { kOperation = 0, kSelector = 1 };
}
