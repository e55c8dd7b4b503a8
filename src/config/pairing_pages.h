#pragma once

namespace interlock {

class Program;

// Gives the menus OPTIONAL FEATURE (both forms), OVERRIDE, PIN CODE and PAIRING, and
// the page launcher the test page.
void registerFeatureAndPairingPages(Program& program);

// True when INTERLOCK_TEST_PAGE=1 is set: an engineer wants the test page.
bool testPageWanted();
// From now on a connect that would open Main PART2 opens the test page instead.
void openTestPageOnConnect(Program& program);

} // namespace interlock
