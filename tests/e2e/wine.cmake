# The Windows program under Wine (win64 preset): the desktop cases that matter on Windows, with a Windows
# click recorder, each on a private Xvfb with openbox. One Wine prefix is made per test run; the cases
# share it one at a time.
find_program(QUORVEL_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

add_executable(quorvel_win_recorder win_recorder.cpp)
target_compile_definitions(quorvel_win_recorder PRIVATE UNICODE _UNICODE)
target_link_libraries(quorvel_win_recorder PRIVATE gdi32 user32 quorvel_warnings)

set(prefix ${CMAKE_CURRENT_BINARY_DIR}/wineprefix)
# The backend contract runs in the same prefix.
set(QUORVEL_WINE_PREFIX ${prefix} CACHE INTERNAL "")
set(cases ${CMAKE_CURRENT_SOURCE_DIR}/wine_cases.py)
add_test(NAME e2e.wine.prefix COMMAND ${QUORVEL_PYTHON3} ${cases} --make-prefix ${prefix})
add_test(NAME e2e.wine.prefix_gone COMMAND ${CMAKE_COMMAND} -E rm -rf ${prefix})
set_tests_properties(e2e.wine.prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 180 LABELS "e2e;wine")
set_tests_properties(e2e.wine.prefix_gone PROPERTIES FIXTURES_CLEANUP wine_prefix LABELS "e2e;wine")
# The shared scenarios, first start and a run's clicks again at 150 %, and the cases of Windows alone.
function(quorvel_add_wine_e2e name script)
  add_test(NAME e2e.wine.${name}
           COMMAND ${QUORVEL_PYTHON3} ${script} ${ARGN} --quorvel $<TARGET_FILE:quorvel>
                   --recorder $<TARGET_FILE:quorvel_win_recorder> --prefix ${prefix})
  set_tests_properties(e2e.wine.${name} PROPERTIES FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK wine_prefix
                       TIMEOUT 90 LABELS "e2e;wine")
endfunction()
foreach(case IN LISTS QUORVEL_E2E_SHARED_TESTS)
  quorvel_add_wine_e2e(${case} ${CMAKE_CURRENT_SOURCE_DIR}/${case}.py)
endforeach()
foreach(case first_start run_clicks)
  quorvel_add_wine_e2e(${case}.dpi144 ${CMAKE_CURRENT_SOURCE_DIR}/${case}.py --dpi 144)
endforeach()
foreach(case failed_save installed)
  quorvel_add_wine_e2e(${case} ${cases} ${case})
endforeach()
