# The release package of a Windows build:
#   <build>/dist/EdiHal_X-<version>-<win32|win64>.zip
# built with the module (target edihal_dist, part of "all"), so that the
# tests can unpack exactly what ships.  "make dist" builds this target of
# the win32 preset and copies the zip into dist/ (tools/make-dist.sh).
# Debian's Python, which has the packages tools/install-deps.sh installs
# (python3-markdown for the HTML guide), before any other on the PATH.
if(EXISTS /usr/bin/python3 AND NOT Python3_EXECUTABLE)
  set(Python3_EXECUTABLE /usr/bin/python3)
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(EDIHAL_DIST_ARCH win32)
else()
  set(EDIHAL_DIST_ARCH win64)
endif()
set(EDIHAL_DIST_ZIP
    ${CMAKE_BINARY_DIR}/dist/EdiHal_X-${PROJECT_VERSION}-${EDIHAL_DIST_ARCH}.zip)

# What tools/dist-zip.py packs besides the two programs.
file(GLOB EDIHAL_DIST_INPUTS CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/examples/*.xml ${PROJECT_SOURCE_DIR}/examples/*.txt
  ${PROJECT_SOURCE_DIR}/examples/expected/*.txt ${PROJECT_SOURCE_DIR}/docs/*)

# The guide as one HTML page, the screenshot inside it.
set(EDIHAL_DIST_HTML ${CMAKE_BINARY_DIR}/dist/INSTRUKCJA.html)
add_custom_command(
  OUTPUT ${EDIHAL_DIST_HTML}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/guide-html.py ${PROJECT_SOURCE_DIR}
          ${EDIHAL_DIST_HTML}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/guide-html.py ${PROJECT_SOURCE_DIR}/docs/INSTRUKCJA.md
          ${PROJECT_SOURCE_DIR}/docs/dialog.png
  COMMENT "Writing ${EDIHAL_DIST_HTML}"
  VERBATIM)

add_custom_command(
  OUTPUT ${EDIHAL_DIST_ZIP}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/dist-zip.py
          --version ${PROJECT_VERSION} --source ${PROJECT_SOURCE_DIR}
          --dll $<TARGET_FILE:EdiHal_X> --exe $<TARGET_FILE:vexhost>
          --html ${EDIHAL_DIST_HTML} --strip ${CMAKE_STRIP} --out ${EDIHAL_DIST_ZIP}
  DEPENDS EdiHal_X vexhost ${EDIHAL_DIST_HTML} ${PROJECT_SOURCE_DIR}/tools/dist-zip.py
          ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${EDIHAL_DIST_INPUTS}
  COMMENT "Packing ${EDIHAL_DIST_ZIP}"
  VERBATIM)
add_custom_target(edihal_dist ALL DEPENDS ${EDIHAL_DIST_ZIP})
