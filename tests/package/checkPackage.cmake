# Builds the package in a scratch Release tree and checks it as a distribution
# and a user would. Takes SOURCE_DIR, WORK_DIR, GENERATOR, CXX, LAUNCHER, QT6
# and PLUGINS.

include(${CMAKE_CURRENT_LIST_DIR}/../support/runCommand.cmake)

function(expect text)
  foreach(pattern IN LISTS ARGN)
    if(NOT text MATCHES "${pattern}")
      message(FATAL_ERROR "no match for ${pattern} in:\n${text}")
    endif()
  endforeach()
endfunction()

set(build ${WORK_DIR}/build)
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${build} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX}
  -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_BUILD_TYPE=Release -DTIVORO_QT6=${QT6}
  -DTIVORO_TESTS=OFF -DTIVORO_TOOLS=OFF -DTIVORO_BENCH=OFF)
file(GLOB deb ${build}/*.deb)
file(REMOVE_RECURSE ${WORK_DIR}/unpacked ${deb})
run(${CMAKE_COMMAND} --build ${build} --target package)
file(GLOB deb ${build}/tivoro_*.deb)
run(dpkg-deb --field ${deb} Version Depends Recommends)
string(REGEX MATCH "Version: ([^\n]+)" version "${out}")
set(version ${CMAKE_MATCH_1})
# Dependencies are read from the binary: this build's Qt only.
if(QT6)
  set(qt 6)
else()
  set(qt 5)
endif()
expect("${out}" "libqt${qt}core${qt}" "libqt${qt}gui${qt}" "libqt${qt}widgets${qt}" "Recommends: qt[^\n]*translations")
if(out MATCHES "libqt[^${qt}]")
  message(FATAL_ERROR "another Qt in ${out}")
endif()

run(lintian --fail-on error ${deb})
message(STATUS "${deb}\nlintian: ${out}${err}")
set(root ${WORK_DIR}/unpacked)
run(dpkg-deb -x ${deb} ${root})

# Desktop entry, metainfo and icons agree on one id; the release is this one.
file(GLOB entry ${root}/usr/share/applications/*.desktop)
get_filename_component(id "${entry}" NAME_WLE)
file(READ "${entry}" text)
expect("${text}" "\nExec=tivoro\n" "\nIcon=${id}\n")
set(metainfo ${root}/usr/share/metainfo/${id}.metainfo.xml)
file(READ ${metainfo} text)
expect("${text}" "<id>${id}</id>" "desktop-id\">${id}.desktop<" "<release version=\"${version}\"" "<lang[^>]*>de</lang>")
# The manual page and the changelog name the same version.
run(gzip -dc ${root}/usr/share/man/man1/tivoro.1.gz)
expect("${out}" "^\\.TH TIVORO 1 [^\n]* \"Tivoro ${version}\" ")
run(gzip -dc ${root}/usr/share/doc/tivoro/changelog.gz)
expect("${out}" "^tivoro \\(${version}\\) ")
foreach(size 16 24 32 48 64 128 256 512)
  list(APPEND files usr/share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
foreach(file usr/bin/tivoro ${files} usr/share/icons/hicolor/scalable/apps/${id}.svg
    usr/share/man/man1/tivoro.1.gz usr/share/doc/tivoro/copyright)
  if(NOT EXISTS ${root}/${file})
    message(FATAL_ERROR "not in the package: ${file}")
  endif()
endforeach()

# A hint too: one of them is about more than one main category, which
# would list the program twice in menus.
run(desktop-file-validate ${entry})
if(out MATCHES "error:|warning:|hint:")
  message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
run(appstreamcli validate --no-net ${metainfo})
run(man --warnings -l ${root}/usr/share/man/man1/tivoro.1.gz)
expect("${err}" "^$")

# The plugin ends the program once it has painted, in the first language
# asked for that has a catalogue, else in English, without a word about it.
cmake_policy(SET CMP0007 NEW) # an empty LANGUAGE is a case of its own
file(MAKE_DIRECTORY ${WORK_DIR}/runtime)
run(chmod 700 ${WORK_DIR}/runtime)
# Named after the desktop entry, the windows get its icon on Wayland.
foreach(case "de;Aufnahmesitzung einrichten" "fr:de_AT;Aufnahmesitzung einrichten" "xx;Set up recoding session"
    "en:de;Set up recoding session" ";Set up recoding session")
  list(GET case 0 languages)
  list(GET case 1 caption)
  run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${WORK_DIR}/runtime QT_PLUGIN_PATH=${PLUGINS}
    QT_QPA_GENERIC_PLUGINS=tivoroquitafterpaint LANG=C.UTF-8 LANGUAGE=${languages} timeout 60 ${root}/usr/bin/tivoro)
  string(REGEX REPLACE "This plugin does not support[^\n]*\n" "" err "${err}")
  expect("${err}" "^painted MainWindow as ${id}: [^\n]*${caption}[^\n]*\n$")
endforeach()
