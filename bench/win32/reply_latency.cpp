// The time from the far end's last byte of a reply to the slider showing the value, with the
// real window on the real serial port under Wine; prints the median and the 90th percentile of 50.
// Runs under the far end of the serial tests:
//   quellmark-far-end -- wine reply_latency_benchmark.exe
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "element_table.h"
#include "far_end.h"
#include "form1.h"
#include "message_pump.h"
#include "open_line.h"
#include "port_descriptions.h"

namespace {

using namespace std::chrono;
using quellmark::win32::ControlId;

constexpr int kSamples = 50;

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[std::size_t(fraction * double(values.size() - 1) + 0.5)];
}

}  // namespace

int main() {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    quellmark::test_support::FarEnd farEnd;
    SetEnvironmentVariableW(L"QUELLMARK_COM1", farEnd.OpenTerminal().c_str());
    quellmark::Form1 form(quellmark::NumberedSystemPort(), quellmark::DescribeSystemPorts);
    ShowWindow(form.Handle(), SW_SHOW);
    const auto control = [&](ControlId id) {
        return GetDlgItem(form.Handle(), quellmark::win32::IdOf(id));
    };
    SendMessageW(control(ControlId::Command1), BM_CLICK, 0, 0);
    const HWND slider = control(ControlId::Slider1);

    std::vector<double> samples;
    for (int i = 0; i < kSamples; ++i) {
        // Two TX values in turn, so that each reply moves the slider.
        const std::string value = i % 2 == 0 ? "5" : "10";
        const LRESULT before = SendMessageW(slider, TBM_GETPOS, 0, 0);
        const steady_clock::time_point sent = steady_clock::now();
        farEnd.Send("gsm+ A at+vgr?;+vgt?+VGT: " + value + "\r\n");
        if (!quellmark::test_support::PumpUntil(
                [&] { return SendMessageW(slider, TBM_GETPOS, 0, 0) != before; })) {
            std::fprintf(stderr, "reply %d did not reach the slider\n", i);
            return 1;
        }
        UpdateWindow(slider);
        samples.push_back(duration<double, std::milli>(steady_clock::now() - sent).count());
        quellmark::test_support::PumpUntil([] { return false; }, 50);
    }
    std::printf("reply to slider, ms: median %.1f, 90th percentile %.1f (of %d)\n",
                Percentile(samples, 0.5), Percentile(samples, 0.9), kSamples);
    return 0;
}
