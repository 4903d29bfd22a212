#pragma once

#include <QRect>

namespace quellmark::test_support {

// The window's elements as laid out at the reference font. Texts: nullptr, none to check.
inline const QSize kTableSize(514, 491);
inline const struct {
    const char *name, *parent;  // parent nullptr: the window
    QRect geometry;
    const char* text;
    bool enabled;
} kElements[] = {
    {"Frame1", nullptr, {8, 8, 129, 105}, "Schnittstelle", true},
    {"Combo1", "Frame1", {8, 16, 113, 21}, nullptr, true},
    {"Label9", "Frame1", {8, 40, 81, 19}, "Kanal Nr.", true},
    {"Text1", "Frame1", {88, 40, 33, 19}, "A", true},
    {"Command1", "Frame1", {8, 64, 113, 33}, "Verbinden", true},
    {"Command2", nullptr, {16, 120, 113, 33}, "Aktuelle Werte auslesen", false},
    {"Command3", nullptr, {16, 160, 113, 33}, "Einstellungen Speichern", false},
    {"Frame2", nullptr, {144, 8, 177, 473}, "TX Gain", false},
    {"Slider1", "Frame2", {8, 16, 41, 449}, nullptr, false},
    {"Label3", "Frame2", {48, 424, 49, 17}, "Gain : ", false},
    {"Label1", "Frame2", {96, 424, 73, 17}, nullptr, false},
    {"Label4", "Frame2", {48, 440, 49, 17}, "Value : ", false},
    {"Label2", "Frame2", {96, 440, 73, 17}, "243", false},
    {"Frame3", nullptr, {328, 8, 177, 473}, "RX Gain", false},
    {"Slider2", "Frame3", {8, 16, 41, 449}, nullptr, false},
    {"Label6", "Frame3", {48, 424, 49, 17}, "Gain : ", false},
    {"Label7", "Frame3", {96, 424, 73, 17}, "0 db", false},
    {"Label5", "Frame3", {48, 440, 49, 17}, "Value : ", false},
    {"Label8", "Frame3", {96, 440, 73, 17}, "48", false},
};

}  // namespace quellmark::test_support
