// Objects placed by the summon commands at the points of their formation.
#include "data/ed_shot.h"
#include "data/common_palette.h"
#include "data/system_data.h"
#include "world/scene_play.h"

void cScenePlay::ChangeBlock(int px, int py, int /*facing*/, const cEdShot& record, const cEdBlock& def) {
  const int cx = static_cast<int>(px + 16.5) >> 5;
  const int cy = static_cast<int>(py + 16.5) >> 5;
  // A change outside the map is left out, never wrapped into another row.
  if (cx < 0 || cy < 0 || cx >= ScrollX.nMapBlocks || cy >= ScrollY.nMapBlocks) return;
  const int index = CellIndex(cx, cy);
  const cEdBlock* cell = CellBlock(index);
  if (cell == nullptr) return;
  const bool present = cell->nPicture != 0 && CheckCellConditions(index);
  if (cell->bProtected != 0 && (SystemData.bLegacy637 != 0 || present)) return;
  const bool undoable = record.bUndoOnHero != 0 || record.bUndoOnChara != 0;
  const auto erase = [&] {
    if (CommonPalette.Blocks.empty()) {
      BlockMap.Clear(index);
    } else {
      BlockMap.PutInterned(index, CommonPalette.Blocks[0]);
    }
  };
  // The new block, taken back when it would cover an object the record protects; true when
  // it stays.
  const auto place = [&] {
    const cBlockCell saved = BlockMap.Get(index);
    BlockMap.PutInterned(index, def);
    if (BlockCoversObject(index, cx, cy, record) == 1 && undoable) {
      BlockMap.Restore(index, saved);
      return false;
    }
    return true;
  };
  switch (record.nBlockMode) {
    case 1:
      erase();
      break;
    case 0:
      place();
      break;
    case 2:
      if (ChangedCells.Contains(index)) return;
      if (present) {
        erase();
      } else if (!place()) {
        return;
      }
      ChangedCells.push_back(index);
      break;
    default:
      break;
  }
}

int cScenePlay::BlockCoversObject(int index, int cx, int cy, const cEdShot& record) {
  const double left = 32.0 * cx;
  const double top = 32.0 * cy;
  const double right = left + 32 - 0.1;
  const double bottom = top + 32 - 0.1;
  const auto covers = [&](cCharaBase& c) {
    return c.bDead == 0 && c.x <= right && c.right >= left && c.y <= bottom && c.bottom >= top &&
           HitKind(index, c.nGroup) != 0;
  };
  for (cPlayer& hero : Player) {
    if (!covers(hero)) continue;
    hero.nSqueezeGrace = 2;
    if (record.bUndoOnHero != 0) return 1;
  }
  for (cChara& c : CharaList) {
    if (c.bPresent == 0 || !covers(c)) continue;
    c.nSqueezeGrace = 2;
    if (record.bUndoOnChara != 0) return 1;
  }
  return 0;
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
