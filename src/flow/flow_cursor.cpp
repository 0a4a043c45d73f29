#include "flow/flow_cursor.h"

FlowCursor& CurrentFlow() {
  static FlowCursor cursor;
  return cursor;
}
