# What `cmake --install` lays down and what a player downloads, made by CPack. Included at the end
# of the top CMakeLists.txt, once the program is defined, when TOWNWRIGHT_PACKAGING is on:
# - Linux (the Qt program): townwright in games/, its desktop entry, icons, AppStream metainfo and
#   manual page; CPack makes the Debian package townwright_VERSION_ARCH.deb, which adds Debian's
#   copyright file and changelog.
# - Windows: townwright.exe, README.txt and LICENSE.txt in one folder; CPack makes the zip
#   townwright-VERSION-windows-x86_64.zip and the installer townwright-VERSION-windows-x86_64-setup.exe.
# - The web page: the site folder; CPack makes the zip townwright-VERSION-web.zip.
# Nothing else is installed: townwright-sim and the test and measuring programs stay in the build.
if(NOT TARGET townwright AND NOT TARGET townwright_web)
  return()
endif()

include(GNUInstallDirs)

set(TOWNWRIGHT_APP_ID io.github.townwright.Townwright)
set(TOWNWRIGHT_HOMEPAGE https://github.com/townwright/townwright)
# Where a software centre fetches the README's screenshots.
set(TOWNWRIGHT_RAW_FILES https://raw.githubusercontent.com/townwright/townwright/main)
set(texts ${PROJECT_BINARY_DIR}/packaging)

set(CPACK_PACKAGE_NAME townwright)
set(CPACK_PACKAGE_VENDOR "${TOWNWRIGHT_COPYRIGHT_HOLDER}")
set(CPACK_PACKAGE_CONTACT "${TOWNWRIGHT_COPYRIGHT_HOLDER} <townwright@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based civic management game")
set(CPACK_PACKAGE_HOMEPAGE_URL ${TOWNWRIGHT_HOMEPAGE})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_VERBATIM_VARIABLES ON)
# Files at the top of the zip: unpacked, they make one folder, not a folder in a folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The same bytes in every package made from one commit (when SOURCE_DATE_EPOCH is set): the one
# place where the downloads are made reproducible.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/reproducible_packages.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/reproducible_packages.cmake)

# The "How to play" text is written once, in docs/how-to-play.md, and the news once, in NEWS; the
# manual page, the metainfo, the Debian changelog and the zip's README.txt are made of them.
file(READ ${PROJECT_SOURCE_DIR}/docs/how-to-play.md TOWNWRIGHT_HOW_TO_PLAY)
# What changed in this version, for the manual page and README.txt: the items of NEWS's newest
# entry as NEWS writes them, " * " and the lines that continue them, which read as a list both in
# plain text and in Markdown. (Strings, not lists: a news item may hold a semicolon.)
file(READ ${PROJECT_SOURCE_DIR}/NEWS news)
string(FIND "${news}" "\nVersion " next_entry)
string(SUBSTRING "${news}" 0 ${next_entry} news)
# Without its heading, its date and its sections' names ("Features:"), and blank lines.
string(REGEX REPLACE "^Version [^\n]*\n~+\nReleased: [^\n]*\n" "" news "${news}")
string(REGEX REPLACE "\n[A-Za-z]+:\n" "\n" news "${news}")
string(REGEX REPLACE "\n\n+" "\n" news "${news}")
string(STRIP "${news}" TOWNWRIGHT_NEWS)
if(NOT TOWNWRIGHT_NEWS MATCHES "^\\* ")
  message(FATAL_ERROR "NEWS's newest entry has no items")
endif()
set(TOWNWRIGHT_NEWS " ${TOWNWRIGHT_NEWS}")
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/NEWS ${PROJECT_SOURCE_DIR}/docs/how-to-play.md
             ${PROJECT_SOURCE_DIR}/LICENSE)

if(EMSCRIPTEN)
  # The site folder's files at the top of the zip, as a web server serves them, with the modes
  # they were built with (the linker's module is executable), as the downloads always had.
  get_target_property(site townwright_web RUNTIME_OUTPUT_DIRECTORY)
  install(DIRECTORY ${site}/ DESTINATION . USE_SOURCE_PERMISSIONS COMPONENT site)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-web)
