#pragma once

#include "link/program_state.h"
#include "link/requester.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace interlock {

// The two forms of OPTIONAL FEATURE, one per product line.
enum class FeatureForm { Part1, Part2 };

// One ON/OFF row of the page: its caption and its bit of quenlix_option.
struct FeatureRow {
    std::string_view caption;
    std::uint8_t bit;
};

// The form's rows, top to bottom.
std::span<const FeatureRow> featureRows(FeatureForm form);

// Which rows show "ON" when the page opens, in row order. The PART 2 override row
// is on only while an override time is set too.
std::vector<bool> featureOpening(FeatureForm form, const ProgramState& state);

// OK: each row sets or clears its bit (other bits stay as read); the configuration
// data and then the unchanged service record are written, each followed by its wait.
// Empty when the page may close, else the refusal to show (the page stays open).
std::string featureOk(FeatureForm form, const std::vector<bool>& on, Requester& requester);

} // namespace interlock
