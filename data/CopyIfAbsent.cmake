# cmake -DSRC=... -DDST=... -P CopyIfAbsent.cmake
if(NOT EXISTS "${DST}")
  file(COPY_FILE "${SRC}" "${DST}")
endif()
