# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DIN=page.1 -DOUT=build/page.1 -DVERSION=x.y.z -DDATE=yyyy-mm-dd -P manpage.cmake
# Writes OUT.gz: the page with DATE and "TARVEN-PAD Programmer VERSION" in its .TH line.
file(READ ${IN} text)
string(REGEX REPLACE "^(\\.TH [^ ]+ [0-9]+) [^ ]+ \"[^\"]*\""
       "\\1 ${DATE} \"TARVEN-PAD Programmer ${VERSION}\"" text "${text}")
string(FIND "${text}" ".TH" at)
if(NOT at EQUAL 0 OR NOT text MATCHES "^[^\n]* ${DATE} \"TARVEN-PAD Programmer ${VERSION}\"")
  message(FATAL_ERROR "${IN}: the first line is not `.TH NAME 1 DATE \"SOURCE\" \"MANUAL\"`")
endif()
file(WRITE ${OUT} "${text}")
execute_process(COMMAND gzip -9nf ${OUT} COMMAND_ERROR_IS_FATAL ANY)
