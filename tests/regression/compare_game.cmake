# Plays the default country headless on a fixed seed whose government wins its first election,
# so the game runs its whole thirty turns, and compares it with the checked-in record: a digest of
# the state document after every turn, and the whole document after the last. Any change to the
# simulation, the content or the document shows up here, with the first turn that played
# differently; when the change is intended, refresh both files with scripts/update-regression.sh.
file(REMOVE_RECURSE "${USER_DIR}")
execute_process(
    COMMAND "${SIM}" --data-root "${DATA_ROOT}" --user-dir "${USER_DIR}" --seed 2 --quiet
            --digests "${ACTUAL}.digests" --new --turns 30 --json "${ACTUAL}.json"
    RESULT_VARIABLE run_result)
if(NOT run_result EQUAL 0)
    message(FATAL_ERROR "marrowgate-sim failed with ${run_result}")
endif()

file(STRINGS "${ACTUAL}.digests" actual)
file(STRINGS "${EXPECTED}.digests" expected)
list(LENGTH expected turns)
if(NOT turns EQUAL 30)
    message(FATAL_ERROR "${EXPECTED}.digests holds ${turns} turns, not 30")
endif()
foreach(line IN LISTS expected)
    list(POP_FRONT actual played)
    if(NOT played STREQUAL line)
        message(FATAL_ERROR "The game first played differently from the record at \"${line}\" "
                            "(this run: \"${played}\"); compare ${ACTUAL}.json with "
                            "${EXPECTED}.json. If the change is intended, run "
                            "scripts/update-regression.sh.")
    endif()
endforeach()
if(actual)
    message(FATAL_ERROR "The game played on past the recorded turns: ${actual}")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${ACTUAL}.json" "${EXPECTED}.json"
                RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "The last turn's document differs from ${EXPECTED}.json; compare it with "
                        "${ACTUAL}.json. If the change is intended, run scripts/update-regression.sh.")
endif()
