# Save names at the headless runner. Every kind of name the rule refuses, given to --save and to
# --load, is refused before anything is played, with its own message and exit code 2, and no file
# is written anywhere. A name the rule takes is saved and loaded exactly as typed. A save that is
# missing or damaged ends the run at once with exit code 1 and no "Loaded:" line.
#   cmake -DSIM=... -DDATA_ROOT=... -DWORK=... -P save_names.cmake

# The user folder sits two folders down, so a name that climbs out of it has somewhere to land.
file(REMOVE_RECURSE "${WORK}")
set(user "${WORK}/a/b/user")
file(MAKE_DIRECTORY "${user}")

# Runs the runner with the arguments, insisting on the exit code; out and err are handed back.
function(run expected_code)
    execute_process(
        COMMAND "${SIM}" --data-root "${DATA_ROOT}" --user-dir "${user}" --seed 5 ${ARGN}
        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code STREQUAL "${expected_code}")
        message(FATAL_ERROR "${ARGN}: exit code ${code}, expected ${expected_code}\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_text where text)
    string(FIND "${${where}}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${where} lacks \"${text}\":\n${${where}}")
    endif()
endfunction()

function(expect_no_text where text)
    string(FIND "${${where}}" "${text}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${where} holds \"${text}\":\n${${where}}")
    endif()
endfunction()

# The name goes in quoted, so an empty one stays an argument.
function(expect_refused name shown reason)
    foreach(step --save --load)
        execute_process(
            COMMAND "${SIM}" --data-root "${DATA_ROOT}" --user-dir "${user}" --seed 5 --new
                    --turns 1 ${step} "${name}" --turns 1
            RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
        if(NOT code EQUAL 2)
            message(FATAL_ERROR "${step} '${shown}': exit code ${code}, expected 2\n${out}\n${err}")
        endif()
        expect_text(err "marrowgate-sim: ${step} refuses the name '${shown}': ${reason}")
        # Refused before anything is played: no game, no turn, no save, no load.
        if(NOT out STREQUAL "")
            message(FATAL_ERROR "${step} '${shown}' played on:\n${out}")
        endif()
    endforeach()
endfunction()

string(ASCII 9 tab)
string(ASCII 127 rubout)
string(REPEAT "x" 128 long)
expect_refused("" "" "A save needs a name")
expect_refused("   " "   " "A save needs a name")
expect_refused("${long}" "${long}" "A save name must be shorter than 128 characters")
expect_refused("../../outside" "../../outside" "A save name cannot hold a slash or a backslash")
expect_refused("..\\..\\outside" "..\\..\\outside" "A save name cannot hold a slash or a backslash")
expect_refused("C:outside" "C:outside" "A save name cannot begin with a drive letter")
expect_refused(".." ".." "A save name cannot be dots alone")
expect_refused("tab${tab}name" "tab\\x09name" "A save name cannot hold tabs, line breaks or other")
expect_refused("rub${rubout}out" "rub\\x7Fout" "A save name cannot hold tabs, line breaks or other")

file(GLOB_RECURSE written "${WORK}/*")
if(written)
    message(FATAL_ERROR "refused names left files behind: ${written}")
endif()

# A name the rule takes is the player's own, blanks and colon included.
run(0 --new --save " Term 2: the sequel " --load " Term 2: the sequel ")
expect_text(out "Saved: ${user}/savegames/ Term 2: the sequel .xml\n")
expect_text(out "Loaded:  Term 2: the sequel , turn 2\n")

# Missing and damaged saves end the run; nothing after them is played.
run(1 --load no-such-save --turns 1)
expect_text(err "marrowgate-sim: there is no saved game no-such-save")
expect_no_text(out "Loaded:")
expect_no_text(out "Turn ")
# Cut inside its header, or among the sections: refused whole, with one message naming the file
# and where it breaks off.
file(WRITE "${user}/savegames/cut.xml" "<xml>\n<header>\n<version>Marrowgate 1.0</version>\n")
run(1 --load cut --turns 1)
expect_text(err "\"cut.xml\" is damaged and was not loaded: it breaks off in section \"header\"")
expect_text(err "marrowgate-sim: the saved game cut is damaged")
expect_no_text(out "Loaded:")
expect_no_text(out "Turn ")
file(WRITE "${user}/savegames/cut.xml"
    "<xml>\n<header>\n<version>Marrowgate 1.0</version>\n</header>\n<load_data>\n"
    "<date>1/1/2020 (DD-MM-YYYY) - 9:7</date>\n</load_data>\n<finances>\n")
run(1 --load cut --turns 1)
expect_text(err "it breaks off in section \"finances\"")
expect_text(err "marrowgate-sim: the saved game cut is damaged")
expect_no_text(out "Loaded:")
expect_no_text(out "Turn ")

file(GLOB_RECURSE written RELATIVE "${WORK}" "${WORK}/*.xml")
list(SORT written)
if(NOT written STREQUAL "a/b/user/savegames/ Term 2: the sequel .xml;a/b/user/savegames/cut.xml")
    message(FATAL_ERROR "unexpected files: ${written}")
endif()
