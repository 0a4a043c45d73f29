#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"

// A text carried by a stage. Play never reads it; it travels with the stage into replays.
class cEdStageString : public cData {
 public:
  cEdStageString();
  cEdStageString(const cEdStageString&) = default;
  cEdStageString& operator=(const cEdStageString&) = default;

  void RegisterFields(std::int32_t version) override;

  std::string strText;
};

// A stage's list of these: a count, then each record over a new default one.
bool ReadStageStringList(cVector<cEdStageString>& list, RecordReader& in);
