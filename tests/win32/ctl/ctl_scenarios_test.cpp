#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "ctl_program.h"
#include "ctl_scenarios.h"
#include "far_end.h"
#include "open_failure.h"
#include "text_conversion.h"
#include "unique_handle.h"
#include "win32_ctl_system.h"

namespace quellmark::testing {
namespace {

using test_support::FarEndFile;
using test_support::FarEndFolder;

// A console of this process's own in place of the one Wine started it with, whose first line
// shows what a program wrote there. Made before anything else: the console's host keeps open
// every handle it could inherit, such as the far end's socket.
class ShownConsole {
public:
    ShownConsole() {
        FreeConsole();
        AllocConsole();
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        screen_ = UniqueHandle(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                           OPEN_EXISTING, 0, nullptr));
    }
    HANDLE Cleared() const {
        DWORD count;
        FillConsoleOutputCharacterW(screen_.Get(), L' ', kWidth, {0, 0}, &count);
        SetConsoleCursorPosition(screen_.Get(), {0, 0});
        return screen_.Get();
    }
    std::string FirstLine() const {
        std::wstring line(kWidth, L' ');
        DWORD count;
        ReadConsoleOutputCharacterW(screen_.Get(), line.data(), kWidth, {0, 0}, &count);
        return win32::ToUtf8(line.substr(0, line.find_last_not_of(L' ') + 1)) + "\n";
    }

private:
    static constexpr int kWidth = 80;
    UniqueHandle screen_;
} const console;

// A file in the program's folder that it inherits as a standard handle.
UniqueHandle Inherited(const std::string& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    return UniqueHandle(CreateFileW(win32::ToWide(path).c_str(), access,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, creation, 0,
                                    nullptr));
}

// quellmark-ctl.exe as a batch file in the far end's folder starts it, with the row's input in a
// file there and its output going to files there: to one opened for reading only when it cannot be
// written.
CtlOutcome RunProgram(const CtlScenario& row, const std::string& port) {
    const std::string folder = FarEndFolder();
    const UniqueHandle in = Inherited(folder + "/input", GENERIC_READ, OPEN_EXISTING);
    const DWORD outAccess = row.output == Output::kUnwritable ? GENERIC_READ : GENERIC_WRITE;
    const UniqueHandle out = Inherited(folder + "/out", outAccess, CREATE_ALWAYS);
    const UniqueHandle err = Inherited(folder + "/err", GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.Get();
    startup.hStdOutput = row.output == Output::kConsole ? console.Cleared() : out.Get();
    startup.hStdError = err.Get();
    std::wstring line = win32::ToWide("\"" QUELLMARK_CTL_PATH "\"");
    for (const std::string& arg : Words(row.args, port)) {
        line += win32::ToWide(" \"" + arg + "\"");
    }
    for (const auto& [name, value] : row.environment) {
        SetEnvironmentVariableW(win32::ToWide(name).c_str(),
                                win32::ToWide(Words(value, port)[0]).c_str());
    }
    const auto started = std::chrono::steady_clock::now();
    PROCESS_INFORMATION process{};
    const bool running = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        win32::ToWide(folder).c_str(), &startup, &process);
    for (const auto& [name, value] : row.environment) {
        SetEnvironmentVariableW(win32::ToWide(name).c_str(), nullptr);
    }
    const UniqueHandle processHandle(process.hProcess), thread(process.hThread);
    const bool ended = running && WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0;
    CtlOutcome run;
    if (DWORD status; ended && GetExitCodeProcess(process.hProcess, &status)) {
        run.status = int(status);
    } else if (running) {
        TerminateProcess(process.hProcess, 1);
    }
    run.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    run.out = row.output == Output::kConsole ? console.FirstLine() : FarEndFile("out");
    run.err = FarEndFile("err");
    return run;
}

// The program as the far end runs it in a network of its own, which Wine's programs cannot make:
// the name lookups happen in the program's process, which is the one in that network.
CtlOutcome RunInOwnNetwork(const CtlScenario& row, test_support::FarEnd& farEnd) {
    const auto started = std::chrono::steady_clock::now();
    // The program's path without the "Z:" of Wine's drive for the Unix root.
    const std::string status =
        farEnd.Request("own-network " + std::string(QUELLMARK_CTL_PATH + 2) + " " + row.args);
    return {std::atoi(status.c_str()), FarEndFile("out"), FarEndFile("err"),
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  started)};
}

// The program's own system, whose port is refused with ERROR_ACCESS_DENIED, as Windows refuses
// a port that another program holds and Wine does not.
CtlOutcome RunWithPortHeld(const CtlScenario& row) {
    struct HeldPortSystem : ctl::Win32CtlSystem {
        OpenedLine Open(const std::string&) override {
            return OpenFailureReason(ERROR_ACCESS_DENIED);
        }
        bool Print(bool toError, const std::string& text) override {
            (toError ? run.err : run.out) += text;
            return true;
        }
        CtlOutcome run;
    } system;
    system.run.status = ctl::RunCtlProgram(Words(row.args, "COM1"), system, "");
    return system.run;
}

class CtlScenarioTest : public ::testing::TestWithParam<CtlScenario> {};

// COM1 and COM12 lead to the far end (see far_end_server.cpp), and so do its network addresses.
TEST_P(CtlScenarioTest, PlaysOnWindows) {
    const CtlScenario& row = GetParam();
    test_support::FarEnd farEnd;
    farEnd.Request(row.farEnd == FarEnd::kNothing ? "hangup" : "simulator " + row.simulator);
    const std::string request = AddressRequest(row.farEnd);
    const std::string port = request.empty() ? "COM1" : farEnd.Request(request);
    const std::size_t logged = farEnd.SimulatorLog().size();
    std::ofstream(FarEndFolder() + "/input", std::ios::binary) << row.input;
    for (const auto& [name, content] : row.files) {
        std::ofstream(FarEndFolder() + "/" + name, std::ios::binary) << content;
    }
    const CtlOutcome run = row.farEnd == FarEnd::kHeld         ? RunWithPortHeld(row)
                           : row.farEnd == FarEnd::kOwnNetwork ? RunInOwnNetwork(row, farEnd)
                                                               : RunProgram(row, port);
    ASSERT_NE(run.status, -1) << "did not end within 15 s";
    ExpectOutcome(row, run);
    const auto sent = [&] { return farEnd.SimulatorLog().substr(logged); };
    EXPECT_EQ(SentBytes(sent, row.sent.size()), row.sent);
    if (!row.lineSettings.empty()) {
        EXPECT_EQ(FarEndFile("settings"), row.lineSettings);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CtlScenarioTest,
                         ::testing::ValuesIn(ScenariosOn(Systems::kWindows)),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quellmark::testing
