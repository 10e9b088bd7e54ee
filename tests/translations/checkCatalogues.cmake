# lupdate, run on a copy of each catalogue, finds no text that is new, and
# leaves nothing unfinished and nothing vanished (a text the sources no
# longer have). Takes LUPDATE, SOURCES, CATALOGUES and WORK_DIR.
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(catalogue IN LISTS CATALOGUES)
  get_filename_component(name ${catalogue} NAME)
  set(copy ${WORK_DIR}/${name})
  configure_file(${catalogue} ${copy} COPYONLY)
  execute_process(COMMAND ${LUPDATE} -locations none ${SOURCES} -ts ${copy}
    RESULT_VARIABLE result OUTPUT_VARIABLE summary ERROR_VARIABLE summary)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${result}):\n${summary}")
  endif()
  message(STATUS "${name}: ${summary}")
  if(NOT summary MATCHES "Found ([0-9]+) source text\\(s\\) \\(0 new and ([0-9]+) already existing\\)"
      OR NOT CMAKE_MATCH_1 EQUAL CMAKE_MATCH_2)
    message(FATAL_ERROR "${name}: texts without an entry (bring it up to date with the target "
      "tivoro_update_translations and translate them):\n${summary}")
  endif()
  file(STRINGS ${copy} open REGEX "type=\"(unfinished|vanished|obsolete)\"")
  if(open)
    message(FATAL_ERROR "${name}: unfinished or vanished entries:\n${open}")
  endif()
endforeach()
