# Warnings are errors on our own code; third-party headers come in as SYSTEM.
function(cvx_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# A unit or integration test program: one ctest entry per program, labelled so
# that the sanitizer run can pick the unit tests.
function(cvx_add_test name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  cvx_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL}
    ENVIRONMENT "CVX_SOURCE_DIR=${CMAKE_SOURCE_DIR};CVX_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()
