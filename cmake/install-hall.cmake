# Installing the hall of fame's server, the component "hall" (the package
# vorlane-hall): the program in lib/vorlane-hall beside the game's six
# pictures, which its proofs play with, a vorlane-hall command leading to
# it, the systemd service, the manual page, the copyright and the
# changelog. Nothing of the desktop: the package depends only on what the
# server links, Qt's core and GUI libraries without widgets, libmicrohttpd,
# SQLite and libpq, and on the font the final pictures' status line is
# drawn in. It recommends ffmpeg, which makes the games' videos: a hall
# without it serves and proves all the same, and ffmpeg brings SDL.

set(VORLANE_HALL_COMPONENT hall)
set(VORLANE_HALL_LAUNCHER ${CMAKE_CURRENT_BINARY_DIR}/launcher-hall/vorlane-hall)
file(REMOVE ${VORLANE_HALL_LAUNCHER})
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher-hall)
file(CREATE_LINK ../lib/vorlane-hall/vorlane-hall ${VORLANE_HALL_LAUNCHER} SYMBOLIC)

install(TARGETS vorlane-hall RUNTIME DESTINATION lib/vorlane-hall COMPONENT hall EXCLUDE_FROM_ALL)
install(DIRECTORY ${VORLANE_BIN_DIR}/ DESTINATION lib/vorlane-hall COMPONENT hall EXCLUDE_FROM_ALL
        FILES_MATCHING PATTERN "*.bmp")
install(FILES ${VORLANE_HALL_LAUNCHER} DESTINATION bin COMPONENT hall EXCLUDE_FROM_ALL)
install(FILES ${VORLANE_PACKAGING}/vorlane-hall.service DESTINATION lib/systemd/system COMPONENT hall
        EXCLUDE_FROM_ALL)
install(FILES ${VORLANE_DOCS}/vorlane-hall.1.gz DESTINATION share/man/man1 COMPONENT hall EXCLUDE_FROM_ALL)
install(FILES ${VORLANE_PACKAGING}/copyright ${VORLANE_DOCS}/changelog.gz DESTINATION share/doc/vorlane-hall
        COMPONENT hall EXCLUDE_FROM_ALL)

set(CPACK_DEBIAN_HALL_PACKAGE_NAME vorlane-hall)
set(CPACK_DEBIAN_HALL_DESCRIPTION "hall of fame for Vorlane: proves replays and shows the best games
A web server that takes Vorlane's replays, proves each one by playing it
back in a child process with limits, keeps it, and shows the best games
on pages where every entry can be downloaded and watched again. Games are
ranked by what the playback found, on a board for each set of settings.
It runs as a systemd service on 127.0.0.1:8080, its database in
/var/lib/vorlane-hall.")
set(CPACK_DEBIAN_HALL_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_HALL_PACKAGE_RECOMMENDS "ffmpeg")
# A web server, not a game: its section is web.
set(CPACK_DEBIAN_HALL_PACKAGE_SECTION web)
