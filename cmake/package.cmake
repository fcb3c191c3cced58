# The package a consumer uses, from an installed copy (find_package(TorbCbo))
# or from add_subdirectory:
#   TorbCbo::Core    libtorb_cbo.so         the control on the headless platform and
#                                           the fill from rows in memory; no dependency
#   TorbCbo::Sqlite  libtorb_cbo_sqlite.so  the fill from SQLite databases, on SQLite's
#                                           C library (when it is found)
#   TorbCbo::Qt      libtorb_cbo_qt.so      the widget CboVarnoWidget, the Qt platform and
#                                           the fill from Qt SQL queries, on Qt 6 Widgets and Sql
# Shared libraries (CBO_SHARED), each linking the one below it, so that a
# process holds one copy of the control and of the widget however many
# modules (the application, the Designer plugin) use them; static archives
# (.a) with CBO_SHARED=OFF. Each library is made of the objects the layers
# already compiled; every symbol of them is exported (the installed headers
# declare interfaces that hosts implement and types they catch). Consumers
# include <torb_cbo/...> from a public include tree whose headers include one
# another under torb_cbo/ (cmake/public_header.cmake). Each archive is a
# component of the installed package with a targets file of its own, so that
# a consumer of Core needs neither SQLite nor Qt.

set(cbo_public_dir ${PROJECT_BINARY_DIR}/include)
set(cbo_public_headers "")

# A rule that copies one header into include/torb_cbo/`dest`, and installs it
# there.
function(cbo_publish_header header dest)
  get_filename_component(name ${header} NAME)
  set(out ${cbo_public_dir}/torb_cbo/${dest}${name})
  add_custom_command(OUTPUT ${out}
                     COMMAND ${CMAKE_COMMAND} -DIN=${header} -DOUT=${out}
                             -P ${PROJECT_SOURCE_DIR}/cmake/public_header.cmake
                     DEPENDS ${header} ${PROJECT_SOURCE_DIR}/cmake/public_header.cmake
                     COMMENT "Public header torb_cbo/${dest}${name}" VERBATIM)
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/torb_cbo/${dest} COMPONENT Development)
  set(cbo_public_headers ${cbo_public_headers} ${out} PARENT_SCOPE)
endfunction()

# The headers a host includes: the control, its type description and
# enumerations, the process state it shares, the platform seam a host
# implements (windows, widgets, the container and its property bag), the
# headless platform, the errors, the settings file and the fills. The package
# installs these and every project header they include, and nothing else, so
# an internal header is no promise to consumers (docs/api.md lists them).
set(cbo_public_roots
    control/cbo_varno.hpp control/enumerations.hpp control/type_library.hpp grid/process_state.hpp
    platform/platform.hpp platform/window.hpp platform/widgets.hpp platform/data_grid.hpp platform/container.hpp
    platform/error.hpp platform/property_file.hpp platform/headless/headless.hpp
    list/row_source.hpp list/table/live_recordset.hpp fill/buffered_fill.hpp fill/row_buffer.hpp)

# `roots` and every header of the project they include, directly or not.
function(cbo_header_closure out)
  set(todo ${ARGN})
  set(done "")
  while(todo)
    list(POP_FRONT todo header)
    if(header IN_LIST done)
      continue()
    endif()
    list(APPEND done ${header})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${header})
    file(STRINGS ${PROJECT_SOURCE_DIR}/${header} includes REGEX "^#include \"")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      if(EXISTS ${PROJECT_SOURCE_DIR}/${included})
        list(APPEND todo ${included})
      endif()
    endforeach()
  endwhile()
  list(SORT done)
  set(${out} ${done} PARENT_SCOPE)
endfunction()

