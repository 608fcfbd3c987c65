# Builds each probe and checks the outcome the probe expects; then checks that
# no source of app/ or preview/ names a C library header that sits on the
# system's include path, where the build cannot hide it.
set(failures)
foreach(probe IN LISTS PROBES)
    string(REPLACE ":" ";" parts "${probe}")
    list(GET parts 0 target)
    list(GET parts 1 outcome)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(outcome STREQUAL "compiles" AND NOT status EQUAL 0)
        list(APPEND failures "${target} should compile:\n${output}")
    elseif(outcome STREQUAL "refused" AND
           (status EQUAL 0 OR NOT output MATCHES "No such file or directory|file not found"))
        list(APPEND failures "${target} should fail for a header it cannot find:\n${output}")
    endif()
endforeach()

file(GLOB_RECURSE sources ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h
     ${SOURCE_DIR}/preview/*.cpp ${SOURCE_DIR}/preview/*.h)
foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](cups|fontconfig|xcb|X11)/")
    if(includes)
        list(APPEND failures "${source} includes a system library header: ${includes}")
    endif()
endforeach()

if(failures)
    string(JOIN "\n" report ${failures})
    message(FATAL_ERROR "${report}")
endif()
message(STATUS "app/ and preview/ see only the layer's interfaces")
