# A mod with one fault of each kind the checker knows, plus files that are not content at all: a
# binary file where an event should be, a row file of one enormous line and an empty dilemma. The
# checker must name every fault by file and line, survive the junk and end with exit code 1.
file(REMOVE_RECURSE "${WORK}")
file(COPY "${SOURCE}/mods" DESTINATION "${WORK}")
set(MODS "${WORK}/mods/data")
execute_process(COMMAND sh -c "printf 'PK\\003\\004\\000\\000\\377\\376junk' > \"$1\""
                        sh "${MODS}/simulation/events/Archive.txt")
string(REPEAT "x" 200000 enormous)
file(WRITE "${MODS}/simulation/policies/Enormous.txt" "#,Enormous,${enormous}\n")
file(WRITE "${MODS}/simulation/dilemmas/Empty.txt" "")

execute_process(
    COMMAND "${SIM}" --data-root "${DATA_ROOT}" --user-dir "${WORK}" --check-content
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 1)
    message(FATAL_ERROR "the checker ended with ${result}, not 1:\n${output}${errors}")
endif()
if(errors MATCHES "Sanitizer|runtime error")
    message(FATAL_ERROR "the checker tripped a sanitizer:\n${errors}")
endif()

set(expected
    # a wrong number of cells
    "policies/ShortPolicy.txt:1: a policy row has 11 cells where at least 19 are needed"
    # a number that is not one
    "simulation/Marrowness.txt:1: default 'lots' is not a number"
    # a formula that does not parse
    "policies/BadFormula.txt:1: formula '0+0.06*x' in effect Farmers does not parse"
    # node names that resolve to nothing, in a row and in a script
    "situations/GhostSituation.txt:1: influence 'Ectoplasm' names no node"
    "dilemmas/LoneOption.txt:10: option1 OnImplement: CreateGrudge holder 'Gardeners' names no node"
    "dilemmas/LoneOption.txt:1: a dilemma needs two or more [option] sections, not 1"
    "autorun scripts/typo.txt:1: script: unknown script command 'CreateEfect'"
    # a text key with no text, a picture that does not exist
    "events/MissingPieces.txt:3: text key EVENT_MISSINGPIECES_NO_SUCH_TEXT has no text"
    "events/MissingPieces.txt:5: Texture 'event_nowhere_to_be_seen.jpg' does not exist"
    # mission values out of range
    "missions/Overlong.txt:10: economic_cycle_start 1.7 is out of its range 0 to 1"
    "missions/Overlong.txt:12: termlength 12 is out of its range 1 to 10"
    # a people's word that texts would take for a token
    "missions/Overlong.txt:15: people '{Overlongers}' holds a brace or an angle bracket"
    # junk
    "events/Archive.txt: holds binary data"
    "policies/Enormous.txt:1: the row has 200011 characters, of which the game reads only the first 1023"
    "dilemmas/Empty.txt: the file is empty")
foreach(line IN LISTS expected)
    string(FIND "${output}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the checker did not report \"${line}\"; it said:\n${output}")
    endif()
endforeach()
list(LENGTH expected wanted)
string(REGEX MATCH "Content checked: ([0-9]+) problems" counted "${output}")
if(NOT CMAKE_MATCH_1 EQUAL wanted)
    message(FATAL_ERROR "expected ${wanted} problems, the checker reported ${CMAKE_MATCH_1}:\n${output}")
endif()
