# The Windows build: every program lands in bin/ with the DLLs, plugins and
# translations it needs beside it, so that the build folder runs as it is
# (under Wine too) and installing copies the same set.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

get_target_property(_qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT _qt_core_dll)
  get_target_property(_qt_core_dll Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(_qt_bin ${_qt_core_dll} DIRECTORY)
get_filename_component(_qt_prefix ${_qt_bin} DIRECTORY)

set(VARNO_QT_DLLS Core Gui Widgets PrintSupport SerialPort Svg)
list(TRANSFORM VARNO_QT_DLLS PREPEND ${_qt_bin}/Qt6)
list(TRANSFORM VARNO_QT_DLLS APPEND .dll)
set(VARNO_QT_TEST_DLLS ${_qt_bin}/Qt6Test.dll)

set(VARNO_QT_PLUGINS
  platforms/qwindows.dll
  styles/qwindowsvistastyle.dll
  iconengines/qsvgicon.dll
  imageformats/qsvg.dll
)
# The tests run headless.
set(VARNO_QT_TEST_PLUGINS platforms/qoffscreen.dll platforms/qminimal.dll)

# MinGW's runtime, where the compiler has one (MSVC's comes with Windows).
set(VARNO_RUNTIME_DLLS)
if(MINGW)
  foreach(_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
      OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${_path}" OR NOT EXISTS "${_path}")
      find_file(_path_${_dll} ${_dll} PATHS /usr/x86_64-w64-mingw32/lib NO_DEFAULT_PATH)
      set(_path ${_path_${_dll}})
    endif()
    if(NOT EXISTS "${_path}")
      message(FATAL_ERROR "MinGW runtime ${_dll} not found")
    endif()
    list(APPEND VARNO_RUNTIME_DLLS ${_path})
  endforeach()
endif()

# The toolkit's own French and Spanish texts (Yes/No, file dialogs): the same
# files on every platform, from Debian's qt6-translations-l10n when cross
# building, else from the Qt in use.
find_path(VARNO_QT_TRANSLATIONS_DIR qtbase_fr.qm
  PATHS ${_qt_prefix}/translations /usr/share/qt6/translations
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
set(VARNO_QT_TRANSLATIONS)
if(VARNO_QT_TRANSLATIONS_DIR)
  set(VARNO_QT_TRANSLATIONS
    ${VARNO_QT_TRANSLATIONS_DIR}/qtbase_fr.qm ${VARNO_QT_TRANSLATIONS_DIR}/qtbase_es.qm)
else()
  message(WARNING "qtbase_fr.qm not found (install qt6-translations-l10n): English-only toolkit")
endif()

# Beside the programs in the build folder.
file(COPY ${VARNO_QT_DLLS} ${VARNO_QT_TEST_DLLS} ${VARNO_RUNTIME_DLLS}
  DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
foreach(_plugin ${VARNO_QT_PLUGINS} ${VARNO_QT_TEST_PLUGINS})
  get_filename_component(_folder ${_plugin} DIRECTORY)
  file(COPY ${_qt_prefix}/plugins/${_plugin} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${_folder})
endforeach()
if(VARNO_QT_TRANSLATIONS)
  file(COPY ${VARNO_QT_TRANSLATIONS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/translations)
endif()

# And in what is installed: the programs' own folder holds everything.
install(FILES ${VARNO_QT_DLLS} ${VARNO_RUNTIME_DLLS} DESTINATION .)
foreach(_plugin ${VARNO_QT_PLUGINS})
  get_filename_component(_folder ${_plugin} DIRECTORY)
  install(FILES ${_qt_prefix}/plugins/${_plugin} DESTINATION ${_folder})
endforeach()
if(VARNO_QT_TRANSLATIONS)
  install(FILES ${VARNO_QT_TRANSLATIONS} DESTINATION translations)
endif()

# The application icon and version information of a program (a .rc file).
function(varno_windows_resources target description)
  set(VARNO_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/varno-programmer.ico)
  set(VARNO_RC_NAME ${target})
  set(VARNO_RC_DESCRIPTION ${description})
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/varno.rc.in
    ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
