# Lays out dist/: the program, its bitmap library and the data tree beside it.
file(MAKE_DIRECTORY ${DIST}/resources)
file(COPY ${EXE} DESTINATION ${DIST})
file(COPY ${DLL} DESTINATION ${DIST}/resources)
# Text data kept in the source tree, then the generated pictures and sounds.
file(COPY ${SRC}/data/ DESTINATION ${DIST})
file(COPY ${ART}/dist/ DESTINATION ${DIST})
