#pragma once

#include "app/prompter.h"

#include <iostream>
#include <string>

namespace interlock {

// Message boxes written to standard error; every file dialog cancelled.
struct PrintingPrompter : Prompter {
    void message(const std::string& text, const std::string& detail = {}) override {
        std::cerr << "message: " << text << (detail.empty() ? "" : " ") << detail << '\n';
    }
    std::string openFileName(const std::string&, const std::string&) override { return {}; }
    std::string saveFileName(const std::string&, const std::string&) override { return {}; }
};

} // namespace interlock
