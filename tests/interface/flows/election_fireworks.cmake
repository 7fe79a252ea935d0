# A clear victory: the count declares the result, the victory track starts and fireworks burst
# over the results window until it closes.
run_flow(AT 700:counting AT 860:fireworks AT 875:later AT 890:still AT 930:read)
expect_window(counting ElectionResults)
expect_text(counting "\"fireworks\": false")
expect_window(fireworks ElectionResults)
expect_text(fireworks "\"declared\": true")
expect_text(fireworks "\"fireworks\": true")
expect_no_text(fireworks "\"sparks\": 0,")
expect_text(still "\"fireworks\": true")
expect_no_window(read ElectionResults)
expect_window(read PostElection)
expect_log("Election result:")
expect_pictures(fireworks)

# The voters' verdict was more than half: the result the fireworks were for.
file(READ ${WORK}/debugdata/debug.txt log)
string(REGEX MATCH "share ([0-9.]+), won" won "${log}")
if(NOT won OR CMAKE_MATCH_1 LESS_EQUAL 0.5)
    message(FATAL_ERROR "${FLOW}: no clear victory in the log")
endif()
