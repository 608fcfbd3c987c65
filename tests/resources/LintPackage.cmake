# Builds the Debian package in a folder of its own and runs lintian on it: no
# error and no warning may be left, nor the hardening and stripping it reports
# only as information.
set(folder ${BUILD_DIR}/package-check)
file(REMOVE_RECURSE ${folder})
execute_process(COMMAND cpack -G DEB -B ${folder} WORKING_DIRECTORY ${BUILD_DIR}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB package ${folder}/*.deb)
file(MAKE_DIRECTORY ${folder}/tmp)  # lintian leaves files in its temporary folder
execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${folder}/tmp
                        lintian --display-info --fail-on error,warning ${package}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL 0 OR output MATCHES "hardening-no-bindnow|binary-has-unneeded-section")
    message(FATAL_ERROR "lintian finds faults in ${package}")
endif()
