# Draws the pewter skin afresh with pewter_art and compares every file with
# the committed one in skins/pewter, so the committed bitmaps and description
# never drift from the program that makes them.
#   cmake -DART=<pewter_art> -DSKIN=<skins/pewter> -DOUT=<scratch folder> -P pewter_sources_current.cmake
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${ART}" "${OUT}" RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "pewter_art failed (${result}): ${errors}")
endif()
file(GLOB drawn RELATIVE "${OUT}" "${OUT}/*")
file(GLOB committed RELATIVE "${SKIN}" "${SKIN}/*.bmp" "${SKIN}/*.ini")
list(SORT drawn)
list(SORT committed)
if(NOT drawn STREQUAL committed)
  message(FATAL_ERROR "pewter_art draws [${drawn}] but skins/pewter holds [${committed}]")
endif()
foreach(name IN LISTS drawn)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}/${name}" "${SKIN}/${name}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "skins/pewter/${name} differs from what pewter_art draws: run the pewter_art_update target and commit")
  endif()
endforeach()
message(STATUS "${CMAKE_CURRENT_LIST_FILE}: all pewter sources current")
