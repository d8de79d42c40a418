# Helpers shared by every folder's CMakeLists.txt.

# pellamo_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [ENV K=V ...])
# One GoogleTest program; its cases are registered with ctest one by one.
include(GoogleTest)
set(PELLAMO_LSAN_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/tests/lsan.supp)
function(pellamo_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  # The environment goes in through a launcher: gtest_discover_tests flattens
  # list-valued test properties, so ENVIRONMENT would lose all but one entry.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "env;ASAN_OPTIONS=detect_leaks=1:halt_on_error=1;LSAN_OPTIONS=suppressions=${PELLAMO_LSAN_SUPPRESSIONS}:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1;PELLAMO_SOURCE_DIR=${CMAKE_SOURCE_DIR};PELLAMO_BINARY_DIR=${CMAKE_BINARY_DIR};${T_ENV}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300)
endfunction()

# pellamo_fuzz_target(NAME SOURCES f.cpp LIBS ...)
# With clang: a libFuzzer program, so the test tree (built with clang) links
# every target exactly as `make fuzz` does. With another compiler: the same
# entry point driven by a small replay main. Outside the fuzz build each
# program replays its seed corpus in fuzz/corpus/NAME as an ordinary test.
function(pellamo_fuzz_target name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_executable(${name} ${F_SOURCES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set(replay_options -runs=0) # run the seeds once, mutate nothing
  else()
    add_executable(${name} ${F_SOURCES} ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    set(replay_options "")
  endif()
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  if(NOT PELLAMO_FUZZ)
    add_test(NAME fuzz_replay.${name}
      COMMAND ${name} ${replay_options} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    set_tests_properties(fuzz_replay.${name} PROPERTIES ENVIRONMENT
      "LSAN_OPTIONS=suppressions=${PELLAMO_LSAN_SUPPRESSIONS}")
  endif()
endfunction()

# pellamo_benchmark(NAME SOURCES b.cpp LIBS ...): a Google Benchmark program
# (or a plain program that prints its own figures), run by `make bench`.
function(pellamo_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS;PLAIN" ${ARGN})
  if(NOT PELLAMO_BENCH)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  set_property(GLOBAL APPEND PROPERTY PELLAMO_BENCHMARKS ${name})
endfunction()
