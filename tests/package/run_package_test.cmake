# Installs the build into a temporary prefix, then uses that copy as a
# consumer would: builds examples/qt-form with find_package(TorbCbo) and runs
# it offscreen, builds a host of the SQLite fill with
# find_package(TorbCbo COMPONENTS Sqlite) and with pkg-config, and a host
# without Qt with pkg-config. An application loads a Designer form with the
# installed plugin and uses its controls. A project that adds the source tree
# with add_subdirectory configures without SQLite too.
#   -DBUILD_DIR -DSOURCE_DIR -DWORK_DIR -DCXX -DGENERATOR -DDESIGNER (plugin built)
#   -DSHARED (the libraries are shared)
function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${ARGV}")
    message(FATAL_ERROR "${command}\nexit ${status}\n${out}\n${err}")
  endif()
  message(STATUS "${out}")
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

foreach(expected include/torb_cbo/cbo_varno_widget.hpp include/torb_cbo/control/cbo_varno.hpp
                 include/torb_cbo/sqlite/sqlite_fill.hpp include/torb_cbo/qt_sql/fill_from_query.hpp
                 include/torb_cbo/fill/buffered_fill.hpp)
  if(NOT EXISTS ${prefix}/${expected})
    message(FATAL_ERROR "the installed copy lacks ${expected}")
  endif()
endforeach()

