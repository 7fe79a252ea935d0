# The award and attack windows as the turn opens them. The copy of the data is changed first:
# the one achievement is earned on the first turn, and the dock strike is the only attack, free
# and certain to get past its own chance, so only security can stop it.
file(WRITE ${WORK}/data/simulation/achievements.csv
    "#,SAFE_STREETS,ACHIEVEMENT_SAFE_STREETS,ACHIEVEMENT_SAFE_STREETS_DESC,achievement_safe_streets.png,ACHIEVEMENT_SAFE_STREETS_HINT,\"GDP,>,-1\"\n")
file(GLOB attacks ${WORK}/data/simulation/attacks/*.txt)
file(REMOVE ${attacks})
file(WRITE ${WORK}/data/simulation/attacks/DockStrike.txt "[config]
Name=DockStrike
GUIName=ATTACK_DOCKSTRIKE
UsedBy=WorkersFront
Cost=0
MinStrength=0
MinSize=0
SuccessChance=1
SuccessText=ATTACK_DOCKSTRIKE_SUCCESS
FailureText=ATTACK_DOCKSTRIKE_FAILURE
")
run_flow(AT 220:award AT 320:turn4)
expect_window(award AchievementAward)
expect_text(award "\"text\": \"Safe Streets\"")
expect_text(award "\"placeholder\": false")
expect_log("Achievement awarded: SAFE_STREETS")
expect_log("attack DockStrike on turn 4: succeeded")
expect_window(turn4 Attack)
expect_text(turn4 "\"title\": \"Dock Strike\"")
expect_text(turn4 "Carried out by: The Workers' Front")
expect_pictures(award turn4)
