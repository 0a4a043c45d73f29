#include "data/name_tables.h"

const std::array<const char*, 123> FontNameList = {
    "System",  // 0
    "Terminal",  // 1
    "FixedSys",  // 2
    "Roman",  // 3
    "Script",  // 4
    "Modern",  // 5
    "Small Fonts",  // 6
    "MS Serif",  // 7
    "WST_Czec",  // 8
    "WST_Engl",  // 9
    "WST_Fren",  // 10
    "WST_Germ",  // 11
    "WST_Ital",  // 12
    "WST_Span",  // 13
    "WST_Swed",  // 14
    "Courier",  // 15
    "MS Sans Serif",  // 16
    "Marlett",  // 17
    "Arial",  // 18
    "Arial CE",  // 19
    "Arial CYR",  // 20
    "Arial Greek",  // 21
    "Arial TUR",  // 22
    "Arial Baltic",  // 23
    "Courier New",  // 24
    "Courier New CE",  // 25
    "Courier New CYR",  // 26
    "Courier New Greek",  // 27
    "Courier New TUR",  // 28
    "Courier New Baltic",  // 29
    "Lucida Console",  // 30
    "Lucida Sans Unicode",  // 31
    "Times New Roman",  // 32
    "Times New Roman CE",  // 33
    "Times New Roman CYR",  // 34
    "Times New Roman Greek",  // 35
    "Times New Roman TUR",  // 36
    "Times New Roman Baltic",  // 37
    "Wingdings",  // 38
    "Symbol",  // 39
    "Verdana",  // 40
    "Arial Black",  // 41
    "Comic Sans MS",  // 42
    "Impact",  // 43
    "Georgia",  // 44
    "Franklin Gothic Medium",  // 45
    "Palatino Linotype",  // 46
    "Tahoma",  // 47
    "Trebuchet MS",  // 48
    "Webdings",  // 49
    "Estrangelo Edessa",  // 50
    "Gautami",  // 51
    "Latha",  // 52
    "Mangal",  // 53
    "MV Boli",  // 54
    "Raavi",  // 55
    "Shruti",  // 56
    "Tunga",  // 57
    "Sylfaen",  // 58
    "ＭＳ ゴシック",  // 59
    "ＭＳ Ｐゴシック",  // 60
    "MS UI Gothic",  // 61
    "ＭＳ 明朝",  // 62
    "ＭＳ Ｐ明朝",  // 63
    "Microsoft Sans Serif",  // 64
    "Gulim",  // 65
    "GulimChe",  // 66
    "Dotum",  // 67
    "DotumChe",  // 68
    "Batang",  // 69
    "BatangChe",  // 70
    "Gungsuh",  // 71
    "GungsuhChe",  // 72
    "SimSun",  // 73
    "NSimSun",  // 74
    "SimSun-PUA",  // 75
    "SimHei",  // 76
    "MingLiU",  // 77
    "PMingLiU",  // 78
    "Arial Narrow",  // 79
    "Book Antiqua",  // 80
    "Bookman Old Style",  // 81
    "Century",  // 82
    "Century Gothic",  // 83
    "Garamond",  // 84
    "MS Outlook",  // 85
    "HGｺﾞｼｯｸE",  // 86
    "HGPｺﾞｼｯｸE",  // 87
    "HGSｺﾞｼｯｸE",  // 88
    "HG丸ｺﾞｼｯｸM-PRO",  // 89
    "HG創英角ｺﾞｼｯｸUB",  // 90
    "HGP創英角ｺﾞｼｯｸUB",  // 91
    "HGS創英角ｺﾞｼｯｸUB",  // 92
    "HG創英角ﾎﾟｯﾌﾟ体",  // 93
    "HGP創英角ﾎﾟｯﾌﾟ体",  // 94
    "HGS創英角ﾎﾟｯﾌﾟ体",  // 95
    "HG正楷書体-PRO",  // 96
    "InMusicSym",  // 97
    "Kartika",  // 98
    "Vrinda",  // 99
    "メイリオ",  // 100
    "MT Extra",  // 101
    "HGｺﾞｼｯｸM",  // 102
    "HGPｺﾞｼｯｸM",  // 103
    "HGSｺﾞｼｯｸM",  // 104
    "HG行書体",  // 105
    "HGP行書体",  // 106
    "HGS行書体",  // 107
    "HG教科書体",  // 108
    "HGP教科書体",  // 109
    "HGS教科書体",  // 110
    "HG明朝B",  // 111
    "HGP明朝B",  // 112
    "HGS明朝B",  // 113
    "HG明朝E",  // 114
    "HGP明朝E",  // 115
    "HGS明朝E",  // 116
    "HG創英ﾌﾟﾚｾﾞﾝｽEB",  // 117
    "HGP創英ﾌﾟﾚｾﾞﾝｽEB",  // 118
    "HGS創英ﾌﾟﾚｾﾞﾝｽEB",  // 119
    "OCRB",  // 120
    "Sydnie",  // 121
    "",
};

