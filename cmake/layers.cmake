# The engine's layers, each a library linking only the layers below it: data, sim (the rules),
# view (what the rules show), shell (the window, the commands, the turn); then the kit the window
# backends share (platform/kit), which may include the four layers alone; and the backends over
# them (platform/headless, platform/qt, platform/win32, platform/web), each of which may include
# the four layers, the kit and its own folder alone. The contract suite (platform/contract) is the
# tests' alone: a backend's test program may include it, its shipping library may not. Linking
# alone would not catch an include against the layering, since every program links all of them,
# so each layer's files are also checked for what they include: an include from a higher layer
# fails the build.

set(TOWNWRIGHT_INCLUDE_CHECK ${CMAKE_CURRENT_LIST_DIR}/check_includes.cmake)

# townwright_layer(<target> ALLOWS <regex>): checks that every project include of the target's
# sources, and of the headers in their folders, matches <regex>.
function(townwright_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "ALLOWS" "")
  get_target_property(sources ${target} SOURCES)
  set(files)
  set(folders)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    cmake_path(GET source PARENT_PATH folder)
    list(APPEND files ${source})
    list(APPEND folders ${folder})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  foreach(folder IN LISTS folders)
    file(GLOB headers CONFIGURE_DEPENDS ${folder}/*.h)
    list(APPEND files ${headers})
  endforeach()
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.includes-checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} "-DFILES=${files}" "-DALLOWS=${LAYER_ALLOWS}" -DLAYER=${target}
            -P ${TOWNWRIGHT_INCLUDE_CHECK}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${files} ${TOWNWRIGHT_INCLUDE_CHECK}
    COMMENT "Checking the includes of ${target}"
    VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()
