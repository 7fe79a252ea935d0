# Content scripts drive the desk: a mod's dilemma fires an event with TriggerEvent, and ends the
# game with its own words through GameOver; the game-over window leads back to the menu.
file(WRITE ${WORK}/user/mods/data/simulation/dilemmas/Coup.txt "[dilemma]
name=Coup
guiname=The Generals Call
description=The chiefs of staff have asked for a meeting in the war room, and brought their own chairs.
[influences]
1=_random_,0.95,0.99
[option1]
Name=Hold firm
Description=Tell them the cabinet governs. The prisons choose this moment to boil over.
OnImplement=TriggerEvent(PrisonRiot)
[option2]
Name=Step aside
Description=Hand over the keys and take the long way home.
OnImplement=GameOver(Coup,The army has the broadcasting house and would like a word.)
")
run_flow(AT 250:offered AT 290:event_raised AT 440:ended AT 500:menu)
expect_text(offered "\"subject\": \"Coup\"")
expect_no_text(offered "\"subject\": \"PrisonRiot\"")
expect_text(event_raised "\"subject\": \"PrisonRiot\"")
expect_window(ended GameOver)
expect_text(ended "\"title\": \"Coup\"")
expect_text(ended "The army has the broadcasting house and would like a word.")
expect_mode(menu Menu)
expect_pictures(offered event_raised ended)
