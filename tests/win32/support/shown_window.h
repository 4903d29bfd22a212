#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "element_table.h"
#include "form1.h"
#include "message_pump.h"
#include "text_conversion.h"

namespace quellmark::test_support {

// The program's window on `port`, shown, read and worked as a person would.
struct ShownWindow {
    ShownWindow(std::unique_ptr<SerialPort> port, PortDescriber describePorts)
        : form(std::move(port), std::move(describePorts)) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }

    HWND At(win32::ControlId id) const { return GetDlgItem(window, win32::IdOf(id)); }
    std::string Text(win32::ControlId id) const { return win32::ToUtf8(win32::WindowText(At(id))); }
    int Position(win32::ControlId slider) const {
        return int(SendMessageW(At(slider), TBM_GETPOS, 0, 0));
    }
    void Press(win32::ControlId button) const { SendMessageW(At(button), BM_CLICK, 0, 0); }
    // Reads `channel` with "Aktuelle Werte auslesen": whether the sliders reach `tx` and `rx`.
    ::testing::AssertionResult ReadValues(const wchar_t* channel, int tx, int rx) const {
        using enum win32::ControlId;
        SetWindowTextW(At(Text1), channel);
        const auto arrived = [&] { return Position(Slider1) == tx && Position(Slider2) == rx; };
        if (arrived()) {
            return ::testing::AssertionFailure() << "the sliders are there already";
        }
        Press(Command2);
        if (PumpUntil(arrived)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "reading " << win32::ToUtf8(channel) << " left "
                                             << Position(Slider1) << ", " << Position(Slider2);
    }
    // A key pressed and released on `control`, which tells the window as it does for input.
    void PressKey(win32::ControlId control, WORD key) const {
        SendMessageW(At(control), WM_KEYDOWN, key, 1);
        SendMessageW(At(control), WM_KEYUP, key, 0xC0000001);
    }

    Form1 form;
    HWND window = form.Handle();
};

// A message box as the person saw it: its title and visible parts, sorted, with the error icon as
// "error icon"; its message; when it came, and whether the window that owns it was still there.
struct SeenBox {
    std::vector<std::wstring> parts;
    std::string text;
    std::chrono::steady_clock::time_point shown;
    bool ownerThere = false;
};
inline std::vector<SeenBox> seenBoxes;

// While it lives, every message box on this thread is recorded in seenBoxes and answered with OK,
// so that a test goes on and can say what came up.
struct BoxWatch {
    BoxWatch() { seenBoxes.clear(); }
    ~BoxWatch() { KillTimer(nullptr, timer); }
    static void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) {
        const HWND box = FindWindowW(L"#32770", nullptr);
        if (box == nullptr) {
            return;
        }
        SeenBox seen{{win32::WindowText(box)},
                     win32::ToUtf8(win32::WindowText(GetDlgItem(box, 0xFFFF))),
                     std::chrono::steady_clock::now(),
                     IsWindow(GetWindow(box, GW_OWNER)) != 0};
        const auto errorIcon = reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_ERROR));
        for (HWND part = GetWindow(box, GW_CHILD); part; part = GetWindow(part, GW_HWNDNEXT)) {
            if (IsWindowVisible(part)) {
                seen.parts.push_back(SendMessageW(part, STM_GETICON, 0, 0) == errorIcon
                                         ? L"error icon"
                                         : win32::WindowText(part));
            }
        }
        std::ranges::sort(seen.parts);
        seenBoxes.push_back(std::move(seen));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    const UINT_PTR timer = SetTimer(nullptr, 0, 20, Answer);
};

}  // namespace quellmark::test_support
