# Shared compile settings of every Korvanel target.
add_library(korvanel_flags INTERFACE)
target_compile_options(korvanel_flags INTERFACE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual)
target_compile_definitions(korvanel_flags INTERFACE
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    KORVANEL_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    KORVANEL_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    KORVANEL_VERSION_PATCH=${PROJECT_VERSION_PATCH})
if(KORVANEL_WERROR)
    target_compile_options(korvanel_flags INTERFACE -Werror)
endif()
if(KORVANEL_SANITIZE)
    target_compile_options(korvanel_flags INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(korvanel_flags INTERFACE -fsanitize=address,undefined)
endif()

# korvanel_add_library(<name> <folder-relative sources...> LIBS <deps...>)
# Sources are the .cpp and .h files of the folder; a library may link only the layers above it.
function(korvanel_add_library name)
    cmake_parse_arguments(ARG "" "" "LIBS;PCH" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE korvanel_flags)
    if(ARG_PCH)
        target_precompile_headers(${name} PRIVATE ${ARG_PCH})
    endif()
endfunction()

# korvanel_add_test(<name> LIBS <libs...>): one GoogleTest executable of the .cpp files of the folder.
function(korvanel_add_test name)
    cmake_parse_arguments(ARG "" "" "LIBS;PCH" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} korvanel_testsupport korvanel_flags)
    if(ARG_PCH)
        target_precompile_headers(${name} PRIVATE ${ARG_PCH})
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C;LC_ALL=C;KORVANEL_TESTDATA=${PROJECT_SOURCE_DIR}/tests/data"
        TIMEOUT 600)
endfunction()
