# A save cut short is marked on the load screen and refused whole when chosen: the player stays
# on the load screen with no game in progress, and the log holds the one message naming it.
file(MAKE_DIRECTORY ${WORK}/user/savegames)
file(WRITE ${WORK}/user/savegames/broken.xml "<xml>\n<header>\n<version>Marrowgate 1.0</version>\n</header>\n<load_data>\n")
run_flow(AT 60:list AT 110:after)
expect_mode(list LoadGame)
expect_text(list "broken, ")
expect_text(list "[damaged: will not load]")
expect_mode(after LoadGame)
expect_text(after "[damaged: will not load]")
expect_log("The saved game \"broken.xml\" is damaged and was not loaded: it breaks off in section \"load_data\"")
expect_pictures(list after)
