# Hardening for the Linux build, the same protections Debian builds its own packages with:
# position-independent executables, stack protector, fortified libc calls, and a global offset
# table that is read-only after start-up. Included before any target, so that the shared core
# is built with the same flags as the programs.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()

add_compile_options(-fstack-protector-strong)
# Fortified calls need optimisation; without it glibc warns and leaves them out.
add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
add_link_options(LINKER:-z,relro LINKER:-z,now)
