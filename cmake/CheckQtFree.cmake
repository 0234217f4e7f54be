# Fails when any of FILES includes a Qt header; writes STAMP otherwise.
string(REPLACE "|" ";" files "${FILES}")
foreach(f ${files})
  file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q")
  if(hits)
    message(FATAL_ERROR "${f} includes a Qt header; the core must stay free of Qt: ${hits}")
  endif()
endforeach()
file(WRITE "${STAMP}" "ok\n")
