#include <gtest/gtest.h>
#include <windows.h>

#include <uxtheme.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shown_form.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using testing::Capture;

// Takes the queue's messages for a while, as the window system's own changes need.
void Pump() {
    const DWORD until = GetTickCount() + 150;
    while (GetTickCount() < until) {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

// A state of a push button, brought about as the person or the window system does it.
struct ButtonState {
    const char* name;
    std::function<void(HWND)> enter;
    std::function<void(HWND)> leave;
};

void PointAt(HWND button, int x, int y) {
    POINT point{x, y};
    ClientToScreen(button, &point);
    SetCursorPos(point.x, point.y);
    Pump();
}

const ButtonState kStates[] = {
    {"normal", [](HWND) {}, [](HWND) {}},
    {"hover", [](HWND b) { PointAt(b, 10, 10); }, [](HWND b) { PointAt(b, -300, -10); }},
    {"pressed", [](HWND b) { SendMessageW(b, BM_SETSTATE, TRUE, 0); },
     [](HWND b) { SendMessageW(b, BM_SETSTATE, FALSE, 0); }},
    {"focused", [](HWND b) { SetFocus(b); }, [](HWND) {}},
    {"default", [](HWND b) { SendMessageW(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); },
     [](HWND b) { SendMessageW(b, BM_SETSTYLE, BS_PUSHBUTTON, TRUE); }},
    {"disabled", [](HWND b) { EnableWindow(b, FALSE); }, [](HWND b) { EnableWindow(b, TRUE); }},
};

// How a button looks: the pixels near its edge (frame and face, without the caption), the
// colours of its face and of its caption (the two most frequent inside), and the caption's lines.
struct Look {
    std::vector<COLORREF> rim;
    COLORREF face = 0;
    COLORREF ink = 0;
    int lines = 0;
};

Look LookOf(const Capture& image) {
    constexpr int kRim = 4;
    constexpr int kInside = 5;
    Look look;
    std::map<COLORREF, int> counts;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const auto within = [&](int inset) {
                return x >= inset && x < image.width - inset && y >= inset &&
                       y < image.height - inset;
            };
            if (!within(kRim)) {
                look.rim.push_back(image.At(x, y));
            } else if (within(kInside)) {
                ++counts[image.At(x, y)];
            }
        }
    }
    std::vector<std::pair<int, COLORREF>> byCount;
    for (const auto& [color, count] : counts) {
        byCount.emplace_back(count, color);
    }
    std::ranges::sort(byCount, std::greater());
    look.face = byCount.at(0).second;
    look.ink = byCount.at(1).second;
    bool previousRowInked = false;
    for (int y = kInside; y < image.height - kInside; ++y) {
        bool inked = false;
        for (int x = kInside; x < image.width - kInside; ++x) {
            inked = inked || image.At(x, y) != look.face;
        }
        look.lines += inked && !previousRowInked ? 1 : 0;
        previousRowInked = inked;
    }
    return look;
}

// Turns visual styles off in this process, so that buttons are drawn the classic way, as with high
// contrast. Turning them off also clears the setting of the Wine prefix, which is put back.
class ClassicLook {
public:
    explicit ClassicLook(std::initializer_list<HWND> controls) {
        DWORD bytes = sizeof(active_);
        RegGetValueW(HKEY_CURRENT_USER, kThemeKey, L"ThemeActive", RRF_RT_REG_SZ, nullptr, active_,
                     &bytes);
        EnableTheming(FALSE);
        for (const HWND control : controls) {
            SendMessageW(control, WM_THEMECHANGED, 0, 0);
        }
    }
    ClassicLook(const ClassicLook&) = delete;
    ClassicLook& operator=(const ClassicLook&) = delete;
    ~ClassicLook() {
        EnableTheming(TRUE);
        RegSetKeyValueW(HKEY_CURRENT_USER, kThemeKey, L"ThemeActive", REG_SZ, active_,
                        static_cast<DWORD>((wcslen(active_) + 1) * sizeof(wchar_t)));
    }

private:
    static constexpr wchar_t kThemeKey[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
    wchar_t active_[8] = L"1";
};

int Differing(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int count = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        count += a[i] != b[i] ? 1 : 0;
    }
    return count;
}

struct WrappingButtonTest : ::testing::Test {
    WrappingButtonTest() {
        SendMessageW(form.At(Command1), BM_CLICK, 0, 0);  // connected: every button usable
        SetFocus(form.At(Text1));
    }

    Look In(const ButtonState& state, HWND button) const {
        state.enter(button);
        const Capture image(button);
        state.leave(button);
        SetFocus(form.At(Text1));
        return LookOf(image);
    }

    testing::ShownForm form;
};

// In every state, themed and classic (as in high contrast), the wrapped buttons have the frame,
// face and caption colour of the system's push button beside them and a caption on two lines;
// the states that change the system button's look change theirs. Classic, the caption is in the
// button text colour, and grey while disabled.
TEST_F(WrappingButtonTest, LookLikeTheSystemButtonInEveryState) {
    std::optional<ClassicLook> classic;
    for (const bool themed : {true, false}) {
        if (!themed) {
            classic.emplace({form.At(Command1), form.At(Command2), form.At(Command3)});
            ASSERT_EQ(GetWindowTheme(form.At(Command1)), nullptr);
        }
        const Look systemNormal = In(kStates[0], form.At(Command1));
        for (const auto id : {Command2, Command3}) {
            const Look normal = In(kStates[0], form.At(id));
            for (const ButtonState& state : kStates) {
                SCOPED_TRACE(::testing::Message() << (themed ? "themed " : "classic ")
                                                  << win32::IdOf(id) << " " << state.name);
                const Look wrapped = In(state, form.At(id));
                const Look system = In(state, form.At(Command1));
                ASSERT_EQ(wrapped.rim.size(), system.rim.size());
                EXPECT_EQ(Differing(wrapped.rim, system.rim), 0);
                EXPECT_EQ(wrapped.face, system.face);
                EXPECT_EQ(wrapped.ink, system.ink);
                EXPECT_EQ(wrapped.lines, 2);
                EXPECT_EQ(wrapped.rim == normal.rim && wrapped.ink == normal.ink,
                          system.rim == systemNormal.rim && system.ink == systemNormal.ink);
                if (!themed && state.name == std::string("disabled")) {
                    EXPECT_EQ(wrapped.ink, GetSysColor(COLOR_GRAYTEXT));
                } else if (!themed && state.name != std::string("pressed")) {
                    EXPECT_EQ(wrapped.ink, GetSysColor(COLOR_BTNTEXT));
                }
            }
        }
    }
}

}  // namespace
}  // namespace quellmark