# The installed headers are exactly those docs/api.md lists.
file(GLOB_RECURSE installed RELATIVE ${prefix}/include ${prefix}/include/*.hpp)
file(READ ${SOURCE_DIR}/docs/api.md api)
string(REGEX MATCH "<!-- installed headers -->.*<!-- end of installed headers -->" listed_text "${api}")
string(REGEX MATCHALL "`torb_cbo/[^`]+\\.hpp`" listed "${listed_text}")
string(REPLACE "`" "" listed "${listed}")
list(SORT installed)
list(SORT listed)
if(NOT installed STREQUAL listed)
  message(FATAL_ERROR "docs/api.md lists the headers\n  ${listed}\nbut the package installs\n  ${installed}")
endif()

file(GLOB_RECURSE plugin ${prefix}/libtorb_cbo_designer.so)
if(DESIGNER AND NOT plugin)
  message(FATAL_ERROR "the installed copy lacks the Designer plugin under <libdir>/qt6/plugins/designer")
endif()
if(SHARED)
  foreach(library torb_cbo torb_cbo_qt)
    file(GLOB_RECURSE found ${prefix}/lib${library}.so)
    if(NOT found)
      message(FATAL_ERROR "the installed copy lacks the shared library lib${library}.so")
    endif()
  endforeach()
endif()

# add_subdirectory in a project without GoogleTest, Google Benchmark or
# SQLite: configures, brings neither tests nor benchmarks along, and leaves
# the SQLite fill out.
file(WRITE ${WORK_DIR}/parent/CMakeLists.txt "cmake_minimum_required(VERSION 3.25)
project(parent LANGUAGES CXX)
add_subdirectory(${SOURCE_DIR} torb_cbo)
add_executable(form ${SOURCE_DIR}/examples/qt-form/main.cpp ${SOURCE_DIR}/examples/qt-form/form.ui)
set_target_properties(form PROPERTIES AUTOMOC ON AUTOUIC ON)
target_link_libraries(form PRIVATE TorbCbo::Qt)
if(TARGET TorbCbo::Sqlite)
  message(FATAL_ERROR \"TorbCbo::Sqlite is there without SQLite\")
endif()
")
run(${CMAKE_COMMAND} -S ${WORK_DIR}/parent -B ${WORK_DIR}/parent/build -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
    -DCMAKE_DISABLE_FIND_PACKAGE_SQLite3=ON)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/parent/build --target help OUTPUT_VARIABLE targets)
foreach(unwanted test_table cbo_bench cbo-demo cbo_sqlite)
  string(FIND "${targets}" "${unwanted}:" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "add_subdirectory brought ${unwanted} along")
  endif()
endforeach()

# The example, with CMake.
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/qt-form -B ${WORK_DIR}/qt-form -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/qt-form)
set(ENV{QT_QPA_PLATFORM} offscreen)
run(${WORK_DIR}/qt-form/qt-form --check)

# A form made in Designer loaded with QUiLoader and the installed plugin, by
# an application that links TorbCbo::Qt: it finds the plugin's controls as
# its own class, fills one and picks a row.
if(DESIGNER AND SHARED)
  get_filename_component(plugin_dir ${plugin} DIRECTORY)
  file(WRITE ${WORK_DIR}/ui-form/CMakeLists.txt "cmake_minimum_required(VERSION 3.25)
project(ui_form LANGUAGES CXX)
find_package(TorbCbo CONFIG REQUIRED COMPONENTS Qt)
find_package(Qt6 REQUIRED COMPONENTS UiTools Test)
add_executable(ui-form-app ${SOURCE_DIR}/tests/widget/designer/ui_form_app.cpp)
target_link_libraries(ui-form-app PRIVATE TorbCbo::Qt Qt6::UiTools Qt6::Test)
")
  run(${CMAKE_COMMAND} -S ${WORK_DIR}/ui-form -B ${WORK_DIR}/ui-form/build -G ${GENERATOR}
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX})
  run(${CMAKE_COMMAND} --build ${WORK_DIR}/ui-form/build)
  run(${WORK_DIR}/ui-form/build/ui-form-app ${plugin_dir} ${SOURCE_DIR}/tests/widget/designer/form.ui)
endif()

# A host of the SQLite fill, with CMake: the Sqlite component alone.
file(WRITE ${WORK_DIR}/sqlite-cmake/CMakeLists.txt "cmake_minimum_required(VERSION 3.25)
project(sqlite_smoke LANGUAGES CXX)
find_package(TorbCbo CONFIG REQUIRED COMPONENTS Sqlite)
if(TARGET TorbCbo::Qt)
  message(FATAL_ERROR \"TorbCbo::Qt was loaded though only Sqlite was asked for\")
endif()
add_executable(sqlite-smoke ${SOURCE_DIR}/tests/package/sqlite_smoke.cpp)
target_link_libraries(sqlite-smoke PRIVATE TorbCbo::Sqlite)
")
run(${CMAKE_COMMAND} -S ${WORK_DIR}/sqlite-cmake -B ${WORK_DIR}/sqlite-cmake/build -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/sqlite-cmake/build)
run(${WORK_DIR}/sqlite-cmake/build/sqlite-smoke ${WORK_DIR}/sqlite-cmake/towns.db)

# A component that was not built is refused with the reason.
file(WRITE ${WORK_DIR}/missing/CMakeLists.txt "cmake_minimum_required(VERSION 3.25)
project(missing LANGUAGES CXX)
find_package(TorbCbo CONFIG REQUIRED COMPONENTS Postgres)
")
execute_process(COMMAND ${CMAKE_COMMAND} -S ${WORK_DIR}/missing -B ${WORK_DIR}/missing/build -G ${GENERATOR}
                        -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(status EQUAL 0 OR NOT err MATCHES "Postgres")
  message(FATAL_ERROR "find_package(TorbCbo COMPONENTS Postgres) did not fail naming it:\n${out}\n${err}")
endif()

# A host without Qt, with pkg-config.
file(GLOB pc_dirs ${prefix}/lib*/pkgconfig ${prefix}/lib/*/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "${pc_dirs}")
execute_process(COMMAND pkg-config --cflags --libs torb_cbo OUTPUT_VARIABLE flags RESULT_VARIABLE status
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pkg-config does not find torb_cbo in ${pc_dirs}")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
# A copy outside the loader's folders: the host carries the path to it.
execute_process(COMMAND pkg-config --variable=libdir torb_cbo OUTPUT_VARIABLE libdir OUTPUT_STRIP_TRAILING_WHITESPACE)
list(APPEND flags -Wl,-rpath,${libdir})
run(${CXX} ${SOURCE_DIR}/tests/package/core_smoke.cpp ${flags} -o ${WORK_DIR}/core-smoke)
run(${WORK_DIR}/core-smoke)
execute_process(COMMAND pkg-config --cflags --libs torb_cbo_sqlite OUTPUT_VARIABLE flags RESULT_VARIABLE status
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pkg-config does not find torb_cbo_sqlite in ${pc_dirs}")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
list(APPEND flags -Wl,-rpath,${libdir})
run(${CXX} ${SOURCE_DIR}/tests/package/sqlite_smoke.cpp ${flags} -o ${WORK_DIR}/sqlite-smoke)
run(${WORK_DIR}/sqlite-smoke ${WORK_DIR}/towns.db)
run(pkg-config --exists --print-errors torb_cbo_qt)
