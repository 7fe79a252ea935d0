# Plays one flow of the real game window unattended and checks it through the screen
# descriptions (--ui-dump) it asked for. A flow is two files in flows/: NAME.txt, the replayed
# input, and NAME.cmake, which calls run_flow() and then the expect_* checks below.
#   cmake -DGAME=... -DSOURCE_ROOT=... -DWORK=... -DSHOTS=... -DFLOW=NAME -P ui_flow.cmake
# Screenshots are kept in SHOTS as NAME_<label>.png; descriptions in WORK as <label>.json.

set(ENV{SDL_VIDEODRIVER} offscreen)
set(ENV{SDL_AUDIODRIVER} dummy)
set(ENV{SDL_RENDER_DRIVER} software)
set(FLOWS ${CMAKE_CURRENT_LIST_DIR}/flows)

# A home of the flow's own, where the game keeps the player's settings.
set(ENV{HOME} ${WORK}/home)
set(ENV{XDG_CONFIG_HOME} ${WORK}/home/.config)
set(ENV{XDG_STATE_HOME} ${WORK}/home/.local/state)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/debugdata ${WORK}/user ${SHOTS})
# A copy of the data, with a debugdata folder beside it for the log the checks read.
file(COPY ${SOURCE_ROOT}/data DESTINATION ${WORK} PATTERN debugdata EXCLUDE)

include(${CMAKE_CURRENT_LIST_DIR}/seen_hints.cmake)

# run_flow([SEED n] [INPUT name] [FRESH_HINTS] [AT frame:label ...] [ARGS extra arguments...])
# Each AT takes a screenshot and a screen description at that frame, both named by the label.
# INPUT replays flows/name.txt instead of the flow's own input. The player has read every
# tutorial hint unless FRESH_HINTS is given (a later run keeps what an earlier one wrote).
function(run_flow)
    cmake_parse_arguments(FLOW "FRESH_HINTS" "SEED;INPUT" "AT;ARGS" ${ARGN})
    if(NOT FLOW_SEED)
        set(FLOW_SEED 11)
    endif()
    if(NOT FLOW_INPUT)
        set(FLOW_INPUT ${FLOW})
    endif()
    if(NOT FLOW_FRESH_HINTS AND NOT EXISTS ${WORK}/user/hints.txt)
        mark_hints_seen(${WORK}/data ${WORK}/user)
    endif()
    set(extra)
    foreach(point ${FLOW_AT})
        string(REPLACE ":" ";" parts ${point})
        list(GET parts 0 frame)
        list(GET parts 1 label)
        list(APPEND extra --shot ${frame}:${SHOTS}/${FLOW}_${label}.png
            --ui-dump ${frame}:${WORK}/${label}.json)
    endforeach()
    execute_process(
        COMMAND ${GAME} --data-root ${WORK} --user-dir ${WORK}/user --seed ${FLOW_SEED}
            --input ${FLOWS}/${FLOW_INPUT}.txt ${extra} ${FLOW_ARGS}
        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 600)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${FLOW}: the game exited with ${code}\n${out}\n${err}")
    endif()
    foreach(point ${FLOW_AT})
        string(REPLACE ":" ";" parts ${point})
        list(GET parts 1 label)
        if(NOT EXISTS ${WORK}/${label}.json)
            message(FATAL_ERROR "${FLOW}: no screen description for ${label}")
        endif()
    endforeach()
endfunction()

function(read_dump label out)
    file(READ ${WORK}/${label}.json text)
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The screen's mode name ("Game", "Menu", ...).
function(expect_mode label mode)
    read_dump(${label} dump)
    string(JSON actual GET "${dump}" modeName)
    if(NOT actual STREQUAL mode)
        message(FATAL_ERROR "${FLOW} ${label}: the mode is ${actual}, expected ${mode}")
    endif()
endfunction()

# A window of a kind is open (as an ordinary window, modal window or page), or is not.
function(count_windows label kind out)
    read_dump(${label} dump)
    set(found 0)
    foreach(group windows modals pages)
        string(JSON count ERROR_VARIABLE missing LENGTH "${dump}" screen ${group})
        if(missing OR count EQUAL 0)
            set(count 0)
        endif()
        set(i 0)
        while(i LESS count)
            string(JSON actual GET "${dump}" screen ${group} ${i} kind)
            if(actual STREQUAL kind)
                math(EXPR found "${found} + 1")
            endif()
            math(EXPR i "${i} + 1")
        endwhile()
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

function(expect_window label kind)
    count_windows(${label} ${kind} found)
    if(found EQUAL 0)
        read_dump(${label} dump)
        message(FATAL_ERROR "${FLOW} ${label}: no ${kind} window is open\n${dump}")
    endif()
endfunction()

function(expect_no_window label kind)
    count_windows(${label} ${kind} found)
    if(NOT found EQUAL 0)
        message(FATAL_ERROR "${FLOW} ${label}: a ${kind} window is open")
    endif()
endfunction()

# The description holds (or lacks) a piece of text anywhere: a title, a row, a tooltip.
function(expect_text label text)
    read_dump(${label} dump)
    string(FIND "${dump}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${FLOW} ${label}: the screen does not show \"${text}\"\n${dump}")
    endif()
endfunction()

function(expect_no_text label text)
    read_dump(${label} dump)
    string(FIND "${dump}" "${text}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${FLOW} ${label}: the screen shows \"${text}\"")
    endif()
endfunction()

# The log of the run holds a line.
function(expect_log text)
    file(READ ${WORK}/debugdata/debug.txt log)
    string(FIND "${log}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${FLOW}: the log lacks \"${text}\"")
    endif()
endfunction()

# Each screenshot exists and is not blank.
function(expect_pictures)
    foreach(label ${ARGN})
        set(picture ${SHOTS}/${FLOW}_${label}.png)
        if(NOT EXISTS ${picture})
            message(FATAL_ERROR "${FLOW}: no screenshot ${picture}")
        endif()
        file(SIZE ${picture} size)
        if(size LESS 20000)
            message(FATAL_ERROR "${picture} is only ${size} bytes: a blank screen?")
        endif()
    endforeach()
endfunction()

include(${FLOWS}/${FLOW}.cmake)
