# Shared precompiled headers.
#
# Most of what a unit of this build reads is the headers of Qt, GoogleTest
# and the standard library (measured on a test program: parsing is two
# thirds of its compile). They are compiled once into a precompiled header
# and every target that can use it reuses that one, instead of parsing them
# again in each of the hundred units.
#
# A precompiled header serves only units compiled with the options it was
# made with, and may include only headers of libraries its target links: so
# there is one for each of plain C++, Qt Core and Qt Widgets, for the
# libraries and programs (optimised) and for the test programs (built
# without optimisation, and with GoogleTest). Targets that set their own
# code-generation options are compiled as before. Were
# the header still refused (the compiler warns "-Winvalid-pch"), the unit
# reads the same headers as text: slower, never wrong.

option(TESSALY_PRECOMPILED_HEADERS "Share precompiled Qt and standard headers between targets" ON)

set(tessaly_precompiled_headers_std
  <algorithm> <array> <chrono> <cstdint> <cstring> <functional> <map> <memory>
  <optional> <set> <span> <string> <string_view> <utility> <vector>)
set(tessaly_precompiled_headers_core ${tessaly_precompiled_headers_std}
  <QtCore/QByteArray> <QtCore/QObject> <QtCore/QString> <QtCore/QTimer>)
set(tessaly_precompiled_headers_widgets ${tessaly_precompiled_headers_core}
  <QtGui/QImage> <QtGui/QPainter> <QtWidgets/QApplication> <QtWidgets/QWidget>)
set(tessaly_precompiled_libraries_core Qt6::Core)
set(tessaly_precompiled_libraries_widgets Qt6::Widgets)

# The target holding the precompiled header of KIND (std, core or widgets)
# for tests (GoogleTest's header added, compiled with TEST_OPTIONS) or not,
# made when first asked for.
function(tessaly_precompiled_headers_host kind tests out)
  set(name tessaly_precompiled_${kind})
  set(headers ${tessaly_precompiled_headers_${kind}})
  if(tests)
    string(APPEND name _tests)
  endif()
  if(NOT TARGET ${name})
    add_library(${name} OBJECT ${PROJECT_SOURCE_DIR}/cmake/precompiled_headers.cpp)
    target_link_libraries(${name} PRIVATE ${tessaly_precompiled_libraries_${kind}})
    if(tests)
      target_link_libraries(${name} PRIVATE GTest::gtest)
      target_compile_options(${name} PRIVATE ${TESSALY_TEST_COMPILE_OPTIONS})
      list(PREPEND headers <gtest/gtest.h>)
    endif()
    target_precompile_headers(${name} PRIVATE ${headers})
    set_target_properties(${name} PROPERTIES UNITY_BUILD OFF)
  endif()
  set(${out} ${name} PARENT_SCOPE)
endfunction()

# Whether TARGET links LIBRARY, directly or through the libraries it links.
function(tessaly_links_library target library out)
  set(seen)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue item)
    if(item IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${item})
    if(item STREQUAL library)
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
    if(NOT TARGET ${item})
      continue()
    endif()
    get_target_property(aliased ${item} ALIASED_TARGET)
    if(aliased)
      list(APPEND queue ${aliased})
    endif()
    get_target_property(type ${item} TYPE)
    set(links)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${item} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${item} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link IN LISTS links)
      # "$<LINK_ONLY:Qt6::Core>" and the like name a library too.
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(NOT link MATCHES "^\\$<")
        list(APPEND queue ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

# Every target declared in DIR and the folders below it.
function(tessaly_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    tessaly_targets_below(${subdir} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Lets every C++ target below DIR reuse the precompiled header that fits
# what it links. TESTS: the test programs, which must link GoogleTest to
# take one.
function(tessaly_reuse_precompiled_headers dir)
  cmake_parse_arguments(PARSE_ARGV 1 arg "TESTS" "" "")
  if(NOT TESSALY_PRECOMPILED_HEADERS)
    return()
  endif()
  tessaly_targets_below(${dir} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    # A target with its own code-generation options is compiled as it asks;
    # one that links nothing (a skin's pictures) reads no library header.
    get_target_property(options ${target} COMPILE_OPTIONS)
    get_target_property(links ${target} LINK_LIBRARIES)
    if(options MATCHES "(^|;)-(ffp-contract|fno-exceptions|fsanitize|m)" OR NOT links)
      continue()
    endif()
    if(arg_TESTS)
      tessaly_links_library(${target} GTest::gtest gtest)
      tessaly_links_library(${target} GTest::gtest_main gtest_main)
      if(NOT gtest AND NOT gtest_main)
        continue()
      endif()
    endif()
    # Qt's libraries compile their users as position-independent code,
    # which a precompiled header must match: those linking only Qt Core
    # cannot take the plain one.
    set(kind std)
    tessaly_links_library(${target} Qt6::Widgets widgets)
    tessaly_links_library(${target} Qt6::Core core)
    if(widgets)
      set(kind widgets)
    elseif(core)
      set(kind core)
    endif()
    tessaly_precompiled_headers_host(${kind} "${arg_TESTS}" host)
    target_precompile_headers(${target} REUSE_FROM ${host})
  endforeach()
endfunction()
