# Runs a Windows program under Wine and an X server with the display set to DPI dots per
# inch, then sets it back to 96 whatever the program did.
# usage: cmake -DWINE=WINE -DXVFB_RUN=XVFB_RUN -DDPI=N -P run_at_dpi.cmake -- PROGRAM [ARG...]

function(set_display_dpi dpi)
  execute_process(
    COMMAND ${WINE} reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD
            /d ${dpi} /f
    OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not set the display to ${dpi} DPI: ${result}")
  endif()
endfunction()

set(command "")
set(after_separator FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(index RANGE ${last})
  if(after_separator)
    list(APPEND command "${CMAKE_ARGV${index}}")
  elseif(CMAKE_ARGV${index} STREQUAL "--")
    set(after_separator TRUE)
  endif()
endforeach()

set_display_dpi(${DPI})
# The program is told the DPI to expect, so that it can tell a setting that didn't take.
execute_process(COMMAND ${CMAKE_COMMAND} -E env DWELVANE_EXPECTED_DPI=${DPI}
                        ${XVFB_RUN} -a -s "-screen 0 1600x1200x24" ${WINE} ${command}
                RESULT_VARIABLE result)
set_display_dpi(96)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${command} at ${DPI} DPI: ${result}")
endif()
