# Makes an import library that loads a DLL the first time one of its
# functions is called, from the toolchain's ordinary import library of the
# same DLL: every function that library names, so that a function the
# program starts to use needs no list kept by hand.
#   cmake -DNM=... -DDLLTOOL=... -DIMPORT_LIB=libwininet.a -DDLL=wininet.dll
#         -DOUT=libwininet_delay.a -P delay_import.cmake
execute_process(COMMAND ${NM} -g --defined-only ${IMPORT_LIB} OUTPUT_VARIABLE symbols ERROR_QUIET
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${IMPORT_LIB}")
endif()
# An imported function's pointer is __imp_<name> (64-bit) or __imp__<name>
# with its stdcall decoration (32-bit x86, where C names start with "_").
string(REGEX MATCHALL "[ \t]I __imp__?[A-Za-z0-9_@?$]+" pointers "${symbols}")
set(exports "")
foreach(pointer ${pointers})
  string(REGEX REPLACE "^[ \t]I __imp_" "" name "${pointer}")
  if(UNDERSCORE)
    string(REGEX REPLACE "^_" "" name "${name}")
  endif()
  list(APPEND exports "${name}")
endforeach()
list(REMOVE_DUPLICATES exports)
list(LENGTH exports count)
if(count EQUAL 0)
  message(FATAL_ERROR "no functions found in ${IMPORT_LIB}")
endif()
string(REPLACE ";" "\n" lines "${exports}")
file(WRITE ${OUT}.def "LIBRARY ${DLL}\nEXPORTS\n${lines}\n")
# --kill-at: the DLL exports the names without their decoration.
execute_process(COMMAND ${DLLTOOL} --input-def ${OUT}.def --output-delaylib ${OUT} --kill-at RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${DLLTOOL} could not make ${OUT}")
endif()
