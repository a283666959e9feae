# Writes the man page of dwelvane-cli from the program's own help texts, which it makes from
# its command table, so that its commands and options are described in one place.
# usage: cmake -DCLI=PROGRAM -DVERSION=X.Y.Z -DTEMPLATE=dwelvane-cli.1.in -DOUTPUT=FILE
#              -P make_man_page.cmake

function(read_help out)
  execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${CLI} ${ARGN} failed: ${result}")
  endif()
  string(REGEX REPLACE "\n$" "" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text shown as it stands: backslashes and minus signs escaped, and a line that starts
# with a dot or a quote kept from being read as a request.
function(as_roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

read_help(overview --help)
# The usage lines come first, up to the first empty line.
string(FIND "${overview}" "\n\n" usage_end)
string(SUBSTRING "${overview}" 0 ${usage_end} synopsis)
math(EXPR rest_start "${usage_end} + 2")
string(SUBSTRING "${overview}" ${rest_start} -1 description)
as_roff(SYNOPSIS "${synopsis}")
as_roff(DESCRIPTION "${description}")

# Each command the overview lists under "Commands:" gets a section of its own help.
string(REGEX MATCH "Commands:\n([^\n]+\n)+" listing "${overview}\n")
string(REGEX MATCHALL "\n  [a-z][a-z-]* " names "${listing}")
set(COMMANDS "")
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  read_help(help help ${name})
  as_roff(help "${help}")
  string(APPEND COMMANDS ".SS ${name}\n.nf\n${help}\n.fi\n")
endforeach()
string(REGEX REPLACE "\n$" "" COMMANDS "${COMMANDS}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
