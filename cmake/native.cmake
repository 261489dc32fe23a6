# Native Linux build: the plain logic's tests and benchmarks.
option(VELBROOK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VELBROOK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
target_compile_options(velbrook_core PRIVATE -Wall -Wextra)

# libFuzzer targets (clang only): one program per entry point of the plain
# logic, all from fuzz/fuzz_page.cpp.
option(VELBROOK_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(VELBROOK_FUZZ)
  target_compile_options(velbrook_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  foreach(target BuildPage ReadPage Paths LinkEntry Format DropAndImport)
    add_executable(fuzz_${target} fuzz/fuzz_page.cpp)
    target_compile_definitions(fuzz_${target} PRIVATE FUZZ_TARGET=Fuzz${target})
    target_compile_options(fuzz_${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${target} PRIVATE velbrook_core)
  endforeach()
  return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)
add_executable(native_tests
  tests/native/texts_test.cpp
  tests/native/html_writer_test.cpp
  tests/native/delivery_test.cpp
  tests/native/page_run_test.cpp
  tests/native/navigation_test.cpp
  tests/native/drop_rules_test.cpp
  tests/native/page_rules_test.cpp
  tests/native/text_import_test.cpp
  tests/native/list_editing_test.cpp
  tests/native/page_reader_test.cpp
  tests/native/preview_test.cpp
  tests/native/publish_test.cpp
)
target_link_libraries(native_tests PRIVATE velbrook_core GTest::gtest_main)
# The property tests make their records with the fuzzers' generator, which
# reads its bytes through clang's header-only FuzzedDataProvider.
file(GLOB FUZZED_DATA_PROVIDER /usr/lib/llvm-*/lib/clang/*/include/fuzzer/FuzzedDataProvider.h)
list(GET FUZZED_DATA_PROVIDER 0 FUZZED_DATA_PROVIDER)
# Only this header: the rest of clang's include folder would shadow g++'s own.
configure_file(${FUZZED_DATA_PROVIDER} ${CMAKE_BINARY_DIR}/fuzzed-data-provider/fuzzer/FuzzedDataProvider.h COPYONLY)
target_include_directories(native_tests SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/fuzzed-data-provider)
target_compile_definitions(native_tests PRIVATE
  VELBROOK_FAVORITES_FILE="${CMAKE_SOURCE_DIR}/res/favorites.html")
gtest_discover_tests(native_tests DISCOVERY_MODE PRE_TEST)

find_package(benchmark QUIET)
if(benchmark_FOUND AND NOT VELBROOK_SANITIZE)
  add_executable(page_bench bench/page_bench.cpp)
  target_link_libraries(page_bench PRIVATE velbrook_core benchmark::benchmark)
endif()
