# Runs one driver script in an empty working folder and compares what the
# driver printed with the expected output, line for line.
#   cmake -DDRIVER=... [-DDRIVER_ARGS=--qt] -DSCRIPT=... -DEXPECTED=... -DWORK=... -P run_drive.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${DRIVER} ${DRIVER_ARGS} ${SCRIPT}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE actual
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the driver stopped with status ${status}:\n${actual}")
endif()
# The program folder differs from machine to machine.
get_filename_component(program_folder ${DRIVER} DIRECTORY)
string(REPLACE "${program_folder}" "<program folder>" actual "${actual}")
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${WORK}/actual.out "${actual}")
  execute_process(COMMAND diff -u ${EXPECTED} ${WORK}/actual.out OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "the output differs from ${EXPECTED}:\n${difference}")
endif()
