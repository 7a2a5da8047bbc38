# ravelo_test(NAME SOURCES src... LIBS lib... [LABELS l...])
# Every test links testsupport (scratch folders, testsupport/TestDir.h).
# One GoogleTest executable; its tests are discovered when ctest runs. Its main (test_main.cpp,
# compiled once for all of them) gives every test process private scratch folders (HOME, XDG
# folders, RAVELO_HOME, RAVELO_WINDIR) below build/test-home/NAME and sets QT_QPA_PLATFORM=offscreen.
add_library(ravelo_test_main OBJECT ${CMAKE_CURRENT_LIST_DIR}/test_main.cpp)
target_link_libraries(ravelo_test_main PRIVATE GTest::gtest)
target_compile_definitions(ravelo_test_main PRIVATE RAVELO_TEST_HOME="${CMAKE_BINARY_DIR}/test-home")
function(ravelo_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES} $<TARGET_OBJECTS:ravelo_test_main>)
  target_link_libraries(${name} PRIVATE ${T_LIBS} testsupport GTest::gtest GTest::gmock)
  set(props)
  if(T_LABELS)
    list(JOIN T_LABELS "\\;" labels)
    set(props PROPERTIES LABELS "${labels}")
  endif()
  # A parameterised test's ctest name is its test name, not its value printed: a value without
  # a printer is its bytes (pointers that change from build to build), and two values may print
  # alike.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    ${props})
endfunction()

# ravelo_resource(TARGET NAME FILE [TYPE]): compiles FILE into TARGET as the resource NAME of
# TYPE (an rtl resource type constant, RT_RCDATA when not given). The unit that holds the bytes is
# written at build time (embed_resource), so a changed file rebuilds it.
add_executable(embed_resource ${CMAKE_CURRENT_LIST_DIR}/embed_resource.cpp)
function(ravelo_resource target name file)
  set(type RT_RCDATA)
  if(ARGC GREATER 3)
    set(type ${ARGV3})
  endif()
  get_filename_component(abs ${file} ABSOLUTE)
  string(MAKE_C_IDENTIFIER "${target}_${name}" id)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/res_${id}.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND embed_resource ${abs} ${out} ${name} ${type}
    DEPENDS embed_resource ${abs}
    COMMENT "Embedding ${name} from ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()

# ravelo_icons(TARGET DIR): every DIR/NAME.png becomes the icon resource NAME (RT_ICON) of
# TARGET. The pictures are drawn from their text pictures beside them (scripts/draw-icon).
function(ravelo_icons target dir)
  file(GLOB icons CONFIGURE_DEPENDS ${dir}/*.png)
  foreach(icon ${icons})
    get_filename_component(n ${icon} NAME_WE)
    ravelo_resource(${target} ${n} ${icon} RT_ICON)
  endforeach()
endfunction()
