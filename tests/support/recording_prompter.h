#pragma once

#include "app/prompter.h"

#include <QStringList>

namespace interlock::testing {

// Keeps the message box texts instead of showing them; file dialogs are cancelled.
class RecordingPrompter : public Prompter {
  public:
    void message(const std::string& text, const std::string& detail = {}) override {
        messages << QString::fromStdString(text);
        details << QString::fromStdString(detail);
    }
    std::string openFileName(const std::string&, const std::string&) override { return {}; }
    std::string saveFileName(const std::string&, const std::string&) override { return {}; }

    bool saw(const std::string& text) const {
        return messages.contains(QString::fromStdString(text));
    }

    QStringList messages;
    QStringList details;
};

} // namespace interlock::testing
