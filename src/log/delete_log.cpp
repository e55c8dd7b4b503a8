#include "log/delete_log.h"

#include "link/codes.h"
#include "link/write_outcome.h"

namespace interlock {

bool deleteLog(Requester& requester) {
    const WriteOutcome outcome(requester.state());
    requester.write(request::DeleteLog, {}, kDeleteLogWaitMs);
    if (outcome.refused())
        return false;
    requester.state().logDeleted = true;
    return true;
}

} // namespace interlock
