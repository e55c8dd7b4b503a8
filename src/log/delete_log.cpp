#include "log/delete_log.h"

#include "link/codes.h"
#include "link/write_failure.h"

namespace interlock {

std::string deleteLog(Requester& requester) {
    const WriteOutcome outcome(requester.state());
    requester.write(request::DeleteLog, {}, kDeleteLogWaitMs);
    std::string failure = writeFailure(outcome, kDeleteLogRefused, kLogNotDeleted);
    if (failure.empty())
        requester.state().logDeleted = true;
    return failure;
}

} // namespace interlock
