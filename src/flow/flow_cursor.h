#pragma once

class cFlowActor;
struct cFlow;
struct cFlowCmd;

// The character, flow and command being worked on: executors and conditions read them.
struct FlowCursor {
  cFlowActor* chara = nullptr;
  cFlow* flow = nullptr;
  cFlowCmd* command = nullptr;
};

FlowCursor& CurrentFlow();

// Every entry into the engine holds one: whatever it leaves in the cursor, the cursor is as it
// was when the entry returns, early returns included.
class FlowCursorScope {
 public:
  FlowCursorScope() : saved_(CurrentFlow()) {}
  ~FlowCursorScope() { CurrentFlow() = saved_; }
  FlowCursorScope(const FlowCursorScope&) = delete;
  FlowCursorScope& operator=(const FlowCursorScope&) = delete;

 private:
  FlowCursor saved_;
};
