#include "fake_actor.h"

#include "data/command_tables.h"

namespace flowtest {

cEdCommand Command(int kind, int tenths, bool noWait, int anime) {
  cEdCommand c;
  c.nSet = kCharaCommandSet;
  c.nKind = static_cast<std::uint8_t>(kind);
  c.nTime = static_cast<std::int16_t>(tenths);
  c.bNoWait = noWait ? 1 : 0;
  c.nAnime = static_cast<std::int16_t>(anime);
  return c;
}

cEdFlow FlowOf(int trigger, std::initializer_list<cEdCommand> commands, int switchId, int flowId) {
  cEdFlow flow;
  flow.nTrigger = static_cast<std::uint8_t>(trigger);
  flow.nSwitch = static_cast<std::uint8_t>(switchId);
  flow.nFlowId = static_cast<std::uint8_t>(flowId);
  for (const cEdCommand& c : commands) flow.commands.push_back(c);
  return flow;
}

cEdCommand Loop(int count, int length) {
  cEdCommand c = Command(kCmdLoop, 0);
  c.params = {count, length};
  return c;
}

}  // namespace flowtest
