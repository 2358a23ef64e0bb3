# discpilot_add_test(NAME name SOURCES ... LIBS ...): a GoogleTest exe that CTest runs under Wine
# in the prefix that scripts/test.sh prepares for the run.
function(discpilot_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300)
endfunction()
