# Builds the package from these sources in a scratch Release tree that holds
# the program only, then checks it as a distribution and a user would: its
# files and dependencies, lintian, the validators of the desktop entry, the
# metainfo and the manual page, and the packaged program started offscreen
# until its start window has painted.
# Takes SOURCE_DIR, WORK_DIR, GENERATOR, CXX, LAUNCHER, QT6 and PLUGINS.

# Runs a command and fails unless it succeeds; its output lands in `out`,
# its standard error alone in `err`.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error
    TIMEOUT 900)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}${error}")
  endif()
  set(out "${output}" PARENT_SCOPE)
  set(err "${error}" PARENT_SCOPE)
endfunction()

function(expect text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: no match for ${pattern} in:\n${text}")
  endif()
endfunction()

set(build ${WORK_DIR}/build)
set(options -DCMAKE_BUILD_TYPE=Release -DTIVORO_QT6=${QT6} -DTIVORO_TESTS=OFF -DTIVORO_TOOLS=OFF -DTIVORO_BENCH=OFF)
if(LAUNCHER)
  list(APPEND options -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${build} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX} ${options})
file(GLOB old ${build}/*.deb)
if(old)
  file(REMOVE ${old})
endif()
run(${CMAKE_COMMAND} --build ${build} --target package)
file(GLOB deb ${build}/tivoro_*.deb)
list(LENGTH deb count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${build}, found: ${deb}")
endif()
message(STATUS "${deb}")

# Dependencies come from the binary: this build's Qt major version only.
run(dpkg-deb --field ${deb} Depends)
set(depends "${out}")
if(QT6)
  set(major 6)
  set(other 5)
else()
  set(major 5)
  set(other 6)
endif()
foreach(library core gui widgets)
  expect("${depends}" "libqt${major}${library}${major}" "Depends")
endforeach()
if(depends MATCHES "libqt${other}")
  message(FATAL_ERROR "Depends names Qt ${other}: ${depends}")
endif()

run(lintian --fail-on error ${deb})
message(STATUS "lintian:\n${out}${err}")

set(root ${WORK_DIR}/unpacked)
file(REMOVE_RECURSE ${root})
run(dpkg-deb -x ${deb} ${root})

# The desktop entry, the metainfo and the icons must agree on one id, and
# the metainfo's release on the package's version.
file(GLOB entry ${root}/usr/share/applications/*.desktop)
get_filename_component(id "${entry}" NAME_WLE)
file(STRINGS "${entry}" lines)
foreach(expected "Name=Tivoro" "Exec=tivoro" "Icon=${id}" "Categories=Science;Education;")
  list(FIND lines "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry ${entry} lacks ${expected}")
  endif()
endforeach()
set(sizes 16x16 24x24 32x32 48x48 64x64 128x128 256x256 512x512)
list(TRANSFORM sizes REPLACE "(.+)" "usr/share/icons/hicolor/\\1/apps/${id}.png" OUTPUT_VARIABLE icons)
foreach(path usr/bin/tivoro usr/share/metainfo/${id}.metainfo.xml ${icons}
    usr/share/icons/hicolor/scalable/apps/${id}.svg usr/share/man/man1/tivoro.1.gz usr/share/doc/tivoro/copyright)
  if(NOT EXISTS ${root}/${path})
    message(FATAL_ERROR "not in the package: ${path}")
  endif()
endforeach()
file(READ ${root}/usr/share/metainfo/${id}.metainfo.xml metainfo)
run(dpkg-deb --field ${deb} Version)
string(STRIP "${out}" version)
expect("${metainfo}" "<id>${id}</id>" "metainfo id")
expect("${metainfo}" "<launchable type=\"desktop-id\">${id}.desktop</launchable>" "metainfo launchable")
expect("${metainfo}" "<release version=\"${version}\"" "metainfo release")

run(desktop-file-validate ${entry})
# Hints pass: two main categories (Science, Education) always earn one.
if(out MATCHES "error:|warning:")
  message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
run(appstreamcli validate --no-net ${root}/usr/share/metainfo/${id}.metainfo.xml)
run(man --warnings -l ${root}/usr/share/man/man1/tivoro.1.gz)
if(NOT err STREQUAL "")
  message(FATAL_ERROR "man --warnings: ${err}")
endif()

# The packaged program, with its libraries from the system; the plugin
# closes its windows once the start window has painted (a minute is only
# the bound on a program that never paints).
set(runtime ${WORK_DIR}/runtime)
file(MAKE_DIRECTORY ${runtime})
run(chmod 700 ${runtime})
run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${runtime} QT_PLUGIN_PATH=${PLUGINS}
  QT_QPA_GENERIC_PLUGINS=tivoroquitafterpaint timeout 60 ${root}/usr/bin/tivoro)
expect("${err}" "painted MainWindow\n" "start window")
string(REGEX REPLACE "painted MainWindow\n|This plugin does not support[^\n]*\n" "" rest "${err}")
if(NOT rest STREQUAL "")
  message(FATAL_ERROR "the packaged program warned:\n${err}")
endif()
