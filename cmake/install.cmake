# Install rules: where a Linux desktop looks for each file. Paths follow
# GNUInstallDirs, so `cmake --install build --prefix /usr/local` works too.
include(GNUInstallDirs)

set(TALVOR_SHARE ${CMAKE_INSTALL_FULL_DATADIR}/talvorstart)
set(TALVOR_ICON_SIZES 16 32 48 64 128)
set(dist ${PROJECT_SOURCE_DIR}/dist)
set(gen ${CMAKE_BINARY_DIR}/dist)

# Dates for the man page, the changelog and the release entry; SOURCE_DATE_EPOCH
# keeps them reproducible.
string(TIMESTAMP MAN_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${dist}/linux/changelog.in ${gen}/changelog @ONLY)
configure_file(${dist}/linux/${TALVOR_APP_ID}.metainfo.xml ${gen}/${TALVOR_APP_ID}.metainfo.xml @ONLY)

find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${gen}/changelog.gz
  COMMAND ${GZIP} -9nc ${gen}/changelog > ${gen}/changelog.gz
  DEPENDS ${gen}/changelog
  VERBATIM)

set(icon_pngs "")
foreach(size IN LISTS TALVOR_ICON_SIZES)
  list(APPEND icon_pngs ${gen}/icons/${size}x${size}/apps/${TALVOR_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
  COMMAND render-icons ${gen}/icons ${TALVOR_APP_ID} ${TALVOR_ICON_SIZES}
  DEPENDS render-icons
  VERBATIM)
add_custom_command(OUTPUT ${gen}/README.md.gz
  COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/README.md > ${gen}/README.md.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/README.md
  VERBATIM)
add_custom_target(talvor_install_files ALL DEPENDS ${gen}/changelog.gz ${gen}/README.md.gz ${icon_pngs})

install(TARGETS talvorstart RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The demo backup program: the sample batch file starts it, so that a first
# start right after the install shows a whole run.
install(TARGETS demo-backup RUNTIME DESTINATION lib/talvorstart)
install(FILES ${CMAKE_BINARY_DIR}/stage/talvorstart.hlp ${dist}/linux/talvorstart-autostart.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/talvorstart)
# Where `systemctl --user enable` finds them; not in lib/<multiarch>.
install(FILES ${dist}/linux/talvorstart.service ${dist}/linux/talvorstart.timer DESTINATION lib/systemd/user)
# The sample names the demo by its installed path, known at install time.
# Executable, so that a copy in ~/.config/TalvorStart/ runs itself.
install(CODE "
  file(READ ${dist}/TalvorStart.bat sample)
  string(REPLACE \"demo=/usr/lib/talvorstart/\" \"demo=\${CMAKE_INSTALL_PREFIX}/lib/talvorstart/\" sample \"\${sample}\")
  file(WRITE ${gen}/TalvorStart.bat \"\${sample}\")
")
install(PROGRAMS ${gen}/TalvorStart.bat DESTINATION ${CMAKE_INSTALL_DATADIR}/talvorstart)
# The desktop entry names the program by its installed path, which KWin
# needs to grant it what it types with; known at install time.
install(CODE "
  set(TALVOR_BINARY \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/talvorstart\")
  configure_file(${dist}/linux/${TALVOR_APP_ID}.desktop ${gen}/${TALVOR_APP_ID}.desktop @ONLY)
")
install(FILES ${gen}/${TALVOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${gen}/${TALVOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The man page names the installed folders, so it is written at install
# time, when the prefix is known (the package's /usr, or --prefix).
install(CODE "
  set(PROJECT_VERSION ${PROJECT_VERSION})
  set(MAN_DATE ${MAN_DATE})
  set(TALVOR_SHARE \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/talvorstart\")
  set(TALVOR_APPLICATIONS \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
  set(TALVOR_PKGLIB \"\${CMAKE_INSTALL_PREFIX}/lib/talvorstart\")
  set(TALVOR_USER_UNITS \"\${CMAKE_INSTALL_PREFIX}/lib/systemd/user\")
  set(TALVOR_APP_ID ${TALVOR_APP_ID})
  configure_file(${dist}/linux/talvorstart.1 ${gen}/man/talvorstart.1 @ONLY)
  execute_process(COMMAND ${GZIP} -9nf ${gen}/man/talvorstart.1 COMMAND_ERROR_IS_FATAL ANY)
")
install(FILES ${gen}/man/talvorstart.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
foreach(size IN LISTS TALVOR_ICON_SIZES)
  install(FILES ${gen}/icons/${size}x${size}/apps/${TALVOR_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${dist}/linux/talvorstart.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TALVOR_APP_ID}.svg)
# The GNOME Shell extension that lets the program reach other windows on
# GNOME (Wayland); the shell looks for system-wide ones here.
install(DIRECTORY ${dist}/gnome-shell/talvorstart@example.talvorstart
        DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/extensions)
# Named after the package, not the project, as Debian wants it.
install(FILES ${dist}/linux/copyright ${gen}/changelog.gz ${gen}/README.md.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/talvorstart)
