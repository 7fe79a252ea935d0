# The game's command line as a player or a script uses it: relative paths mean the folder the
# command was typed in, and a picture or description that cannot be written fails the run with a
# message. Also the headless runner's help names the default country by its name.
#   cmake -DGAME=... -DSIM=... -DSOURCE_ROOT=... -DWORK=... -P command_line.cmake

set(ENV{SDL_VIDEODRIVER} offscreen)
set(ENV{SDL_AUDIODRIVER} dummy)
set(ENV{SDL_RENDER_DRIVER} software)
set(ENV{HOME} ${WORK}/home)
set(ENV{XDG_CONFIG_HOME} ${WORK}/home/.config)
set(ENV{XDG_STATE_HOME} ${WORK}/home/.local/state)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/here ${WORK}/root/debugdata)
file(COPY ${SOURCE_ROOT}/data DESTINATION ${WORK}/root PATTERN debugdata EXCLUDE)

# Relative paths from the working folder, while the game itself works in its data root.
file(MAKE_DIRECTORY ${WORK}/here/shots)
execute_process(
    COMMAND ${GAME} --data-root ${WORK}/root --user-dir player --screenshot shots/menu.png
        --frames 5 --ui-dump 5:menu.json
    WORKING_DIRECTORY ${WORK}/here
    RESULT_VARIABLE code ERROR_VARIABLE err TIMEOUT 120)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "relative paths: exit ${code}: ${err}")
endif()
foreach(made shots/menu.png menu.json player/savegames)
    if(NOT EXISTS ${WORK}/here/${made})
        message(FATAL_ERROR "relative paths: ${made} is not in the working folder")
    endif()
endforeach()

# A picture or a description that cannot be written: a message naming it and a failed run.
foreach(request "--screenshot;${WORK}/missing/menu.png;--frames;5"
        "--ui-dump;5:${WORK}/missing/menu.json")
    execute_process(
        COMMAND ${GAME} --data-root ${WORK}/root --user-dir ${WORK}/player ${request}
        RESULT_VARIABLE code ERROR_VARIABLE err TIMEOUT 120)
    if(code EQUAL 0 OR NOT err MATCHES "cannot write the (screenshot|screen description) ${WORK}/missing")
        message(FATAL_ERROR "${request}: exit ${code}, said \"${err}\"")
    endif()
endforeach()

execute_process(COMMAND ${SIM} --help OUTPUT_VARIABLE help RESULT_VARIABLE code)
if(NOT code EQUAL 0 OR NOT help MATCHES "default: Calverra" OR help MATCHES "USA\\)")
    message(FATAL_ERROR "marrowgate-sim --help: exit ${code}\n${help}")
endif()
