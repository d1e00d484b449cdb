# Windows (MinGW-w64, i686): the real Win32 layers and Korvane.exe.
# No exception handling in the executable: nothing catches, and an allocation failure ends the
# process as an uncaught exception would; this drops the unwind tables of every function. Nothing
# asks an object's type at run time either (no dynamic_cast, no typeid): no type information.
set(KORVANE_WINDOWS_OPTIONS -Os -ffunction-sections -fdata-sections -fno-exceptions
    -fno-asynchronous-unwind-tables $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
add_compile_options(${KORVANE_WINDOWS_OPTIONS})
# Reproducible executables: no link time in the PE header.
add_link_options(-Wl,--no-insert-timestamp)
target_compile_options(korvane_core PRIVATE ${KORVANE_WINDOWS_OPTIONS})
# UNICODE: a generic name such as MessageBox is the ...W function; an ...A call is written out.
target_compile_definitions(korvane_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                                               UNICODE _UNICODE)

file(GLOB_RECURSE WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/win32/*.cpp)
# Linked into the executable itself so that it replaces the library's helpers whatever the order.
# It keeps the C++ library's exception machinery out (operator new, the string helper GCC 13+
# calls out of line): on PE the linker keeps a library object's every function that has an
# unwind entry, so one throwing function costs some 40-90 KB. A function-local static with a
# run-time initialiser does the same through its guard: keep such objects at namespace scope.
set(NO_EXCEPTIONS_SOURCE ${CMAKE_SOURCE_DIR}/src/platform/win32/no_exceptions.cpp)
list(REMOVE_ITEM WIN32_SOURCES ${NO_EXCEPTIONS_SOURCE})
add_library(korvane_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(korvane_win32 PUBLIC korvane_core)
target_include_directories(korvane_win32 PRIVATE ${CMAKE_SOURCE_DIR}/resources)
enable_testing()

add_executable(Korvane WIN32 ${CMAKE_SOURCE_DIR}/src/app/main_win32.cpp ${NO_EXCEPTIONS_SOURCE}
                             ${CMAKE_SOURCE_DIR}/resources/korvane.rc)
set_target_properties(Korvane PROPERTIES OUTPUT_NAME Korvane)
# windres reports no dependencies: name the files the resource script pulls in.
file(GLOB RESOURCE_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.h
     ${CMAKE_SOURCE_DIR}/resources/*.ico ${CMAKE_SOURCE_DIR}/resources/*.manifest)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/korvane.rc PROPERTIES OBJECT_DEPENDS
                            "${RESOURCE_INPUTS}")
target_link_libraries(Korvane PRIVATE korvane_win32 wininet comctl32 shell32 advapi32)
target_link_options(Korvane PRIVATE -static -static-libgcc -static-libstdc++ -mwindows
                    -Wl,--gc-sections -s)

# Test helpers that run inside the Wine prefix of the end-to-end suite.
include(${CMAKE_SOURCE_DIR}/tests/e2e/windows_helpers.cmake OPTIONAL)
