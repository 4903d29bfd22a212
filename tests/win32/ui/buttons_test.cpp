#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
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

// How a button looks on the screen: the pixels along its edge (frame, face and focus rectangle,
// without the caption), its caption's colour (the second most frequent inside) and lines of text.
struct Look {
    std::vector<COLORREF> rim;
    COLORREF ink = 0;
    int lines = 0;
};

Look LookOf(HWND button) {
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(button, &client);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC screen = GetDC(button);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                                    static_cast<const DWORD*>(bits) + width * height);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(button, screen);
    DeleteObject(bitmap);
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; };

    constexpr int kInside = 5;
    Look look;
    std::map<COLORREF, int> counts;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int edge = std::min({x, y, width - 1 - x, height - 1 - y});
            if (edge < kInside - 1) {
                look.rim.push_back(at(x, y));
            } else if (edge >= kInside) {
                ++counts[at(x, y)];
            }
        }
    }
    std::vector<std::pair<int, COLORREF>> byCount;
    for (const auto& [color, count] : counts) {
        byCount.emplace_back(count, color);
    }
    std::ranges::sort(byCount, std::greater());
    const COLORREF face = byCount.at(0).second;
    look.ink = byCount.at(1).second;
    bool previousInked = false;
    for (int y = kInside; y < height - kInside; ++y) {
        bool inked = false;
        for (int x = kInside; x < width - kInside; ++x) {
            inked = inked || at(x, y) != face;
        }
        look.lines += inked && !previousInked ? 1 : 0;
        previousInked = inked;
    }
    return look;
}

// In every state the wrapped buttons have the frame, face and caption colour of the system's push
// button beside them and a caption on two lines; every state but normal changes the look, and a
// disabled caption is not drawn in the normal colour.
TEST(WrappingButtonTest, LooksLikeTheSystemButtonInEveryState) {
    const testing::ShownForm form;
    form.Press(Command1);  // connected: every button usable
    const auto lookIn = [&form](const auto& state, HWND button) {
        SetFocus(form.At(Text1));
        state.enter(button);
        const Look look = LookOf(button);
        state.leave(button);
        return look;
    };
    const Look systemNormal = lookIn(kStates[0], form.At(Command1));
    for (const auto id : {Command2, Command3}) {
        const Look normal = lookIn(kStates[0], form.At(id));
        for (const auto& state : kStates) {
            SCOPED_TRACE(state.name + " " + std::to_string(win32::IdOf(id)));
            const Look wrapped = lookIn(state, form.At(id));
            const Look system = lookIn(state, form.At(Command1));
            EXPECT_TRUE(wrapped.rim == system.rim);
            EXPECT_EQ(wrapped.ink, system.ink);
            EXPECT_EQ(wrapped.lines, 2);
            const bool changes = state.name != "normal";
            EXPECT_EQ(system.rim != systemNormal.rim || system.ink != systemNormal.ink, changes);
            EXPECT_EQ(wrapped.rim != normal.rim || wrapped.ink != normal.ink, changes);
            if (state.name == "disabled") {
                EXPECT_NE(wrapped.ink, normal.ink);
            }
        }
    }
}

}  // namespace
}  // namespace quellmark
