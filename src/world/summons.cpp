// Objects placed by the summon commands at the points of their formation.
#include "data/ed_shot.h"
#include "world/scene_play.h"

void cScenePlay::ChangeBlock(int px, int py, int /*facing*/, const cEdShot& record, const cEdBlock& /*def*/) {
  const int cell = CellAt(px + 16, py + 16);
  if (cell < 0) return;
  if (record.nBlockMode == 2 && ChangedCells.Contains(cell)) return;
  ChangedCells.push_back(cell);
}

void cScenePlay::SpawnCharaByCommand(const cEdChara& def, int px, int py, int facing, int group,
                                     const cEdShot& record) {
  cEdChara d = def;
  d.nFacing = static_cast<std::uint8_t>(facing);
  d.nGroup = static_cast<std::uint8_t>(group);
  if (record.bNoScore != 0) d.nScore = 0;
  cChara c;
  // The start position counts the margin once more, as the placements' do; the box goes to the
  // formation point, which is the top-left corner of the new character's picture.
  c.Init(nCharaNumber, d, nullptr, px + ScrollX.nMargin * 32 + 16, py + ScrollY.nMargin * 32 + 16, 0);
  c.x = px + c.Rect.offX;
  c.y = py + c.Rect.offY;
  c.right = c.x + c.nWidth - 1;
  c.bottom = c.y + c.nHeight - 1;
  if (!c.IsInStage(true)) return;
  c.OnMovedX();
  c.OnMovedY();
  CharaList.push_back(c);
  cChara& added = CharaList.back();
  added.UpdateScreenRect();
  // One summoned into a wall or a solid character is taken out again.
  if (IsBlocked(added)) {
    CharaList.pop_back();
    return;
  }
  IndexChara(added);
  AddToGroup(added);
  ++nCharaNumber;
}

void cScenePlay::SpawnItemByCommand(const cEdItem& def, int px, int py) {
  cItemObj item;
  item.Def = def;
  const int scale = def.nScale != 0 ? def.nScale : 1;
  item.Setup(nItemNumber, 1, 0, 0, 0, nullptr, 0, 0, 0, 32 * scale, 32 * scale, 32 * scale, 32 * scale, 0, 1, 0);
  item.x = px;
  item.y = py;
  item.ClampX(2);
  item.ClampY(2);
  ItemList.push_back(item);
  ++nItemNumber;
}
