# add_resource_library(<base> <code> <file.rc> [OUTPUT_DIRECTORY dir] [DEPENDS ...])
# Builds the interface-language resource library <base>Res<code>.dll (for
# example TessivaResRUS.dll): a DLL holding only the resources of <file.rc>,
# with no code and no entry point. It lands in bin/ unless OUTPUT_DIRECTORY
# says otherwise. The target is named <base>Res<code>. The script is embedded
# through embed_typelib, so what it includes rebuilds it.
function(add_resource_library base code rc)
  cmake_parse_arguments(ARG "" "OUTPUT_DIRECTORY" "DEPENDS" ${ARGN})
  set(target ${base}Res${code})
  add_library(${target} SHARED)
  embed_typelib(${target} ${rc})
  set_target_properties(${target} PROPERTIES PREFIX "" LINKER_LANGUAGE C)
  if(ARG_OUTPUT_DIRECTORY)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY})
  endif()
  target_link_options(${target} PRIVATE -nostdlib -Wl,--entry=0 -s)
  foreach(dependent IN LISTS ARG_DEPENDS)
    add_dependencies(${dependent} ${target})
  endforeach()
endfunction()
