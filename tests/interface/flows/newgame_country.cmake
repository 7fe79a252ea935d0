# Picking a country on the new-game screen: the list offers every country with the default
# first; a click on another loads it, and the starting levels, the currency and the parties
# follow it; Start builds the game in that country.
run_flow(AT 40:default AT 90:picked AT 180:game)
expect_mode(default NewGame)
expect_text(default "\"id\": \"NEWGAME_COUNTRY\"")
read_dump(default dump)
string(REGEX MATCH "\"rows\": \\[\n +\"Calverra\",\n +\"Hollvarn\"" listed "${dump}")
if(NOT listed)
    message(FATAL_ERROR "${FLOW} default: the country list does not start Calverra, Hollvarn\n${dump}")
endif()
expect_text(default "\"Civic Union\"")

expect_mode(picked NewGame)
expect_text(picked "\"selected\": 1")
expect_text(picked "\"Lindqvist Alliance\"")

expect_mode(game Game)
expect_window(game StartDialog)
expect_text(game "Vessling")
expect_pictures(default picked game)
