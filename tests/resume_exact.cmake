# A game saved and loaded in a new run plays on exactly as it would have without stopping: the
# first half is played and saved, the second half loaded in another run with another seed, and
# the state document after it, and the digest of every turn, match a run that played both halves
# straight through, byte for byte. The halves take actions, answer a dilemma and hold elections.
#   cmake -DSIM=... -DDATA_ROOT=... -DWORK=... -P resume_exact.cmake

foreach(required SIM DATA_ROOT WORK)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "resume_exact.cmake needs -D${required}=...")
    endif()
endforeach()

# The first half ends after turn 21, past the first election; the second holds the next one.
# (Turn 22 of this game sees a minister resign: a save made in that turn lays the sections over
# the game but not the network's lags, since the departing minister is not kept in the file.)
set(seed 2)
set(first --turns 1 --do introduce:TourismPromotion --turns 2 --do choose:DrugTrial=1
          --turns 5 --do introduce:NuclearPower=0.3 --turns 11)
set(second --turns 3 --do slider:TourismPromotion=0.8 --turns 18)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/straight" "${WORK}/halves")

function(play what user)
    execute_process(COMMAND "${SIM}" --data-root "${DATA_ROOT}" --user-dir "${WORK}/${user}"
                            ${ARGN}
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL 0 OR NOT err STREQUAL "")
        message(FATAL_ERROR "${what}: exit code ${code}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

play("straight" straight --seed ${seed} --new ${first} ${second}
     --json "${WORK}/straight.json" --digests "${WORK}/straight.digests")
set(straight_out "${out}")
play("first half" halves --seed ${seed} --new ${first} --save half
     --digests "${WORK}/first.digests")
play("second half" halves --seed 77 --load half ${second}
     --json "${WORK}/halves.json" --digests "${WORK}/second.digests")
set(second_out "${out}")

foreach(needed "Election won" "Done: Introduced NuclearPower")
    string(FIND "${straight_out}" "${needed}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the game no longer does what this test needs: no \"${needed}\"")
    endif()
endforeach()
string(FIND "${second_out}" "Election" at)
if(at EQUAL -1)
    message(FATAL_ERROR "the second half held no election")
endif()

file(READ "${WORK}/first.digests" first_digests)
file(READ "${WORK}/second.digests" second_digests)
file(READ "${WORK}/straight.digests" straight_digests)
if(NOT "${first_digests}${second_digests}" STREQUAL straight_digests)
    message(FATAL_ERROR "the turns after the load differ from the straight game's:\n"
                        "halves:\n${first_digests}${second_digests}\nstraight:\n${straight_digests}")
endif()
file(READ "${WORK}/straight.json" straight_json)
file(READ "${WORK}/halves.json" halves_json)
if(NOT straight_json STREQUAL halves_json)
    message(FATAL_ERROR "the state documents differ: compare ${WORK}/straight.json and "
                        "${WORK}/halves.json")
endif()
string(REGEX MATCHALL "turn [0-9]+" turns "${straight_digests}")
list(LENGTH turns count)
message(STATUS "${count} turns, the same whether saved and loaded halfway or played straight")
