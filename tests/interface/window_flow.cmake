# Plays the real game window from the command line, under SDL's offscreen video and dummy audio
# drivers, as a player would: the options (a change that must survive a restart), a new game,
# the processing screen, turns, a save and a load, and quitting from the menu. Checks the exit
# codes, the debug log, the files written and the screenshots, which are kept in SHOTS.
#   cmake -DGAME=... -DSOURCE_ROOT=... -DWORK=... -DSHOTS=... -DINPUTS=... -P window_flow.cmake

set(ENV{SDL_VIDEODRIVER} offscreen)
set(ENV{SDL_AUDIODRIVER} dummy)
set(ENV{SDL_RENDER_DRIVER} software)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/debugdata ${WORK}/user ${SHOTS})
# A copy of the data: the game rewrites its options and display files.
file(COPY ${SOURCE_ROOT}/data DESTINATION ${WORK} PATTERN debugdata EXCLUDE)

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

function(expect_option key value)
    file(STRINGS ${WORK}/data/options.txt lines REGEX "^${key} = ")
    if(NOT lines STREQUAL "${key} = ${value}")
        message(FATAL_ERROR "options.txt holds \"${lines}\", expected \"${key} = ${value}\"")
    endif()
endfunction()

function(expect_log text)
    string(FIND "${LOG}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the log lacks \"${text}\"\n${LOG}")
    endif()
endfunction()

# First run: untick Dilemmas on the options screen and quit from the menu.
expect_option(ENABLEDILEMMAS 1.00)
run_game(flow_options --shot 45:${SHOTS}/options.png)
expect_option(ENABLEDILEMMAS 0.00)
# Alt+Enter restarted the display in the middle of the run.
string(REGEX MATCHALL "starting display" starts "${LOG}")
list(LENGTH starts count)
if(NOT count EQUAL 2)
    message(FATAL_ERROR "Alt+Enter should restart the display once; it started ${count} times")
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

# Without a display it says so and stops cleanly, leaving the options file alone.
file(WRITE ${WORK}/data/options.txt "[options]\nMUSIC = 0.333\n")
set(ENV{SDL_VIDEODRIVER} no-such-driver)
execute_process(COMMAND ${GAME} --data-root ${WORK} --user-dir ${WORK}/user --frames 5
        --screenshot ${WORK}/never.png
    RESULT_VARIABLE code ERROR_VARIABLE err TIMEOUT 60)
set(ENV{SDL_VIDEODRIVER} offscreen)
if(NOT code EQUAL 1 OR NOT err MATCHES "no display")
    message(FATAL_ERROR "without a display: exit ${code}, said \"${err}\"")
endif()
file(READ ${WORK}/data/options.txt options)
if(NOT options STREQUAL "[options]\nMUSIC = 0.333\n")
    message(FATAL_ERROR "a failed start rewrote the options: ${options}")
endif()

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
