# At 2x the interface draws the pictures made for that size instead of stretching the normal
# ones; the screenshots show whether their edges are sharp and nothing is cut off.
run_flow(AT 160:menu AT 320:briefing AT 420:policy ARGS --window-size 1920x1080)
expect_mode(menu Menu)
expect_mode(policy Game)
expect_text(policy "\"kind\": \"policy\"")
expect_log("Pictures drawn for 200%:")
expect_window(briefing StartDialog)
expect_no_window(policy StartDialog)
expect_pictures(menu briefing policy)
