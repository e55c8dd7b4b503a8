#include "config/field_text.h"

namespace interlock {

std::string invalidValueMessage(std::string_view caption) {
    return std::string(caption) +
           " value is not valid. Verify that it was enterd correctly and try again";
}

std::string firstRefusal(std::initializer_list<std::function<std::string()>> checks) {
    for (const auto& check : checks) {
        if (std::string refusal = check(); !refusal.empty())
            return refusal;
    }
    return {};
}

} // namespace interlock
