#pragma once

namespace quellmark::testing {

// The window as a person meets it at start-up, at the reference size (96 dpi, the usual 9 pt
// font) and under a German locale. Written out on its own rather than taken from the program's
// element table, so that a slip there shows in every front end's window tests.
struct ExpectedElement {
    const char* name;
    const char* parent;  // nullptr: the window
    int x, y, width, height;
    const char* text;
    bool enabled;
    int tabPosition;      // Tab visits 1, 2, ... in turn, once everything is enabled; 0: never
    const char* namedBy;  // whose caption screen readers give as this element's name
};

inline constexpr int kExpectedWidth = 514;
inline constexpr int kExpectedHeight = 491;

inline constexpr ExpectedElement kExpectedElements[] = {
    {"Frame1", nullptr, 8, 8, 129, 105, "Schnittstelle", true, 0, nullptr},
    {"Combo1", "Frame1", 8, 16, 113, 21, "COM 1", true, 1, nullptr},
    {"Label9", "Frame1", 8, 40, 81, 19, "Kanal Nr.", true, 0, nullptr},
    {"Text1", "Frame1", 88, 40, 33, 19, "A", true, 5, "Label9"},
    {"Command1", "Frame1", 8, 64, 113, 33, "Verbinden", true, 2, nullptr},
    {"Command2", nullptr, 16, 120, 113, 33, "Aktuelle Werte auslesen", false, 6, nullptr},
    {"Command3", nullptr, 16, 160, 113, 33, "Einstellungen Speichern", false, 7, nullptr},
    {"Frame2", nullptr, 144, 8, 177, 473, "TX Gain", false, 0, nullptr},
    {"Slider1", "Frame2", 8, 16, 41, 449, "", false, 3, "Frame2"},
    {"Label3", "Frame2", 48, 424, 49, 17, "Gain : ", false, 0, nullptr},
    {"Label1", "Frame2", 96, 424, 73, 17, "-6,5 db", false, 0, nullptr},
    {"Label4", "Frame2", 48, 440, 49, 17, "Value : ", false, 0, nullptr},
    {"Label2", "Frame2", 96, 440, 73, 17, "243", false, 0, nullptr},
    {"Frame3", nullptr, 328, 8, 177, 473, "RX Gain", false, 0, nullptr},
    {"Slider2", "Frame3", 8, 16, 41, 449, "", false, 4, "Frame3"},
    {"Label6", "Frame3", 48, 424, 49, 17, "Gain : ", false, 0, nullptr},
    {"Label7", "Frame3", 96, 424, 73, 17, "0 db", false, 0, nullptr},
    {"Label5", "Frame3", 48, 440, 49, 17, "Value : ", false, 0, nullptr},
    {"Label8", "Frame3", 96, 440, 73, 17, "48", false, 0, nullptr},
};

}  // namespace quellmark::testing
