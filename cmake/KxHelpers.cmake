# Shared build rules: every library and test of the project goes through these,
# so warnings, include paths and test environment stay the same everywhere.

set(KX_WARNINGS -Wall -Wextra -Winvalid-pch)

# Qt's and GoogleTest's headers dominate compile time. They are precompiled
# once, in two small targets, and every library and test reuses the result;
# -Winvalid-pch makes a header that stops matching a target's flags a warning
# instead of a silent slow build.
set(KX_PCH_DIR ${PROJECT_SOURCE_DIR}/cmake)

add_library(kx_pch STATIC ${KX_PCH_DIR}/pch.cpp)
target_compile_options(kx_pch PRIVATE ${KX_WARNINGS})
target_link_libraries(kx_pch PUBLIC Qt6::Core)
target_precompile_headers(kx_pch PRIVATE ${KX_PCH_DIR}/pch.h)

add_library(kx_test_pch STATIC ${KX_PCH_DIR}/pch.cpp)
target_compile_options(kx_test_pch PRIVATE ${KX_WARNINGS})
target_link_libraries(kx_test_pch PUBLIC Qt6::Core GTest::gtest GTest::gmock)
target_precompile_headers(kx_test_pch PRIVATE ${KX_PCH_DIR}/pch.h ${KX_PCH_DIR}/test_pch.h)

function(kx_precompile target)
  target_precompile_headers(${target} REUSE_FROM kx_pch)
endfunction()

function(kx_test_precompile target)
  target_precompile_headers(${target} REUSE_FROM kx_test_pch)
endfunction()

# kx_library(<name> SOURCES ... DEPS ...)
# A folder without sources yet becomes an interface library, so that
# dependants can link it before its first file lands.
function(kx_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${KX_WARNINGS})
    kx_precompile(${name})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# kx_test_library(<name> SOURCES ... LIBS ...)
# A fixture several test executables share, compiled once.
function(kx_test_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KX_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} kx_testsupport GTest::gtest GTest::gmock)
  kx_test_precompile(${name})
endfunction()

# kx_test(<name> SOURCES ... LIBS ...)
# One GoogleTest executable; the shared test main gives every run a private
# configuration folder, the offscreen platform and the schema and fixture
# folders, so no test touches the user's own settings or needs a display.
function(kx_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kx_testsupport GTest::gtest GTest::gmock)
  kx_test_precompile(${name})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300)
endfunction()

# kx_bench(<name> SOURCES ... LIBS ...)
function(kx_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()
