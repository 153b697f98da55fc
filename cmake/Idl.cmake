# add_idl(<target> <file.idl> [IMPORTS <dir>...])
# Compiles an IDL file with widl into <name>.h, <name>_i.c and <name>.tlb in
# the current binary folder, and makes <target>: a static library holding the
# identifiers, whose users see the generated header. The type library's path
# is left in the target property IDL_TLB for resource scripts.
find_program(WIDL_EXECUTABLE NAMES x86_64-w64-mingw32-widl widl REQUIRED)
set(WINE_IDL_INCLUDE /usr/include/wine/wine/windows)
set(WINE_TLB_PATH /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)

function(add_idl target idl)
  cmake_parse_arguments(ARG "" "" "IMPORTS" ${ARGN})
  get_filename_component(name ${idl} NAME_WE)
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  get_filename_component(idl_dir ${idl_abs} DIRECTORY)
  set(out ${CMAKE_CURRENT_BINARY_DIR})
  set(includes -I ${idl_dir} -I ${WINE_IDL_INCLUDE})
  foreach(dir IN LISTS ARG_IMPORTS)
    list(APPEND includes -I ${dir})
  endforeach()
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(target_bits -m32 --win32)
  else()
    set(target_bits -m64 --win64)
  endif()
  set(common ${includes} -L ${WINE_TLB_PATH} ${target_bits})
  add_custom_command(
    OUTPUT ${out}/${name}.h ${out}/${name}_i.c ${out}/${name}.tlb
    COMMAND ${WIDL_EXECUTABLE} ${common} -h -o ${out}/${name}.h ${idl_abs}
    COMMAND ${WIDL_EXECUTABLE} ${common} -u -o ${out}/${name}_i.c ${idl_abs}
    COMMAND ${WIDL_EXECUTABLE} ${common} -t -o ${out}/${name}.tlb ${idl_abs}
    DEPENDS ${idl_abs}
    COMMENT "widl ${name}.idl"
    VERBATIM)
  add_library(${target} STATIC ${out}/${name}_i.c ${out}/${name}.h)
  target_include_directories(${target} PUBLIC ${out})
  set_target_properties(${target} PROPERTIES IDL_TLB ${out}/${name}.tlb)
  add_custom_target(${target}_tlb DEPENDS ${out}/${name}.tlb)
  add_dependencies(${target} ${target}_tlb)
endfunction()
