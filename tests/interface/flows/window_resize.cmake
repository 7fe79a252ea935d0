# A window resized during a game: the picture takes the width the new shape gives, the screen is
# laid out across it, and the game and its open window are kept.
run_flow(AT 240:start AT 270:same_shape AT 310:wide AT 340:small AT 440:played AT 500:full
         AT 550:back ARGS --window-size 1280x720)

# Full screen takes the desktop's shape, whatever it is where the test runs.
file(STRINGS ${WORK}/debugdata/debug.txt full_screen
     REGEX "Display: [0-9]+x768 game picture in a [0-9]+x[0-9]+ full screen")
if(NOT full_screen)
    message(FATAL_ERROR "window_resize: the game never went full screen")
endif()
list(GET full_screen 0 line)
string(REGEX MATCH "Display: ([0-9]+)x768" line "${line}")
set(full_width ${CMAKE_MATCH_1})
# The game's width for each window: 768 high, as wide as the shape, never under 1024.
foreach(pair "start;1365" "same_shape;1365" "wide;1820" "small;1229" "played;1229"
        "full;${full_width}" "back;1229")
    list(GET pair 0 label)
    list(GET pair 1 expected)
    read_dump(${label} dump)
    string(JSON width GET "${dump}" screen root rect 2)
    string(JSON height GET "${dump}" screen root rect 3)
    if(NOT width EQUAL expected OR NOT height EQUAL 768)
        message(FATAL_ERROR "window_resize ${label}: the screen is ${width} x ${height}, "
                            "expected ${expected} x 768")
    endif()
    expect_mode(${label} Game)
endforeach()
# The window cannot be made smaller than the game can be read at.
expect_log("Display: 1820x768 game picture in a 2560x1080 window")
expect_log("Display: 1229x768 game picture in a 1024x640 window")

foreach(label start same_shape wide small)
    read_dump(${label} dump)
    string(JSON width GET "${dump}" screen root rect 2)
    # The open window is the same window, still in the middle of the screen.
    expect_window(${label} Polls)
    expect_text(${label} "\"title\": \"The Polls\"")
    string(JSON left GET "${dump}" screen windows 0 rect 0)
    string(JSON right GET "${dump}" screen windows 0 rect 2)
    math(EXPR slack "${left} - (${width} - ${right})")
    if(slack GREATER 2 OR slack LESS -2)
        message(FATAL_ERROR "window_resize ${label}: the polls are not centred (${left} .. ${right})")
    endif()
    # The control panel and the top strip span the screen; the icons are placed across it.
    string(JSON panel_right GET "${dump}" screen root children 0 rect 2)
    if(NOT panel_right EQUAL width)
        message(FATAL_ERROR "window_resize ${label}: the control panel ends at ${panel_right}")
    endif()
    string(JSON icons LENGTH "${dump}" screen icons)
    set(rightmost 0)
    math(EXPR last "${icons} - 1")
    foreach(i RANGE ${last})
        string(JSON r GET "${dump}" screen icons ${i} rect 2)
        if(r GREATER rightmost)
            set(rightmost ${r})
        endif()
    endforeach()
    math(EXPR reach "${width} * 9 / 10")
    if(rightmost LESS reach)
        message(FATAL_ERROR "window_resize ${label}: the icons stop at ${rightmost} of ${width}")
    endif()
endforeach()
foreach(label played full back)
    expect_text(${label} "October, year 1 in office")
endforeach()
expect_pictures(start wide small played full)
