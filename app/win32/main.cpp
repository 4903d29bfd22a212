#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "form1.h"
#include "message_loop.h"
#include "open_line.h"
#include "port_descriptions.h"
#include "start_failure.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    return quellmark::win32::RunReportingFailure([showCommand] {
        // Destroyed before the error box can show, which closes the port.
        quellmark::Form1 form(quellmark::NumberedSystemPort(), quellmark::DescribeSystemPorts);
        ShowWindow(form.Handle(), showCommand);
        return quellmark::win32::RunMessageLoop(form.Handle());
    });
}
