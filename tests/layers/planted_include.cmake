# Plants faults in a copy of src/ and expects the layer check to name each of them, and nothing
# else: an upward include, SDL in the core, and a folder that belongs to no layer.
# Variables: CHECK (the script), SOURCE (src/), WORK (a scratch folder).
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${SOURCE}/" DESTINATION "${WORK}/src")

# Appends a line to a copied file and returns its line number in the variable named by out.
function(plant file text out)
    file(APPEND "${WORK}/src/${file}" "${text}\n")
    file(READ "${WORK}/src/${file}" content)
    string(REGEX MATCHALL "\n" newlines "${content}")
    list(LENGTH newlines count)
    set(${out} ${count} PARENT_SCOPE)
endfunction()

plant(base/random.cpp "#include \"game/turn_pipeline.h\"" upward_line)
plant(population/voter.h "#include <SDL2/SDL.h>" sdl_line)
# A downward include and a header from outside src/ must pass.
plant(game/startup.cpp "#include \"base/random.h\"" ignored)
plant(platform/image_file.cpp "#include \"FreeImage.h\"" ignored)
file(WRITE "${WORK}/src/scratch/notes.cpp" "#include \"base/random.h\"\n")

execute_process(COMMAND bash "${CHECK}" "${WORK}/src"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message(STATUS "check-layers printed:\n${output}${errors}")
if(NOT result EQUAL 1)
    message(FATAL_ERROR "expected exit code 1, got ${result}")
endif()
set(expected
    "base/random.cpp:${upward_line}: #include \"game/turn_pipeline.h\"  (base may not include game)"
    "population/voter.h:${sdl_line}: #include <SDL2/SDL.h>  (population is core and may not include SDL)"
    "scratch/notes.cpp: the folder is in no layer of layers.txt")
foreach(line IN LISTS expected)
    string(FIND "${output}" "${line}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the report does not name: ${line}")
    endif()
endforeach()
string(REGEX MATCHALL "\n" newlines "${output}")
list(LENGTH newlines reported)
if(NOT reported EQUAL 3)
    message(FATAL_ERROR "expected exactly 3 offending lines, got ${reported}")
endif()

# Without a list of layers there is nothing to check against: that is an error of its own.
file(REMOVE "${WORK}/src/layers.txt")
execute_process(COMMAND bash "${CHECK}" "${WORK}/src" RESULT_VARIABLE result
                OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 2 OR NOT errors MATCHES "cannot read .*layers.txt")
    message(FATAL_ERROR "a missing layers.txt gave exit code ${result}: ${errors}")
endif()
