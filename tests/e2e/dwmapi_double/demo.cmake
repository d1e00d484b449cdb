# The demo's dwmapi double: the recording double that also shows each record
# through the title-bar colours (scripts/run-demo).  The end-to-end scenarios
# keep the pure doubles, which a test checks by their imports.
set(DEMO_DEF ${E2E_DIR}/dwmapi_double/dwmapi.def)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DEMO_DEF})
  file(READ ${DEMO_DEF} def_text)
  string(REGEX REPLACE "([A-Za-z0-9_])@[0-9]+" "\\1" def_text "${def_text}")
  set(DEMO_DEF ${CMAKE_CURRENT_BINARY_DIR}/e2e/dwmapi_demo.def)
  file(WRITE ${DEMO_DEF} "${def_text}")
endif()
add_library(e2e_dwmapi_demo SHARED ${E2E_DIR}/dwmapi_double/dwmapi_double.c
                                   ${E2E_DIR}/dwmapi_double/show_on_screen.c ${DEMO_DEF})
set_target_properties(e2e_dwmapi_demo PROPERTIES PREFIX "" OUTPUT_NAME dwmapi
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e/dwmapi_demo
                      ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e/dwmapi_demo)
target_compile_definitions(e2e_dwmapi_demo PRIVATE WITH_ORDINAL_131 SHOW_ON_SCREEN)
target_link_options(e2e_dwmapi_demo PRIVATE -Wl,--kill-at -static-libgcc)
target_link_libraries(e2e_dwmapi_demo PRIVATE user32)

add_test(NAME e2e.doubles_change_nothing_on_screen
         COMMAND /bin/bash ${E2E_DIR}/dwmapi_double/check_screen_imports.sh ${CMAKE_OBJDUMP}
                 $<TARGET_FILE:e2e_dwmapi_demo> $<TARGET_FILE:e2e_dwmapi> $<TARGET_FILE:e2e_dwmapi_no131>)
set_tests_properties(e2e.doubles_change_nothing_on_screen PROPERTIES LABELS e2e
                     CROSSCOMPILING_EMULATOR "")
