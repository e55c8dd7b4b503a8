#include "log/delete_log.h"

#include "link/codes.h"

namespace interlock {

void deleteLog(Requester& requester) {
    requester.write(request::DeleteLog, {}, kDeleteLogWaitMs);
    requester.state().logDeleted = true;
}

} // namespace interlock
