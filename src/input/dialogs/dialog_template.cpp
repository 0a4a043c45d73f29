#include "input/dialogs/dialog_template.h"

namespace {

constexpr DialogItemTemplate kBootItems[] = {
    {1075, ItemKind::Picture, "", 7, 7, 20, 21},
    {1000, ItemKind::DefaultButton, "ゲーム開始", 80, 105, 50, 25},
    {1001, ItemKind::Button, "ゲーム中止", 80, 140, 50, 18},
    {1006, ItemKind::GroupBox, "描画モード", 15, 15, 190, 55},
    {1002, ItemKind::Radio, "Direct3D", 20, 30, 42, 10},
    {1003, ItemKind::Radio, "DirectDraw", 80, 30, 45, 10},
    {1005, ItemKind::Static, "詳細な設定は環境設定ファイル「System.ini」で行って下さい。", 20, 50, 177, 12},
    {1004, ItemKind::CheckBox, "次回からこのダイアログを表示しない", 50, 85, 120, 10},
};

constexpr DialogTemplate kBoot{103, 222, 171, kBootItems};

constexpr DialogItemTemplate kNameItems[] = {
    {1075, ItemKind::Picture, "", 7, 7, 20, 21},
    {1003, ItemKind::Edit, "", 75, 12, 24, 14},
    {1000, ItemKind::DefaultButton, "OK", 30, 35, 50, 18},
    {1007, ItemKind::Static, "登録名(3文字まで)", 15, 15, 56, 16},
};

constexpr DialogTemplate kName{102, 110, 65, kNameItems};

}  // namespace

const DialogTemplate& BootDialogTemplate() { return kBoot; }
const DialogTemplate& NameDialogTemplate() { return kName; }
