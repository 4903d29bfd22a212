# The documents a Debian package carries besides the programs: manual pages, changelog and
# copyright file, made from the sources here and the licence at the top of the tree.

find_program(GZIP_PROGRAM gzip REQUIRED)

# Compresses `source` into the build tree and returns the .gz path in `output_var`. Debian wants
# the highest level, and -n leaves the name and time stamp out of the header, so that the same
# sources always give the same bytes.
function(quellmark_gzip source output_var)
    get_filename_component(name ${source} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_custom_command(OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${source} ${copy}
        COMMAND ${GZIP_PROGRAM} -9nf ${copy}
        DEPENDS ${source}
        VERBATIM)
    set(${output_var} ${copy}.gz PARENT_SCOPE)
endfunction()

# The package version is the project's, so a release without its own changelog entry would
# describe an older one.
function(quellmark_check_changelog changelog)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
    file(STRINGS ${changelog} first_line LIMIT_COUNT 1)
    if(NOT first_line MATCHES "^quellmark \\(${PROJECT_VERSION}\\) ")
        message(FATAL_ERROR "${changelog} starts with \"${first_line}\", "
                            "not with an entry for version ${PROJECT_VERSION}")
    endif()
endfunction()

# Writes the copyright file in Debian's machine-readable format from the MIT licence: its
# copyright line and its permission text, indented as a field's continuation lines.
function(quellmark_write_copyright licence_file output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${licence_file})
    file(READ ${licence_file} licence)
    string(FIND "${licence}" "Permission is hereby granted" text_start)
    if(NOT licence MATCHES "Copyright \\(c\\) ([^\n]+)" OR text_start EQUAL -1)
        message(FATAL_ERROR "${licence_file} is not the MIT licence with a copyright line")
    endif()
    set(QUELLMARK_COPYRIGHT ${CMAKE_MATCH_1})
    string(SUBSTRING "${licence}" ${text_start} -1 text)
    string(STRIP "${text}" text)
    string(REPLACE "\n\n" "\n.\n" text "${text}")
    string(REPLACE "\n" "\n " text "${text}")
    set(QUELLMARK_LICENSE_TEXT " ${text}")
    configure_file(copyright.in ${output} @ONLY)
endfunction()

quellmark_check_changelog(${CMAKE_CURRENT_SOURCE_DIR}/changelog)
quellmark_write_copyright(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_CURRENT_BINARY_DIR}/copyright)
quellmark_gzip(changelog changelog_gz)
quellmark_gzip(quellmark.1 program_manual_gz)
quellmark_gzip(quellmark-modem-sim.1 simulator_manual_gz)
quellmark_gzip(quellmark-ctl.1 ctl_manual_gz)
add_custom_target(quellmark_package_docs ALL
    DEPENDS ${changelog_gz} ${program_manual_gz} ${simulator_manual_gz} ${ctl_manual_gz})

install(FILES ${program_manual_gz} ${simulator_manual_gz} ${ctl_manual_gz}
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${changelog_gz} ${CMAKE_CURRENT_BINARY_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quellmark)
