#pragma once

#include <cstdint>

#include "core/checked_sequence.h"

class cCharaBase;

// The filters of the character searches of the target command.
struct CharaFilter {
  bool byId = false;
  int charaId = 0;
  bool byValue = false;
  int valueIndex = 0;
  int value = 0;
  int comparison = 0;  // the codes of CompareByOp
  bool skipSelf = false;
  int selfNumber = -1;
  bool skipInvincible1 = false;
  bool skipInvincible2 = false;
  bool skipBlockCharas = false;
};

// The first living character of the list that passes the filter, in list order.
cCharaBase* FindChara(const cList<cCharaBase*>& list, const CharaFilter& filter);

// The nearest by |dy| + |dx| between screen-rectangle centres; the earlier of equals. Rule 0
// prefers present characters on screen and falls back to those off screen; 1 takes every
// present one; 2 only those on screen.
cCharaBase* FindNearestChara(double x, double y, const cList<cCharaBase*>& list, int rule, const CharaFilter& filter);

// From the centre of c's own picture, skipping invincibility kind 2; rule 2 when the stage
// hits only on-screen characters, else rule 0.
cCharaBase* FindNearestFromCentre(const cCharaBase& c, const cList<cCharaBase*>& list, bool onScreenOnly);
