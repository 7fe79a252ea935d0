# mark_hints_seen(DATA USER): writes the player's hints file with every hint of DATA/tut.csv
# already seen, as for a player who has read them all. Runs that check something else than the
# hints start from it, so that no hint window stands between their clicks and the screen.
function(mark_hints_seen data user)
    file(STRINGS ${data}/tut.csv rows REGEX "^#,")
    set(text "[hints]\n")
    foreach(row ${rows})
        string(REPLACE "," ";" cells "${row}")
        list(GET cells 1 key)
        string(APPEND text "${key} = 1.00\n")
    endforeach()
    file(WRITE ${user}/hints.txt "${text}")
endfunction()
