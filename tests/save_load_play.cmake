# Plays games headless that are saved, loaded and played on again and again, and checks how each
# run ends: exit code 0, every load reported, nothing at all on stderr (no error box, no sanitizer
# report), and every grudge of the final state aimed at the node it is named after, or at nothing.
# A target read from freed memory, or an older grudge taken for its node, shows up there. Prints
# what each game went through: turns, events, elections, grudges.
#   cmake -DSIM=... -DDATA_ROOT=... -DWORK=... -DSEEDS=1,2 -DFIRST=24 -DCYCLES=1 -DTURNS=2,4
#         -P save_load_play.cmake
# FIRST turns are played before the first save; each cycle saves, loads and plays TURNS turns. One
# game is played for every seed and every number in TURNS (both lists separated by commas).

foreach(required SIM DATA_ROOT WORK SEEDS FIRST CYCLES TURNS)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "save_load_play.cmake needs -D${required}=...")
    endif()
endforeach()

function(check_grudges seed state)
    string(JSON count LENGTH "${state}" grudges)
    set(aimed 0)
    if(count GREATER 0)
        math(EXPR last "${count} - 1")
        foreach(i RANGE ${last})
            string(JSON type TYPE "${state}" grudges ${i} target)
            if(type STREQUAL "NULL")
                continue()
            endif()
            string(JSON name GET "${state}" grudges ${i} name)
            string(JSON target GET "${state}" grudges ${i} target)
            if(NOT target STREQUAL name)
                message(FATAL_ERROR "${seed}: the grudge about '${name}' is aimed at '${target}'")
            endif()
            math(EXPR aimed "${aimed} + 1")
        endforeach()
    endif()
    set(grudge_count ${count} PARENT_SCOPE)
    set(aimed_count ${aimed} PARENT_SCOPE)
endfunction()

string(REPLACE "," ";" SEEDS "${SEEDS}")
string(REPLACE "," ";" TURNS "${TURNS}")
foreach(seed ${SEEDS})
    foreach(turns ${TURNS})
        set(game "seed ${seed}, ${FIRST} turns, then ${CYCLES} x (save, load, ${turns} turns)")
        set(user "${WORK}/seed-${seed}-${turns}")
        file(REMOVE_RECURSE "${user}")
        file(MAKE_DIRECTORY "${user}")
        set(steps --new --turns ${FIRST})
        foreach(cycle RANGE 1 ${CYCLES})
            list(APPEND steps --save cycle --load cycle --turns ${turns})
        endforeach()
        execute_process(
            COMMAND "${SIM}" --data-root "${DATA_ROOT}" --user-dir "${user}" --seed ${seed}
                    --max-terms 10 --term-years 10 ${steps} --json "${user}/state.json"
            RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
        if(NOT code EQUAL 0 OR NOT err STREQUAL "")
            message(FATAL_ERROR "${game}: exit code ${code}\n${err}")
        endif()
        string(REGEX MATCHALL "Loaded: cycle, turn [0-9]+" loads "${out}")
        list(LENGTH loads load_count)
        if(NOT load_count EQUAL CYCLES)
            message(FATAL_ERROR "${game}: ${load_count} loads reported\n${out}")
        endif()

        file(READ "${user}/state.json" state)
        check_grudges("${game}" "${state}")
        string(JSON turn GET "${state}" turn)
        string(REGEX MATCHALL "\n  Event: " events "${out}")
        string(REGEX MATCHALL "\nElection (won|lost)" elections "${out}")
        list(LENGTH events event_count)
        list(LENGTH elections election_count)
        set(ending "")
        if(out MATCHES "Game over")
            set(ending ", then the game ended")
        endif()
        message(STATUS "${game}: turn ${turn}, ${event_count} events, ${election_count} "
                       "elections${ending}; ${grudge_count} grudges, ${aimed_count} aimed at a node")
    endforeach()
endforeach()
