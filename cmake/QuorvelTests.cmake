# Registers a GoogleTest executable with ctest, every case as a test of its own, so that a skipped case is
# counted as skipped. LABEL puts every entry under these ctest labels.
#
# Under an emulator (Wine) the program runs once, as the test <target>.run, and each case reports its
# result from that run (cmake/gtest_cases.py). The cases are listed when ctest starts, once per build of
# the program, so that building never needs Wine. RUN_COMMAND runs the program some other way than
# `emulator program` (on a display, say) and PROPERTIES are further properties of every case (here) or of
# <target>.run (under an emulator).
function(quorvel_register_gtest target)
  cmake_parse_arguments(ARG "" "" "LABEL;RUN_COMMAND;PROPERTIES" ${ARGN})
  if(NOT CMAKE_CROSSCOMPILING)
    include(GoogleTest)
    set(properties ${ARG_PROPERTIES})
    if(ARG_LABEL)
      list(APPEND properties LABELS ${ARG_LABEL})
    endif()
    if(properties)
      set(properties PROPERTIES ${properties})
    endif()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES ${properties})
    return()
  endif()

  find_program(QUORVEL_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
  set(cases_py ${PROJECT_SOURCE_DIR}/cmake/gtest_cases.py)
  set(results ${CMAKE_CURRENT_BINARY_DIR}/${target}_results.json)
  set(listing ${CMAKE_CURRENT_BINARY_DIR}/${target}_cases.txt)
  set(program $<TARGET_FILE:${target}>)
  set(run_command ${ARG_RUN_COMMAND})
  if(NOT run_command)
    set(run_command ${CMAKE_CROSSCOMPILING_EMULATOR} ${program})
  endif()

  # A Windows program takes a path without a drive letter as relative; Wine's drive Z: is the root.
  set(results_as ${results})
  if(WIN32)
    string(REPLACE "/" "\\" results_as "Z:${results}")
  endif()
  add_test(NAME ${target}.run COMMAND ${QUORVEL_PYTHON3} ${cases_py} run ${results} ${results_as} ${run_command})
  set_tests_properties(${target}.run PROPERTIES FIXTURES_SETUP ${target}_results ${ARG_PROPERTIES})
  if(ARG_LABEL)
    set_tests_properties(${target}.run PROPERTIES LABELS "${ARG_LABEL}")
  endif()

  string(JOIN " " lister ${QUORVEL_PYTHON3} ${cases_py} list "${listing}" ${CMAKE_CROSSCOMPILING_EMULATOR} "${program}")
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_cases.cmake)
  file(GENERATE OUTPUT ${script} CONTENT "\
if(EXISTS \"${program}\" AND (NOT EXISTS \"${listing}\" OR \"${program}\" IS_NEWER_THAN \"${listing}\"))
  execute_process(COMMAND ${lister} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    file(REMOVE \"${listing}\")
  endif()
endif()
if(EXISTS \"${listing}\")
  file(STRINGS \"${listing}\" cases)
else()
  set(cases ${target}_cases_not_listed)
endif()
foreach(case IN LISTS cases)
  add_test(\"\${case}\" ${QUORVEL_PYTHON3} ${cases_py} report \"${results}\" \"\${case}\")
  set_tests_properties(\"\${case}\" PROPERTIES FIXTURES_REQUIRED ${target}_results
                       SKIP_REGULAR_EXPRESSION \"\\\\[  SKIPPED \\\\]\" LABELS \"${ARG_LABEL}\")
endforeach()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()
