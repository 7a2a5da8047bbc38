# cmake -DHOST_LAYERS_FILE=... -DWORK=folder -P LayerCheck.cmake: the layer table accepts the
# links it lists and stops the configure on each wrong-layer link, naming it.
set(cases
  "host_projects>host_cpp|host_projects may not use host_cpp"
  "host_core>host_projects|host_core may not use host_projects"
  "host_cpp>host_com|host_cpp may not use host_com"
  "host_com>host_cpp|host_com may not use host_cpp"
  "host_com>host|host_com may not use host")

function(configure name wrong result output)
  file(REMOVE_RECURSE ${WORK}/${name})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR} -B ${WORK}/${name}
            -DHOST_LAYERS_FILE=${HOST_LAYERS_FILE} -DWRONG_LINK=${wrong}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result} ${rc} PARENT_SCOPE)
  string(REGEX REPLACE "[ \n]+" " " text "${out} ${err}")
  set(${output} "${text}" PARENT_SCOPE)
endfunction()

configure(allowed "" rc text)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "The links the table allows failed the configure: ${text}")
endif()
foreach(c ${cases})
  string(REPLACE "|" ";" c "${c}")
  list(GET c 0 wrong)
  list(GET c 1 expected)
  string(REPLACE ">" "-" name "${wrong}")
  configure(${name} ${wrong} rc text)
  if(rc EQUAL 0)
    message(FATAL_ERROR "${wrong}: the wrong-layer link configured without an error")
  endif()
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${wrong}: the configure failed, but not with \"${expected}\": ${text}")
  endif()
endforeach()
