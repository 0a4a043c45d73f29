#pragma once

#include <cstdint>
#include <string>

#include <boost/shared_ptr.hpp>

#include "core/checked_sequence.h"
#include "core/record_base.h"
#include "data/ed_move.h"
#include "data/ed_shot.h"

class cEdFlow;
struct DataReadContext;

// One step of a flow, or one entry of an item's command set: a kind of one of the two command
// sets with its integer parameters, an optional text, movement and shot records, and nested
// flows (the item command that replaces the taker's flows).
class cEdCommand : public cData {
 public:
  cEdCommand();
  // Copies build their own movement and shot records: no two commands share one.
  cEdCommand(const cEdCommand& other);
  cEdCommand& operator=(const cEdCommand& other);
  ~cEdCommand() override;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  // Database references and the parameter count of the kind; also the nested flows.
  void Validate(const DataReadContext& context);
  // Palette references of the shot, sword, summon and item-taking commands.
  void ValidateSummon(const DataReadContext& context);
  // Brings the parameters of a file of an older version to the current layout.
  void MigrateParams(std::int32_t version);

  // Parameter i; a list too short for it first grows with zeros.
  std::int32_t& Param(int index);
  // The character command kind this command runs as (item kinds from 2 are their character
  // twins); -1 for the item kinds without a twin.
  int CharaKind() const;

  std::uint8_t nSet = 0;
  std::uint8_t nKind = 0;
  std::string strText;
  std::int16_t nTime = 0;
  std::int16_t nTimeStep = 0;
  std::uint8_t bNoWait = 0;
  std::int16_t nSound = 0;
  std::uint8_t bSoundInViewOnly = 0;
  std::int16_t nAnime = 0;

  boost::shared_ptr<cEdMove> pMove;
  boost::shared_ptr<cEdShot> pShot;
  cVector<cEdFlow> flows;
  cVector<std::int32_t> params;

  // Commands hold flows that hold commands: reading refuses a command inside more levels of
  // nested flows than this.
  static constexpr int kMaxFlowNesting = 8;

 private:
  void EnsureRecords();
};

bool ReadCommandList(cVector<cEdCommand>& list, RecordReader& in);
