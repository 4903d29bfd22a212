#include "element_table.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace quellmark::win32 {

namespace {

constexpr const wchar_t* kButtonClass = L"BUTTON";
constexpr const wchar_t* kStaticClass = L"STATIC";
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;
constexpr DWORD kLabel = kChild | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
// A push button whose caption the window draws, wrapped.
constexpr DWORD kWrappingButton = kButton;
constexpr DWORD kDropDownList = kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kTextField = kChild | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kSlider = kChild | WS_TABSTOP | TBS_VERT | TBS_BOTH | TBS_NOTICKS;

using enum ControlId;

// Ordered for Tab: Combo1, Command1, Slider1, Slider2, Text1, Command2, Command3. Each label
// stands right before the field it names.
const ElementLayout kElements[] = {
    {Frame1, None, kButtonClass, kGroupBox, {8, 8, 129, 105}, L"Schnittstelle"},
    {Combo1, Frame1, WC_COMBOBOXW, kDropDownList, {8, 16, 113, 21}, L""},
    {Command1, Frame1, kButtonClass, kButton, {8, 64, 113, 33}, L""},
    {Frame2, None, kButtonClass, kGroupBox, {144, 8, 177, 473}, L"TX Gain"},
    {Slider1, Frame2, TRACKBAR_CLASSW, kSlider, {8, 16, 41, 449}, L""},
    {Label3, Frame2, kStaticClass, kLabel, {48, 424, 49, 17}, L"Gain : "},
    {Label1, Frame2, kStaticClass, kLabel, {96, 424, 73, 17}, L""},
    {Label4, Frame2, kStaticClass, kLabel, {48, 440, 49, 17}, L"Value : "},
    {Label2, Frame2, kStaticClass, kLabel, {96, 440, 73, 17}, L""},
    {Frame3, None, kButtonClass, kGroupBox, {328, 8, 177, 473}, L"RX Gain"},
    {Slider2, Frame3, TRACKBAR_CLASSW, kSlider, {8, 16, 41, 449}, L""},
    {Label6, Frame3, kStaticClass, kLabel, {48, 424, 49, 17}, L"Gain : "},
    {Label7, Frame3, kStaticClass, kLabel, {96, 424, 73, 17}, L""},
    {Label5, Frame3, kStaticClass, kLabel, {48, 440, 49, 17}, L"Value : "},
    {Label8, Frame3, kStaticClass, kLabel, {96, 440, 73, 17}, L""},
    {Label9, Frame1, kStaticClass, kLabel, {8, 40, 81, 19}, L"Kanal Nr."},
    {Text1, Frame1, L"EDIT", kTextField, {88, 40, 33, 19}, L"A", WS_EX_CLIENTEDGE},
    {Command2, None, kButtonClass, kWrappingButton, {16, 120, 113, 33}, L"Aktuelle Werte auslesen"},
    {Command3, None, kButtonClass, kWrappingButton, {16, 160, 113, 33}, L"Einstellungen Speichern"},
};

}  // namespace

std::span<const ElementLayout> Elements() {
    return kElements;
}

const ElementLayout& ElementOf(ControlId id) {
    const auto* element = std::ranges::find(kElements, id, &ElementLayout::id);
    if (element == std::end(kElements)) {
        throw std::out_of_range("no such element");
    }
    return *element;
}

Geometry ClientGeometry(const ElementLayout& element) {
    Geometry geometry = element.geometry;
    if (element.frame != None) {
        const Geometry& frame = ElementOf(element.frame).geometry;
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
