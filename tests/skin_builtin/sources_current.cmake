# Draws a built-in skin afresh with skin_art and compares every file with the
# committed one in skins/<design>, so the committed bitmaps and description
# never drift from the program that makes them.
#   cmake -DART=<skin_art> -DDESIGN=<pewter|slate> -DSKIN=<skins/DESIGN> -DOUT=<scratch folder>
#         -P sources_current.cmake
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${ART}" "${DESIGN}" "${OUT}" RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "skin_art ${DESIGN} failed (${result}): ${errors}")
endif()
file(GLOB drawn RELATIVE "${OUT}" "${OUT}/*")
file(GLOB committed RELATIVE "${SKIN}" "${SKIN}/*.bmp" "${SKIN}/*.ini")
list(SORT drawn)
list(SORT committed)
if(NOT drawn STREQUAL committed)
  message(FATAL_ERROR "skin_art ${DESIGN} draws [${drawn}] but skins/${DESIGN} holds [${committed}]")
endif()
foreach(name IN LISTS drawn)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}/${name}" "${SKIN}/${name}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "skins/${DESIGN}/${name} differs from what skin_art draws: run the ${DESIGN}_art_update target and commit")
  endif()
endforeach()
message(STATUS "${CMAKE_CURRENT_LIST_FILE}: all ${DESIGN} sources current")
