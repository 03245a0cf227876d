# Installs the build into a fresh prefix and uses it as a desktop user would:
# the files where a Debian desktop finds them, the plotter on the installed
# samples, and the program started outside any folder with a control file,
# seeding the user's own folder.
#   cmake -DBUILD=... -DWORK=... -P install.cmake
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix} RESULT_VARIABLE status
                OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(file bin/korvant bin/korvant-plot bin/korvant-mkdat share/applications/korvant.desktop
        share/icons/hicolor/scalable/apps/korvant.svg share/korvant/KORVANT.CTL share/korvant/KORVANT.DAT
        share/korvant/PS1/747WPT.DAT share/korvant/DAFIF/DAFA.BIN share/korvant/tracks/nat-20160210.html
        share/korvant/tracks/SOURCES.md share/korvant/DATA-SOURCES.md share/korvant/flightgear/korvant.xml)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The manual pages: the control file's page names every key the shipped
# control file sets, and each page renders without a warning.
foreach(page man1/korvant.1 man1/korvant-plot.1 man1/korvant-mkdat.1 man5/korvant.ctl.5)
  execute_process(COMMAND zcat ${prefix}/share/man/${page}.gz RESULT_VARIABLE status OUTPUT_VARIABLE text)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "manual page not installed: ${page}")
  endif()
  execute_process(COMMAND sh -c "zcat '${prefix}/share/man/${page}.gz' | groff -ww -man -Tutf8 -z"
                  ERROR_VARIABLE warnings)
  if(NOT warnings STREQUAL "")
    message(FATAL_ERROR "${page}: ${warnings}")
  endif()
  if(page MATCHES "ctl")
    string(TOUPPER "${text}" page_text)
    file(STRINGS ${prefix}/share/korvant/KORVANT.CTL lines REGEX "^[A-Za-z]")
    foreach(l ${lines})
      string(REGEX MATCH "^[A-Za-z0-9]+" key "${l}")
      string(TOUPPER "${key}" key)
      string(FIND "${page_text}" "\\FB${key}\\FR" at)
      if(at EQUAL -1)
        message(FATAL_ERROR "korvant.ctl.5 does not name the key ${key}")
      endif()
    endforeach()
  endif()
endforeach()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${prefix}/share/applications/korvant.desktop RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the desktop entry does not validate")
  endif()
endif()

# The installed plotter on the installed samples, with the simulator's layer on.
execute_process(COMMAND ${prefix}/bin/korvant-plot --tracks tracks/nat-20160210.html --layer ps1Wpt=on --report
                WORKING_DIRECTORY ${prefix}/share/korvant RESULT_VARIABLE status OUTPUT_VARIABLE report
                ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT report MATCHES "TRACK A" OR NOT errors STREQUAL "")
  message(FATAL_ERROR "korvant-plot on the installed samples: ${status}\n${report}\n${errors}")
endif()

# Started from the menu: no control file where it starts, a new user.
file(MAKE_DIRECTORY ${WORK}/desktop ${WORK}/home)
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${WORK}/home --unset=XDG_DATA_HOME QT_QPA_PLATFORM=offscreen
                        timeout -s TERM 4 ${prefix}/bin/korvant
                WORKING_DIRECTORY ${WORK}/desktop RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
# The program runs until the time-out ends it (status 124).
if(NOT status EQUAL 124)
  message(FATAL_ERROR "the installed program ended by itself: ${status}")
endif()
set(own ${WORK}/home/.local/share/korvant)
foreach(file KORVANT.CTL KORVANT.DAT PS1/747WPT.DAT DAFIF/DAFA.BIN)
  if(NOT EXISTS ${own}/${file})
    message(FATAL_ERROR "the user's folder was not seeded with ${file}")
  endif()
endforeach()
file(GLOB left ${WORK}/desktop/*)
if(left)
  message(FATAL_ERROR "the program wrote into the folder it was started in: ${left}")
endif()
file(REMOVE_RECURSE ${WORK})
message(STATUS "install: the prefix, the plotter and the user's folder are right")
