#include "data/ed_command.h"

#include <algorithm>

#include <boost/checked_delete.hpp>

#include "data/command_tables.h"
#include "data/data_read_context.h"
#include "data/ed_flow.h"
#include "data/palette_reference.h"

namespace {

template <typename T>
boost::shared_ptr<T> NewRecord(const T& source) {
  return boost::shared_ptr<T>(new T(source), boost::checked_deleter<T>());
}

template <typename T>
boost::shared_ptr<T> CopyRecord(const boost::shared_ptr<T>& source) {
  return source ? NewRecord(*source) : boost::shared_ptr<T>();
}

// A u32 presence flag, then the record when it is set; the record is always a new one.
template <typename T>
bool ReadOptionalRecord(boost::shared_ptr<T>& record, RecordReader& in) {
  std::uint32_t present = 0;
  if (!in.ReadU32(present)) return false;
  record.reset();
  if (present == 0) return true;
  record = NewRecord(T());
  return record->Read(in);
}

template <typename T>
void WriteOptionalRecord(const boost::shared_ptr<T>& record, RecordWriter& out) {
  out.WriteU32(record ? 1 : 0);
  if (record) record->Write(out);
}

// How many commands' flow lists enclose what this thread reads now.
thread_local int t_flowNesting = 0;

class FlowNesting {
 public:
  FlowNesting() { ++t_flowNesting; }
  ~FlowNesting() { --t_flowNesting; }
  FlowNesting(const FlowNesting&) = delete;
  FlowNesting& operator=(const FlowNesting&) = delete;
  static int Depth() { return t_flowNesting; }
};

// The commands whose first parameter names a database record, and what a bad one becomes.
struct RecordParamCheck {
  int charaKind;
  std::int32_t DatabaseCounts::*count;
  std::int32_t replacement;
};

constexpr RecordParamCheck kRecordParamChecks[] = {
    {kCmdChangeAnimeSet, &DatabaseCounts::animeSets, 0}, {kCmdRunAnime, &DatabaseCounts::animes, 1},
    {kCmdRunEffect, &DatabaseCounts::effects, 1},        {kCmdRunCharaEffect, &DatabaseCounts::charaEffects, 1},
    {kCmdRunScrEffect, &DatabaseCounts::scrEffects, 1},  {kCmdShowPicture, &DatabaseCounts::pictures, 1},
    {kCmdPlaySound, &DatabaseCounts::sounds, 1},         {kCmdPlayBgm, &DatabaseCounts::bgms, 1},
};

// Summons and item taking name their palette 0 common, 1 stage; as a palette source that is
// 1 and 2, and any other value names none.
int SourceOfPaletteChoice(std::int32_t choice) { return choice == 0 ? 1 : choice == 1 ? 2 : 0; }

bool NeedsMove(int charaKind) {
  return (charaKind >= kCmdMoveStraight && charaKind <= kCmdMoveAvoidOffscreen) || charaKind == kCmdWarp;
}
bool NeedsShot(int charaKind) { return charaKind >= kCmdShot && charaKind <= kCmdSummonItem; }

// The running sum of a sword type's part durations, capped after every addition.
std::int16_t SwordTime(const std::vector<std::int32_t>& durations) {
  constexpr std::int64_t kCap = 9999;
  std::int64_t sum = 0;
  for (const std::int32_t duration : durations) sum = std::min(sum + duration, kCap);
  return static_cast<std::int16_t>(std::max<std::int64_t>(sum, INT16_MIN));
}

}  // namespace

cEdCommand::cEdCommand() {
  RegisterFields(CurrentVersion);
  Clear();
  bSoundInViewOnly = 1;
}

cEdCommand::cEdCommand(const cEdCommand& other) : cEdCommand() { *this = other; }

cEdCommand& cEdCommand::operator=(const cEdCommand& other) {
  if (this == &other) return *this;
  cData::operator=(other);
  nSet = other.nSet;
  nKind = other.nKind;
  params = other.params;
  strText = other.strText;
  pMove = CopyRecord(other.pMove);
  pShot = CopyRecord(other.pShot);
  nTime = other.nTime;
  nTimeStep = other.nTimeStep;
  bNoWait = other.bNoWait;
  nSound = other.nSound;
  bSoundInViewOnly = other.bSoundInViewOnly;
  nAnime = other.nAnime;
  AssignRecordList(flows, other.flows);
  return *this;
}

cEdCommand::~cEdCommand() = default;

void cEdCommand::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddByte(&nSet);
  AddByte(&nKind);
  AddStrings(&strText);
  AddShort(&nTime);
  AddShort(&nTimeStep);
  AddByte(&bNoWait);
  AddShort(&nSound);
  AddByte(&bSoundInViewOnly);
  AddShort(&nAnime);
}

