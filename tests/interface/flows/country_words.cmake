# Texts name the country being played: in the island republic an event that a mod sets off, and
# the shipped one it sets off, read "Saltreach" and its people where the default country's name
# would stand, on the desk's strip and in the event window.
file(COPY ${SOURCE_ROOT}/tests/content/country_words/mods DESTINATION ${WORK}/user)
run_flow(AT 90:picked AT 440:desk AT 530:event)
expect_text(picked "\"selected\": 3")
expect_text(picked "\"Tidewater Party\"")
expect_text(desk "Event: Results Day. The school tables are out, and Saltreach islanders are reading")
expect_window(event Event)
expect_text(event "\"text\": \"Saltreach's fifteen-year-olds have come top of the world")
expect_no_text(event "Calverra")
expect_no_text(event "{COUNTRY}")
expect_pictures(picked desk event)
