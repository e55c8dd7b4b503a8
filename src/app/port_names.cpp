#include "app/port_names.h"

#include <algorithm>
#include <cctype>

namespace interlock {

unsigned portNumberFromName(std::string_view name) {
    if (name.size() <= 3)
        return 0;
    unsigned number = 0;
    for (const char c : name.substr(3)) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || number > 100000)
            break;
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    return number;
}

std::string windowsPortPath(unsigned number) {
    const std::string com = "COM" + std::to_string(number);
    return number < 10 ? com : "\\\\.\\" + com;
}

namespace {
std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}
} // namespace

std::string portLabel(std::string_view name, std::string_view description,
                      std::string_view manufacturer) {
    description = trimmed(description);
    manufacturer = trimmed(manufacturer);
    std::string label(name);
    if (description.empty() && manufacturer.empty())
        return label;
    label += " \u2014 ";
    if (description.empty())
        return label.append(manufacturer);
    label += description;
    if (!manufacturer.empty())
        label.append(" (").append(manufacturer).append(")");
    return label;
}

bool listBoxBefore(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return lower(x) < lower(y); });
}

void sortLikeListBox(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(), listBoxBefore);
}

} // namespace interlock
