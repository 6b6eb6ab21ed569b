# Analyses FILE against a copy of the program folder PROGRAM_DIR whose rule base is RULES (text,
# or empty to leave the file out): the run must fail with exit status 1 and say why.
set(data ${WORK_DIR}/data)
file(REMOVE_RECURSE ${data})
file(MAKE_DIRECTORY ${data})
file(COPY ${PROGRAM_DIR}/sys.xml ${PROGRAM_DIR}/Bitmaps ${PROGRAM_DIR}/xml DESTINATION ${data})
file(REMOVE ${data}/xml/definitor.xml)
if(RULES)
    file(WRITE ${data}/xml/definitor.xml "${RULES}")
endif()
execute_process(COMMAND ${CLI} analyze ${FILE} --data-dir ${data}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 1)
    message(FATAL_ERROR "exit status ${status}, not 1\n${out}\n${err}")
endif()
if(NOT err MATCHES "${EXPECTED}")
    message(FATAL_ERROR "stderr does not say \"${EXPECTED}\":\n${err}")
endif()
