# What a distribution package carries besides the program (the manual page,
# a changelog, the licence in Debian's machine-readable form) and the
# settings for `cmake --build build --target package`, which writes the .deb
# into the build directory.
set(TIVORO_MAINTAINER "Tivoro developers <maintainer@example.org>" CACHE STRING
  "Maintainer of the package, name <address>; set before publishing")

include(GNUInstallDirs)
set(generated ${PROJECT_BINARY_DIR}/packaging)
# The manual page and the changelog, compressed hard and without a name
# or time stamp in the gzip header (Debian's rule for both), so that
# rebuilding gives the same bytes.
# Both carry the project's version, written only in project().
configure_file(${PROJECT_SOURCE_DIR}/docs/tivoro.1.in ${generated}/tivoro.1 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${generated}/changelog @ONLY)
foreach(file tivoro.1 changelog)
  add_custom_command(OUTPUT ${generated}/${file}.gz
    COMMAND gzip -9nkf ${generated}/${file} DEPENDS ${generated}/${file} VERBATIM)
endforeach()
add_custom_target(tivoro_docs ALL DEPENDS ${generated}/tivoro.1.gz ${generated}/changelog.gz)
install(FILES ${generated}/tivoro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The licence text of LICENSE, as a copyright-format 1.0 paragraph: every
# line indented, empty lines as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE TIVORO_LICENCE_TEXT)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
string(REGEX REPLACE "^.*developers\n\n" "" TIVORO_LICENCE_TEXT "${TIVORO_LICENCE_TEXT}")
string(STRIP "${TIVORO_LICENCE_TEXT}" TIVORO_LICENCE_TEXT)
string(REPLACE "\n\n" "\n.\n" TIVORO_LICENCE_TEXT "${TIVORO_LICENCE_TEXT}")
string(REPLACE "\n" "\n " TIVORO_LICENCE_TEXT " ${TIVORO_LICENCE_TEXT}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${generated}/copyright @ONLY)
install(FILES ${generated}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tivoro)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TIVORO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own catalogues put its dialogs and standard buttons into the
# user's language beside the program's built-in ones.
if(TIVORO_QT6)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
else()
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qttranslations5-l10n)
endif()
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "record camera-based activity studies and analyse their videos
Tivoro is a desktop application for researchers who run camera-based
activity studies. It offers the screens for three workflows: setting up and
running a recording session with cameras (recording metadata, a calibration
panel for each camera, an activity graph), analysing video files recorded
earlier, and opening an analysed project.
.
This release is the user interface: built-in pictures stand where live
video and the drawn activity graph will appear, and nothing is captured or
saved yet.")
include(CPack)
