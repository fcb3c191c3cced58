# Runs one scenario through cbo-script and compares its output with NAME.out
# (and its exit status with NAME.status when that file exists, else 0).
get_filename_component(dir ${SCENARIO} DIRECTORY)
get_filename_component(base ${SCENARIO} NAME_WE)
execute_process(COMMAND ${SCRIPT} ${SCENARIO}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(expected_status 0)
if(EXISTS ${dir}/${base}.status)
  file(READ ${dir}/${base}.status expected_status)
  string(STRIP "${expected_status}" expected_status)
endif()
file(READ ${dir}/${base}.out expected)
if(NOT "${status}" STREQUAL "${expected_status}")
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\nstderr:\n${err}\nstdout:\n${out}")
endif()
if(NOT "${out}" STREQUAL "${expected}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${base}.actual "${out}")
  execute_process(COMMAND diff -u ${dir}/${base}.out ${CMAKE_CURRENT_BINARY_DIR}/${base}.actual
                  OUTPUT_VARIABLE diff)
  message(FATAL_ERROR "output differs from ${base}.out:\n${diff}\nstderr:\n${err}")
endif()