bool cEdCommand::Read(RecordReader& in) {
  if (FlowNesting::Depth() > kMaxFlowNesting) return in.Fail("flows nested too deeply");
  if (!cData::Read(in) || !ReadOptionalRecord(pMove, in) || !ReadOptionalRecord(pShot, in)) return false;
  {
    FlowNesting nesting;
    if (!ReadFlowList(flows, in)) return false;
  }
  std::int32_t count = 0;
  if (!in.ReadCount(count, 4)) return false;
  params.resize(static_cast<std::size_t>(count));
  if (count > 0 && !in.ReadElements(params.data(), 4, params.size())) return false;

  const DataReadContext& context = DataContextOf(in);
  if (in.Version() < kRecordVersion) MigrateParams(in.Version());
  if (context.DropsTestPlayFlows()) DropTestPlayFlows(flows);
  Validate(context);
  return true;
}

void cEdCommand::Write(RecordWriter& out) {
  Validate(ProjectDataContext());
  cData::Write(out);
  WriteOptionalRecord(pMove, out);
  WriteOptionalRecord(pShot, out);
  WriteRecordList(flows, out);
  out.WriteU32(static_cast<std::uint32_t>(params.size()));
  if (!params.empty()) out.WriteElements(params.data(), 4, params.size());
}

std::int32_t& cEdCommand::Param(int index) {
  if (static_cast<std::size_t>(index) >= params.size()) params.resize(static_cast<std::size_t>(index) + 1, 0);
  return params[index];
}

int cEdCommand::CharaKind() const {
  if (nSet == kCharaCommandSet) return nKind;
  return nKind >= 2 ? nKind + kItemKindOffset : -1;
}

void cEdCommand::EnsureRecords() {
  const int kind = CharaKind();
  if (NeedsMove(kind) && !pMove) pMove = NewRecord(cEdMove());
  if (nSet == kCharaCommandSet && NeedsShot(kind) && !pShot) pShot = NewRecord(cEdShot());
}

void cEdCommand::Validate(const DataReadContext& context) {
  const DatabaseCounts& db = context.database;
  if (nAnime < 0 || nAnime >= db.animes) nAnime = 0;
  if (nSound < 0 || nSound >= db.sounds) nSound = 0;

  const CommandKindRow* row = CommandKind(nSet, nKind);
  if (!row) {
    // A kind no table knows runs as no command at all.
    nSet = kCharaCommandSet;
    nKind = kCmdNone;
    row = CommandKind(nSet, nKind);
  }
  params.resize(static_cast<std::size_t>(row->paramCount), 0);
  EnsureRecords();

  const int kind = CharaKind();
  for (const RecordParamCheck& check : kRecordParamChecks) {
    if (check.charaKind != kind) continue;
    if (params[0] < 0 || params[0] >= db.*check.count) params[0] = check.replacement;
  }
  if (nSet == kCharaCommandSet && nKind == kCmdSword) {
    const int types = context.SwordTypeCount();
    if (pShot->nTrajectory >= types) pShot->nTrajectory = 0;
    // Without any sword type there are no parts to time.
    nTime = pShot->nTrajectory < types ? SwordTime(context.swordPartDurations[pShot->nTrajectory]) : 0;
  }
  for (cEdFlow& flow : flows) flow.Validate(context);
}

void cEdCommand::ValidateSummon(const DataReadContext& context) {
  const int kind = CharaKind();
  if (nSet == kCharaCommandSet && pShot) {
    cEdShot& shot = *pShot;
    if (kind == kCmdShot || kind == kCmdSword) {
      const std::int32_t count = PaletteCount(context, shot.nItemSource, PaletteKind::Item);
      if (count >= 0 && !PaletteIndexInRange(shot.nItemIndex, count)) {
        shot.nItemSource = 0;
        shot.nItemIndex = 0;
      }
    }
    static constexpr PaletteKind kSummoned[] = {PaletteKind::Block, PaletteKind::Chara, PaletteKind::Item};
    if (kind >= kCmdSummonBlock && kind <= kCmdSummonItem) {
      const std::int32_t count =
          PaletteCount(context, SourceOfPaletteChoice(shot.nSummonPalette), kSummoned[kind - kCmdSummonBlock]);
      if (count >= 0 && !PaletteIndexInRange(shot.nSummonIndex, count)) shot.nSummonIndex = 1;
    }
  }
  if (kind == kCmdTakeItem && params.size() >= 2) {
    const std::int32_t count = PaletteCount(context, SourceOfPaletteChoice(params[0]), PaletteKind::Item);
    if (count >= 0 && !PaletteIndexInRange(params[1], count)) params[1] = 1;
  }
}

bool ReadCommandList(cVector<cEdCommand>& list, RecordReader& in) { return ReadRecordList(list, in); }
