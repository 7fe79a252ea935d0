# On a 16:9 window the game picture is the game's height and as wide as the window's shape, so
# the screen is filled: every screen lays itself out across that width.
run_flow(AT 30:menu AT 70:options AT 140:new_game AT 260:game ARGS --window-size 1920x1080)
foreach(label menu options new_game game)
    read_dump(${label} dump)
    string(JSON width GET "${dump}" screen root rect 2)
    string(JSON height GET "${dump}" screen root rect 3)
    if(NOT width EQUAL 1365 OR NOT height EQUAL 768)
        message(FATAL_ERROR "wide_screen ${label}: the screen is ${width} x ${height}, not 1365 x 768")
    endif()
endforeach()
expect_mode(game Game)
expect_log("Display: 1365x768 game picture in a 1920x1080 window")
# The panels stand in the middle of the wider picture: the options' first slider starts as far
# from the left edge as its right end is from the right.
read_dump(options dump)
string(JSON left GET "${dump}" screen root buttons 0 rect 0)
string(JSON right GET "${dump}" screen root buttons 0 rect 2)
math(EXPR slack "${left} - (1365 - ${right})")
if(slack GREATER 2 OR slack LESS -2)
    message(FATAL_ERROR "wide_screen options: the sliders are not centred (${left} .. ${right})")
endif()
expect_pictures(menu options new_game game)
