#include "config/pin_code_digits.h"

#include "link/formatted.h"

namespace interlock {

std::string pinText(const Te_Service_t& service) {
    return formatted("%d%d%d%d", service.PinCode(0), service.PinCode(1), service.PinCode(2),
                     service.PinCode(3));
}

void storePinDigits(Te_Service_t& service, std::string_view text) {
    for (std::size_t i = 0; i < kPinLength; ++i) {
        const char c = i < text.size() ? text[i] : '0';
        service.set_PinCode(i, static_cast<std::uint8_t>(c >= '0' && c <= '9' ? c - '0' : 0));
    }
}

} // namespace interlock
