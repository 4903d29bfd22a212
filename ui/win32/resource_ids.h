#pragma once

// Resource IDs of quellmark.exe, shared by app/win32/quellmark.rc and the window.

// The program icon (16 to 256 px). The window loads it at the sizes for its dpi; a module without
// it keeps the default icon.
#define IDI_QUELLMARK 1
