#include "win32_ctl_system.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "console_output.h"
#include "open_line.h"
#include "run_outcome.h"
#include "user_locale.h"

namespace quellmark::ctl {

namespace {

// "COM12", in any case: a port name, opened in the device namespace, without which names above
// COM9 cannot be opened.
bool IsPortName(const std::string& text) {
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    return text.size() > 3 && _strnicmp(text.c_str(), "COM", 3) == 0 &&
           std::all_of(text.begin() + 3, text.end(), digit);
}

}  // namespace

std::string Win32CtlSystem::DeviceOf(const std::variant<int, std::string>& port) {
    if (const int* number = std::get_if<int>(&port)) {
        return DeviceOfPort(*number);
    }
    const std::string& device = std::get<std::string>(port);
    return IsPortName(device) ? "\\\\.\\" + device : device;
}

OpenedLine Win32CtlSystem::Open(const std::string& device) {
    return OpenLine(device,
                    [this](const std::string& remark) { Print(true, RemarkMessage(remark)); });
}

std::string Win32CtlSystem::DecimalSeparator() const {
    return win32::UserDecimalSeparator();
}

bool Win32CtlSystem::Print(bool toError, const std::string& text) {
    return WriteText(GetStdHandle(toError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text);
}

}  // namespace quellmark::ctl
