# Windows (MinGW-w64, i686): the real Win32 layers and Korvane.exe.
add_compile_options(-Os -ffunction-sections -fdata-sections)
target_compile_definitions(korvane_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

file(GLOB_RECURSE WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/win32/*.cpp)
add_library(korvane_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(korvane_win32 PUBLIC korvane_core)

add_executable(Korvane WIN32 ${CMAKE_SOURCE_DIR}/src/app/main_win32.cpp
                             ${CMAKE_SOURCE_DIR}/resources/korvane.rc)
set_target_properties(Korvane PROPERTIES OUTPUT_NAME Korvane)
target_link_libraries(Korvane PRIVATE korvane_win32 wininet comctl32 shell32 advapi32)
target_link_options(Korvane PRIVATE -static -static-libgcc -static-libstdc++ -mwindows
                    -Wl,--gc-sections -s)

# Test helpers that run inside the Wine prefix of the end-to-end suite.
include(${CMAKE_SOURCE_DIR}/tests/e2e/windows_helpers.cmake OPTIONAL)
