#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "far_end.h"
#include "text_conversion.h"
#include "unique_handle.h"

namespace quellmark {
namespace {

struct CtlResult {
    DWORD status;
    std::string out, err;
};

std::string ReadToEnd(HANDLE pipe) {
    std::string text;
    char chunk[4096];
    for (DWORD count = 0; ReadFile(pipe, chunk, sizeof chunk, &count, nullptr) && count > 0;) {
        text.append(chunk, count);
    }
    return text;
}

// quellmark-ctl.exe as a batch file starts it, with its output going to pipes; with
// `outputLost`, standard output's pipe has no reader.
CtlResult RunCtl(const std::string& args, bool outputLost = false) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    EXPECT_TRUE(CreatePipe(&outRead, &outWrite, &inherited, 0) &&
                CreatePipe(&errRead, &errWrite, &inherited, 0));
    UniqueHandle out(outRead), err(errRead);
    if (outputLost) {
        out.Reset();
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    std::wstring line = win32::ToWide("\"" QUELLMARK_CTL_PATH "\" " + args);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    // Closed here, the pipes end when the program does.
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        ADD_FAILURE() << "cannot start " << QUELLMARK_CTL_PATH;
        return {DWORD(-1), "", ""};
    }
    const UniqueHandle processHandle(process.hProcess), thread(process.hThread);
    CtlResult result{DWORD(-1), ReadToEnd(out.Get()), ReadToEnd(errRead)};
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 15000), WAIT_OBJECT_0) << "still running";
    GetExitCodeProcess(process.hProcess, &result.status);
    return result;
}

// COM1 leads to the modem simulator (see far_end_server.cpp), whose channels start with RX 70
// (-2 dB) and TX 0 (0 dB).
class CtlTest : public ::testing::Test {
protected:
    // The simulator's log once it holds `size` bytes or 5 s have passed.
    std::string Log(std::size_t size) {
        std::string log;
        for (int wait = 0; (log = far_.SimulatorLog()).size() < size && wait < 250; ++wait) {
            Sleep(20);
        }
        return log;
    }

    test_support::FarEnd far_;
};

// Each call sends exactly its lines, in order, and prints what the modem holds; a usage error
// or a port with nothing behind it sends nothing and names the fault on standard error, an absent
// port with its device and the system's reason. Replies come in pieces and between noise.
TEST_F(CtlTest, SetStoreAndReadAreByteExactAndFaultsSendNothing) {
    far_.Request("simulator --rx 70 --tx 0 --chunks --noise --seed 4");
    const std::string kUnopened = " lässt sich nicht öffnen: ";
    std::ofstream("saved.json", std::ios::binary)
        << R"([{"channel":"Kanal ä","tx":null,"rx":{"db":6,"value":3}}])";
    const struct {
        std::string args;
        DWORD status;
        std::string out, sent, errStart;
    } cases[] = {
        {"1 -c A,B --tx 10,5 --rx -4 --store --read", 0,
         "A: TX 10,5 db (21), RX -4 db (80)\nB: TX 10,5 db (21), RX -4 db (80)\n",
         "gsm+ A at+vgt=21\rgsm+ A at+vgr=80\rgsm+ A at&w\rgsm+ A at+vgr?;+vgt?\r"
         "gsm+ B at+vgt=21\rgsm+ B at+vgr=80\rgsm+ B at&w\rgsm+ B at+vgr?;+vgt?\r",
         ""},
        {"com1 --read --json -c \"Kanal ä,A\"", 0,
         R"([{"channel":"Kanal ä","tx":{"db":0,"value":0},"rx":{"db":-2,"value":70}},)"
         R"({"channel":"A","tx":{"db":10.5,"value":21},"rx":{"db":-4,"value":80}}])"
         "\n",
         "gsm+ Kanal \xE4 at+vgr?;+vgt?\rgsm+ A at+vgr?;+vgt?\r", ""},
        {"\\\\.\\COM1 --tx=-6.5 -c B", 0, "", "gsm+ B at+vgt=243\r", ""},
        {"1 --apply saved.json --read", 0, "Kanal ä: TX 0 db (0), RX 6 db (0)\n",
         "gsm+ Kanal \xE4 at+vgr=0\rgsm+ Kanal \xE4 at+vgr?;+vgt?\r", ""},
        {"1 --rx 3", 2, "", "", "quellmark-ctl: "},
        {"COM40 --read", 3, "", "", "quellmark-ctl: COM40 (\\\\.\\COM40)" + kUnopened},
    };
    std::string expectedLog;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const CtlResult result = RunCtl(c.args);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_EQ(result.out, c.out);
        // The reason follows the prefix, in the system's words, without their closing period.
        EXPECT_TRUE(c.errStart.empty() ? result.err.empty()
                                       : result.err.starts_with(c.errStart) &&
                                             result.err.size() > c.errStart.size() + 1 &&
                                             !result.err.ends_with(".\n"))
            << result.err;
        expectedLog += c.sent;
        ASSERT_EQ(Log(expectedLog.size()), expectedLog);
    }
    const CtlResult lost = RunCtl("--help", true);
    EXPECT_EQ(lost.status, 1u);
    EXPECT_EQ(lost.err, "quellmark-ctl: die Ausgabe ließ sich nicht schreiben\n");
}

}  // namespace
}  // namespace quellmark
