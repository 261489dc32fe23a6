# Cross build for 32-bit Windows: dravel.dll, velbrook.exe and the Win32
# tests, which run under Wine through the emulator wrapper.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
enable_language(RC)
add_compile_options(-Wall -Wextra)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
# Static runtime: the two files need nothing but Windows' own DLLs. Unused
# code of the runtime is left out of them. A dialog program waits for its
# user; small beats fast here. The plain logic is defined before this file
# is read, so it is given the same options by name.
set(VELBROOK_SMALL_CODE -ffunction-sections -fdata-sections -Os)
add_compile_options(${VELBROOK_SMALL_CODE})
target_compile_options(velbrook_core PRIVATE ${VELBROOK_SMALL_CODE})
add_link_options(-static -s -Wl,--gc-sections)
# Windows refuses a program whose header asks for a newer system than it is:
# XP is 5.1 (the shipped 32-bit build), XP x64 is 5.2.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(pe_minor 1)
else()
  set(pe_minor 2)
endif()
add_link_options(-Wl,--major-os-version,5,--minor-os-version,${pe_minor}
                 -Wl,--major-subsystem-version,5,--minor-subsystem-version,${pe_minor})

# The DLLs only publishing (wininet, crypt32), Preview (shell32, ole32),
# drops (shell32, in dravel.dll) and the file and colour dialogs (comdlg32)
# need are loaded the first time one of their functions is called: a run
# that uses none of them starts like a plain dialog, and the sources call
# them as usual. Their import libraries for delay-loading are made from the
# toolchain's own, and the runtime's helper (in libmingwex) loads them;
# app/delay_load.cpp says so when one cannot be loaded. GNU ld leaves them
# out of the header's directory, so scripts/delay-imports.py finds them for
# the shipped files' check.
set(VELBROOK_DELAYED_DLLS comdlg32 shell32 ole32 wininet crypt32)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(decorated_names ON)  # 32-bit x86 C names start with "_"
else()
  set(decorated_names OFF)
endif()
set(VELBROOK_DELAYED_LIBS)
foreach(dll ${VELBROOK_DELAYED_DLLS})
  find_library(${dll}_IMPORT_LIB NAMES ${dll} REQUIRED)
  set(delayed ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${delayed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL} -DIMPORT_LIB=${${dll}_IMPORT_LIB}
            -DDLL=${dll}.dll -DOUT=${delayed} -DUNDERSCORE=${decorated_names}
            -P ${CMAKE_SOURCE_DIR}/cmake/delay_import.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/delay_import.cmake ${${dll}_IMPORT_LIB}
    COMMENT "Import library of ${dll}.dll for delay-loading")
  list(APPEND VELBROOK_DELAYED_LIBS ${delayed})
  set(${dll}_DELAYED ${delayed})
endforeach()
add_custom_target(delayed_imports DEPENDS ${VELBROOK_DELAYED_LIBS})

# The drop-file library, exported by ordinal only.
# The .def names the stdcall-decorated symbols, which only 32-bit x86 has.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(DRAVEL_STDCALL_SUFFIX "@4")
else()
  set(DRAVEL_STDCALL_SUFFIX "")
endif()
configure_file(dravel/dravel.def.in ${CMAKE_BINARY_DIR}/dravel.def @ONLY)
add_library(dravel SHARED dravel/dravel.cpp ${CMAKE_BINARY_DIR}/dravel.def)
set_target_properties(dravel PROPERTIES PREFIX "")
target_compile_definitions(dravel PRIVATE DRAVEL_BUILD)
# The library throws nothing and asks nothing of the C++ runtime's type
# information; without them it stays a small DLL.
target_compile_options(dravel PRIVATE -fno-exceptions -fno-rtti)
target_include_directories(dravel PRIVATE ${CMAKE_SOURCE_DIR})
# dravel loads shell32 itself, checked, before the first drop target.
target_link_libraries(dravel PRIVATE ${shell32_DELAYED})
add_dependencies(dravel delayed_imports)

# The program's resources, also linked into the Win32 tests so that they
# create windows from the very same templates.
set(VELBROOK_RC ${CMAKE_SOURCE_DIR}/res/velbrook.rc)
set_source_files_properties(${VELBROOK_RC} PROPERTIES OBJECT_DEPENDS
  "${GEN_DIR}/texts.rc;${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/favorites.html;${CMAKE_SOURCE_DIR}/res/welcome.bmp;${CMAKE_SOURCE_DIR}/res/picture.bmp;${CMAKE_SOURCE_DIR}/res/filename.bmp;${CMAKE_SOURCE_DIR}/res/velbrook.ico;${GEN_DIR}/velbrook.manifest")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/res -I${GEN_DIR}")

# The Win32 side of the program, everything but the entry point.
add_library(velbrook_win32 STATIC
  framework/app.cpp
  framework/controls.cpp
  framework/dialog.cpp
  framework/help_window.cpp
  framework/wnd.cpp
  wizard/keyboard.cpp
  wizard/wizard.cpp
  wizard/wizard_host.cpp
  wizard/wizard_page.cpp
  pages/color.cpp
  pages/color_pages.cpp
  pages/file_name_page.cpp
  pages/footer_page.cpp
  pages/list_pages.cpp
  pages/picture_page.cpp
  pages/publish_page.cpp
  pages/text_page.cpp
  pages/title_page.cpp
  pages/welcome_page.cpp
  app/module_texts.cpp
  app/page_app.cpp
  app/services_win32.cpp
  app/https_link_win32.cpp
  app/publish_progress_win32.cpp
  app/site_store_win32.cpp
)

