# Linux: the host doubles, the unit tests and (with clang) the fuzzers.
file(GLOB_RECURSE HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/host/*.cpp)
add_library(korvane_host STATIC ${HOST_SOURCES})
target_link_libraries(korvane_host PUBLIC korvane_core)

enable_testing()
if(KORVANE_FUZZ)
  include(${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz.cmake OPTIONAL)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  file(GLOB_RECURSE UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
  add_executable(korvane_tests ${UNIT_TESTS})
  target_include_directories(korvane_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(korvane_tests PRIVATE korvane_host GTest::gtest GTest::gtest_main)
  gtest_discover_tests(korvane_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)
endif()

# The heap soak (tests/reliability/heap_soak.cpp): 100,000 refreshes with every allocation
# counted. It counts allocations itself, so not under the sanitizers; label `soak`, outside the
# default test run: ctest --test-dir build/host -L soak
if(NOT KORVANE_SANITIZE AND NOT KORVANE_FUZZ)
  # Answered by a cycle of the long run's plan of 500 attempts.
  # Makefiles, unlike Ninja, do not make an output's folder.
  set(soak_plan ${CMAKE_BINARY_DIR}/reliability/weather_plan_500.tsv)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/reliability)
  add_custom_command(OUTPUT ${soak_plan} DEPENDS ${CMAKE_SOURCE_DIR}/tests/common/weather_plan.py
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/common/weather_plan.py 500 ${soak_plan})
  # Its own target, so that the test command can build the generated files alone.
  add_custom_target(korvane_soak_plan ALL DEPENDS ${soak_plan})
  add_executable(korvane_heap_soak ${CMAKE_SOURCE_DIR}/tests/reliability/heap_soak.cpp)
  add_dependencies(korvane_heap_soak korvane_soak_plan)
  target_link_libraries(korvane_heap_soak PRIVATE korvane_host)
  target_include_directories(korvane_heap_soak PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  add_test(NAME reliability.heap_soak COMMAND korvane_heap_soak ${soak_plan} 100000)
  set_tests_properties(reliability.heap_soak PROPERTIES LABELS soak TIMEOUT 3600
                       ENVIRONMENT GLIBC_TUNABLES=glibc.malloc.tcache_count=0)
endif()
