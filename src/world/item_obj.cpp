#include "world/item_obj.h"

#include "world/flow_link.h"
#include "world/scene_play.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

}  // namespace

const AnimeStepTable& ItemAnimes() {
  static const AnimeStepTable table = [] {
    AnimeStepTable t(1);
    t[0] = cVector<AnimeStep>{{0, 16, 0}, {1, 16, 0}, {kAnimeLoop, 0, 0}};
    return t;
  }();
  return table;
}

cItemObj::cItemObj() { Def.nScale = 1; }

void cItemObj::KeepFootOnScale(int newScale, int oldScale) {
  if (newScale == oldScale) return;
  y -= static_cast<double>(newScale - oldScale) * (nBaseHeight + Rect.baseOffY);
  ClampY(2);
}

void cItemObj::Init(int number, const cEdItem& def, int temporary) {
  const cStageData& st = Scene().Stage;
  Def = def;
  if (Def.nScale == 0) Def.nScale = 1;
  const int w = st.nItemBox[0];
  const int h = st.nItemBox[1];
  Setup(number, 0, 0, 0, Def.nPicture, &ItemAnimes(), 0, 16 - w / 2, 16 - h / 2, w, h, 32, 32, 0, 1, 0);
  bFollowScroll = 0;
  bTemporary = temporary;
  if (temporary != 0) {
    bPresent = 1;
  } else {
    SetScale(Def.nScale, 1);
  }
  FlowLink().UnrollLoops(Def.commands);
}

void cItemObj::PlaceAtCell(int column, int row) {
  const cScenePlay& s = Scene();
  x = (column + s.ScrollX.nMargin) * 32 + Rect.offX + 0.5;
  y = Rect.offY + (row + s.ScrollY.nMargin) * 32;
  const int k = Def.nScale;
  if (k != 1) {
    KeepCentreX(k, 1);
    KeepFootOnScale(k, 1);
  }
  ClampX(2);
  ClampY(2);
}
