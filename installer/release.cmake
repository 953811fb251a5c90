# The release's names, defined once. The installer script and the end-to-end
# tests both read them from files generated here.
set(RELEASE_NAME Tarnwick)
set(RELEASE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
set(RELEASE_FILE_VERSION ${PROJECT_VERSION})
set(RELEASE_SETUP_FILE ${RELEASE_NAME}-${RELEASE_VERSION}-setup.exe)
set(RELEASE_ZIP_FILE ${RELEASE_NAME}-${RELEASE_VERSION}.zip)
set(RELEASE_UNINSTALLER Tarnwick-uninstall.exe)
