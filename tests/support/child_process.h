#pragma once

#include <functional>
#include <string>

namespace interlock::testing {

// Runs `work` in a forked child, so that limits and privileges it changes stay
// there, and returns the text it returned ("child ended abnormally" if it did not
// return).
std::string runInChild(const std::function<std::string()>& work);

// Makes file permission bits bind the calling process even when it runs as root,
// by dropping the capabilities that override them. Meant for a forked child;
// false when that could not be done.
bool obeyFilePermissions();

} // namespace interlock::testing
