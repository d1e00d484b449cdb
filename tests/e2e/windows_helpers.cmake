# End-to-end suite: the test doubles that run inside the Wine prefix, and one
# CTest test per scenario (label e2e).  Included by cmake/windows.cmake.
enable_testing()
set(E2E_DIR ${CMAKE_SOURCE_DIR}/tests/e2e)

# i686 exports carry stdcall decorations that --kill-at strips; x86-64 has none.
foreach(variant dwmapi dwmapi_no131)
  set(def ${E2E_DIR}/dwmapi_double/${variant}.def)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    file(READ ${def} def_text)
    string(REGEX REPLACE "([A-Za-z0-9_])@[0-9]+" "\\1" def_text "${def_text}")
    set(def ${CMAKE_CURRENT_BINARY_DIR}/e2e/${variant}.def)
    file(WRITE ${def} "${def_text}")
  endif()
  add_library(e2e_${variant} SHARED ${E2E_DIR}/dwmapi_double/dwmapi_double.c ${def})
  set_target_properties(e2e_${variant} PROPERTIES PREFIX "" OUTPUT_NAME ${variant}
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e/${variant})
  target_link_options(e2e_${variant} PRIVATE -Wl,--kill-at -static-libgcc)
endforeach()
target_compile_definitions(e2e_dwmapi PRIVATE WITH_ORDINAL_131)
include(${E2E_DIR}/dwmapi_double/demo.cmake)

add_executable(e2e_ui_helper ${E2E_DIR}/ui_helper/main.c ${E2E_DIR}/ui_helper/output.c
                             ${E2E_DIR}/ui_helper/windows.c ${E2E_DIR}/ui_helper/measure.c)
set_target_properties(e2e_ui_helper PROPERTIES OUTPUT_NAME ui_helper
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e)
target_link_libraries(e2e_ui_helper PRIVATE shell32 gdi32)
target_link_options(e2e_ui_helper PRIVATE -static-libgcc)

# SCENARIO@VARIANT runs a scenario again in another setting (see VARIANTS in lib/runner.py).
set(E2E_SCENARIOS first_use first_use@cp1252 config_errors configured_start refusal refusal_server
                  no131 planted_dll server_failures server_hang tray_menu menu_during_transition
                  autostart autostart@unicode-folder second_instance display_scale everyday
                  live_readings never_frozen)
foreach(scenario ${E2E_SCENARIOS})
  # An explicit bash: the test is a Linux script, not a program for the emulator.
  add_test(NAME e2e.${scenario}
           COMMAND /bin/bash ${E2E_DIR}/run_scenario.sh ${scenario} $<TARGET_FILE:Korvane>
                   $<TARGET_FILE:e2e_dwmapi> $<TARGET_FILE:e2e_dwmapi_no131> $<TARGET_FILE:e2e_ui_helper>)
  set_tests_properties(e2e.${scenario} PROPERTIES LABELS e2e TIMEOUT 600 RUN_SERIAL TRUE
                       CROSSCOMPILING_EMULATOR "")
endforeach()

# The window system's icons at the display's DPI, read inside its own process (display_scale).
add_executable(e2e_icon_probe ${E2E_DIR}/icon_probe/icon_probe.cpp ${CMAKE_SOURCE_DIR}/resources/korvane.rc)
set_target_properties(e2e_icon_probe PROPERTIES OUTPUT_NAME icon_probe
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e)
target_link_libraries(e2e_icon_probe PRIVATE korvane_win32 comctl32 gdi32)
target_link_options(e2e_icon_probe PRIVATE -static -static-libgcc -static-libstdc++)
