# The Windows installer (NSIS, makensis) and the portable zip: cpack in the
# Windows build folder. Both carry the same folder: the programs, the Qt DLLs
# and plugins, MinGW's runtime, the toolkit's French and Spanish texts and the
# user's guide.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_SYSTEM_NAME win64)
# The programs sit at the top of the install folder (not /usr as in the Debian package).
set(CPACK_PACKAGING_INSTALL_PREFIX "")
set(CPACK_PACKAGE_FILE_NAME VarnoProgrammer-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "VARNO Programmer")
set(CPACK_PACKAGE_EXECUTABLES varno-programmer "VARNO Programmer")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# The zip unpacks into one folder of its own: a portable copy, which keeps its
# settings beside its programs.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

set(_icon ${PROJECT_SOURCE_DIR}/packaging/windows/varno-programmer.ico)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "VARNO Programmer ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME "VARNO Programmer")
set(CPACK_NSIS_MUI_ICON ${_icon})
set(CPACK_NSIS_MUI_UNIICON ${_icon})
set(CPACK_NSIS_INSTALLED_ICON_NAME varno-programmer.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MENU_LINKS "doc/guide.md" "VARNO Programmer user's guide")
# Project files open in the programmer (its command line takes the file).
# CPack writes these lines into a CMake string unescaped: backslashes doubled,
# no double quotes (NSIS's ${U+22} stands for one), \$ before a brace.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  WriteRegStr HKCR '.prg' '' 'VarnoProgrammer.Project'
  WriteRegStr HKCR 'VarnoProgrammer.Project' '' 'VARNO Programmer project'
  WriteRegStr HKCR 'VarnoProgrammer.Project\\DefaultIcon' '' '$INSTDIR\\varno-programmer.exe,0'
  WriteRegStr HKCR 'VarnoProgrammer.Project\\shell\\open\\command' '' '\${U+22}$INSTDIR\\varno-programmer.exe\${U+22} \${U+22}%1\${U+22}'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  ReadRegStr $0 HKCR '.prg' ''
  StrCmp $0 'VarnoProgrammer.Project' 0 +2
  DeleteRegKey HKCR '.prg'
  DeleteRegKey HKCR 'VarnoProgrammer.Project'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
# CMake's own NSIS template, made for a 64-bit installer (Target amd64-unicode).
list(PREPEND CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
