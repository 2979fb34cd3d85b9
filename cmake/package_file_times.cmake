# Run by CPack between laying the files out and packing them: when SOURCE_DATE_EPOCH is set, every
# file and folder to be packed gets that time, so that packages made from one commit at different
# times hold the same bytes.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  return()
endif()
find_program(touch_program touch)
if(NOT touch_program)
  message(WARNING "no touch program: the packages keep the files' build times")
  return()
endif()
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
execute_process(COMMAND ${touch_program} -h -d @$ENV{SOURCE_DATE_EPOCH}
                        "${CPACK_TEMPORARY_INSTALL_DIRECTORY}" ${entries}
                COMMAND_ERROR_IS_FATAL ANY)
