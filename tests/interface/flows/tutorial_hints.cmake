# Hints appear the first time each screen opens, queue when a window asks for two, and do not
# come back, neither in the same run nor after a restart.
run_flow(FRESH_HINTS AT 50:customise AT 150:mainscreen AT 230:finances AT 260:history
    AT 330:finance_again)
expect_window(customise TutorialHint)
expect_text(customise "Set the terms of your government")
expect_text(customise "\"id\": \"HintOkButton\"")
expect_window(mainscreen TutorialHint)
expect_window(mainscreen StartDialog)
expect_text(mainscreen "This is your country, drawn as a web")
expect_text(finances "The budget for this quarter")
expect_text(finances "\"waiting\": 1")
expect_window(finances Finance)
expect_text(history "The graphs remember")
expect_text(history "\"waiting\": 0")
expect_no_window(finance_again TutorialHint)
expect_window(finance_again Finance)
expect_pictures(customise mainscreen finances)

file(READ ${WORK}/user/hints.txt seen)
foreach(line "MAINSCREEN = 1.00" "CUSTOMISECOUNTRY = 1.00" "FINANCES = 1.00"
        "FINANCE_HISTORY = 1.00" "POLLS = 0.00")
    string(FIND "${seen}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${FLOW}: hints.txt lacks \"${line}\"\n${seen}")
    endif()
endforeach()

# A restart with the same user folder: no hint comes back.
run_flow(INPUT tutorial_hints_again AT 50:again_customise AT 150:again_game AT 230:again_finance)
expect_no_window(again_customise TutorialHint)
expect_no_window(again_game TutorialHint)
expect_window(again_game StartDialog)
expect_no_window(again_finance TutorialHint)
expect_window(again_finance Finance)
