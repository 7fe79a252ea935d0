# Installs the game as a package would (cmake --install into a scratch DESTDIR, prefix /usr),
# makes the installed data folder read-only and plays from the installed programs in a fresh home:
# a headless game, a short window run that changes an option and switches the display, then the
# headless runner again, which must read the change back from the player's copy. Nothing may be
# written under the data folder; the tests run as root, who ignores permissions, so a listing with
# every file's hash is compared before and after. Then the two bad starts: a damaged copy of the
# options, and a config folder that cannot be made.
#   cmake -DBUILD=... -DWORK=... -DINPUTS=... -DSHOTS=... -P installed_game.cmake

set(DEST ${WORK}/root)
set(PREFIX ${DEST}/usr)
set(DATA_ROOT ${PREFIX}/share/marrowgate)
set(HOME ${WORK}/home)

if(EXISTS ${WORK})
    execute_process(COMMAND chmod -R u+w ${WORK})
    file(REMOVE_RECURSE ${WORK})
endif()
file(MAKE_DIRECTORY ${HOME} ${WORK}/elsewhere ${SHOTS})

# A fresh home with nothing set but HOME: the game works out every folder itself.
set(ENV{HOME} ${HOME})
foreach(variable XDG_CONFIG_HOME XDG_STATE_HOME XDG_DOCUMENTS_DIR MARROWGATE_USER_DIR)
    unset(ENV{${variable}})
endforeach()
set(ENV{SDL_VIDEODRIVER} offscreen)
set(ENV{SDL_AUDIODRIVER} dummy)
set(ENV{SDL_RENDER_DRIVER} software)

set(ENV{DESTDIR} ${DEST})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
unset(ENV{DESTDIR})
if(NOT code EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${code})\n${out}${err}")
endif()

foreach(file bin/marrowgate bin/marrowgate-sim share/applications/org.marrowgate.Marrowgate.desktop
        share/metainfo/org.marrowgate.Marrowgate.metainfo.xml share/man/man6/marrowgate.6.gz
        share/man/man6/marrowgate-sim.6.gz share/icons/hicolor/16x16/apps/marrowgate.png
        share/icons/hicolor/256x256/apps/marrowgate.png share/marrowgate/data/data.ini
        share/marrowgate/data/options.txt share/marrowgate/data/config.muf
        share/marrowgate/data/fonts/tahoma12.dds.dat share/marrowgate/data/sounds/music/theme.ogg)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "the install lacks ${file}")
    endif()
endforeach()

# Every path under the data root, with each file's hash.
function(describe_data out)
    file(GLOB_RECURSE paths LIST_DIRECTORIES true RELATIVE ${DATA_ROOT} ${DATA_ROOT}/*)
    list(SORT paths)
    set(text "")
    foreach(path ${paths})
        if(IS_DIRECTORY ${DATA_ROOT}/${path})
            string(APPEND text "${path}/\n")
        else()
            file(SHA256 ${DATA_ROOT}/${path} hash)
            string(APPEND text "${path} ${hash}\n")
        endif()
    endforeach()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND chmod -R a-w ${DATA_ROOT} RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "cannot make ${DATA_ROOT} read-only")
endif()
describe_data(before)

# run(name EXPECT code|any program args...): runs from a folder that holds no data, so the
# programs must find the installed data themselves. Leaves OUT and ERR.
function(run name program)
    execute_process(COMMAND ${PREFIX}/bin/${program} ${ARGN}
        WORKING_DIRECTORY ${WORK}/elsewhere
        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 300)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${name}: ${program} exited with ${code}\n${out}\n${err}")
    endif()
    set(OUT "${out}" PARENT_SCOPE)
    set(ERR "${err}" PARENT_SCOPE)
endfunction()

function(expect_text name text haystack)
    string(FIND "${haystack}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${name}: expected \"${text}\" in\n${haystack}")
    endif()
endfunction()

run("headless game" marrowgate-sim --seed 5 --new --turns 3 --save installed)
if(NOT EXISTS ${HOME}/Documents/tessaline2/savegames/installed.xml)
    message(FATAL_ERROR "the headless game's save is not in the documents folder")
endif()

# The options screen's Dilemmas box unticked, Alt+Enter, quit from the menu.
run("window" marrowgate --seed 5 --input ${INPUTS}/flow_options.txt
    --shot 45:${SHOTS}/installed_options.png)
set(config ${HOME}/.config/marrowgate)
file(STRINGS ${config}/options.txt kept REGEX "^ENABLEDILEMMAS = ")
if(NOT kept STREQUAL "ENABLEDILEMMAS = 0.00")
    message(FATAL_ERROR "the player's copy holds \"${kept}\", not the unticked Dilemmas")
endif()
file(STRINGS ${config}/config.muf windowed REGEX "^IsWindowed=[01]$")
if(NOT windowed)
    message(FATAL_ERROR "Alt+Enter was not kept in ${config}/config.muf")
endif()
file(READ ${HOME}/.local/state/marrowgate/debug.txt log)
expect_text("window log" "writing global vars" "${log}")

run("report" marrowgate-sim --seed 5)
expect_text("report" "Data root:   ${DATA_ROOT}\n" "${OUT}")
expect_text("report" "Debug log:   ${HOME}/.local/state/marrowgate/debug.txt\n" "${OUT}")
expect_text("report" "yours in ${config}/options.txt\n" "${OUT}")
expect_text("report" "  ENABLEDILEMMAS      0.00\n" "${OUT}")

describe_data(after)
if(NOT after STREQUAL before)
    message(FATAL_ERROR "the programs wrote under the read-only data folder ${DATA_ROOT}")
endif()

# A damaged copy: the headless runner says which line, keeps the file aside and plays on the
# shipped options.
file(WRITE ${config}/options.txt "[options]\nMUSIC = 0.5\nENABLEDILEMMAS = maybe\n")
run("damaged options" marrowgate-sim --seed 5)
expect_text("damaged options" "${config}/options.txt line 3: \"ENABLEDILEMMAS = maybe\"" "${ERR}")
expect_text("damaged options" "  ENABLEDILEMMAS      1.00\n" "${OUT}")
if(NOT EXISTS ${config}/options.txt.damaged OR EXISTS ${config}/options.txt)
    message(FATAL_ERROR "the damaged copy was not moved aside to options.txt.damaged")
endif()

# A config folder that cannot be made: the window still plays, says so once though it tries to
# keep both the display switch and the options, and keeps nothing.
file(WRITE ${WORK}/not-a-folder "")
set(ENV{XDG_CONFIG_HOME} ${WORK}/not-a-folder)
run("unusable config folder" marrowgate --seed 5 --input ${INPUTS}/flow_options.txt)
unset(ENV{XDG_CONFIG_HOME})
string(REGEX MATCHALL "Settings not kept" told "${ERR}")
list(LENGTH told count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "the player was told ${count} times that settings are not kept\n${ERR}")
endif()
expect_text("unusable config folder" "cannot create the folder ${WORK}/not-a-folder/marrowgate"
    "${ERR}")

describe_data(after)
if(NOT after STREQUAL before)
    message(FATAL_ERROR "the programs wrote under the read-only data folder ${DATA_ROOT}")
endif()
