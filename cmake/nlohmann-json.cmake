# nlohmann/json, header-only, from Debian's nlohmann-json3-dev on both systems. The cross compiler
# gets a folder that holds only those headers, so that no other header of the Linux system can
# reach a Windows build.
if(WIN32)
    set(nlohmann_json_dir ${CMAKE_BINARY_DIR}/nlohmann-json)
    file(MAKE_DIRECTORY ${nlohmann_json_dir})
    file(CREATE_LINK /usr/include/nlohmann ${nlohmann_json_dir}/nlohmann SYMBOLIC)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${nlohmann_json_dir})
else()
    find_package(nlohmann_json 3.11 REQUIRED)
endif()
