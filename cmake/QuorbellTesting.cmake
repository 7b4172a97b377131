# quorbell_add_test(NAME SOURCES a.cpp ... LIBS lib ...)
# One QtTest executable, registered with CTest, run headless with the build
# tree's data folder and a private configuration folder.
function(quorbell_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} quorbell_testsupport Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUORBELL_DATA_DIR=${QUORBELL_DATA_BUILD_DIR};QUORBELL_TOOLS_DIR=${CMAKE_BINARY_DIR}/bin"
    TIMEOUT 300)
endfunction()
