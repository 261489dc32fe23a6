# Turns res/texts.txt into the .rc string table (texts.rc) and a C++ table
# (texts_table.inc), res/favorites.html into a C++ byte list
# (favorites_bytes.inc), and res/velbrook.manifest.in into the manifest with
# the version of res/resource.h, which an XML file cannot include.
# Run with -DTEXTS= -DFAVORITES= -DRESOURCES= -DMANIFEST= -DOUT=.
file(MAKE_DIRECTORY ${OUT})
file(STRINGS ${TEXTS} lines ENCODING UTF-8)
set(rc "// Generated from res/texts.txt; edit that file.\n#include \"res/resource.h\"\nSTRINGTABLE\nBEGIN\n")
set(cpp "// Generated from res/texts.txt; edit that file.\n")
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^([A-Z0-9_]+)[ \t]+(\".*\")$")
    message(FATAL_ERROR "texts.txt: cannot read line: ${line}")
  endif()
  set(name ${CMAKE_MATCH_1})
  set(text ${CMAKE_MATCH_2})
  # windres wants a quote inside a string doubled, not escaped.
  string(REPLACE "\\\"" "\"\"" rctext "${text}")
  string(APPEND rc "  ${name}, ${rctext}\n")
  string(APPEND cpp "{${name}, ${text}},\n")
endforeach()
string(APPEND rc "END\n")

file(READ ${FAVORITES} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
set(fav "// Generated from res/favorites.html; edit that file.\n${bytes}\n")

file(STRINGS ${RESOURCES} version REGEX "^#define VELBROOK_VERSION ")
if(NOT version MATCHES "\"([0-9.]+)\"")
  message(FATAL_ERROR "resource.h: no VELBROOK_VERSION")
endif()
set(VELBROOK_VERSION ${CMAKE_MATCH_1})
file(READ ${MANIFEST} manifest)
string(CONFIGURE "${manifest}" manifest @ONLY)

# Write only on change so that dependents are not rebuilt needlessly.
foreach(pair "texts.rc;rc" "texts_table.inc;cpp" "favorites_bytes.inc;fav" "velbrook.manifest;manifest")
  list(GET pair 0 f)
  list(GET pair 1 v)
  file(WRITE ${OUT}/${f}.tmp "${${v}}")
  file(COPY_FILE ${OUT}/${f}.tmp ${OUT}/${f} ONLY_IF_DIFFERENT)
  file(REMOVE ${OUT}/${f}.tmp)
endforeach()
