#include "element_table.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace quellmark::win32 {

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;
constexpr DWORD kLabel = kChild | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kWrappingButton = kButton | BS_MULTILINE;
constexpr DWORD kSlider = kChild | WS_TABSTOP | TBS_VERT | TBS_BOTH | TBS_NOTICKS;

using enum ControlId;

// Ordered for Tab: Combo1, Command1, Slider1, Slider2, Text1, Command2, Command3. Each label
// stands right before the field it names.
const std::array kElements = {
    ElementSpec{Frame1, None, L"BUTTON", kGroupBox, 0, {8, 8, 129, 105}, L"Schnittstelle"},
    ElementSpec{Combo1,
                Frame1,
                WC_COMBOBOXW,
                kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                0,
                {8, 16, 113, 21},
                L""},
    ElementSpec{Command1, Frame1, L"BUTTON", kButton, 0, {8, 64, 113, 33}, L""},
    ElementSpec{Frame2, None, L"BUTTON", kGroupBox, 0, {144, 8, 177, 473}, L"TX Gain"},
    ElementSpec{Slider1, Frame2, TRACKBAR_CLASSW, kSlider, 0, {8, 16, 41, 449}, L""},
    ElementSpec{Label3, Frame2, L"STATIC", kLabel, 0, {48, 424, 49, 17}, L"Gain : "},
    ElementSpec{Label1, Frame2, L"STATIC", kLabel, 0, {96, 424, 73, 17}, L""},
    ElementSpec{Label4, Frame2, L"STATIC", kLabel, 0, {48, 440, 49, 17}, L"Value : "},
    ElementSpec{Label2, Frame2, L"STATIC", kLabel, 0, {96, 440, 73, 17}, L""},
    ElementSpec{Frame3, None, L"BUTTON", kGroupBox, 0, {328, 8, 177, 473}, L"RX Gain"},
    ElementSpec{Slider2, Frame3, TRACKBAR_CLASSW, kSlider, 0, {8, 16, 41, 449}, L""},
    ElementSpec{Label6, Frame3, L"STATIC", kLabel, 0, {48, 424, 49, 17}, L"Gain : "},
    ElementSpec{Label7, Frame3, L"STATIC", kLabel, 0, {96, 424, 73, 17}, L""},
    ElementSpec{Label5, Frame3, L"STATIC", kLabel, 0, {48, 440, 49, 17}, L"Value : "},
    ElementSpec{Label8, Frame3, L"STATIC", kLabel, 0, {96, 440, 73, 17}, L""},
    ElementSpec{Label9, Frame1, L"STATIC", kLabel, 0, {8, 40, 81, 19}, L"Kanal Nr."},
    ElementSpec{Text1,
                Frame1,
                L"EDIT",
                kChild | WS_TABSTOP | ES_AUTOHSCROLL,
                WS_EX_CLIENTEDGE,
                {88, 40, 33, 19},
                L"A"},
    ElementSpec{Command2,
                None,
                L"BUTTON",
                kWrappingButton,
                0,
                {16, 120, 113, 33},
                L"Aktuelle Werte auslesen"},
    ElementSpec{Command3,
                None,
                L"BUTTON",
                kWrappingButton,
                0,
                {16, 160, 113, 33},
                L"Einstellungen Speichern"},
};

const ElementSpec& SpecOf(ControlId id) {
    const auto* spec = std::ranges::find(kElements, id, &ElementSpec::id);
    if (spec == kElements.end()) {
        throw std::out_of_range("no such element");
    }
    return *spec;
}

}  // namespace

std::span<const ElementSpec> Elements() {
    return kElements;
}

Geometry ClientGeometry(const ElementSpec& spec) {
    Geometry geometry = spec.geometry;
    if (spec.frame != None) {
        const Geometry& frame = SpecOf(spec.frame).geometry;
        geometry.x += frame.x;
        geometry.y += frame.y;
    }
    return geometry;
}

ControlId ControlFor(Element element) {
    switch (element) {
        case Element::Text1:
            return Text1;
        case Element::Command1:
            return Command1;
        case Element::Command2:
            return Command2;
        case Element::Command3:
            return Command3;
        case Element::Frame2:
            return Frame2;
        case Element::Frame3:
            return Frame3;
        case Element::Label1:
            return Label1;
        case Element::Label2:
            return Label2;
        case Element::Label7:
            return Label7;
        case Element::Label8:
            return Label8;
    }
    throw std::out_of_range("no such element");
}

}  // namespace quellmark::win32
