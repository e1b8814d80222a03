# Precompiled headers: the Qt and standard headers most sources include,
# compiled once per kind of target and reused by every target of that kind.
#
#   varno_precompile_headers(<target> CORE|WIDGETS|TEST|GUI_TEST)
#
#   CORE      QtCore and the standard library: the QtCore-only libraries and
#             programs (and those that add QtGui or QtSerialPort, which the
#             QtCore headers do not look at)
#   WIDGETS   CORE and QtGui/QtWidgets: libraries and programs that link
#             Qt6::Widgets (tests/layers/check-layers.cmake refuses it to a
#             target that does not reach Qt6::Widgets through its links)
#   TEST      CORE and GoogleTest: test programs
#   GUI_TEST  WIDGETS and GoogleTest: test programs that link Qt6::Widgets
#
# Each kind's header is compiled in a small target of its own (varno_pch_<kind>)
# that links only the libraries of that kind, so that it carries only their
# compile definitions; the targets take its precompiled header with REUSE_FROM.
# Its compile options must be the targets' own: those that the fuzz build adds
# to some libraries (VARNO_FUZZ_INSTRUMENTED) get hosts compiled with the same
# options. QtTest stays out: its headers read QT_TESTCASE_BUILDDIR, which
# differs from folder to folder.
#
# VARNO_PCH=OFF builds without them (a source must still include what it uses:
# the headers below are no excuse to leave one out).
option(VARNO_PCH "Precompile the most included Qt and standard headers" ON)

# With ccache (CMAKE_CXX_COMPILER_LAUNCHER), what ccache needs of the compiler
# to cache compilations that use a precompiled header; ccache itself needs
# sloppiness = pch_defines,time_macros (see the README).
set(_varno_pch_ccache_options)
if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(_varno_pch_ccache_options -fpch-preprocess)
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(_varno_pch_ccache_options -Xclang -fno-pch-timestamp)
  endif()
endif()

set(VARNO_PCH_CORE_HEADERS
  <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash>
  <QList> <QMap> <QObject> <QRegularExpression> <QString> <QStringList> <QTimer>
  <algorithm> <array> <chrono> <cstdint> <cstdio> <functional> <map> <memory>
  <optional> <string> <string_view> <utility> <vector>)
set(VARNO_PCH_WIDGETS_HEADERS ${VARNO_PCH_CORE_HEADERS}
  <QApplication> <QComboBox> <QDateEdit> <QDialog> <QFrame> <QGuiApplication>
  <QKeyEvent> <QLabel> <QLineEdit> <QMenu> <QMouseEvent> <QPainter> <QPlainTextEdit>
  <QPushButton> <QScreen> <QScrollArea> <QScrollBar> <QTimeEdit> <QToolTip>
  <QVBoxLayout> <QWidget>)
set(_varno_pch_test_headers <gtest/gtest.h> <QProcess> <QTemporaryDir>)
set(VARNO_PCH_TEST_HEADERS ${VARNO_PCH_CORE_HEADERS} ${_varno_pch_test_headers})
set(VARNO_PCH_GUI_TEST_HEADERS ${VARNO_PCH_WIDGETS_HEADERS} ${_varno_pch_test_headers})

set(_varno_pch_libs_CORE Qt6::Core)
set(_varno_pch_libs_WIDGETS Qt6::Widgets)
set(_varno_pch_libs_TEST Qt6::Core GTest::gtest)
set(_varno_pch_libs_GUI_TEST Qt6::Widgets GTest::gtest)

# The libraries that carry libFuzzer's coverage counters in the fuzz build, and
# the option that puts them there (fuzz/CMakeLists.txt adds it).
set(VARNO_FUZZ_INSTRUMENTED text model link shell)
set(VARNO_FUZZ_INSTRUMENT_OPTIONS -fsanitize=fuzzer-no-link)

function(varno_precompile_headers target kind)
  if(NOT kind MATCHES "^(CORE|WIDGETS|TEST|GUI_TEST)$")
    message(FATAL_ERROR "varno_precompile_headers(${target} ${kind}): the kind is one of \
CORE, WIDGETS, TEST or GUI_TEST")
  endif()
  if(NOT VARNO_PCH)
    return()
  endif()
  # A Windows GUI program takes Qt's entry point, whose QT_NEEDS_QMAIN the
  # QtGui headers read: no shared header fits it (gcc refuses it, -Winvalid-pch).
  get_target_property(gui_program ${target} WIN32_EXECUTABLE)
  if(WIN32 AND gui_program)
    return()
  endif()
  set(host varno_pch_${kind})
  set(options ${_varno_pch_ccache_options})
  if(VARNO_FUZZ AND target IN_LIST VARNO_FUZZ_INSTRUMENTED)
    string(APPEND host _fuzz)
    list(APPEND options ${VARNO_FUZZ_INSTRUMENT_OPTIONS})
  endif()
  if(NOT TARGET ${host})
    set(source ${PROJECT_BINARY_DIR}/precompiled/${host}.cpp)
    if(NOT EXISTS ${source})
      file(WRITE ${source} "// Compiles the precompiled header ${host} shares.\n")
    endif()
    add_library(${host} OBJECT ${source})
    target_link_libraries(${host} PRIVATE ${_varno_pch_libs_${kind}})
    target_compile_options(${host} PRIVATE ${options})
    set_target_properties(${host} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    target_precompile_headers(${host} PRIVATE ${VARNO_PCH_${kind}_HEADERS})
  endif()
  target_compile_options(${target} PRIVATE ${_varno_pch_ccache_options})
  target_precompile_headers(${target} REUSE_FROM ${host})
  # Once the folder has added all its sources.
  cmake_language(EVAL CODE "cmake_language(DEFER CALL _varno_pch_skip_empty_moc [[${target}]])")
endfunction()

# AUTOMOC's mocs_compilation.cpp holds nothing where none of the headers it
# scans (those listed, and those beside a listed source with its name) declares
# a Q_OBJECT: there loading the precompiled header would be its whole cost.
function(_varno_pch_skip_empty_moc target)
  get_target_property(automoc ${target} AUTOMOC)
  if(NOT automoc)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    get_filename_component(source ${source} ABSOLUTE)
    string(REGEX REPLACE "\\.(cpp|h)$" ".h" header "${source}")
    if(header MATCHES "\\.h$" AND EXISTS ${header})
      file(STRINGS ${header} declares REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE" LIMIT_COUNT 1)
      if(declares)
        return()
      endif()
    endif()
  endforeach()
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
    PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()
