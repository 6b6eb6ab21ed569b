# partwriter-cli check-course on a course folder: the whole output is EXPECTED_FILE's and the run
# exits with STATUS.
execute_process(COMMAND ${CLI} check-course ${DIR} --lang ${LANG} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
file(READ ${EXPECTED_FILE} expected)
if(NOT rc EQUAL STATUS)
    message(FATAL_ERROR "check-course exited ${rc}, not ${STATUS}:\n${out}")
endif()
if(NOT out STREQUAL expected)
    message(FATAL_ERROR "check-course printed:\n${out}\ninstead of:\n${expected}")
endif()
