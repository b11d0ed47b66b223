# Release build: Horavo.exe (32-bit GUI, static runtime), resources/images.dll and the dist/ tree.
enable_language(RC)
set(JPEG_PREFIX ${CMAKE_SOURCE_DIR}/build/deps/libjpeg-i686 CACHE PATH "libjpeg-turbo built for i686")
set(DIST_DIR ${CMAKE_SOURCE_DIR}/dist CACHE PATH "Where the program is assembled")

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/ui/win32/*.cpp
  ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp
  ${CMAKE_SOURCE_DIR}/app/win32/*.cpp)

add_executable(Horavo WIN32 ${LOGIC_SOURCES} ${WIN32_SOURCES} ${CMAKE_SOURCE_DIR}/app/win32/horavo.rc)
add_dependencies(Horavo art)
target_include_directories(Horavo PRIVATE ${CMAKE_SOURCE_DIR} ${JPEG_PREFIX}/include)
target_compile_definitions(Horavo PRIVATE WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN)
# Optimised for size: the system reads the whole program into memory at start, and nothing
# in a clock is hot enough to gain from larger code (the JPEG decoder is built on its own).
target_compile_options(Horavo PRIVATE -Os)
target_link_options(Horavo PRIVATE -static -mwindows $<$<CONFIG:Release>:-s>)
target_link_libraries(Horavo PRIVATE ${JPEG_PREFIX}/lib/libjpeg.a
  comdlg32 shell32 ole32 oleaut32 uuid winmm gdi32 user32 advapi32 msimg32 uxtheme ntdll)
set_source_files_properties(${CMAKE_SOURCE_DIR}/app/win32/horavo.rc PROPERTIES
  OBJECT_DEPENDS ${ART_DIR}/stamp)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${ART_DIR} -I${CMAKE_SOURCE_DIR}/app/win32 -c 1251")

# The bitmap library: resources only, no code beyond an entry point.
add_library(images MODULE ${CMAKE_SOURCE_DIR}/resources/win32/images_dll.c ${CMAKE_SOURCE_DIR}/resources/win32/images.rc)
set_target_properties(images PROPERTIES PREFIX "" OUTPUT_NAME images)
add_dependencies(images art)
target_link_options(images PRIVATE -static -s)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/win32/images.rc PROPERTIES OBJECT_DEPENDS ${ART_DIR}/stamp)

# dist/: what a user unpacks and runs.
add_custom_target(dist ALL
  COMMAND ${CMAKE_COMMAND} -DDIST=${DIST_DIR} -DSRC=${CMAKE_SOURCE_DIR} -DART=${ART_DIR}
          -DEXE=$<TARGET_FILE:Horavo> -DDLL=$<TARGET_FILE:images> -P ${CMAKE_SOURCE_DIR}/cmake/assemble_dist.cmake
  DEPENDS Horavo images art
  COMMENT "Assembling dist/")

# The window probe of the end-to-end tests: a console program run under Wine beside the clock.
# It stays in the build folder and is never shipped in dist/.
add_executable(horavo_probe ${CMAKE_SOURCE_DIR}/tests/e2e/probe/probe.cpp)
target_compile_definitions(horavo_probe PRIVATE WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_options(horavo_probe PRIVATE -static)
target_link_libraries(horavo_probe PRIVATE user32 gdi32)
# The probe places this library in the program under test to read its open popup menu there.
add_library(horavo_probe_hook SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/probe/probe_hook.cpp)
set_target_properties(horavo_probe_hook PROPERTIES PREFIX "" OUTPUT_NAME horavo_probe_hook)
target_link_options(horavo_probe_hook PRIVATE -static -Wl,--kill-at)
target_link_libraries(horavo_probe_hook PRIVATE user32 oleaut32 uuid)
add_dependencies(horavo_probe horavo_probe_hook)

# The yardstick of the side-by-side comparison (tests/perf/side_by_side.py): a minimal clock built
# with the program's compiler, flags and link options. It stays in the build folder.
add_executable(horavo_minimal_clock WIN32 ${CMAKE_SOURCE_DIR}/tests/perf/minimal_clock.cpp)
target_compile_definitions(horavo_minimal_clock PRIVATE WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_options(horavo_minimal_clock PRIVATE -static -mwindows $<$<CONFIG:Release>:-s>)
target_link_libraries(horavo_minimal_clock PRIVATE gdi32 user32)

# The control gallery of the end-to-end tests: one of each control kind in a window, to look at
# under Wine. It stays in the build folder and is never shipped in dist/.
file(GLOB GALLERY_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/gallery/*.cpp ${CMAKE_SOURCE_DIR}/ui/*.cpp ${CMAKE_SOURCE_DIR}/ui/win32/*.cpp)
add_executable(horavo_gallery WIN32 ${GALLERY_SOURCES} ${CMAKE_SOURCE_DIR}/platform/win32/cp1251.cpp
  ${CMAKE_SOURCE_DIR}/platform/win32/files_win32.cpp ${CMAKE_SOURCE_DIR}/platform/date_text.cpp
  ${CMAKE_SOURCE_DIR}/platform/startup_marks.cpp
  ${CMAKE_SOURCE_DIR}/tests/gallery/gallery.rc)
target_include_directories(horavo_gallery PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(horavo_gallery PRIVATE WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_options(horavo_gallery PRIVATE -static -mwindows)
target_link_libraries(horavo_gallery PRIVATE comctl32 gdi32 user32 msimg32 uxtheme)

# The release packages in build/release/: a zip of the program as users get it and the per-user
# installer. Both are made from a fresh tree assembled beside the build, never from dist/, which
# may hold the settings and events of someone who ran the clock from there.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis (Debian package nsis) is missing: run scripts/setup.sh")
endif()
set(HORAVO_VERSION 3.0)
set(RELEASE_DIR ${CMAKE_SOURCE_DIR}/build/release CACHE PATH "Where the release packages go")
set(PACKAGE_TREE ${CMAKE_BINARY_DIR}/package/Horavo)
set(RELEASE_ZIP ${RELEASE_DIR}/Horavo-${HORAVO_VERSION}.zip)
set(RELEASE_SETUP ${RELEASE_DIR}/Horavo-${HORAVO_VERSION}-setup.exe)
file(GLOB_RECURSE DATA_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
add_custom_command(OUTPUT ${RELEASE_ZIP} ${RELEASE_SETUP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PACKAGE_TREE}
  COMMAND ${CMAKE_COMMAND} -DDIST=${PACKAGE_TREE} -DSRC=${CMAKE_SOURCE_DIR} -DART=${ART_DIR}
          -DEXE=$<TARGET_FILE:Horavo> -DDLL=$<TARGET_FILE:images> -P ${CMAKE_SOURCE_DIR}/cmake/assemble_dist.cmake
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/packaging/make_packages.py --tree ${PACKAGE_TREE}
          --icon ${ART_DIR}/horavo.ico --out ${RELEASE_DIR} --version ${HORAVO_VERSION} --makensis ${MAKENSIS}
  DEPENDS Horavo images ${ART_DIR}/stamp ${DATA_FILES} ${CMAKE_SOURCE_DIR}/cmake/assemble_dist.cmake
          ${CMAKE_SOURCE_DIR}/packaging/installer.nsi ${CMAKE_SOURCE_DIR}/packaging/make_packages.py
  COMMENT "Making the zip and the installer in ${RELEASE_DIR}")
add_custom_target(release ALL DEPENDS ${RELEASE_ZIP} ${RELEASE_SETUP})
add_dependencies(release art)
