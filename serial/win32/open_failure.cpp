#include "open_failure.h"

#include "system_message.h"

namespace quellmark {

std::string OpenFailureReason(DWORD error) {
    const std::string text = win32::SystemMessage(error);
    if (error == ERROR_INVALID_WINDOW_HANDLE) {
        return "das Programm braucht eine Fensterstation für die Nachrichten der Leitung (" + text +
               "; unter Wine DISPLAY setzen oder xvfb-run benutzen)";
    }
    // Windows lets one program at a time open a serial port and refuses the others this way.
    if (error == ERROR_ACCESS_DENIED) {
        return "belegt, ein anderes Programm benutzt das Gerät (" + text + ")";
    }
    return text;
}

}  // namespace quellmark
