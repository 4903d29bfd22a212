#include <string>
#include <vector>

#include "ctl_program.h"
#include "text_conversion.h"
#include "win32_ctl_system.h"

int wmain(int argc, wchar_t* argv[]) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(quellmark::win32::ToUtf8(argv[i]));
    }
    quellmark::ctl::Win32CtlSystem system;
    return quellmark::ctl::RunCtlProgram(args, system, QUELLMARK_VERSION);
}
