# Runs the language-file generator into a scratch folder and fails unless both files equal the
# committed ones.
#   cmake -DGENERATOR=<exe> -DSCRATCH=<folder> -DEXPECTED=<resources/languages> -P check_language_files.cmake
foreach(var GENERATOR SCRATCH EXPECTED)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_language_files: ${var} is not set")
  endif()
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${GENERATOR} ${SCRATCH} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "check_language_files: ${GENERATOR} failed (${result})")
endif()
foreach(file english.txt russian.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${file} ${EXPECTED}/${file}
                  RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "check_language_files: ${file} differs from what the generator makes")
  endif()
endforeach()
