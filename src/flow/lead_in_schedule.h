#pragma once

class cEdFlow;
struct cFlow;

// When each command's lead-in animation starts, so that it reaches its hold frame as the
// command starts; one that needs more time than lies before its command starts at once, cut.
// One pass over the flow, however long its unrolled list.
void ScheduleLeadIns(cFlow& flow, const cEdFlow& def, int b);
