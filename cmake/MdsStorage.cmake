# add_mds_storage(<target> OUTPUT <file.stg> SOURCES_DIR <folder>)
# Packs the "*.mds" table sources of the folder into the compound file at
# build time: the project's mdsstg tool runs under Wine in a prefix of its
# own. <target> is built by default and rebuilt when a source changes.
function(add_mds_storage target)
  cmake_parse_arguments(ARG "" "OUTPUT;SOURCES_DIR" "" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_SOURCES_DIR}/*.mds)
  get_filename_component(out_dir ${ARG_OUTPUT} DIRECTORY)
  add_custom_command(
    OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND ${CMAKE_COMMAND} -E env MDSSTG_WINEPREFIX=${CMAKE_BINARY_DIR}/toolprefix
            sh ${CMAKE_SOURCE_DIR}/tools/mdsstg/run-under-wine.sh
            $<TARGET_FILE:mdsstg> ${ARG_OUTPUT} ${ARG_SOURCES_DIR} ${ARG_OUTPUT}.log
    DEPENDS mdsstg ${sources} ${CMAKE_SOURCE_DIR}/tools/mdsstg/run-under-wine.sh
    COMMENT "mdsstg ${ARG_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
endfunction()
