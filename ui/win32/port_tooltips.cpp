#include "port_tooltips.h"

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "text_conversion.h"

namespace quellmark::win32 {

namespace {

// Without the fields that common controls 6 added, so that version 5 takes it as well.
TOOLINFOW Tool(HWND list, UINT_PTR entry) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = list;
    tool.uId = entry;
    return tool;
}

}  // namespace

void PortTooltips::Attach(HWND combo, HWND owner, PortDescriber describe) {
    combo_ = combo;
    owner_ = owner;
    describe_ = std::move(describe);
}

// Made at the list's first opening: the window's start-up has no use for them.
void PortTooltips::Create() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo_, &info);
    list_ = info.hwndList;
    // Always: the list is a pop-up of its own, which the tooltip would otherwise take as inactive.
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
}

void PortTooltips::OnDropDown() {
    if (tooltip_ == nullptr) {
        Create();
    }
    if (tooltip_ == nullptr || list_ == nullptr || !describe_) {
        return;
    }
    RemoveTools();
    std::vector<std::wstring> texts;
    for (const std::string& text : describe_()) {
        texts.push_back(ToWide(text));
    }
    const auto entries = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    for (LRESULT entry = 0; entry < entries && std::cmp_less(entry, texts.size()); ++entry) {
        TOOLINFOW tool = Tool(list_, static_cast<UINT_PTR>(entry));
        // The list does not scroll: it has room for every port.
        tool.uFlags = TTF_SUBCLASS;
        SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(entry),
                     reinterpret_cast<LPARAM>(&tool.rect));
        tool.lpszText = texts[static_cast<std::size_t>(entry)].data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void PortTooltips::RemoveTools() {
    const auto tools = SendMessageW(tooltip_, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT entry = 0; entry < tools; ++entry) {
        TOOLINFOW tool = Tool(list_, static_cast<UINT_PTR>(entry));
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace quellmark::win32
