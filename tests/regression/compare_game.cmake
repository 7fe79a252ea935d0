# Plays the default country headless on a fixed seed and compares the state document with the
# checked-in one. Any change to the simulation, the content or the document shows up here; when
# the change is intended, refresh the expected file with scripts/update-regression.sh.
file(REMOVE_RECURSE "${USER_DIR}")
execute_process(
    COMMAND "${SIM}" --data-root "${DATA_ROOT}" --user-dir "${USER_DIR}" --seed 2026 --quiet
            --new --turns 30 --json "${ACTUAL}"
    RESULT_VARIABLE run_result)
if(NOT run_result EQUAL 0)
    message(FATAL_ERROR "marrowgate-sim failed with ${run_result}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${ACTUAL}" "${EXPECTED}"
                RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "The game played differently from ${EXPECTED}; compare it with "
                        "${ACTUAL}. If the change is intended, run scripts/update-regression.sh.")
endif()
