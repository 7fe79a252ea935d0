# Writes that fail at the headless runner: a save past the file-size limit, a save whose
# temporary file cannot be made, the state document into a full standard output, and a user
# folder that is a file. Each is reported once, naming the file and the reason, the run ends
# with a non-zero exit code, no "Saved:" line is printed and the earlier save stays whole.
#   cmake -DSIM=... -DDATA_ROOT=... -DWORK=... -P write_failures.cmake

file(REMOVE_RECURSE "${WORK}")
set(user "${WORK}/user")
file(MAKE_DIRECTORY "${user}")

# Runs a shell line with the runner as "$0"; code, out and err are handed back.
function(shell line)
    execute_process(
        COMMAND sh -c "${line}" "${SIM}" --data-root "${DATA_ROOT}" --user-dir "${user}" --seed 5
        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(code "${code}" PARENT_SCOPE)
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

# expect("what went wrong" CONDITION...): the condition is given as if() takes it.
function(expect what)
    if(NOT (${ARGN}))
        message(FATAL_ERROR "${what}\nexit code ${code}\n${out}\n${err}")
    endif()
endfunction()

function(count_of text pattern out)
    string(REGEX MATCHALL "${pattern}" found "${text}")
    list(LENGTH found n)
    set(${out} ${n} PARENT_SCOPE)
endfunction()

shell("\"$0\" \"$@\" --quiet --new --save kept")
set(kept "${user}/savegames/kept.xml")
expect("the first save failed" code EQUAL 0)
file(READ "${kept}" before)

# Past the file-size limit: the signal is ignored, so the write itself fails.
shell("trap '' XFSZ; ulimit -f 200; \"$0\" \"$@\" --new --turns 1 --save kept")
expect("a save past the size limit ended with exit code 0" NOT code EQUAL 0)
string(FIND "${out}" "Saved:" saved)
expect("a failed save was reported as saved" saved EQUAL -1)
count_of("${err}" "could not be saved to \"${kept}\": File too large" reports)
expect("the failure was not reported once with the file and the reason" reports EQUAL 1)
file(READ "${kept}" after)
expect("the earlier save changed" before STREQUAL after)
file(GLOB leftovers "${user}/savegames/*.tmp")
expect("a temporary file was left: ${leftovers}" NOT leftovers)

# The temporary file's place is taken by a folder.
file(MAKE_DIRECTORY "${user}/savegames/kept.xml.tmp")
shell("\"$0\" \"$@\" --new --save kept")
expect("a save that could not be written ended with exit code ${code}" code EQUAL 1)
count_of("${err}" "could not be saved to \"${kept}\": Is a directory" reports)
expect("the failure was not reported once with the file and the reason" reports EQUAL 1)
file(READ "${kept}" after)
expect("the earlier save changed" before STREQUAL after)
file(REMOVE_RECURSE "${user}/savegames/kept.xml.tmp")

# The state document into a full standard output.
shell("\"$0\" \"$@\" --new --json - > /dev/full")
expect("--json - into a full output ended with exit code ${code}" code EQUAL 1)
count_of("${err}" "cannot write the state to standard output: No space left on device" reports)
expect("the full output was not reported once" reports EQUAL 1)

# A user folder that is a file is named as such before anything is played.
file(WRITE "${WORK}/plain-file" "not a folder\n")
execute_process(COMMAND "${SIM}" --data-root "${DATA_ROOT}" --user-dir "${WORK}/plain-file"
                        --new --turns 1
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("a user folder that is a file ended with exit code ${code}" code EQUAL 2)
string(FIND "${err}" "--user-dir names a file, not a folder: ${WORK}/plain-file" named)
expect("the message does not name the file" NOT named EQUAL -1)
