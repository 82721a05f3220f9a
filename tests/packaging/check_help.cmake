# cmake -DVX52=... -DVX52_CLI=... -DVX52_SIM=... -DVERSION=... [-DMAN_DIR=... -DGROFF=...] -P
set(failures "")
macro(fail text)
  string(APPEND failures "${text}\n")
endmacro()

# Runs the window program with no display to be had: a QApplication would abort.
function(run_vx52 out_status out_stdout out_stderr)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
            ${VX52} ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr TIMEOUT 30)
  set(${out_status} "${status}" PARENT_SCOPE)
  set(${out_stdout} "${stdout}" PARENT_SCOPE)
  set(${out_stderr} "${stderr}" PARENT_SCOPE)
endfunction()

run_vx52(status out err --help)
if(NOT status EQUAL 0 OR NOT out MATCHES "^Usage: vx52 \\[options\\]\n" OR NOT out MATCHES "--version")
  fail("vx52 --help: status ${status}, out '${out}', err '${err}'")
endif()
foreach(option --version -v)
  run_vx52(status out err ${option})
  if(NOT status EQUAL 0 OR NOT out STREQUAL "vx52 ${VERSION}\n")
    fail("vx52 ${option}: status ${status}, out '${out}', err '${err}'")
  endif()
endforeach()
# Unknown options and stray arguments are refused with a hint; Qt's own options are not.
foreach(args "--bogus" "-platform;offscreen;--frobnicate" "extra")
  run_vx52(status out err ${args})
  if(NOT status EQUAL 2 OR NOT out STREQUAL "" OR NOT err MATCHES "^vx52: .*\nTry vx52 --help.\n$"
     OR err MATCHES "platform")
    fail("vx52 ${args}: status ${status}, out '${out}', err '${err}'")
  endif()
endforeach()

# Every long option of --help in the program's rendered manual page.
if(MAN_DIR)
  foreach(program VX52 VX52_CLI VX52_SIM)
    get_filename_component(name ${${program}} NAME)
    execute_process(COMMAND ${${program}} --help OUTPUT_VARIABLE help TIMEOUT 30)
    set(page ${MAN_DIR}/${name}.1)
    if(NOT EXISTS ${page})
      fail("${name}: no manual page ${page}")
      continue()
    endif()
    execute_process(COMMAND ${GROFF} -man -Tascii -ww -P-cbou ${page}
                    OUTPUT_VARIABLE text ERROR_VARIABLE warnings)
    if(warnings)
      fail("${name}.1: ${warnings}")
    endif()
    string(REGEX MATCHALL "--[a-z][a-z-]*" options "${help}")
    list(REMOVE_DUPLICATES options)
    if(NOT options)
      fail("${name} --help lists no options")
    endif()
    foreach(option ${options})
      string(FIND "${text}" "${option}" at)
      if(at EQUAL -1)
        fail("${name}.1 lacks ${option}")
      endif()
    endforeach()
  endforeach()
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
