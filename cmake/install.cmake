# Installing Vorlane like a desktop game: the program directory (the
# executable with its pictures and sounds, where "HS" is kept) in
# lib/vorlane, a bin/vorlane that starts it, a desktop entry and the Earth
# icon. CPack makes a Debian package from the same rules.

add_executable(vorlane_icon ${CMAKE_CURRENT_SOURCE_DIR}/assets/write_icon.cpp
                            ${CMAKE_CURRENT_SOURCE_DIR}/resources/earth_icon.cpp)
target_include_directories(vorlane_icon PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(vorlane_icon PRIVATE Qt6::Gui)
set(VORLANE_ICON ${CMAKE_CURRENT_BINARY_DIR}/vorlane.png)
add_custom_command(OUTPUT ${VORLANE_ICON} COMMAND vorlane_icon ${VORLANE_ICON} DEPENDS vorlane_icon VERBATIM)
add_custom_target(vorlane_icon_file ALL DEPENDS ${VORLANE_ICON})

# The program finds its files beside its real path, so the command in
# bin/ is a link to it.
set(VORLANE_LAUNCHER ${CMAKE_CURRENT_BINARY_DIR}/launcher/vorlane)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher)
file(CREATE_LINK ../lib/vorlane/vorlane ${VORLANE_LAUNCHER} SYMBOLIC)

install(TARGETS vorlane RUNTIME DESTINATION lib/vorlane)
install(DIRECTORY ${VORLANE_BIN_DIR}/ DESTINATION lib/vorlane FILES_MATCHING PATTERN "*.bmp" PATTERN "*.wav")
install(FILES ${VORLANE_LAUNCHER} DESTINATION bin)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/vorlane.desktop DESTINATION share/applications)
install(FILES ${VORLANE_ICON} DESTINATION share/icons/hicolor/32x32/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlane)
set(CPACK_PACKAGE_CONTACT "The Vorlane team <team@vorlane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Arcade shooter: hold off thirty marching invaders")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
