# The English texts' file against the code: lupdate reads the sources into a
# copy of translations/mofurin_en.ts, and a text the game shows that the file
# lacks, or holds without its English, fails the test with the text named.
# Then lrelease must find every text finished.
#   cmake -DLUPDATE=… -DLRELEASE=… -DSOURCE=<repo> -DWORK=<folder> -P check.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(copy ${WORK}/mofurin_en.ts)
file(COPY_FILE ${SOURCE}/translations/mofurin_en.ts ${copy})
execute_process(
  COMMAND ${LUPDATE} -locations none -no-obsolete -source-language ja -target-language en src app tools/drive -ts ${copy}
  WORKING_DIRECTORY ${SOURCE}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${rc}):\n${out}\n${err}")
endif()
file(READ ${copy} ts)
string(REGEX MATCHALL "<source>[^<]*(<byte value=\"xd\"/>[^<]*)*</source>[ \n]*<translation type=\"unfinished\">" missing "${ts}")
list(LENGTH missing count)
if(count GREATER 0)
  string(REPLACE ";" "\n" named "${missing}")
  message(FATAL_ERROR "${count} text(s) the game shows have no English in translations/mofurin_en.ts "
                      "(run `ninja translations_update`, then translate them):\n${named}")
endif()
execute_process(COMMAND ${LRELEASE} ${copy} -qm ${WORK}/mofurin_en.qm OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "\\(([0-9]+) finished and 0 unfinished\\)")
  message(FATAL_ERROR "lrelease reports unfinished English texts:\n${out}\n${err}")
endif()
message(STATUS "${out}")
