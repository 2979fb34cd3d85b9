# The browser build's command-line programs (the engine's tests, the long-play test, townwright-sim
# and the turn timing) run under node, the emscripten toolchain's CMAKE_CROSSCOMPILING_EMULATOR. They
# compile their module synchronously (node's fetch cannot read a file path) and flush their output
# on exit.
set(node_options
  -sENVIRONMENT=node
  -sWASM_ASYNC_COMPILATION=0
  -sEXIT_RUNTIME=1
  -sALLOW_MEMORY_GROWTH=1)
foreach(program IN ITEMS townwright_tests townwright_soak townwright-sim townwright_turn_timing
                        townwright_control_layout)
  if(TARGET ${program})
    target_link_options(${program} PRIVATE ${node_options})
  endif()
endforeach()
if(TARGET townwright-sim)
  # The command-line parser reports bad input and --help by exceptions, which emscripten leaves out
  # unless asked. Its output goes to node's own file descriptors, so that a write that fails (a
  # full disk, a closed stdout) fails for the tool too instead of vanishing into a console.
  target_compile_options(townwright-sim PRIVATE -fexceptions)
  target_link_options(townwright-sim PRIVATE -fexceptions -sNODERAWFS=1)
endif()

