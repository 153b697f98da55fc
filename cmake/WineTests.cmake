# add_wine_test(<name> SOURCES ... [LIBS ...] [TIMEOUT s] [LABELS ...] [LOCKS ...])
# A GoogleTest program run by ctest under Wine, through scripts/wine-test.sh.
# LOCKS names shared resources (for example the product's registry keys) so
# that ctest never runs two tests that hold the same lock at once.
set(GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# Each test program runs in a Wine session of its own (scripts/wine-test.sh):
# its registry, COM registrations, services, display, pointer and foreground
# window and temporary folder (where the hook stand-in keeps its log) are its
# own, so locks on those are dropped and such tests run side by side. Locks
# on anything outside the prefix still hold.
set(WINE_SESSION_LOCKS com_registration product_registry kernel_switches fervix_handoff ombrel_settings quenlo_hosts
  hook_log)

function(add_wine_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;LOCKS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  # Resource scripts are embedded through embed_typelib, which makes what
  # they include rebuild them.
  set(sources ${ARG_SOURCES})
  list(FILTER sources EXCLUDE REGEX "\\.rc$")
  set(scripts ${ARG_SOURCES})
  list(FILTER scripts INCLUDE REGEX "\\.rc$")
  add_executable(${name} ${sources})
  foreach(script IN LISTS scripts)
    embed_typelib(${name} ${script})
  endforeach()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} test_support gmock gtest)
  # scripts/wine-test.sh runs the program under Wine: it starts again a
  # program that Wine ended before its main() ran, and shows the threads of
  # one still running shortly before the time-out.
  set_target_properties(${name} PROPERTIES
    CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-test.sh;${ARG_TIMEOUT}")
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
  if(ARG_LOCKS)
    list(REMOVE_ITEM ARG_LOCKS ${WINE_SESSION_LOCKS})
  endif()
  if(ARG_LOCKS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${ARG_LOCKS}")
  endif()
endfunction()