# One archive of the package: `name` made of the objects of `layers`, known to
# consumers as TorbCbo::`export_name`.
function(cbo_package_library name export_name)
  set(objects "")
  foreach(layer ${ARGN})
    list(APPEND objects $<TARGET_OBJECTS:${layer}>)
  endforeach()
  if(CBO_SHARED)
    add_library(${name} SHARED ${objects})
    # Installed side by side: each finds the one it links in its own folder.
    set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION}.0
                          SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR} INSTALL_RPATH "$ORIGIN")
    # A library that misses a dependency fails to link here, not in a consumer.
    if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT CBO_SANITIZE AND NOT CBO_FUZZ)
      target_link_options(${name} PRIVATE LINKER:--no-undefined)
    endif()
  else()
    add_library(${name} STATIC ${objects})
  endif()
  set_target_properties(${name} PROPERTIES LINKER_LANGUAGE CXX EXPORT_NAME ${export_name})
  target_include_directories(${name} INTERFACE $<BUILD_INTERFACE:${cbo_public_dir}>
                                               $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  add_library(TorbCbo::${export_name} ALIAS ${name})
endfunction()

cbo_header_closure(cbo_core_headers ${cbo_public_roots})
foreach(header ${cbo_core_headers})
  get_filename_component(dir ${header} DIRECTORY)
  cbo_publish_header(${PROJECT_SOURCE_DIR}/${header} ${dir}/)
endforeach()
cbo_package_library(torb_cbo Core cbo_platform cbo_table cbo_list cbo_grid cbo_control cbo_headless cbo_fill)
target_compile_features(torb_cbo INTERFACE cxx_std_20)
set(cbo_package_components Core)

if(TARGET cbo_sqlite)
  cbo_publish_header(${PROJECT_SOURCE_DIR}/sqlite/sqlite_fill.hpp sqlite/)
  cbo_publish_header(${PROJECT_SOURCE_DIR}/sqlite/live_sqlite.hpp sqlite/)
  cbo_package_library(torb_cbo_sqlite Sqlite cbo_sqlite)
  target_link_libraries(torb_cbo_sqlite PUBLIC torb_cbo SQLite::SQLite3)
  list(APPEND cbo_package_components Sqlite)
endif()

if(TARGET cbo_widget)
  # The widget's public header goes to the top of the tree:
  # <torb_cbo/cbo_varno_widget.hpp>.
  cbo_publish_header(${PROJECT_SOURCE_DIR}/widget/cbo_varno_widget.hpp "")
  cbo_publish_header(${PROJECT_SOURCE_DIR}/qt_sql/fill_from_query.hpp qt_sql/)
  cbo_package_library(torb_cbo_qt Qt cbo_qt cbo_qt_sql cbo_widget)
  target_link_libraries(torb_cbo_qt PUBLIC torb_cbo Qt6::Widgets Qt6::Gui Qt6::Sql)
  # Live lists on QSQLITE register their folding through SQLite's library.
  set(cbo_qt_requires "torb_cbo Qt6Widgets Qt6Sql")
  if(TARGET torb_cbo_sqlite)
    target_link_libraries(torb_cbo_qt PUBLIC torb_cbo_sqlite)
    set(cbo_qt_requires "torb_cbo torb_cbo_sqlite Qt6Widgets Qt6Sql")
  endif()
  list(APPEND cbo_package_components Qt)
endif()

add_custom_target(cbo_public_headers ALL DEPENDS ${cbo_public_headers})

# --- Installation: per component its archive, its targets file and its
# pkg-config file (torb_cbo, torb_cbo_sqlite, torb_cbo_qt), the pkg-config
# files found relative to where they are, so that a copy installed with
# --prefix elsewhere works too. ---
include(CMakePackageConfigHelpers)
set(cbo_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/TorbCbo)
file(RELATIVE_PATH cbo_pc_to_prefix /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
foreach(component ${cbo_package_components})
  if(component STREQUAL "Core")
    set(target torb_cbo)
  else()
    string(TOLOWER ${component} lower)
    set(target torb_cbo_${lower})
  endif()
  add_dependencies(${target} cbo_public_headers)
  install(TARGETS ${target} EXPORT TorbCbo${component}Targets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development)
  install(EXPORT TorbCbo${component}Targets NAMESPACE TorbCbo:: DESTINATION ${cbo_cmake_dir}
          COMPONENT Development)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${target}.pc.in ${PROJECT_BINARY_DIR}/${target}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${target}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
          COMPONENT Development)
endforeach()
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TorbCboConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/TorbCboConfig.cmake INSTALL_DESTINATION ${cbo_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TorbCboConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TorbCboConfig.cmake ${PROJECT_BINARY_DIR}/TorbCboConfigVersion.cmake
        DESTINATION ${cbo_cmake_dir} COMPONENT Development)
