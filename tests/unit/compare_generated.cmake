# Runs TOOL to write OUTPUT and fails unless it equals COMMITTED byte for byte.
execute_process(COMMAND ${TOOL} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TOOL} failed: ${result}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${COMMITTED} is not what ${TOOL} draws; regenerate and commit it")
endif()
