// The parameter migrations of command records written by older versions. Kind numbers here are
// those of the file's own time: below 734 the character kinds from 24 and the item kinds from
// 9 are one lower than today.
#include <algorithm>
#include <array>
#include <iterator>

#include "data/command_tables.h"
#include "data/ed_command.h"

namespace {

constexpr int kAnyKind = -2;
constexpr int kNoKind = -1;

struct ParamMigration {
  std::int32_t below;               // applies to files of a version below this
  std::array<int, 2> charaKinds;    // the character kinds it applies to
  bool itemTwin;                    // also to the item kinds 15 lower
  void (*apply)(cEdCommand& command);
};

void Resize(cEdCommand& c, int count) { c.params.resize(static_cast<std::size_t>(count), 0); }

// A list too short to have the index grows with zeros up to it first.
void InsertAt(cEdCommand& c, int index, std::int32_t value) {
  if (c.params.size() < static_cast<std::size_t>(index)) Resize(c, index);
  c.params.insert(c.params.begin() + index, value);
}

// Inserts value at index; the list keeps its length by losing its last entry.
void InsertKeepingLength(cEdCommand& c, int length, int index, std::int32_t value) {
  Resize(c, length);
  InsertAt(c, index, value);
  Resize(c, length);
}

// A status was inserted in front of `from` in the status list of both operands.
void ShiftStatusOperands(cEdCommand& c, std::int32_t from) {
  if (c.Param(0) == 0 && c.Param(3) != 2 && c.Param(4) >= from) ++c.Param(4);
  if (c.Param(6) == 2 && c.Param(12) != 2 && c.Param(13) >= from) ++c.Param(13);
}

void RaiseArrangedKind(cEdCommand& c) {
  if (c.Param(0) >= 24) ++c.Param(0);
}

// Kind 24 ("消滅") was inserted in the character set, 9 in the item set.
void RenumberKinds(cEdCommand& c) {
  const int inserted = c.nSet == kCharaCommandSet ? 24 : 9;
  if (c.nKind >= inserted && c.nKind < 255) ++c.nKind;
  if ((c.nSet == kCharaCommandSet && c.nKind == kCmdArrange) ||
      (c.nSet == kItemCommandSet && c.nKind == kCmdArrange - kItemKindOffset)) {
    RaiseArrangedKind(c);
  }
}

// Seven parameter numbers of the arranged status operation were inserted one after another.
void ShiftArrangedParameter(cEdCommand& c) {
  if (c.Param(0) != 11) return;
  for (const std::int32_t from : {2, 3, 4, 14, 15, 16, 17}) {
    if (c.Param(1) >= from) ++c.Param(1);
  }
}

const ParamMigration kMigrations[] = {
    {145, {17, kNoKind}, true, [](cEdCommand& c) { Resize(c, 9); }},
    {166, {35, kNoKind}, true, [](cEdCommand& c) { Resize(c, 2); c.Param(1) = 1; }},
    {168, {22, kNoKind}, true, [](cEdCommand& c) { ShiftStatusOperands(c, 10); }},
    {189, {21, kNoKind}, true, [](cEdCommand& c) { InsertKeepingLength(c, 15, 2, 0); }},
    {194, {31, kNoKind}, true, [](cEdCommand& c) { InsertKeepingLength(c, 15, 6, 1); }},
    {195, {29, 30}, true, [](cEdCommand& c) { InsertAt(c, 1, 0); Resize(c, 3); }},
    {203, {14, 15}, false, [](cEdCommand& c) { c.params.clear(); }},
    {203, {16, kNoKind}, false, [](cEdCommand& c) { Resize(c, 3); }},
    {203, {22, kNoKind}, true, [](cEdCommand& c) { ShiftStatusOperands(c, 5); }},
    {210, {23, kNoKind}, true, [](cEdCommand& c) { if (c.Param(0) != 2 && c.Param(1) >= 6) ++c.Param(1); }},
    {219, {25, kNoKind}, true, [](cEdCommand& c) { if (c.Param(0) == 3) c.Param(1) = std::min(c.Param(1) + 1, 119); }},
    {220, {11, kNoKind}, false, [](cEdCommand& c) {
       if (c.pShot) c.pShot->nPicture = static_cast<std::int16_t>(std::min(c.pShot->nPicture + 1, 119));
     }},
    {514, {5, kNoKind}, false, [](cEdCommand& c) {
       if (!c.pMove) return;
       c.pMove->nAngle = 0;
       c.pMove->nAngleStep = 0;
       c.pMove->bMirrorAngle = 1;
     }},
    {545, {19, kNoKind}, true, [](cEdCommand& c) { Resize(c, 18); c.Param(10) = 1; }},
    {545, {31, kNoKind}, true, [](cEdCommand& c) { Resize(c, 15); c.Param(11) = 0; }},
    {546, {19, kNoKind}, true, [](cEdCommand& c) { c.Param(10) = (c.Param(0) == 0 || c.Param(0) == 7) ? 1 : 0; }},
    {547, {19, kNoKind}, true, [](cEdCommand& c) {
       Resize(c, 18);
       c.Param(11) = c.Param(12) = c.Param(13) = 0;
       c.Param(14) = 1;
       c.Param(15) = 0;
     }},
    {547, {31, kNoKind}, true, [](cEdCommand& c) { Resize(c, 15); c.Param(12) = c.Param(13) = 0; }},
    {556, {19, kNoKind}, true, [](cEdCommand& c) { Resize(c, 18); c.Param(16) = 1; }},
    {722, {17, kNoKind}, true, [](cEdCommand& c) { if (c.Param(0) >= 2) ++c.Param(0); }},
    {723, {19, kNoKind}, true, [](cEdCommand& c) { Resize(c, 18); c.Param(17) = 0; }},
    {723, {31, kNoKind}, true, [](cEdCommand& c) { Resize(c, 15); c.Param(14) = 0; }},
    {726, {37, kNoKind}, true, [](cEdCommand& c) { Resize(c, 5); c.Param(0) = 11; }},
    {727, {37, kNoKind}, true, ShiftArrangedParameter},
    {734, {kAnyKind, kNoKind}, true, RenumberKinds},
    {747, {21, kNoKind}, true, [](cEdCommand& c) {
       Resize(c, 15);
       c.Param(10) = 0;
       c.Param(11) = 1;
       c.Param(14) = 0;
     }},
};

bool AppliesTo(const ParamMigration& m, const cEdCommand& c) {
  for (const int kind : m.charaKinds) {
    if (kind == kAnyKind) return true;
    if (kind == kNoKind) continue;
    if (c.nSet == kCharaCommandSet && c.nKind == kind) return true;
    if (m.itemTwin && c.nSet == kItemCommandSet && c.nKind == kind - kItemKindOffset) return true;
  }
  return false;
}

}  // namespace

void cEdCommand::MigrateParams(std::int32_t version) {
  for (const ParamMigration& migration : kMigrations) {
    if (version < migration.below && AppliesTo(migration, *this)) migration.apply(*this);
  }
}
