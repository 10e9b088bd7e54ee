# Builds the program as a user building by hand would: a scratch tree,
# every option at its default, no tests, and Qt Svg hidden as if missing.
# Takes SOURCE_DIR, WORK_DIR, GENERATOR, CXX, LAUNCHER and QT6.

include(${CMAKE_CURRENT_LIST_DIR}/../support/runCommand.cmake)

# A fresh configuration each time; the objects of the last run stay.
file(REMOVE ${WORK_DIR}/CMakeCache.txt)
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX}
  -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER} -DTIVORO_QT6=${QT6} -DTIVORO_TESTS=OFF
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt5Svg=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Svg=ON)
if(NOT out MATCHES "Picture drawing tool skipped")
  message(FATAL_ERROR "no \"Picture drawing tool skipped\" in:\n${out}")
endif()
run(${CMAKE_COMMAND} --build ${WORK_DIR} --target tivoro)
