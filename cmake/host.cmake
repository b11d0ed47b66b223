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
