# The tests written in Python find the modules they share on one path: tools/ (drive, which drives
# the browsers and the desktop's windows) and platform/web/ (serve, the page's server). Every test
# that runs Python takes it from here; the scripts set the same for the tools they run
# (scripts/lib/prologue.sh).
set(TOWNWRIGHT_PYTHONPATH "${PROJECT_SOURCE_DIR}/tools:${PROJECT_SOURCE_DIR}/platform/web")

# townwright_python_tests(TEST...): the tests run with that path.
function(townwright_python_tests)
  set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT "PYTHONPATH=${TOWNWRIGHT_PYTHONPATH}")
endfunction()
