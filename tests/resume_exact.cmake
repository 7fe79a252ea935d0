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
# The game is also split later, in turn 38, which sees a minister resign: the departing
# minister and the announcement on the desk are in that save.
set(seed 2)
set(first --turns 1 --do introduce:TourismPromotion --turns 2 --do choose:DrugTrial=1
          --turns 5 --do introduce:NuclearPower=0.3 --turns 11)
set(second --turns 3 --do slider:TourismPromotion=0.8 --turns 18)
set(first_resigning ${first} --turns 3 --do slider:TourismPromotion=0.8 --turns 14)
set(second_resigning --turns 4)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/straight" "${WORK}/halves" "${WORK}/resigning")

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
play("first half to the resignation" resigning --seed ${seed} --new ${first_resigning} --save half
     --digests "${WORK}/first_resigning.digests")
set(resigning_out "${out}")
play("second half from the resignation" resigning --seed 77 --load half ${second_resigning}
     --json "${WORK}/resigning.json" --digests "${WORK}/second_resigning.digests")

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
string(FIND "${resigning_out}" "resigns" at)
if(at EQUAL -1)
    message(FATAL_ERROR "no minister resigns in the last turn before the later split:\n${resigning_out}")
endif()
file(READ "${WORK}/first_resigning.digests" first_digests)
file(READ "${WORK}/second_resigning.digests" second_digests)
if(NOT "${first_digests}${second_digests}" STREQUAL straight_digests)
    message(FATAL_ERROR "split in the turn of a resignation, the turns after the load differ from "
                        "the straight game's:\nhalves:\n${first_digests}${second_digests}\n"
                        "straight:\n${straight_digests}")
endif()
file(READ "${WORK}/resigning.json" resigning_json)
file(READ "${WORK}/straight.json" straight_json)
if(NOT straight_json STREQUAL resigning_json)
    message(FATAL_ERROR "split in the turn of a resignation, the state documents differ: compare "
                        "${WORK}/straight.json and ${WORK}/resigning.json")
endif()

file(READ "${WORK}/halves.json" halves_json)
if(NOT straight_json STREQUAL halves_json)
    message(FATAL_ERROR "the state documents differ: compare ${WORK}/straight.json and "
                        "${WORK}/halves.json")
endif()
string(REGEX MATCHALL "turn [0-9]+" turns "${straight_digests}")
list(LENGTH turns count)
message(STATUS "${count} turns, the same whether saved and loaded halfway or played straight")
