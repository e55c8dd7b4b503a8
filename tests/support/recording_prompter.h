#pragma once

#include "app/prompter.h"

#include <QStringList>

namespace interlock::testing {

// Keeps the message box texts instead of showing them; the file dialogs answer with
// the names set here (cancelled while they are empty) and keep each open filter.
class RecordingPrompter : public Prompter {
  public:
    void message(const std::string& text, const std::string& detail = {}) override {
        messages << QString::fromStdString(text);
        details << QString::fromStdString(detail);
    }
    std::string openFileName(const std::string&, const std::string& filter) override {
        openFilters << QString::fromStdString(filter);
        return openChoice;
    }
    std::string saveFileName(const std::string&, const std::string&) override { return saveChoice; }

    bool saw(const std::string& text) const {
        return messages.contains(QString::fromStdString(text));
    }

    QStringList messages;
    QStringList details;
    // Each open dialog's filter, in order.
    QStringList openFilters;
    std::string openChoice;
    std::string saveChoice;
};

} // namespace interlock::testing
