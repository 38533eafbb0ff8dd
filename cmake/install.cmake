# Installing Vorlane like a desktop game: the program directory (the
# executable with its pictures and sounds, where "HS" is kept), a command
# that starts it, a desktop entry, the Earth icon at every size, AppStream
# metadata, a manual page, the copyright, the changelog and the replay
# file type. By default the program directory is lib/vorlane and the
# command bin/vorlane (for ~/.local); tools/make-deb picks Debian's places
# for games and has CPack make the package from the same rules. CPack
# refuses a Debian package of the default layout. The hall of fame's server
# is a component of its own, installed only when asked for by name
# (--component hall), and packed as vorlane-hall beside the game.

set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME game)
set(VORLANE_PROGRAM_DIR lib/vorlane CACHE STRING "Program directory, under the install prefix")
set(VORLANE_COMMAND_DIR bin CACHE STRING "Folder of the vorlane command, under the install prefix")
set(VORLANE_HOMEPAGE "" CACHE STRING
    "The project's public home, where docs/screenshot.png is served; the metadata's screenshot needs it")
set(VORLANE_RELEASE_DATE 2026-12-07)

add_executable(vorlane_icon ${CMAKE_CURRENT_SOURCE_DIR}/assets/write_icon.cpp)
target_link_libraries(vorlane_icon PRIVATE vorlane_resources)
target_compile_options(vorlane_icon PRIVATE -Wall -Wextra)
set(VORLANE_ICONS ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(VORLANE_ICON_STAMP ${VORLANE_ICONS}/256x256/apps/vorlane.png)
add_custom_command(OUTPUT ${VORLANE_ICON_STAMP} COMMAND vorlane_icon ${VORLANE_ICONS} DEPENDS vorlane_icon VERBATIM)

# The manual page and the changelog, compressed as Debian wants them: no
# name or time in the header, so the package comes out the same each time.
set(VORLANE_PACKAGING ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(VORLANE_DOCS ${CMAKE_CURRENT_BINARY_DIR}/docs)
foreach(name vorlane.6 vorlane-hall.1 changelog)
  add_custom_command(OUTPUT ${VORLANE_DOCS}/${name}.gz
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${VORLANE_DOCS}
                     COMMAND gzip -9nc ${VORLANE_PACKAGING}/${name} > ${VORLANE_DOCS}/${name}.gz
                     DEPENDS ${VORLANE_PACKAGING}/${name})
endforeach()
add_custom_target(vorlane_install_files ALL DEPENDS ${VORLANE_ICON_STAMP} ${VORLANE_DOCS}/vorlane.6.gz
                                                    ${VORLANE_DOCS}/vorlane-hall.1.gz ${VORLANE_DOCS}/changelog.gz)

set(VORLANE_METAINFO ${CMAKE_CURRENT_BINARY_DIR}/vorlane.metainfo.xml)
if(VORLANE_HOMEPAGE)
  set(VORLANE_HOMEPAGE_XML "<url type=\"homepage\">${VORLANE_HOMEPAGE}</url>")
  set(VORLANE_SCREENSHOTS_XML "<screenshots>
    <screenshot type=\"default\">
      <caption>A game in play: the formation marching over the bases</caption>
      <image>${VORLANE_HOMEPAGE}/docs/screenshot.png</image>
    </screenshot>
  </screenshots>")
endif()
configure_file(${VORLANE_PACKAGING}/vorlane.metainfo.xml.in ${VORLANE_METAINFO} @ONLY)

# The program finds its files beside its real path, so the command is a
# link to it.
set(VORLANE_LAUNCHER ${CMAKE_CURRENT_BINARY_DIR}/launcher/vorlane)
file(RELATIVE_PATH VORLANE_LAUNCHER_TARGET /prefix/${VORLANE_COMMAND_DIR} /prefix/${VORLANE_PROGRAM_DIR}/vorlane)
file(REMOVE ${VORLANE_LAUNCHER})
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher)
file(CREATE_LINK ${VORLANE_LAUNCHER_TARGET} ${VORLANE_LAUNCHER} SYMBOLIC)

install(TARGETS vorlane RUNTIME DESTINATION ${VORLANE_PROGRAM_DIR})
install(DIRECTORY ${VORLANE_BIN_DIR}/ DESTINATION ${VORLANE_PROGRAM_DIR} FILES_MATCHING PATTERN "*.bmp" PATTERN "*.wav")
install(FILES ${VORLANE_LAUNCHER} DESTINATION ${VORLANE_COMMAND_DIR})
install(FILES ${VORLANE_PACKAGING}/vorlane.desktop DESTINATION share/applications)
install(FILES ${VORLANE_PACKAGING}/vorlane-mime.xml DESTINATION share/mime/packages RENAME vorlane.xml)
install(DIRECTORY ${VORLANE_ICONS}/ DESTINATION share/icons/hicolor)
install(FILES ${VORLANE_METAINFO} DESTINATION share/metainfo RENAME invalid.vorlane.Vorlane.metainfo.xml)
install(FILES ${VORLANE_DOCS}/vorlane.6.gz DESTINATION share/man/man6)
install(FILES ${VORLANE_PACKAGING}/copyright ${VORLANE_DOCS}/changelog.gz DESTINATION share/doc/vorlane)

if(HALL_FOUND)
  include(${CMAKE_CURRENT_LIST_DIR}/install-hall.cmake)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlane)
set(CPACK_PACKAGE_CONTACT "The Vorlane team <team@vorlane.invalid>")
# One package a component: vorlane, and vorlane-hall when the hall is built.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game ${VORLANE_HALL_COMPONENT})
set(CPACK_DEBIAN_GAME_PACKAGE_NAME vorlane)
set(CPACK_DEBIAN_GAME_DESCRIPTION "arcade shooter: hold off thirty marching invaders
Thirty invaders march on the planet, step down at every turn and bomb as
they come. Your ship slides along the ground behind five bases and fires
one missile at a time; a mothership crosses the sky now and then for a
bonus that grows the closer to its middle you hit it. Between games the
window plays itself.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins")
# Qt's own plugin, to open the window natively on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# A package of any other layout is refused, with the way to make one.
configure_file(${CMAKE_CURRENT_LIST_DIR}/cpack-games-layout.cmake.in
               ${CMAKE_CURRENT_BINARY_DIR}/cpack-games-layout.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/cpack-games-layout.cmake)
include(CPack)
