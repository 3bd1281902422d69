# Run by `cmake --install`: writes the menu entry (or the thumbnailer's entry, which has the same
# format) with the installed program's path in Exec, quoted as the desktop entry format wants
# when the path holds a reserved character, and in TryExec as a plain path.
set(PELORIN_EXEC "${PELORIN_PROGRAM}")
if(PELORIN_EXEC MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" PELORIN_EXEC "${PELORIN_EXEC}")
  set(PELORIN_EXEC "\"${PELORIN_EXEC}\"")
  # Inside the file every backslash is written twice.
  string(REPLACE "\\" "\\\\" PELORIN_EXEC "${PELORIN_EXEC}")
endif()
# TryExec is a plain path; only the file's own doubling of backslashes applies.
string(REPLACE "\\" "\\\\" PELORIN_TRYEXEC "${PELORIN_PROGRAM}")
configure_file("${PELORIN_DESKTOP_IN}" "${PELORIN_DESKTOP_OUT}" @ONLY)
