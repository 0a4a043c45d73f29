#pragma once

#include <boost/make_shared.hpp>
#include <cstdint>

#include "data/command_tables.h"
#include "data/ed_command.h"
#include "data/ed_move.h"

namespace testsupport {

// A warp command: its mode, direction code and distance in half blocks.
inline cEdCommand WarpCommand(int mode, int direction, int halfBlocks) {
  cEdCommand c;
  c.nKind = kCmdWarp;
  c.pMove = boost::make_shared<cEdMove>();
  c.pMove->nSpecMode = static_cast<std::uint8_t>(mode);
  c.pMove->nDirection = static_cast<std::uint8_t>(direction);
  c.pMove->nDistance = static_cast<std::int16_t>(halfBlocks);
  return c;
}

}  // namespace testsupport
