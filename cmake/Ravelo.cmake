# ravelo_test(NAME SOURCES src... LIBS lib... [LABELS l...] [ENV VAR=value...])
# One GoogleTest executable; its tests are discovered when ctest runs, each with a private
# temporary HOME, XDG folders and RAVELO_HOME/RAVELO_WINDIR, so no test touches the user's files.
function(ravelo_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set(scratch ${CMAKE_BINARY_DIR}/test-home/${name})
  set(env
    HOME=${scratch}
    XDG_DATA_HOME=${scratch}/data
    XDG_CONFIG_HOME=${scratch}/config
    RAVELO_HOME=${scratch}/program
    RAVELO_WINDIR=${scratch}/windows
    QT_QPA_PLATFORM=offscreen
    ${T_ENV})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "${env}" LABELS "${T_LABELS}")
endfunction()