const char* FontFaceName(std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= FontNameList.size()) return "";
  return FontNameList[static_cast<std::size_t>(index)];
}

const std::array<const char*, 3> OnOffNames = {"OFF", "ON", ""};
const std::array<const char*, 3> PaletteChoiceNames = {"ステージパレット", "コモンパレット", ""};
const std::array<const char*, 4> InheritSourceNames = {"継承しない", "コモンパレット", "ステージパレット", ""};
const std::array<const char*, 3> InheritSourceCommonNames = {"継承しない", "コモンパレット", ""};
const std::array<const char*, 3> InheritSourceStageNames = {"継承しない", "ステージパレット", ""};
const std::array<const char*, 2> InheritSourceNoneNames = {"継承しない", ""};
const std::array<const char*, 6> GraphicKindNames = {"ブロック", "キャラ", "アイテム", "ショット", "専用bmp", ""};
const std::array<const char*, 4> DisplayNames = {"表示しない", "表示する", "エディターでのみ表示", ""};
const std::array<const char*, 4> HitNames = {"当たらない", "当たる", "主人公が当たると即死", ""};
const std::array<const char*, 10> NumberChoiceNames = {"なし", "0", "1", "2", "3", "4", "5", "6", "7", ""};
const std::array<const char*, 7> BlockEffectNames = {
    "なし", "ジャンプ X=高さ(hbl)", "ジャンプ禁止", "移動速度変更 X=％", "左移動 X=移動速度", "右移動 X=移動速度", "",
};
const std::array<const char*, 4> PaletteRefNames = {"なし", "コモンパレット", "ステージパレット", ""};
const std::array<const char*, 3> PaletteRefCommonNames = {"なし", "コモンパレット", ""};
const std::array<const char*, 3> ColorModeNames = {
    "256色(8bit) カラーパレットあり", "1677万色(24bit) カラーパレットなし", "",
};
const std::array<const char*, 4> DepthDDNames = {"32bit(1677万色)", "16bit(32768色)", "8bit(256色)", ""};
const std::array<const char*, 3> DepthD3DNames = {"32bit(1677万色)", "16bit(32768色)", ""};
const std::array<const char*, 9> CharaVarNames = {
    "1 キャラ変数-1", "2 キャラ変数-2", "3 キャラ変数-3", "4 キャラ変数-4",
    "5 キャラ変数-5", "6 キャラ変数-6", "7 キャラ変数-7", "8 キャラ変数-8", "",
};
const std::array<const char*, 8> ArithOpNames = {"＝", "＋", "－", "×", "÷", "÷ X の余り", "X ％", ""};
const std::array<const char*, 9> CompareOpNames = {
    "である", "でない", "以上", "以下", "より上", "より下", "の倍数である", "の倍数でない", "",
};
const std::array<const char*, 3> ConditionWordNames = {"なら", "でないなら", ""};
const std::array<const char*, 4> MapEventKindNames = {"ワールド", "道", "壁", ""};
const std::array<const char*, 4> AfterClearNames = {"しない", "2周目へ突入", "タイトルへ戻る", ""};
