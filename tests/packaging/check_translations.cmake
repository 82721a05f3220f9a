# cmake -DLUPDATE=... -DSOURCE_DIR=... -DWORK_DIR=... -P check_translations.cmake
# The English catalogue against the texts in the sources: tools/update_translations.sh
# updates a copy of it, and every text the sources hold must come out translated (no
# unfinished entry).
set(copy ${WORK_DIR}/vx52_en.ts)
file(MAKE_DIRECTORY ${WORK_DIR})
file(COPY_FILE ${SOURCE_DIR}/translations/vx52_en.ts ${copy})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LUPDATE=${LUPDATE} ${SOURCE_DIR}/tools/update_translations.sh ${copy}
  WORKING_DIRECTORY ${SOURCE_DIR}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status}): ${out}${err}")
endif()
file(READ ${copy} ts)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" open "${ts}")
list(LENGTH open count)
if(count GREATER 0)
  string(REGEX REPLACE "[ \n]*<translation type=\"unfinished\"" "" open "${open}")
  string(REPLACE ";" "\n" open "${open}")
  message(FATAL_ERROR "${count} texts without an English translation (tools/update_translations.sh, "
                      "then translate them in translations/vx52_en.ts):\n${open}")
endif()
string(REGEX MATCHALL "<message" messages "${ts}")
list(LENGTH messages total)
message(STATUS "${total} texts, all translated")