target_link_libraries(velbrook_win32 PUBLIC velbrook_core dravel user32 gdi32 ${VELBROOK_DELAYED_LIBS}
                                            comctl32 advapi32)
add_dependencies(velbrook_win32 delayed_imports)

add_executable(velbrook WIN32 app/main.cpp app/delay_load.cpp framework/app_main.cpp ${VELBROOK_RC})
add_dependencies(velbrook generated_texts)
target_link_libraries(velbrook PRIVATE velbrook_win32 comctl32)

# Win32 tests: GoogleTest built from Debian's sources, run under Wine. They
# are built on every machine, also where this build's code cannot run, so
# that a fault only one word size shows still breaks the build.
add_compile_options(-include ${CMAKE_SOURCE_DIR}/tests/win32/gtest_one_thread.h)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)

add_executable(win32_tests
  tests/win32/resources_test.cpp
  tests/win32/services_test.cpp
  tests/win32/test_app.cpp
  tests/win32/wizard_test.cpp
  tests/win32/page_app_test.cpp
  tests/win32/pages_test.cpp
  tests/win32/dravel_test.cpp
  tests/win32/color_pages_test.cpp
  tests/win32/list_pages_test.cpp
  tests/win32/keyboard_test.cpp
  ${VELBROOK_RC}
)
add_dependencies(win32_tests generated_texts)
# Active Accessibility, to read controls as a screen reader does: for the
# tests only, the program itself imports none of it.
target_link_libraries(win32_tests PRIVATE velbrook_win32 gtest_main oleacc ole32 oleaut32)
# The accessibility walk compares what it reads with the names table of the
# docs. Wine shows this machine's files on drive Z:.
if(CMAKE_HOST_UNIX)
  set(HOST_FILES_DRIVE "Z:")
endif()
set_source_files_properties(tests/win32/pages_test.cpp PROPERTIES COMPILE_DEFINITIONS
  VELBROOK_ACCESSIBLE_NAMES="${HOST_FILES_DRIVE}${CMAKE_SOURCE_DIR}/docs/accessible-names.md")
# A test passes when GoogleTest said so and the program then ended well:
# Wine ends a program whose stack overflows with exit code 0, and a crash
# after the PASSED line still prints it. A pass pattern alone makes ctest
# ignore the exit code, so the emulator names a bad one and that fails.
# A test that hangs (a modal loop nobody ends) fails after a minute, by its
# own name, instead of holding up the whole run.
set(WIN32_TEST_PROPERTIES
  TIMEOUT 60
  PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test"
  FAIL_REGULAR_EXPRESSION "wine-run.sh: .* ended with exit code [0-9]+")
gtest_discover_tests(win32_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  PROPERTIES ${WIN32_TEST_PROPERTIES})
# The walk over every page and dialog once more at 150 %, in a prefix of its
# own whose screen has 144 DPI (scripts/env.sh), the others staying at 96.
add_test(NAME PagesTest.EveryPageAndDialogAt144Dpi
  COMMAND win32_tests --gtest_filter=PagesTest.EveryPageAndDialogHasItsHelpItsTabOrderAndNamedControls)
set_tests_properties(PagesTest.EveryPageAndDialogAt144Dpi PROPERTIES ${WIN32_TEST_PROPERTIES}
  ENVIRONMENT VELBROOK_DPI=144)
# The same program's code where Windows has no UTF-8 process code page:
# without the resources, so without the manifest, it runs in the locale's
# ANSI code page.
add_executable(win32_ansi_tests tests/win32/ansi_code_page_test.cpp)
target_link_libraries(win32_ansi_tests PRIVATE velbrook_win32 gtest_main)
gtest_discover_tests(win32_ansi_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  PROPERTIES ${WIN32_TEST_PROPERTIES})
# The check above guarded: a program that prints the PASSED line and then
# exits with 5 must fail. It is marked to fail, so it passes while the
# check holds and fails make test once the exit code goes unheard.
add_executable(exit_code_probe tests/win32/exit_code_probe.cpp)
add_test(NAME Harness.APassedLineThenExitCode5Fails COMMAND exit_code_probe)
set_tests_properties(Harness.APassedLineThenExitCode5Fails PROPERTIES ${WIN32_TEST_PROPERTIES} WILL_FAIL TRUE)

# The yardstick of the start-up benchmark, and the page switch timed inside
# the program.
add_executable(minimal_dialog WIN32 bench/minimal_dialog.cpp bench/minimal_dialog.rc)
add_executable(switch_bench bench/switch_bench.cpp ${VELBROOK_RC})
add_dependencies(switch_bench generated_texts)
target_link_libraries(switch_bench PRIVATE velbrook_win32 gtest)

# The end-to-end tests' hands: a console program that clicks and types.
add_executable(e2e_driver tests/e2e/driver.cpp)
target_link_libraries(e2e_driver PRIVATE user32)
