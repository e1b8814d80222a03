# The Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varno-programmer)
set(CPACK_PACKAGE_VENDOR VARNO)
set(CPACK_PACKAGE_CONTACT "VARNO <support@varno-audio.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "programming tool of the VARNO Quillon MP3 message player")
set(CPACK_PACKAGE_DESCRIPTION [=[
The VARNO Quillon is a stand-alone MP3 message player: it plays MP3 files and
switches outputs according to up to 255 programs held in its memory, started
by its eight inputs or by a timer (on a date, every day or on one weekday).

VARNO Programmer composes those programs in a window: a schedule and up to
six actions each (play a file or a directory, sleep, a transport command, a
volume, an output, a jump to another program). It saves them as project files
and transmits them to the player over an RS232 line, or receives them back,
in French, English or Spanish.

The package also holds varno-cli, which checks project files and runs the
transfers from scripts, and a player emulator for tests and demonstrations.]=])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://varno-audio.example/")
# Qt's libraries come from the programs themselves; the fonts the panels are
# drawn with and the toolkit's own translations are read at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows/CPackWindows.cmake)
endif()
include(CPack)
