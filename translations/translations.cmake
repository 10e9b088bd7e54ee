# The program's translation catalogues. Each language listed here has its
# catalogue translations/tivoro_<language>.ts, written by lupdate from the
# sources and by translators; lrelease compiles it, and the compiled
# catalogue is built into the program under ":/i18n".
set(TIVORO_LANGUAGES de)

set(TIVORO_TS_FILES)
foreach(language IN LISTS TIVORO_LANGUAGES)
  list(APPEND TIVORO_TS_FILES ${CMAKE_CURRENT_LIST_DIR}/tivoro_${language}.ts)
endforeach()

# The tests check every catalogue.
set_property(GLOBAL PROPERTY TIVORO_TS_FILES ${TIVORO_TS_FILES})

if(TIVORO_QT6)
  qt6_add_translation(TIVORO_QM_FILES ${TIVORO_TS_FILES} OPTIONS -silent)
else()
  qt5_add_translation(TIVORO_QM_FILES ${TIVORO_TS_FILES} OPTIONS -silent)
endif()

# The resource list names the compiled files, which the build makes; it is
# written at configure time (rewritten only when it changes) so that the
# resource compiler's dependencies on them are known.
set(entries "")
foreach(qm IN LISTS TIVORO_QM_FILES)
  get_filename_component(name ${qm} NAME)
  string(APPEND entries "    <file>${name}</file>\n")
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/translations.qrc.new
  "<RCC>\n  <qresource prefix=\"/i18n\">\n${entries}  </qresource>\n</RCC>\n")
configure_file(${CMAKE_CURRENT_BINARY_DIR}/translations.qrc.new ${CMAKE_CURRENT_BINARY_DIR}/translations.qrc COPYONLY)
if(TIVORO_QT6)
  qt6_add_resources(TIVORO_TRANSLATION_SOURCES ${CMAKE_CURRENT_BINARY_DIR}/translations.qrc)
else()
  qt5_add_resources(TIVORO_TRANSLATION_SOURCES ${CMAKE_CURRENT_BINARY_DIR}/translations.qrc)
endif()

# After a change of texts in the sources or forms:
#   cmake --build build --target tivoro_update_translations
# brings every catalogue up to date (new texts unfinished, texts that are
# gone dropped); translate the unfinished ones, e.g. with Qt Linguist.
add_custom_target(tivoro_update_translations
  COMMAND Qt::lupdate -silent -no-obsolete -locations none ${PROJECT_SOURCE_DIR}/src -ts ${TIVORO_TS_FILES}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)
