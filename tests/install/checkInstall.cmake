# Installs the build into a scratch prefix and checks what a desktop needs.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(entry "${PREFIX}/share/applications/tivoro.desktop")
foreach(path bin/tivoro share/applications/tivoro.desktop share/icons/hicolor/256x256/apps/tivoro.png)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

find_program(VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${VALIDATE} "${entry}" RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
# Hints pass: two main categories (Science, Education) always earn one.
if(NOT result EQUAL 0 OR out MATCHES "error:|warning:")
  message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()

file(STRINGS "${entry}" lines)
foreach(expected "Name=Tivoro" "Exec=tivoro" "Icon=tivoro" "Categories=Science;Education;")
  list(FIND lines "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks ${expected}")
  endif()
endforeach()
