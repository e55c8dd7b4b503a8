#include "config/new_pair_logic.h"

#include "config/settings_write.h"
#include "link/codes.h"
#include "link/trace.h"
#include "link/write_outcome.h"

namespace interlock {

std::string newPairOk(NewPairForm form, bool deleteAllData, Requester& requester) {
    std::uint8_t command = kPairDeletingAll;
    if (form == NewPairForm::Part1) {
        trace("OnBnClickedButtonNewPairPart1Ok\r\n");
    } else {
        trace("OnBnClickedButtonNewPairPart2Ok\r\n");
        trace(deleteAllData ? "IDC_CHECK_ALL_DATA_DELETE check\r\n"
                            : "IDC_CHECK_ALL_DATA_DELETE none check\r\n");
        if (!deleteAllData)
            command = kPairKeepingData;
    }
    IdentityRecord& identity = requester.state().identity;
    identity.set_pairing_command(command);
    identity.set_Part_type_f(2);
    const WriteOutcome outcome(requester.state());
    requester.write(request::WriteIdentity, identity.view(), kNewPairWaitMs);
    return settingsWriteFailure(outcome);
}

} // namespace interlock
