# libFuzzer targets (clang). The core and the host doubles are instrumented for coverage and the
# sanitizers too, so a fault deep in the program is found and reported where it happens.
set(KORVANE_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                       -fno-omit-frame-pointer)
target_compile_options(korvane_core PRIVATE -fsanitize=fuzzer-no-link ${KORVANE_FUZZ_FLAGS})
target_compile_options(korvane_host PRIVATE -fsanitize=fuzzer-no-link ${KORVANE_FUZZ_FLAGS})

# Seconds each target runs under CTest; the four together take about a minute.
set(KORVANE_FUZZ_SECONDS 15 CACHE STRING "Seconds each fuzz target runs under CTest")

set(KORVANE_FUZZ_TARGETS decode_and_parse settings_round_trip text_to_number config_window)
foreach(target IN LISTS KORVANE_FUZZ_TARGETS)
  add_executable(fuzz_${target} ${CMAKE_CURRENT_LIST_DIR}/${target}_fuzzer.cpp)
  target_include_directories(fuzz_${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(fuzz_${target} PRIVATE -fsanitize=fuzzer ${KORVANE_FUZZ_FLAGS})
  target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer ${KORVANE_FUZZ_FLAGS})
  target_link_libraries(fuzz_${target} PRIVATE korvane_host)

  # The run works on a copy of the seed corpus in the build tree: the repository is never written.
  add_test(NAME fuzz.${target}
           COMMAND ${CMAKE_COMMAND}
                   -DFUZZER=$<TARGET_FILE:fuzz_${target}>
                   -DSEEDS=${CMAKE_CURRENT_LIST_DIR}/corpus/${target}
                   -DWORK=${CMAKE_BINARY_DIR}/fuzz-runs/${target}
                   -DSECONDS=${KORVANE_FUZZ_SECONDS}
                   -P ${CMAKE_CURRENT_LIST_DIR}/run_fuzzer.cmake)
  set_tests_properties(fuzz.${target} PROPERTIES LABELS fuzz
                                                 TIMEOUT 300)
endforeach()
