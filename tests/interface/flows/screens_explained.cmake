# Every slider says what it is at and what it does: the options screen with a tooltip showing,
# the full-screen box after Alt+Enter, and the new-game screen with a tooltip, values in words,
# party descriptions, plurals and the warning of a hopeless start.
run_flow(AT 120:options_tooltip AT 160:options_switched AT 320:newgame_tooltip AT 400:hopeless)
expect_mode(options_tooltip Options)
expect_text(options_tooltip "How quickly voters suspect your motives")
expect_text(options_tooltip "\"valueText\": \"Medium (50%)\"")
expect_text(options_tooltip "a year\"")
expect_mode(newgame_tooltip NewGame)
expect_text(newgame_tooltip "How much the economy produces on your first day")
expect_text(newgame_tooltip "\"warning\": \"\"")
expect_text(newgame_tooltip "\"partyDescriptions\": [")
expect_text(hopeless "close to hopeless")
expect_pictures(options_tooltip newgame_tooltip hopeless)

# The box shows the display as it is, before and after Alt+Enter switched it.
read_dump(options_tooltip before)
read_dump(options_switched after)
foreach(state before after)
    string(REGEX MATCH "\"text\": \"Full screen\"[^}]*\"ticked\": (true|false)" found "${${state}}")
    set(${state}_ticked ${CMAKE_MATCH_1})
endforeach()
if(before_ticked STREQUAL "" OR before_ticked STREQUAL after_ticked)
    message(FATAL_ERROR "the full-screen box did not follow Alt+Enter: ${before_ticked} then ${after_ticked}")
endif()
# The test display is a desktop 768 pixels high: the game starts full screen there, and Alt+Enter
# still gives a window.
expect_log("starting display 1024 x 768, 32 bits, full screen")
expect_log("starting display 1024 x 768, 32 bits, windowed")
