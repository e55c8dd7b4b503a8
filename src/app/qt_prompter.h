#pragma once

#include "app/prompter.h"

class QWidget;

namespace interlock {

class QtPrompter : public Prompter {
  public:
    void message(const std::string& text, const std::string& detail = {}) override;
    std::string openFileName(const std::string& caption, const std::string& filter) override;
    std::string saveFileName(const std::string& caption, const std::string& filter) override;
    std::string saveFileName(const std::string& caption, const std::string& filter,
                             const std::string& suggestedPath) override;
};

} // namespace interlock
