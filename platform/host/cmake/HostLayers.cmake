# The layers of the host library and what each may use. A layer links only the layers listed for
# it here (all below it); the shared library `host` sits on top of all of them. Every layer is
# declared through host_declare_layer, and once its directory is read each declared layer's
# links are checked against this table: a link to a layer not listed, or to `host`, stops the
# configure with an error that names both.
set(HOST_LAYERS host_core host_projects host_cpp host_com)
set(HOST_LAYER_USES_host_core "")
set(HOST_LAYER_USES_host_projects host_core)
set(HOST_LAYER_USES_host_cpp host_core host_projects)
set(HOST_LAYER_USES_host_com host_core host_projects)
# What sits above every layer; no layer may link it.
set(HOST_LAYER_TOP host host_impl)

# host_declare_layer(TARGET): TARGET is one of HOST_LAYERS; its links are checked when the
# directory that declares it is done (so links added after the declaration count too).
function(host_declare_layer target)
  if(NOT target IN_LIST HOST_LAYERS)
    message(FATAL_ERROR "${target} is no layer of the host (HostLayers.cmake lists: ${HOST_LAYERS})")
  endif()
  get_property(declared DIRECTORY PROPERTY HOST_DECLARED_LAYERS)
  if(NOT declared)
    cmake_language(DEFER CALL host_check_layers)
  endif()
  set_property(DIRECTORY APPEND PROPERTY HOST_DECLARED_LAYERS ${target})
endfunction()

# The names a target links, generator expressions such as $<LINK_ONLY:x> taken off.
function(host_linked_names target out)
  set(names "")
  foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(items ${target} ${property})
    if(NOT items)
      continue()
    endif()
    foreach(item ${items})
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
      string(REGEX REPLACE "^\\$<[A-Z_]+:[^>]*>$" "" item "${item}")
      list(APPEND names ${item})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES names)
  set(${out} ${names} PARENT_SCOPE)
endfunction()

function(host_check_layers)
  get_property(declared DIRECTORY PROPERTY HOST_DECLARED_LAYERS)
  foreach(layer ${declared})
    host_linked_names(${layer} names)
    foreach(name ${names})
      if(name IN_LIST HOST_LAYERS OR name IN_LIST HOST_LAYER_TOP)
        if(NOT name IN_LIST HOST_LAYER_USES_${layer})
          list(JOIN HOST_LAYER_USES_${layer} ", " allowed)
          if(NOT allowed)
            set(allowed "no other layer")
          endif()
          message(FATAL_ERROR "The host layer ${layer} may not use ${name}: a layer links only the "
                              "layers below it (${layer} may use: ${allowed}; see platform/host/README.md)")
        endif()
      endif()
    endforeach()
  endforeach()
endfunction()
