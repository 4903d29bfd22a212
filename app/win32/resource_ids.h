#pragma once

// Resource IDs of quellmark.exe, shared by quellmark.rc and the program's code.

// The program icon (16 to 256 px). The window class loads it from the module by this ID:
// LoadIconW(instance, MAKEINTRESOURCEW(IDI_QUELLMARK)).
#define IDI_QUELLMARK 1
