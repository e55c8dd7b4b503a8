#pragma once

#include <windows.h>

namespace interlock::testing {

// Whether a Windows test runs under Wine, which behaves otherwise than Windows in a
// few places; a test skipped there says which.
inline bool underWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

} // namespace interlock::testing