elseif(NOT WIN32)
  set(linux ${PROJECT_SOURCE_DIR}/packaging/linux)
  # Debian installs games in /usr/games, and the default PATH has /usr/local/games as well.
  set(TOWNWRIGHT_INSTALL_GAMESDIR games CACHE STRING "Where townwright goes, relative to the prefix")
  install(TARGETS townwright RUNTIME DESTINATION ${TOWNWRIGHT_INSTALL_GAMESDIR} COMPONENT game)
  install(FILES ${linux}/${TOWNWRIGHT_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT game)
  install(FILES ${linux}/${TOWNWRIGHT_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT game)
  install(FILES ${linux}/${TOWNWRIGHT_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps COMPONENT game)
  install(FILES ${linux}/48x48/${TOWNWRIGHT_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps COMPONENT game)

  # Debian's tools: go-md2man, appstreamcli and Debian's own Python with python3-markdown (not
  # whichever python3 comes first on PATH).
  find_program(TOWNWRIGHT_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
  find_program(TOWNWRIGHT_APPSTREAMCLI appstreamcli REQUIRED)
  find_program(TOWNWRIGHT_GO_MD2MAN go-md2man REQUIRED)
  find_program(TOWNWRIGHT_GZIP gzip REQUIRED)

  # The metainfo: the description is how-to-play as HTML, and appstreamcli fills the empty
  # <releases> from NEWS.
  execute_process(COMMAND ${TOWNWRIGHT_PYTHON} -m markdown ${PROJECT_SOURCE_DIR}/docs/how-to-play.md
                  OUTPUT_VARIABLE TOWNWRIGHT_HOW_TO_PLAY_HTML OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
  configure_file(${linux}/${TOWNWRIGHT_APP_ID}.metainfo.xml.in
                 ${texts}/${TOWNWRIGHT_APP_ID}.metainfo-without-releases.xml @ONLY)
  execute_process(COMMAND ${TOWNWRIGHT_APPSTREAMCLI} news-to-metainfo --format text
                          ${PROJECT_SOURCE_DIR}/NEWS
                          ${texts}/${TOWNWRIGHT_APP_ID}.metainfo-without-releases.xml
                          ${texts}/${TOWNWRIGHT_APP_ID}.metainfo.xml
                  COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${texts}/${TOWNWRIGHT_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT game)

  # Debian's changelog (from the metainfo's releases) and copyright file (around LICENSE's text);
  # this gives the newest entry's date. (scripts/release checks that the entry is this version's.)
  execute_process(COMMAND ${TOWNWRIGHT_PYTHON} ${linux}/debian_files.py
                          ${texts}/${TOWNWRIGHT_APP_ID}.metainfo.xml ${PROJECT_SOURCE_DIR}/LICENSE
                          ${CPACK_PACKAGE_NAME} "${CPACK_PACKAGE_CONTACT}"
                          ${TOWNWRIGHT_HOMEPAGE} ${texts}/debian
                  OUTPUT_VARIABLE TOWNWRIGHT_RELEASE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${linux}/debian_files.py)

  # The manual page: its Markdown source with how-to-play as its HOW TO PLAY section, made roff
  # by go-md2man. It and the changelog are compressed, as Debian's policy wants, without a name
  # or a time in the gzip header.
  configure_file(${linux}/townwright.6.md ${texts}/townwright.6.md @ONLY)
  add_custom_command(OUTPUT ${texts}/townwright.6
                     COMMAND ${TOWNWRIGHT_GO_MD2MAN} -in ${texts}/townwright.6.md
                             -out ${texts}/townwright.6
                     DEPENDS ${texts}/townwright.6.md VERBATIM)
  foreach(text townwright.6 debian/changelog)
    add_custom_command(OUTPUT ${texts}/${text}.gz
                       COMMAND ${TOWNWRIGHT_GZIP} -9 -n -k -f ${texts}/${text}
                       DEPENDS ${texts}/${text} VERBATIM)
  endforeach()
  add_custom_target(townwright_packaging_texts ALL
                    DEPENDS ${texts}/townwright.6.gz ${texts}/debian/changelog.gz)
  install(FILES ${texts}/townwright.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)
  # Only in the package: `cmake --install` leaves them out.
  install(FILES ${texts}/debian/copyright ${texts}/debian/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_PACKAGE_NAME}
          COMPONENT debian EXCLUDE_FROM_ALL)

  set(CPACK_GENERATOR DEB)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL game debian)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_NAME ${CPACK_PACKAGE_NAME})
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Qt's Wayland plugin, so that on a Wayland desktop the window is the compositor's own rather
  # than X's through XWayland (sharp at any scale); without it the game still plays on XWayland.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
  # CPack puts the summary above it as the synopsis.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Townwright is a single-player, turn-based civic management game played in one
window. Eight indicators with their 30-turn trends show how the town fares;
each turn offers nine choices that build, halt or reactivate civic projects,
and three tax boxes set the income, sales and property tax.

One press of a choice button is one turn, one day of the town's calendar.
There is no score, no bankruptcy and no end, and nothing is ever saved.")
else()
  # Everything in one folder, as a player unpacks or installs it; texts with Windows' line ends.
  install(TARGETS townwright RUNTIME DESTINATION . COMPONENT game)
  string(REGEX REPLACE "." "=" TOWNWRIGHT_UNDERLINE "Townwright ${PROJECT_VERSION}")
  # configure_file sets the line ends of the template's lines, not of the text put into them.
  # The Markdown of how-to-play is plain text: it uses nothing a reader would see as markup.
  string(REPLACE "\n" "\r\n" TOWNWRIGHT_HOW_TO_PLAY "${TOWNWRIGHT_HOW_TO_PLAY}")
  string(REPLACE "\n" "\r\n" TOWNWRIGHT_NEWS "${TOWNWRIGHT_NEWS}")
  string(REGEX REPLACE "." "-" TOWNWRIGHT_NEWS_UNDERLINE "What is new in ${PROJECT_VERSION}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${texts}/README.txt @ONLY
                 NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${texts}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${texts}/README.txt ${texts}/LICENSE.txt DESTINATION . COMPONENT game)

  set(CPACK_GENERATOR ZIP NSIS)
  set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x86_64)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Townwright)
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Townwright)
  # The game's window, which the installer and the uninstaller wait for while a game runs: its
  # caption as the game writes it.
  file(STRINGS ${PROJECT_SOURCE_DIR}/shell/main_window.h caption REGEX "kWindowCaption = \"")
  string(REGEX REPLACE ".*kWindowCaption = \"([^\"]*)\".*" "\\1" CPACK_TOWNWRIGHT_WINDOW_CAPTION
         "${caption}")
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${PROJECT_SOURCE_DIR}/shell/main_window.h)
  set(CPACK_NSIS_PACKAGE_NAME Townwright)
  set(CPACK_NSIS_DISPLAY_NAME Townwright)
  set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/townwright.ico)
  set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
  set(CPACK_NSIS_INSTALLED_ICON_NAME townwright.exe)
  set(CPACK_NSIS_URL_INFO_ABOUT ${TOWNWRIGHT_HOMEPAGE})
  set(CPACK_NSIS_HELP_LINK ${TOWNWRIGHT_HOMEPAGE}/issues)
  # The installer's own script (per user, no administrator rights) and the "-setup" in its name.
  list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/windows/cpack_options.cmake)
