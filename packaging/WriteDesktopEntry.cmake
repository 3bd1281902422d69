# Run by `cmake --install`: writes the menu entry with the installed program's path in Exec,
# quoted as the desktop entry format wants when the path holds a reserved character.
set(PELORIN_EXEC "${PELORIN_PROGRAM}")
if(PELORIN_EXEC MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" PELORIN_EXEC "${PELORIN_EXEC}")
  set(PELORIN_EXEC "\"${PELORIN_EXEC}\"")
  # Inside the file every backslash is written twice.
  string(REPLACE "\\" "\\\\" PELORIN_EXEC "${PELORIN_EXEC}")
endif()
configure_file("${PELORIN_DESKTOP_IN}" "${PELORIN_DESKTOP_OUT}" @ONLY)
