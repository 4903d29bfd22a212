# Installs the build into a scratch folder and checks what the package would carry: the programs
# hardened and free of a run path, the manual pages and the changelog compressed reproducibly.
#   cmake -DBUILD_DIR=<build> -DSCRATCH=<folder> -P install_test.cmake

file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${SCRATCH}/usr
                OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(failures "")

function(read_elf path option output_var)
    execute_process(COMMAND readelf ${option} -W ${path} OUTPUT_VARIABLE output
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "readelf ${option} ${path} failed")
    endif()
    set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

foreach(program quellmark quellmark-ctl quellmark-modem-sim)
    set(path ${SCRATCH}/usr/bin/${program})
    read_elf(${path} --dynamic dynamic)
    read_elf(${path} --segments segments)
    read_elf(${path} --dyn-syms symbols)
    # A run path would let a library next to the program, or in ../lib, replace the system's.
    if(dynamic MATCHES "\\((RPATH|RUNPATH)\\)")
        list(APPEND failures "${program}: has a run path")
    endif()
    if(NOT dynamic MATCHES "Flags:[^\n]* PIE")
        list(APPEND failures "${program}: not position-independent")
    endif()
    # Read-only relocations protect the offset table only when it is bound at start-up.
    if(NOT segments MATCHES "GNU_RELRO" OR NOT dynamic MATCHES "Flags:[^\n]* NOW")
        list(APPEND failures "${program}: relocations not read-only after start-up")
    endif()
    if(NOT symbols MATCHES "__stack_chk_fail")
        list(APPEND failures "${program}: no stack protector")
    endif()
endforeach()

foreach(document share/man/man1/quellmark.1.gz share/man/man1/quellmark-modem-sim.1.gz
        share/man/man1/quellmark-ctl.1.gz share/doc/quellmark/changelog.gz)
    set(path ${SCRATCH}/usr/${document})
    if(NOT EXISTS ${path})
        list(APPEND failures "${document}: missing")
        continue()
    endif()
    # gzip header bytes 3 to 8: flags (00: no file name), modification time (none), extra flags
    # (02: best compression). A name or time in the header would make each build's bytes differ.
    file(READ ${path} header LIMIT 10 HEX)
    string(SUBSTRING "${header}" 6 12 fields)
    if(NOT fields STREQUAL "000000000002")
        list(APPEND failures "${document}: header ${header}, not -9n")
    endif()
endforeach()

if(NOT EXISTS ${SCRATCH}/usr/share/doc/quellmark/copyright)
    list(APPEND failures "copyright file missing")
endif()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Installed files:\n  ${text}")
endif()