endif()

include(CPack)

if(NOT TOWNWRIGHT_BUILD_TESTS)
  return()
endif()
set(tests ${PROJECT_SOURCE_DIR}/packaging/tests)
if(NOT WIN32 AND NOT EMSCRIPTEN)
  # What cmake --install lays down, and the validators' word on it; the Debian package: its
  # contents, lintian's word, and installed, run and purged with apt-get (as root).
  add_test(NAME townwright_install_files
    COMMAND ${tests}/install_test.sh ${PROJECT_BINARY_DIR} ${TOWNWRIGHT_APP_ID}
            ${TOWNWRIGHT_INSTALL_GAMESDIR} ${PROJECT_VERSION})
  add_test(NAME townwright_deb_package
    COMMAND ${tests}/deb_test.sh ${PROJECT_BINARY_DIR} ${TOWNWRIGHT_APP_ID})
  add_test(NAME townwright_deb_install
    COMMAND ${tests}/deb_install_test.sh ${PROJECT_BINARY_DIR} ${TOWNWRIGHT_APP_ID})
  set_tests_properties(townwright_install_files townwright_deb_package townwright_deb_install
                       PROPERTIES TIMEOUT 300)
  set_tests_properties(townwright_deb_package PROPERTIES FIXTURES_SETUP deb)
  set_tests_properties(townwright_deb_install PROPERTIES FIXTURES_REQUIRED deb SKIP_RETURN_CODE 77)
  townwright_python_tests(townwright_deb_install)
elseif(CMAKE_CROSSCOMPILING)
  # The zip: its three files at the top, its texts with Windows' line ends.
  add_test(NAME townwright_windows_zip COMMAND ${tests}/zip_test.sh ${PROJECT_BINARY_DIR})
  # The installer under Wine: a silent install, the installed game played and ended, a silent
  # uninstall that leaves the user's files and registry as they were, and leaves another program
  # beside the game alone.
  add_test(NAME townwright_installer
    COMMAND ${tests}/installer_test.sh ${PROJECT_BINARY_DIR}
            $<TARGET_FILE:townwright_exe_tests>)
  # In a Wine prefix of its own; it plays a window, so not beside the other window tests.
  set_tests_properties(townwright_installer PROPERTIES RESOURCE_LOCK desktop TIMEOUT 600)
endif()
