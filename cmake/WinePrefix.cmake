# The Windows build's tests run under Wine in one prefix of the build folder,
# made afresh once per test run: the CTest fixture wine_prefix sets it up
# (scripts/wine-prefix) before the first test that needs it and stops its
# wineserver after the last, whether the tests passed or not.
# ruler_run_in_wine_prefix(test...) gives tests the prefix, Wine's quiet
# settings and the fixture, and the label windows.
find_program(RULER_WINESERVER wineserver REQUIRED)

set(RULER_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(RULER_WINE_ENVIRONMENT
    WINEPREFIX=${RULER_WINE_PREFIX} WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=")

add_test(NAME wine_prefix_setup
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix ${RULER_WINE_PREFIX})
# -k fails where the server has already gone by itself; -w waits until it has.
add_test(NAME wine_prefix_stop
    COMMAND sh -c "\"$0\" -k; \"$0\" -w" ${RULER_WINESERVER})
set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine_prefix LABELS windows)
set_tests_properties(wine_prefix_stop PROPERTIES
    FIXTURES_CLEANUP wine_prefix LABELS windows ENVIRONMENT "${RULER_WINE_ENVIRONMENT}")

function(ruler_run_in_wine_prefix)
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT ${RULER_WINE_ENVIRONMENT})
    set_property(TEST ${ARGN} APPEND PROPERTY LABELS windows)
    set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED wine_prefix)
endfunction()
