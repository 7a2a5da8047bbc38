# ravelo_test(NAME SOURCES src... LIBS lib... [LABELS l...])
# Every test links testsupport (scratch folders, testsupport/TestDir.h).
# One GoogleTest executable; its tests are discovered when ctest runs. Its main (test_main.cpp)
# gives every test process private scratch folders (HOME, XDG folders, RAVELO_HOME, RAVELO_WINDIR)
# below the build folder and sets QT_QPA_PLATFORM=offscreen.
set(RAVELO_TEST_MAIN ${CMAKE_CURRENT_LIST_DIR}/test_main.cpp)
function(ravelo_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${RAVELO_TEST_MAIN})
  target_link_libraries(${name} PRIVATE ${T_LIBS} testsupport GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    RAVELO_TEST_SCRATCH="${CMAKE_BINARY_DIR}/test-home/${name}")
  set(props)
  if(T_LABELS)
    list(JOIN T_LABELS "\\;" labels)
    set(props PROPERTIES LABELS "${labels}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    ${props})
endfunction()
