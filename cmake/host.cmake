# Host build: the program's logic over the headless backend and fake platform, with its tests.
find_package(GTest REQUIRED)
find_package(benchmark QUIET)
find_package(JPEG REQUIRED)

if(HORAVO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

file(GLOB HOST_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/ui/headless/*.cpp
  ${CMAKE_SOURCE_DIR}/platform/fake/*.cpp
  ${CMAKE_SOURCE_DIR}/platform/posix/*.cpp)
add_library(horavo_host STATIC ${LOGIC_SOURCES} ${HOST_SOURCES})
target_include_directories(horavo_host PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(horavo_host PUBLIC JPEG::JPEG)

enable_testing()
file(GLOB UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(horavo_tests ${UNIT_TESTS})
target_link_libraries(horavo_tests PRIVATE horavo_host GTest::gtest GTest::gtest_main)
add_dependencies(horavo_tests art)
target_compile_definitions(horavo_tests PRIVATE
  HORAVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}" HORAVO_ART_DIR="${ART_DIR}")
include(GoogleTest)
gtest_discover_tests(horavo_tests DISCOVERY_TIMEOUT 60)

if(benchmark_FOUND)
  file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
  if(BENCH_SOURCES)
    add_executable(horavo_bench ${BENCH_SOURCES})
    target_link_libraries(horavo_bench PRIVATE horavo_host benchmark::benchmark benchmark::benchmark_main)
  endif()
endif()

# End-to-end tests of the release under Wine, registered beside the unit tests. Each case starts
# its own virtual display and Wine prefix, so they may run in parallel.
option(HORAVO_E2E "Register the end-to-end tests of the release build (needs dist/ and the probe)" OFF)
if(HORAVO_E2E)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(HORAVO_DIST ${CMAKE_SOURCE_DIR}/dist CACHE PATH "The assembled release to test")
  set(HORAVO_PROBE ${CMAKE_SOURCE_DIR}/build/win32/horavo_probe.exe CACHE FILEPATH "The window probe from the release build")
  set(E2E_RUNNER ${CMAKE_SOURCE_DIR}/tests/e2e/run_e2e.py)
  execute_process(COMMAND ${Python3_EXECUTABLE} ${E2E_RUNNER} --list
                  OUTPUT_VARIABLE E2E_CASES RESULT_VARIABLE E2E_LIST_RESULT OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT E2E_LIST_RESULT EQUAL 0)
    message(FATAL_ERROR "Could not list the end-to-end cases")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${E2E_RUNNER})
  file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/cases/*.py)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${E2E_SOURCES})
  string(REPLACE "\n" ";" E2E_CASES "${E2E_CASES}")
  foreach(case ${E2E_CASES})
    add_test(NAME e2e.${case}
             COMMAND ${Python3_EXECUTABLE} ${E2E_RUNNER} --dist ${HORAVO_DIST} --probe ${HORAVO_PROBE} --timeout 240 ${case})
    set_tests_properties(e2e.${case} PROPERTIES LABELS e2e TIMEOUT 300)
  endforeach()
endif()
