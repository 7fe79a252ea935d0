# The node windows played as a player would: the list of policies on offer, a policy the capital
# cannot pay for refused with the shortfall explained, one introduced, lowered and cancelled, the
# figure it moves explained cause by cause over its history, a voter group it pleases, and that
# group's encyclopedia page.
run_flow(AT 310:picker AT 380:shortfall AT 500:policy AT 560:adjusted AT 620:value
    AT 700:voters AT 750:encyclopedia AT 830:reopened AT 890:cancelled)

expect_window(picker PolicyPicker)
expect_text(picker "\"policy\": \"SpaceProgramme\"")
expect_text(picker "\"affordable\": false")
expect_text(picker "\"affordable\": true")

expect_window(shortfall CapitalShortfall)
expect_text(shortfall "Space Agency needs 20 political capital, and you have 7.")

expect_window(policy PolicyDetails)
expect_text(policy "\"mode\": \"change\"")
expect_text(policy "\"capital\": 1")
expect_text(policy "Introduced at Generous for 6 political capital.")
expect_text(policy "\"kind\": \"picture\"")
expect_text(policy "\"id\": \"EffectsTable\"")
expect_text(adjusted "Set to Moderate for 0 political capital.")
expect_text(adjusted "\"step\": \"Moderate\"")

expect_window(value SimValueDetails)
expect_text(value "\"name\": \"SimValueDetails:Tourism\"")
expect_text(value "\"historyPoints\": 33")
expect_text(value "\"kind\": \"graph\"")
expect_text(value "The causes add up to")
expect_text(value "\"source\": \"TourismPromotion\"")

expect_window(voters VoterGroupDetails)
expect_text(voters "\"name\": \"VoterGroupDetails:SelfEmployed\"")
expect_text(voters "\"memberShare\"")
expect_text(voters "of voters belong")

expect_window(encyclopedia Encyclopedia)
expect_text(encyclopedia "\"source\": \"game\"")
expect_text(encyclopedia "\"title\": \"Encyclopedia: Self-Employed\"")

expect_window(reopened PolicyDetails)
expect_no_window(reopened PolicyPicker)
expect_text(reopened "\"mode\": \"change\"")
expect_text(cancelled "Cancelled for 0 political capital.")
expect_text(cancelled "\"mode\": \"introduce\"")
expect_no_window(cancelled CapitalShortfall)
expect_log("Policy window: Cancelled TourismPromotion")
expect_pictures(picker policy value voters)
