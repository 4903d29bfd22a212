#include <gtest/gtest.h>
#include <windows.h>

#include <uxtheme.h>

#include <functional>
#include <string>
#include <vector>

#include "message_pump.h"
#include "shown_form.h"

namespace quellmark {
namespace {

using enum win32::ControlId;

// Moves the mouse onto the button, or off it, and waits until the button has seen it.
void PointAt(HWND button, bool onto) {
    POINT point{onto ? 10 : -300, 10};
    ClientToScreen(button, &point);
    SetCursorPos(point.x, point.y);
    test_support::PumpUntil(
        [&] { return ((SendMessageW(button, BM_GETSTATE, 0, 0) & BST_HOT) != 0) == onto; }, 5000);
}

// A state of a push button, brought about as the person or the window system does it.
const struct {
    std::string name;
    std::function<void(HWND)> enter;
    std::function<void(HWND)> leave;
} kStates[] = {
    {"normal", [](HWND) {}, [](HWND) {}},
    {"hover", [](HWND b) { PointAt(b, true); }, [](HWND b) { PointAt(b, false); }},
    {"pressed", [](HWND b) { SendMessageW(b, BM_SETSTATE, TRUE, 0); },
     [](HWND b) { SendMessageW(b, BM_SETSTATE, FALSE, 0); }},
    {"focused", [](HWND b) { SetFocus(b); }, [](HWND) {}},
    {"default", [](HWND b) { SendMessageW(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); },
     [](HWND b) { SendMessageW(b, BM_SETSTYLE, BS_PUSHBUTTON, TRUE); }},
    {"disabled", [](HWND b) { EnableWindow(b, FALSE); }, [](HWND b) { EnableWindow(b, TRUE); }},
};

// What `button` shows on the screen now, pixel by pixel.
std::vector<COLORREF> Pixels(HWND button) {
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(button, &client);
    const HDC screen = GetDC(button);
    std::vector<COLORREF> pixels;
    for (LONG at = 0; at < client.right * client.bottom; ++at) {
        pixels.push_back(GetPixel(screen, at % client.right, at / client.right));
    }
    ReleaseDC(button, screen);
    return pixels;
}

// Themed, Command3 looks exactly as the system's push button beside it does in every state, with
// the same caption wrapped by the system onto two lines (Wine's multi-line button breaks a caption
// at every space, so only Command3's two words come out alike; Command2 shares the drawing).
// Themed and in the classic look, every state changes the look, but for hover where the classic
// look has none: a disabled caption is not drawn as a usable one.
TEST(WrappingButtonTest, LooksLikeTheSystemButtonInEveryState) {
    const testing::ShownForm form;
    form.Press(Command1);  // connected: every button usable
    const HWND wrapped = form.At(Command3);
    const HWND system = form.At(Command1);
    SetWindowLongW(system, GWL_STYLE, GetWindowLongW(system, GWL_STYLE) | BS_MULTILINE);
    SetWindowTextW(system, win32::WindowText(wrapped).c_str());
    const auto lookIn = [&form](const auto& state, HWND button) {
        SetFocus(form.At(Text1));
        state.enter(button);
        const std::vector<COLORREF> look = Pixels(button);
        state.leave(button);
        return look;
    };
    for (const bool themed : {true, false}) {
        if (!themed) {
            SetWindowTheme(wrapped, L" ", L" ");
        }
        const std::vector<COLORREF> normal = lookIn(kStates[0], wrapped);
        for (const auto& state : kStates) {
            SCOPED_TRACE(state.name + (themed ? " themed" : " classic"));
            const std::vector<COLORREF> look = lookIn(state, wrapped);
            if (themed) {
                EXPECT_TRUE(look == lookIn(state, system));
            }
            EXPECT_EQ(look != normal, state.name != "normal" && (themed || state.name != "hover"));
        }
    }
}

}  // namespace
}  // namespace quellmark
