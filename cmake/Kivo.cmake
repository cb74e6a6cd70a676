# Build helpers shared by every folder of the tree.

set(KIVO_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer -g)

add_compile_options(-Wall -Wextra)

if(KIVO_FUZZ)
  # Every library of the fuzz configuration is instrumented for coverage and
  # checked by ASan and UBSan (float-cast-overflow included).
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined,float-cast-overflow
                      -fno-sanitize-recover=all -g -O1)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KIVO_WINDOWS)
  add_link_options(-static)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
elseif(NOT KIVO_FUZZ)
  find_package(GTest REQUIRED)
  find_package(benchmark REQUIRED)
endif()
include(GoogleTest)

# Threads for every configuration (the posix thread model of mingw-w64 and
# the host's pthreads); libraries name Threads::Threads in their DEPS.
set(THREADS_PREFER_PTHREAD_FLAG ON)
find_package(Threads REQUIRED)

# Libraries made by kivo_library; in the native configuration each has a
# sanitized twin NAME_san that tests link instead.
set_property(GLOBAL PROPERTY KIVO_LIBRARIES "")

# _kivo_san_names(OUT ITEMS...): ITEMS with every project library replaced by
# its sanitized twin; system libraries (Threads::Threads, m, ...) stay as they
# are. A "kivo_" name that is not (yet) a project library is an error, so a
# library declared after its users fails loudly instead of linking unchecked.
function(_kivo_san_names out)
  get_property(known GLOBAL PROPERTY KIVO_LIBRARIES)
  set(result)
  foreach(item ${ARGN})
    if(item IN_LIST known)
      list(APPEND result ${item}_san)
    elseif(item MATCHES "^kivo_")
      message(FATAL_ERROR "${item} is not a project library declared before its use")
    else()
      list(APPEND result ${item})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# kivo_library(NAME SOURCES ... [DEPS ...])
# A static library of the tree. DEPS may name project libraries and system
# libraries alike. In the native configuration a second copy, NAME_san, is
# built with the sanitizers for the tests; NAME itself stays an optimised
# build for the tools users run and for the benchmarks.
function(kivo_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
  if(KIVO_NATIVE AND NOT KIVO_FUZZ)
    _kivo_san_names(deps_san ${A_DEPS})
    add_library(${name}_san STATIC ${A_SOURCES})
    target_include_directories(${name}_san PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${name}_san PUBLIC ${KIVO_SAN_FLAGS} -O1)
    target_link_options(${name}_san PUBLIC ${KIVO_SAN_FLAGS})
    target_link_libraries(${name}_san PUBLIC ${deps_san})
  endif()
  set_property(GLOBAL APPEND PROPERTY KIVO_LIBRARIES ${name})
endfunction()

# kivo_test(NAME SOURCES ... [LIBS ...] [TIMEOUT s] [SERIAL])
# A GoogleTest program. Natively it links the sanitized copies of LIBS; in the
# Windows configuration ctest runs it under Wine (see scripts/env.sh). SERIAL
# tests run while no other test runs (tests that send real pointer and
# keyboard input: the display has one pointer and one foreground window).
function(kivo_test name)
  cmake_parse_arguments(A "SERIAL" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  set(serial)
  if(A_SERIAL)
    set(serial RUN_SERIAL TRUE)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(KIVO_NATIVE)
    _kivo_san_names(libs ${A_LIBS})
    target_compile_options(${name} PRIVATE ${KIVO_SAN_FLAGS} -O1)
    target_link_options(${name} PRIVATE ${KIVO_SAN_FLAGS})
    target_link_libraries(${name} PRIVATE ${libs} GTest::gtest_main)
  else()
    target_link_libraries(${name} PRIVATE ${A_LIBS} gtest_main)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT ${A_TIMEOUT} ${serial})
endfunction()

# kivo_fuzzer(NAME SOURCES ... [LIBS ...])
# A libFuzzer target; ctest runs it briefly on its seed corpus as a smoke test.
function(kivo_fuzzer name)
  cmake_parse_arguments(A "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # The fuzzer adds what it finds to its corpus folder, so it works on a copy
  # in the build tree and the seeds in the source tree stay as committed.
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${corpus})
  if(A_CORPUS)
    file(COPY ${A_CORPUS}/ DESTINATION ${corpus})
  endif()
  add_test(NAME ${name}_smoke COMMAND ${name} -runs=20000 -max_len=4096 ${corpus})
endfunction()
