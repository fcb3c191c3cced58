# The package a consumer uses, from an installed copy (find_package(TorbCbo))
# or from add_subdirectory:
#   TorbCbo::Core  libtorb_cbo.a     the control on the headless platform, no Qt
#   TorbCbo::Qt    libtorb_cbo_qt.a  the widget CboVarnoWidget and the Qt platform
# Each archive is made of the objects the layers already compiled. Consumers
# include <torb_cbo/...> from a public include tree whose headers include one
# another under torb_cbo/ (cmake/public_header.cmake).

set(cbo_public_dir ${PROJECT_BINARY_DIR}/include)
set(cbo_public_headers "")

# Rules that copy the headers of `dir` into include/torb_cbo/`dest`, and
# install them there.
function(cbo_publish_headers dir dest)
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.hpp)
  foreach(header ${headers})
    get_filename_component(name ${header} NAME)
    set(out ${cbo_public_dir}/torb_cbo/${dest}${name})
    add_custom_command(OUTPUT ${out}
                       COMMAND ${CMAKE_COMMAND} -DIN=${header} -DOUT=${out}
                               -P ${PROJECT_SOURCE_DIR}/cmake/public_header.cmake
                       DEPENDS ${header} ${PROJECT_SOURCE_DIR}/cmake/public_header.cmake
                       COMMENT "Public header torb_cbo/${dest}${name}" VERBATIM)
    list(APPEND cbo_public_headers ${out})
    install(FILES ${out} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/torb_cbo/${dest} COMPONENT Development)
  endforeach()
  set(cbo_public_headers ${cbo_public_headers} PARENT_SCOPE)
endfunction()

foreach(dir platform platform/headless list list/table control grid)
  cbo_publish_headers(${dir} ${dir}/)
endforeach()

add_library(torb_cbo STATIC
            $<TARGET_OBJECTS:cbo_platform> $<TARGET_OBJECTS:cbo_table> $<TARGET_OBJECTS:cbo_list>
            $<TARGET_OBJECTS:cbo_grid> $<TARGET_OBJECTS:cbo_control> $<TARGET_OBJECTS:cbo_headless>)
set_target_properties(torb_cbo PROPERTIES LINKER_LANGUAGE CXX EXPORT_NAME Core)
target_compile_features(torb_cbo INTERFACE cxx_std_20)
target_include_directories(torb_cbo INTERFACE $<BUILD_INTERFACE:${cbo_public_dir}>
                                              $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
add_library(TorbCbo::Core ALIAS torb_cbo)
set(cbo_package_targets torb_cbo)

if(TARGET cbo_widget)
  # The widget's public header goes to the top of the tree:
  # <torb_cbo/cbo_varno_widget.hpp>.
  set(widget_headers ${PROJECT_SOURCE_DIR}/widget/cbo_varno_widget.hpp)
  foreach(header ${widget_headers})
    get_filename_component(name ${header} NAME)
    set(out ${cbo_public_dir}/torb_cbo/${name})
    add_custom_command(OUTPUT ${out}
                       COMMAND ${CMAKE_COMMAND} -DIN=${header} -DOUT=${out}
                               -P ${PROJECT_SOURCE_DIR}/cmake/public_header.cmake
                       DEPENDS ${header} ${PROJECT_SOURCE_DIR}/cmake/public_header.cmake
                       COMMENT "Public header torb_cbo/${name}" VERBATIM)
    list(APPEND cbo_public_headers ${out})
    install(FILES ${out} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/torb_cbo COMPONENT Development)
  endforeach()

  add_library(torb_cbo_qt STATIC $<TARGET_OBJECTS:cbo_qt> $<TARGET_OBJECTS:cbo_widget>)
  set_target_properties(torb_cbo_qt PROPERTIES LINKER_LANGUAGE CXX EXPORT_NAME Qt)
  target_link_libraries(torb_cbo_qt PUBLIC torb_cbo Qt6::Widgets)
  add_library(TorbCbo::Qt ALIAS torb_cbo_qt)
  list(APPEND cbo_package_targets torb_cbo_qt)
endif()

add_custom_target(cbo_public_headers ALL DEPENDS ${cbo_public_headers})
foreach(target ${cbo_package_targets})
  add_dependencies(${target} cbo_public_headers)
endforeach()

# --- Installation ---
include(CMakePackageConfigHelpers)
set(cbo_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/TorbCbo)
install(TARGETS ${cbo_package_targets} EXPORT TorbCboTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
install(EXPORT TorbCboTargets NAMESPACE TorbCbo:: DESTINATION ${cbo_cmake_dir} COMPONENT Development)
set(TORB_CBO_WITH_QT OFF)
if(TARGET torb_cbo_qt)
  set(TORB_CBO_WITH_QT ON)
endif()
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TorbCboConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/TorbCboConfig.cmake INSTALL_DESTINATION ${cbo_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TorbCboConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TorbCboConfig.cmake ${PROJECT_BINARY_DIR}/TorbCboConfigVersion.cmake
        DESTINATION ${cbo_cmake_dir} COMPONENT Development)

# pkg-config: torb_cbo and torb_cbo_qt, found relative to where they are, so
# that a copy installed with --prefix elsewhere works too.
file(RELATIVE_PATH cbo_pc_to_prefix /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${PROJECT_SOURCE_DIR}/cmake/torb_cbo.pc.in ${PROJECT_BINARY_DIR}/torb_cbo.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/torb_cbo.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
        COMPONENT Development)
if(TARGET torb_cbo_qt)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/torb_cbo_qt.pc.in ${PROJECT_BINARY_DIR}/torb_cbo_qt.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/torb_cbo_qt.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
          COMPONENT Development)
endif()
