# Compiles one help book: run as
#   cmake -DSRC=dir -DWORK=dir -DEXTRA="a.png|b.png" -DHHP=book.hhp -DCOMPILED=book.chm -DOUT=file -P BuildChm.cmake
# The sources are UTF-8; the pages, contents and index go into the book in
# GBK, the code page that CHM viewers read Chinese help in.
file(REMOVE_RECURSE "${WORK}")
file(COPY "${SRC}/" DESTINATION "${WORK}")
string(REPLACE "|" ";" EXTRA "${EXTRA}")
foreach(extra ${EXTRA})
  file(COPY "${extra}" DESTINATION "${WORK}")
endforeach()
file(GLOB pages "${WORK}/*.html" "${WORK}/*.hhc" "${WORK}/*.hhk" "${WORK}/*.hhp")
foreach(page ${pages})
  execute_process(COMMAND iconv -f UTF-8 -t GBK "${page}" OUTPUT_FILE "${page}.gbk" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${page} cannot be stored in GBK")
  endif()
  file(RENAME "${page}.gbk" "${page}")
endforeach()
execute_process(COMMAND chmcmd --no-html-scan "${HHP}" WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK}/${COMPILED}")
  message(FATAL_ERROR "chmcmd could not compile ${HHP}")
endif()
file(COPY_FILE "${WORK}/${COMPILED}" "${OUT}")
