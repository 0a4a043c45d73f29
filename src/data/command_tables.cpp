#include "data/command_tables.h"

#include <iterator>

const CommandKindRow CharaCommandTable[kCharaCommandKinds] = {
    {"", 0},
    {"ウエイト", 0},
    {"直線移動", 0},
    {"地上折り返し移動", 0},
    {"円移動", 0},
    {"突撃移動", 0},
    {"誘導移動", 0},
    {"画面外回避移動", 0},
    {"移動の無効化", 0},
    {"向き変更", 1},
    {"ジャンプ", 5},
    {"ショット", 0},
    {"ソード", 0},
    {"ブロック召喚", 0},
    {"キャラ召喚", 0},
    {"アイテム召喚", 0},
    {"フローの操作", 3},
    {"ステージクリア", 9},
    {"ゲームウエイト", 1},
    {"メッセージ", 18},
    {"ワープ", 0},
    {"ターゲットの設定", 15},
    {"ステータスの操作", 18},
    {"ステータスの操作2", 3},
    {"消滅", 3},
    {"アイテムの取得", 2},
    {"グラフィックの変更", 3},
    {"基本アニメセットの変更", 1},
    {"アニメの実行", 1},
    {"エフェクトの実行", 8},
    {"キャラエフェクトの実行", 3},
    {"画面エフェクトの実行", 3},
    {"ピクチャーの表示", 15},
    {"画面の色を変更", 8},
    {"背景の変更", 2},
    {"効果音の再生", 1},
    {"BGMの再生", 2},
    {"コードの実行", 0},
    {"アレンジ", 5},
    {"ループ", 2},
};

const CommandKindRow ItemCommandTable[kItemCommandKinds] = {
    {"", 0},
    {"フローの変更", 2},
    {"ステージクリア", 9},
    {"ゲームウエイト", 1},
    {"メッセージ", 18},
    {"ワープ", 0},
    {"ターゲットの設定", 15},
    {"ステータスの操作", 18},
    {"ステータスの操作2", 3},
    {"消滅", 3},
    {"アイテムの取得", 2},
    {"グラフィックの変更", 3},
    {"基本アニメセットの変更", 1},
    {"アニメの実行", 1},
    {"エフェクトの実行", 8},
    {"キャラエフェクトの実行", 3},
    {"画面エフェクトの実行", 3},
    {"ピクチャーの表示", 15},
    {"画面の色を変更", 8},
    {"背景の変更", 2},
    {"効果音の再生", 1},
    {"BGMの再生", 2},
    {"コードの実行", 0},
    {"アレンジ", 5},
    {"ループ", 2},
};

const CommandKindRow* CommandKind(int set, int kind) {
  if (kind < 0) return nullptr;
  if (set == kCharaCommandSet && kind < kCharaCommandKinds) return &CharaCommandTable[kind];
  if (set == kItemCommandSet && kind < kItemCommandKinds) return &ItemCommandTable[kind];
  return nullptr;
}

int DirCodeFromChoice(int key, int facingRight) {
  // Left, right, up, down, up-left, down-left, up-right, down-right.
  static constexpr int kCodes[] = {2, 3, 6, 7, 8, 9, 10, 11};
  if (key == 0) return facingRight ? 3 : 2;
  if (key >= 1 && key <= static_cast<int>(std::size(kCodes))) return kCodes[key - 1];
  // The any-direction slot and anything beyond name no single direction: forward.
  return 0;
}
