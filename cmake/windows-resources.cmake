# The resources of quellmark.exe (icon, manifest, version information) for any executable that
# stands for the program.
set(QUELLMARK_VERSION_DEFINITIONS
    QUELLMARK_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    QUELLMARK_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    QUELLMARK_VERSION_PATCH=${PROJECT_VERSION_PATCH})

function(quellmark_add_program_resources target)
    set(resources ${PROJECT_SOURCE_DIR}/app/win32)
    set(script ${resources}/quellmark.rc)
    target_sources(${target} PRIVATE ${script})
    # The resource compiler reports no dependencies: a changed icon or manifest must still rebuild.
    # resource_ids.h is the window's, which loads the icon.
    set_source_files_properties(${script} TARGET_DIRECTORY ${target} PROPERTIES
        COMPILE_DEFINITIONS "${QUELLMARK_VERSION_DEFINITIONS}"
        INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/ui/win32
        OBJECT_DEPENDS "${resources}/quellmark.ico;${resources}/quellmark.manifest")
endfunction()
