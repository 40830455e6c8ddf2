# Shared build rules: every library and test of the project goes through these,
# so warnings, include paths and test environment stay the same everywhere.

set(KX_WARNINGS -Wall -Wextra)

# Qt's headers dominate compile time; every target precompiles the common ones.
function(kx_precompile target)
  target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch.h)
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

# kx_test(<name> SOURCES ... LIBS ...)
# One GoogleTest executable; the shared test main gives every run a private
# configuration folder, the offscreen platform and the schema and fixture
# folders, so no test touches the user's own settings or needs a display.
function(kx_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kx_testsupport GTest::gtest GTest::gmock)
  kx_precompile(${name})
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
