# Shared build rules: every library and test of the project goes through these,
# so warnings, include paths and test environment stay the same everywhere.

set(KX_WARNINGS -Wall -Wextra -Winvalid-pch)

# Qt's and GoogleTest's headers dominate compile time. They are precompiled
# once per kind of target (Qt Core only, Qt Widgets, tests) in a small target
# of their own that the others reuse; -Winvalid-pch makes a precompiled
# header that stops matching a target's flags a warning instead of a
# silently slower build.
set(KX_PCH_DIR ${PROJECT_SOURCE_DIR}/cmake)

function(kx_pch_target name)
  cmake_parse_arguments(ARG "" "" "HEADERS;LIBS" ${ARGN})
  add_library(${name} STATIC ${KX_PCH_DIR}/pch.cpp)
  target_compile_options(${name} PRIVATE ${KX_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  target_precompile_headers(${name} PRIVATE ${ARG_HEADERS})
endfunction()

kx_pch_target(kx_core_pch HEADERS ${KX_PCH_DIR}/pch.h LIBS Qt6::Core)
kx_pch_target(kx_widgets_pch
  HEADERS ${KX_PCH_DIR}/pch.h ${KX_PCH_DIR}/widgets_pch.h
  LIBS Qt6::Widgets)
kx_pch_target(kx_test_pch
  HEADERS ${KX_PCH_DIR}/pch.h ${KX_PCH_DIR}/widgets_pch.h ${KX_PCH_DIR}/test_pch.h
  LIBS Qt6::Widgets GTest::gtest GTest::gmock)

# kx_library(<name> [QT_CORE_ONLY] SOURCES ... DEPS ...)
# QT_CORE_ONLY: the library uses no Qt module with windows.
# A folder without sources yet becomes an interface library, so that
# dependants can link it before its first file lands.
function(kx_library name)
  cmake_parse_arguments(ARG "QT_CORE_ONLY" "" "SOURCES;DEPS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${KX_WARNINGS})
    if(ARG_QT_CORE_ONLY)
      target_precompile_headers(${name} REUSE_FROM kx_core_pch)
    else()
      target_precompile_headers(${name} REUSE_FROM kx_widgets_pch)
    endif()
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
  target_precompile_headers(${name} REUSE_FROM kx_test_pch)
endfunction()

# kx_test(<name> SOURCES ... LIBS ... [ENVIRONMENT <VAR=value>])
# One GoogleTest executable; the shared test main gives every run a private
# configuration folder, the offscreen platform and the schema and fixture
# folders, so no test touches the user's own settings or needs a display.
# ENVIRONMENT sets one variable for every test of the executable.
function(kx_test name)
  cmake_parse_arguments(ARG "" "ENVIRONMENT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kx_testsupport GTest::gtest GTest::gmock)
  target_precompile_headers(${name} REUSE_FROM kx_test_pch)
  set(properties TIMEOUT 300)
  if(ARG_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT ${ARG_ENVIRONMENT})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()

# kx_bench(<name> SOURCES ... LIBS ...)
function(kx_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()
