# Draws a built-in skin afresh with skin_art and compares every file with the
# committed one in skins/<design>, so the committed bitmaps and description
# never drift from the program that makes them. It draws twice: once as on
# an SSE2-only processor (our plain pixel kernels, and the C library and Qt
# told to use none of their faster variants), once with the best this
# processor has. The files must come out the same whatever the processor.
#   cmake -DART=<skin_art> -DDESIGN=<pewter|slate> -DSKIN=<skins/DESIGN> -DOUT=<scratch folder> -DBASELINE_ENV=<...>
#         -P sources_current.cmake
file(GLOB committed RELATIVE "${SKIN}" "${SKIN}/*.bmp" "${SKIN}/*.ini")
list(SORT committed)
# BASELINE_ENV: the baseline environment of cmake/BaselineTests.cmake,
# its entries joined with "|".
string(REPLACE "|" ";" baseline_env "${BASELINE_ENV}")
foreach(kernels IN ITEMS plain best)
  set(env "")
  if(kernels STREQUAL "plain")
    set(env ${baseline_env})
  endif()
  set(out "${OUT}/${kernels}")
  file(REMOVE_RECURSE "${out}")
  file(MAKE_DIRECTORY "${out}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env ${env} "${ART}" --kernels ${kernels} "${DESIGN}" "${out}" RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "skin_art ${DESIGN} (${kernels} kernels) failed (${result}): ${errors}")
  endif()
  file(GLOB drawn RELATIVE "${out}" "${out}/*")
  list(SORT drawn)
  if(NOT drawn STREQUAL committed)
    message(FATAL_ERROR "skin_art ${DESIGN} draws [${drawn}] but skins/${DESIGN} holds [${committed}]")
  endif()
  foreach(name IN LISTS drawn)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${out}/${name}" "${SKIN}/${name}"
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      message(FATAL_ERROR "skins/${DESIGN}/${name} differs from what skin_art draws with the ${kernels} kernels: "
                          "run the ${DESIGN}_art_update target and commit")
    endif()
  endforeach()
endforeach()
message(STATUS "${CMAKE_CURRENT_LIST_FILE}: all ${DESIGN} sources current with either kernels")
