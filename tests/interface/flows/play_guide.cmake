# The play guide from the menu's button to its end: each step's adviser, the one button or icon
# it lets through (pressing it moves the guide on), clicks and keys elsewhere that change
# nothing, a guided first term up to the election, and the return to the menu.
run_flow(FRESH_HINTS AT 100:welcome AT 125:stray_modal AT 200:policies AT 225:open_value AT 250:stray_icon
    AT 275:value_window AT 300:to_policies AT 325:stray_button AT 350:picker AT 375:policy
    AT 400:stray_escape AT 425:introduced AT 475:budget AT 550:polls AT 660:after_turn
    AT 735:pledge AT 760:to_election AT 1345:farewell AT 1370:menu)

# A field of the adviser's window in a description (an array comes back as its JSON text).
function(guide_field label field out)
    read_dump(${label} dump)
    foreach(group windows modals)
        string(JSON count ERROR_VARIABLE missing LENGTH "${dump}" screen ${group})
        if(missing)
            continue()
        endif()
        set(i 0)
        while(i LESS count)
            string(JSON kind GET "${dump}" screen ${group} ${i} kind)
            if(kind STREQUAL "PlayGuide")
                string(JSON value GET "${dump}" screen ${group} ${i} ${field})
                set(${out} "${value}" PARENT_SCOPE)
                return()
            endif()
            math(EXPR i "${i} + 1")
        endwhile()
    endforeach()
    message(FATAL_ERROR "${FLOW} ${label}: the adviser is not on the screen")
endfunction()

function(expect_guide label field expected)
    guide_field(${label} ${field} actual)
    string(REGEX REPLACE "[ \n]" "" actual "${actual}")
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "${FLOW} ${label}: the guide's ${field} is ${actual}, not ${expected}")
    endif()
endfunction()

# The adviser's step, as the guide window describes it.
function(expect_step label step)
    expect_guide(${label} step ${step})
endfunction()

expect_mode(welcome Game)
expect_step(welcome 1)
expect_text(welcome "Welcome to Greyhaven")
expect_text(welcome "\"id\": \"PlayGuideNextButton\"")
expect_no_window(welcome StartDialog)
# The first step hides everything but the voters.
expect_no_text(welcome "\"kind\": \"policy\"")
expect_no_text(welcome "\"kind\": \"simvalue\"")
expect_text(welcome "\"kind\": \"votergroup\"")
expect_no_text(welcome "\"polls\": \"Polls ")

# The adviser holds the mouse: the panel does not answer.
expect_step(stray_modal 1)
expect_no_window(stray_modal Polls)

expect_step(policies 4)
expect_text(policies "\"kind\": \"policy\"")
expect_text(policies "\"polls\": \"Polls ")

expect_step(open_value 5)
expect_guide(open_value permittedIcons "[\"GDP\"]")
expect_no_text(open_value "\"id\": \"PlayGuideNextButton\"")
expect_step(stray_icon 5)
expect_no_window(stray_icon PolicyDetails)
expect_step(value_window 6)
expect_window(value_window SimValueDetails)

expect_step(to_policies 7)
expect_guide(to_policies allowedButton PolicyPickerButton)
expect_no_window(to_policies SimValueDetails)
expect_step(stray_button 7)
expect_no_window(stray_button Finance)
expect_step(picker 8)
expect_window(picker PolicyPicker)

expect_step(policy 9)
expect_window(policy PolicyDetails)
expect_text(policy "Cycle Lanes")
expect_step(stray_escape 9)
expect_window(stray_escape PolicyDetails)
expect_step(introduced 10)

expect_step(budget 12)
expect_window(budget Finance)
expect_step(polls 15)
expect_window(polls Polls)

expect_step(after_turn 17)
expect_text(after_turn "October, year 1")
expect_window(after_turn Reports)

expect_step(pledge 20)
expect_window(pledge Manifesto)
expect_guide(pledge allowedButton ManifestoPledgeButton)
expect_step(to_election 21)

expect_step(farewell 23)
expect_window(farewell PostElection)
expect_mode(menu Menu)
expect_no_text(menu "PlayGuide")

expect_log("Script interface request: ShowDetails CycleLanes")
expect_log("Introduced CycleLanes at 0.50 for 6 political capital")
expect_log("Pledged to")
expect_log("Election result:")
expect_log("Play guide ended")
expect_log("Script interface request: ClearAllowedButtons")
expect_pictures(welcome value_window policy budget pledge farewell)
# No hint interrupts the guide, and none is spent while it runs.
file(READ ${WORK}/user/hints.txt seen)
string(FIND "${seen}" "POLICY = 1.00" at)
if(NOT at EQUAL -1)
    message(FATAL_ERROR "${FLOW}: a hint was marked seen during the guide\n${seen}")
endif()
