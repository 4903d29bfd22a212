#!/bin/sh
# Fails when a program imports a function that Windows 7 SP1 lacks: Windows would refuse to start
# it. Those functions are the ones the MinGW-w64 headers declare for Windows 10 but not for
# Windows 7, plus the few the headers declare for every version although later ones brought them.
# Usage: check_windows7_imports.sh PROGRAM.exe COMPILER OBJDUMP
set -eu
program=$1 compiler=$2 objdump=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for header in winsock2.h ws2tcpip.h mstcpip.h windows.h commctrl.h uxtheme.h shellscalingapi.h setupapi.h \
    dbt.h; do
    echo "#include <$header>"
done >"$work/api.c"
declared_for() {
    "$compiler" -x c -fsyntax-only "-D_WIN32_WINNT=$1" "-DWINVER=$1" -aux-info "$work/$1" \
        "$work/api.c"
    sed -n 's/^\/\* [^ ]* \*\/ \(extern \)\{0,1\}[^(]*[ *]\([A-Za-z_][A-Za-z0-9_]*\) (.*/\2/p' \
        "$work/$1" | sort -u
}
declared_for 0x0601 >"$work/windows7"
declared_for 0x0A00 >"$work/windows10"
{
    comm -13 "$work/windows7" "$work/windows10"
    echo GetSystemTimePreciseAsFileTime # Windows 8, declared unconditionally
} | sort -u >"$work/missing"

# The list is only as good as the headers: it must at least know the per-dpi functions.
for function in GetDpiForWindow GetDpiForSystem GetDpiForMonitor AdjustWindowRectExForDpi \
    GetSystemMetricsForDpi SystemParametersInfoForDpi EnableNonClientDpiScaling; do
    grep -qx "$function" "$work/missing" || { echo "not known as missing: $function"; exit 1; }
done

"$objdump" -p "$program" |
    awk '/DLL Name:/ { dll = $3; next } dll && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print $3 }' |
    sort -u >"$work/imports"
[ -s "$work/imports" ] || { echo "no imports read from $program"; exit 1; }
if comm -12 "$work/imports" "$work/missing" | grep .; then
    echo "imported above, but missing on Windows 7 SP1"
    exit 1
fi
echo "$(wc -l <"$work/imports") imports, none of the $(wc -l <"$work/missing") missing on Windows 7"
