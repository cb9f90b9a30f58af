# cmake -DSCRIPT=<LaySampleData.cmake> -DWORK_DIR=... -P LaySampleDataTest.cmake
# A build lays the sample world beside the programs: a file the user changed there survives the
# next build; one left as laid follows the sample world when it changes.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
file(WRITE ${WORK_DIR}/sample/values.txt "sample 1")
file(WRITE ${WORK_DIR}/sample/rules.txt "sample 1")

function(lay)
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${WORK_DIR}/sample -DDEST=${WORK_DIR}/bin
                            -DLAID=${WORK_DIR}/laid -P ${SCRIPT} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "laying the sample failed: ${status}")
    endif()
endfunction()

function(expect file text)
    file(READ ${WORK_DIR}/bin/${file} actual)
    if(NOT actual STREQUAL text)
        message(FATAL_ERROR "bin/${file} holds \"${actual}\", expected \"${text}\"")
    endif()
endfunction()

lay()
expect(values.txt "sample 1")
file(WRITE ${WORK_DIR}/bin/values.txt "edited by the user")
file(WRITE ${WORK_DIR}/sample/values.txt "sample 2")
file(WRITE ${WORK_DIR}/sample/rules.txt "sample 2")
lay()
expect(values.txt "edited by the user")
expect(rules.txt "sample 2")
file(REMOVE ${WORK_DIR}/bin/rules.txt)
lay()
expect(rules.txt "sample 2")
