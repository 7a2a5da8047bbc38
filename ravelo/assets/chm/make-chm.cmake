# Builds the compiled help file from the help pages: stages the pages with the pictures they show
# (the pages name them as ../gifs/ of the program folder; inside the file they lie in gifs/),
# then compiles the project with chmcmd into OUT/built/help, the program folder's built part.
#   cmake -DASSETS=<ravelo/assets> -DOUT=<folder> -DCHMCMD=<chmcmd> -P make-chm.cmake
file(REMOVE_RECURSE ${OUT}/stage)
file(MAKE_DIRECTORY ${OUT}/stage/gifs)
file(COPY ${ASSETS}/chm/Quenzel_2009.hhp ${ASSETS}/chm/Quenzel_2009.hhc DESTINATION ${OUT}/stage)
file(GLOB seiten ${ASSETS}/help/*.html)
foreach(seite ${seiten})
  get_filename_component(name ${seite} NAME)
  file(READ ${seite} html)
  string(REGEX MATCHALL "\\.\\./gifs/[A-Za-z0-9_.-]+" bilder "${html}")
  foreach(bild ${bilder})
    string(REPLACE "../gifs/" "" datei ${bild})
    file(COPY ${ASSETS}/gifs/${datei} DESTINATION ${OUT}/stage/gifs)
  endforeach()
  string(REPLACE "../gifs/" "gifs/" html "${html}")
  file(WRITE ${OUT}/stage/${name} "${html}")
endforeach()
execute_process(COMMAND ${CHMCMD} Quenzel_2009.hhp WORKING_DIRECTORY ${OUT}/stage
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0 OR NOT EXISTS ${OUT}/stage/Quenzel_2009.chm OR log MATCHES "Warning|Error")
  message(FATAL_ERROR "chmcmd failed (${rc}):\n${log}")
endif()
file(MAKE_DIRECTORY ${OUT}/built/help)
file(RENAME ${OUT}/stage/Quenzel_2009.chm ${OUT}/built/help/Quenzel_2009.chm)
