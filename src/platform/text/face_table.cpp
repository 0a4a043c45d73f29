#include "platform/text/face_table.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <mutex>

namespace platform {
namespace {

struct FaceRow {
  const char* face;  // CP932 at run time
  const char* family;
};

constexpr const char* kGothic = "IPAGothic";
constexpr const char* kPGothic = "IPAPGothic";
constexpr const char* kMincho = "IPAMincho";
constexpr const char* kPMincho = "IPAPMincho";

// Faces not listed take IPAGothic, the fixed gothic: symbol faces and scripts no installed face
// covers draw their ASCII with it, which is what a missing face looked like on the original.
constexpr std::array<FaceRow, 60> kFaces = {{
    // Fixed gothics and fixed western faces.
    {"ＭＳ ゴシック", kGothic},
    {"HGｺﾞｼｯｸE", kGothic},
    {"HGｺﾞｼｯｸM", kGothic},
    {"Terminal", kGothic},
    {"FixedSys", kGothic},
    {"Courier", kGothic},
    {"Courier New", kGothic},
    {"Courier New CE", kGothic},
    {"Courier New CYR", kGothic},
    {"Courier New Greek", kGothic},
    {"Courier New TUR", kGothic},
    {"Courier New Baltic", kGothic},
    {"Lucida Console", kGothic},
    {"GulimChe", kGothic},
    {"DotumChe", kGothic},
    {"BatangChe", kGothic},
    {"GungsuhChe", kGothic},
    {"NSimSun", kGothic},
    {"MingLiU", kGothic},
    {"OCRB", kGothic},
    // Proportional gothics and proportional western faces.
    {"ＭＳ Ｐゴシック", kPGothic},
    {"MS UI Gothic", kPGothic},
    {"メイリオ", kPGothic},
    {"HGPｺﾞｼｯｸE", kPGothic},
    {"HGSｺﾞｼｯｸE", kPGothic},
    {"HGPｺﾞｼｯｸM", kPGothic},
    {"HGSｺﾞｼｯｸM", kPGothic},
    {"HGP創英角ｺﾞｼｯｸUB", kPGothic},
    {"HGS創英角ｺﾞｼｯｸUB", kPGothic},
    {"System", kPGothic},
    {"MS Sans Serif", kPGothic},
    {"MS Serif", kPGothic},
    {"Microsoft Sans Serif", kPGothic},
    {"Arial", kPGothic},
    {"Arial CE", kPGothic},
    {"Arial CYR", kPGothic},
    {"Arial Greek", kPGothic},
    {"Arial TUR", kPGothic},
    {"Arial Baltic", kPGothic},
    {"Arial Black", kPGothic},
    {"Arial Narrow", kPGothic},
    {"Times New Roman", kPGothic},
    {"Times New Roman CE", kPGothic},
    {"Times New Roman CYR", kPGothic},
    {"Times New Roman Greek", kPGothic},
    {"Times New Roman TUR", kPGothic},
    {"Times New Roman Baltic", kPGothic},
    {"Verdana", kPGothic},
    {"Tahoma", kPGothic},
    {"Trebuchet MS", kPGothic},
    {"Georgia", kPGothic},
    {"Lucida Sans Unicode", kPGothic},
    // Mincho faces.
    {"ＭＳ 明朝", kMincho},
    {"HG明朝B", kMincho},
    {"HG明朝E", kMincho},
    {"ＭＳ Ｐ明朝", kPMincho},
    {"HGP明朝B", kPMincho},
    {"HGS明朝B", kPMincho},
    {"HGP明朝E", kPMincho},
    {"HGS明朝E", kPMincho},
}};

std::mutex g_fontconfigMutex;

}  // namespace

const char* FamilyForFace(std::string_view cp932Face) {
  for (const FaceRow& row : kFaces) {
    if (cp932Face == row.face) return row.family;
  }
  return kGothic;
}

bool LocateFamily(const char* family, std::string& file, int& index) {
  std::lock_guard<std::mutex> guard(g_fontconfigMutex);
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return false;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  bool found = false;
  if (match != nullptr) {
    // fontconfig always answers with something; only the family itself will do, since a
    // western face would draw no Japanese at all.
    FcChar8* matchedFamily = nullptr;
    FcChar8* path = nullptr;
    int faceIndex = 0;
    bool familyMatches = false;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &matchedFamily) == FcResultMatch; ++i) {
      if (FcStrCmpIgnoreCase(matchedFamily, reinterpret_cast<const FcChar8*>(family)) == 0) familyMatches = true;
    }
    if (familyMatches && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
      FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex);
      file = reinterpret_cast<const char*>(path);
      index = faceIndex;
      found = true;
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  return found;
}

}  // namespace platform
