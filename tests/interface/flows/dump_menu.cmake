# The screen description of the main menu (its mode, its buttons with their texts and the
# tooltip under the mouse), and a button pressed by name leading to the next screen.
run_flow(AT 40:menu AT 90:new_game)
expect_mode(menu Menu)
expect_text(menu "\"kind\": \"button\"")
expect_text(menu "\"text\": \"New Game\"")
expect_text(menu "\"tooltips\": [\n    \"Take office")
expect_no_window(menu Finance)
expect_mode(new_game NewGame)
expect_pictures(menu new_game)
