include(GoogleTest)
# Warnings are errors on our own code; third-party headers come in as SYSTEM.
function(cvx_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# A unit or integration test program, labelled so that the sanitizer run can pick them.
function(cvx_add_test name)
  cmake_parse_arguments(T "" "LABEL;ENVIRONMENT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  cvx_warnings(${name})
  target_compile_definitions(${name} PRIVATE CVX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  # One ctest test per test case, so that a failure names its case, `ctest -R` runs one, and
  # `-j` spreads them over the cores. The cases are listed when ctest runs.
  # ENVIRONMENT takes one variable: the discovered tests' properties travel as a flat list.
  set(properties LABELS ${T_LABEL})
  if(T_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
  gtest_discover_tests(${name}
    EXTRA_ARGS --gtest_brief=1
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()
