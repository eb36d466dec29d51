# Runs chmcmd on the staged help project and fails the build on any
# compiler error or warning (a missing file, a broken link), so a help file
# with holes is never shipped. Then moves the result to OUTPUT.
execute_process(
  COMMAND ${CHMCMD} --verbosity 1 ${PROJECT}
  WORKING_DIRECTORY ${STAGE}
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE out)
string(REGEX MATCHALL "[^\n]*([Ee]rror|[Ww]arning|[Hh]int)[^\n]*" problems "${out}")
if(NOT rc EQUAL 0 OR problems OR NOT EXISTS ${STAGE}/${NAME}.chm)
  message(FATAL_ERROR "chmcmd failed (exit ${rc}):\n${out}")
endif()
file(COPY_FILE ${STAGE}/${NAME}.chm ${OUTPUT})
