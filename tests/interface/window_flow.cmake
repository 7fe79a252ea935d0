# Plays the real game window from the command line, under SDL's offscreen video and dummy audio
# drivers, as a player would: the options (a change that must survive a restart), a new game,
# the processing screen, turns, a save and a load, and quitting from the menu. Checks the exit
# codes, the debug log, the files written and the screenshots, which are kept in SHOTS.
#   cmake -DGAME=... -DSOURCE_ROOT=... -DWORK=... -DSHOTS=... -DINPUTS=... -P window_flow.cmake

set(ENV{SDL_VIDEODRIVER} offscreen)
set(ENV{SDL_AUDIODRIVER} dummy)
set(ENV{SDL_RENDER_DRIVER} software)

# A home of the test's own: the game keeps the player's options and display settings in its
# config folder and never writes the data folder.
set(ENV{HOME} ${WORK}/home)
set(ENV{XDG_CONFIG_HOME} ${WORK}/home/.config)
set(ENV{XDG_STATE_HOME} ${WORK}/home/.local/state)
set(CONFIG ${WORK}/home/.config/marrowgate)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/debugdata ${WORK}/user ${SHOTS})
# A copy of the data, with a debugdata folder beside it for the log the checks read.
file(COPY ${SOURCE_ROOT}/data DESTINATION ${WORK} PATTERN debugdata EXCLUDE)
# A player who has read the tutorial's hints.
include(${CMAKE_CURRENT_LIST_DIR}/seen_hints.cmake)
mark_hints_seen(${WORK}/data ${WORK}/user)

function(run_game name)
    execute_process(
        COMMAND ${GAME} --data-root ${WORK} --user-dir ${WORK}/user --seed 11
            --input ${INPUTS}/${name}.txt ${ARGN}
        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 300)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${name}: the game exited with ${code}\n${out}\n${err}")
    endif()
    file(READ ${WORK}/debugdata/debug.txt log)
    foreach(line "releasing resources" "writing global vars" "releasing game subystems"
            "releasing d3d" "END DEBUG---")
        string(FIND "${log}" "${line}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "${name}: the log lacks \"${line}\"\n${log}")
        endif()
    endforeach()
    set(LOG "${log}" PARENT_SCOPE)
endfunction()

# The value of an option in an options file: the player's copy unless another file is named.
function(expect_option key value)
    set(file ${CONFIG}/options.txt)
    if(ARGN)
        set(file ${ARGN})
    endif()
    file(STRINGS ${file} lines REGEX "^${key} = ")
    if(NOT lines STREQUAL "${key} = ${value}")
        message(FATAL_ERROR "${file} holds \"${lines}\", expected \"${key} = ${value}\"")
    endif()
endfunction()

function(expect_log text)
    string(FIND "${LOG}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the log lacks \"${text}\"\n${LOG}")
    endif()
endfunction()

# First run: untick Dilemmas on the options screen and quit from the menu. The change is kept in
# the player's copy; the shipped file keeps the default.
expect_option(ENABLEDILEMMAS 1.00 ${WORK}/data/options.txt)
file(SHA256 ${WORK}/data/options.txt shipped_options)
file(SHA256 ${WORK}/data/config.muf shipped_display)
run_game(flow_options --shot 45:${SHOTS}/options.png)
expect_option(ENABLEDILEMMAS 0.00)
expect_option(ENABLEDILEMMAS 1.00 ${WORK}/data/options.txt)
# Alt+Enter restarted the display in the middle of the run.
string(REGEX MATCHALL "starting display" starts "${LOG}")
list(LENGTH starts count)
if(NOT count EQUAL 2)
    message(FATAL_ERROR "Alt+Enter should restart the display once; it started ${count} times")
endif()
# ... and the switch went into the player's display settings.
file(STRINGS ${CONFIG}/config.muf windowed REGEX "^IsWindowed=[01]$")
if(NOT windowed)
    message(FATAL_ERROR "Alt+Enter left no IsWindowed in ${CONFIG}/config.muf")
endif()

# Second run: the box must start unticked (ticking it again stores 1.00, which only happens
# when the 0.00 was read back), then a whole game.
set(shots)
foreach(shot 95:menu 45:options_restarted 140:new_game 190:processing 230:game 300:next_turn
        340:save_game 430:menu_in_game 470:load_game 520:processing_load 560:game_loaded)
    string(REPLACE ":" ";" parts ${shot})
    list(GET parts 0 frame)
    list(GET parts 1 name)
    list(APPEND shots --shot ${frame}:${SHOTS}/${name}.png)
endforeach()
run_game(flow_game ${shots})
expect_option(ENABLEDILEMMAS 1.00)
expect_log("Processing new turn")
expect_log("Saving Game")
expect_log("Loading voters")
if(NOT EXISTS "${WORK}/user/savegames/My Government Flow.xml")
    message(FATAL_ERROR "the save was not written")
endif()

# Without a sound device the game plays on in silence.
set(ENV{SDL_AUDIODRIVER} no-such-driver)
run_game(flow_silent)
set(ENV{SDL_AUDIODRIVER} dummy)
expect_log("playing silently")

# Without a display it says so and stops cleanly, leaving the player's options alone.
file(WRITE ${CONFIG}/options.txt "[options]\nMUSIC = 0.333\n")
set(ENV{SDL_VIDEODRIVER} no-such-driver)
execute_process(COMMAND ${GAME} --data-root ${WORK} --user-dir ${WORK}/user --frames 5
        --screenshot ${WORK}/never.png
    RESULT_VARIABLE code ERROR_VARIABLE err TIMEOUT 60)
set(ENV{SDL_VIDEODRIVER} offscreen)
if(NOT code EQUAL 1 OR NOT err MATCHES "no display")
    message(FATAL_ERROR "without a display: exit ${code}, said \"${err}\"")
endif()
file(READ ${CONFIG}/options.txt options)
if(NOT options STREQUAL "[options]\nMUSIC = 0.333\n")
    message(FATAL_ERROR "a failed start rewrote the options: ${options}")
endif()
foreach(pair "options.txt;${shipped_options}" "config.muf;${shipped_display}")
    list(GET pair 0 name)
    list(GET pair 1 before)
    file(SHA256 ${WORK}/data/${name} after)
    if(NOT after STREQUAL before)
        message(FATAL_ERROR "the game wrote the shipped data/${name}")
    endif()
endforeach()

# Every screen drew something of its own: no two pictures alike, none blank. The loaded game may
# look just like the game that was saved, so it is left out of the comparison; other flows keep
# their pictures in the same folder under their own names.
set(seen)
set(pictures)
foreach(name menu options_restarted new_game processing game next_turn save_game menu_in_game
        load_game processing_load options)
    list(APPEND pictures ${SHOTS}/${name}.png)
endforeach()
list(LENGTH pictures count)
foreach(picture ${pictures})
    if(NOT EXISTS ${picture})
        message(FATAL_ERROR "${picture} was not written")
    endif()
    file(SIZE ${picture} size)
    if(size LESS 20000)
        message(FATAL_ERROR "${picture} is only ${size} bytes: a blank screen?")
    endif()
    file(SHA256 ${picture} hash)
    list(FIND seen ${hash} at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${picture} is the same picture as another screen")
    endif()
    list(APPEND seen ${hash})
endforeach()
message(STATUS "${count} screenshots in ${SHOTS}")
