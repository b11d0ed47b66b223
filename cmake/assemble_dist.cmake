# Lays out dist/: the program, its bitmap library and the data tree beside it.
# The program's own files are refreshed at every build; what users keep (the event list, the
# reminder and celebration texts, the settings file) is put in place only when missing, so a
# rebuild never throws away events or settings stored in dist/. The shipped settings file only
# keeps the clock on the screen at the first start; the program writes every other key itself.
file(MAKE_DIRECTORY ${DIST}/resources ${DIST}/Cfg ${DIST}/Gear ${DIST}/notes ${DIST}/days ${DIST}/Sound)
file(COPY ${EXE} DESTINATION ${DIST})
file(COPY ${DLL} DESTINATION ${DIST}/resources)
file(COPY ${ART}/dist/ DESTINATION ${DIST})

file(GLOB_RECURSE data_files RELATIVE ${SRC}/data ${SRC}/data/*)
foreach(rel ${data_files})
  if(rel MATCHES "^(Gear|notes|days)/|^Cfg/Clock_config\\.ini$" AND EXISTS ${DIST}/${rel})
    continue()
  endif()
  get_filename_component(dir ${rel} DIRECTORY)
  file(COPY ${SRC}/data/${rel} DESTINATION ${DIST}/${dir})
endforeach()
