# A save name with accented letters is taken as typed, written as a UTF-8 file name, shown by
# that name on the load screen and loaded from there.
run_flow(AT 270:typed AT 320:saved AT 420:list AT 560:loaded)
expect_mode(typed SaveGame)
expect_text(typed "\"text\": \"Café crème\"")
expect_mode(saved Game)
if(NOT EXISTS "${WORK}/user/savegames/Café crème.xml")
    file(GLOB saves ${WORK}/user/savegames/*.xml)
    message(FATAL_ERROR "save_name_accents: no save named Café crème: ${saves}")
endif()
expect_mode(list LoadGame)
expect_text(list "Café crème, ")
expect_mode(loaded Game)
expect_pictures(typed list)
