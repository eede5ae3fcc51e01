# `make package`: a .deb of what the install rules put in place, in build/.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talvorstart)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Talvor Start developers")
set(CPACK_PACKAGE_CONTACT "Talvor Start developers <support@talvorstart.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "starts the backup program and runs today's backup job")
set(CPACK_PACKAGE_DESCRIPTION
    "Talvor Start runs one backup each time it is started, for example at login.
It starts the batch file TalvorStart.bat, which starts the backup program,
waits while it opens, brings its window to the front and picks today's
backup job by keystrokes from a weekday and day-of-month schedule. Then it
starts the job, notes the date and closes by itself.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES OFF)  # cmake/deb-strip.cmake strips harder
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb-strip.cmake)
# cpack reads SOURCE_DATE_EPOCH for the files' times in the archive.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/cpack-epoch.cmake)
file(WRITE ${CMAKE_BINARY_DIR}/cpack-epoch.cmake "set(ENV{SOURCE_DATE_EPOCH} \"${TALVOR_SOURCE_DATE_EPOCH}\")\n")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Talvor Start developers <support@talvorstart.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.talvorstart.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
