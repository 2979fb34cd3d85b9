# Run by CPack before and after it packs (CPACK_PRE_BUILD_SCRIPTS, CPACK_POST_BUILD_SCRIPTS) when
# SOURCE_DATE_EPOCH is set, as scripts/release sets it, so that packages made from one commit
# hold the same bytes whenever, wherever and by whomever they are made:
# - before: every file and folder to be packed gets that time;
# - after: a zip is packed again with its entries sorted by name, dated that time, without the
#   extra fields that would record the packer's user and group.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  return()
endif()
set(epoch $ENV{SOURCE_DATE_EPOCH})

if(NOT DEFINED CPACK_PACKAGE_FILES)
  find_program(touch_program touch REQUIRED)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
  execute_process(COMMAND ${touch_program} -h -d @${epoch} "${CPACK_TEMPORARY_INSTALL_DIRECTORY}"
                          ${entries}
                  COMMAND_ERROR_IS_FATAL ANY)
  return()
endif()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.zip$")
    continue()
  endif()
  find_program(touch_program touch REQUIRED)
  find_program(zip_program zip REQUIRED)
  set(unpacked "${CPACK_TOPLEVEL_DIRECTORY}/reproducible-zip")
  file(REMOVE_RECURSE "${unpacked}")
  file(MAKE_DIRECTORY "${unpacked}")
  file(ARCHIVE_EXTRACT INPUT "${package}" DESTINATION "${unpacked}")
  file(GLOB_RECURSE files RELATIVE "${unpacked}" "${unpacked}/*")
  list(SORT files)
  list(TRANSFORM files PREPEND "${unpacked}/" OUTPUT_VARIABLE paths)
  execute_process(COMMAND ${touch_program} -h -d @${epoch} ${paths} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE "${package}")
  # Info-ZIP writes DOS times in the local zone: UTC makes them the same everywhere.
  set(ENV{TZ} UTC)
  execute_process(COMMAND ${zip_program} -X -D -q "${package}" ${files}
                  WORKING_DIRECTORY "${unpacked}" COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${unpacked}")
endforeach()
