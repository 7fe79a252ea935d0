#pragma once
// Launching a pressure group's attack against the government: the attempt, then the script of
// its outcome, which may move money, raise grudges or fire events.

class SIM_AttackEvent;

// One attempt of the attack, then its success or failure script; a success with a text long
// enough to show opens the attack window. True on success.
bool LaunchAttack(SIM_AttackEvent& attack);
// The turn step after the pressure groups': launches one of the attacks queued this turn, chosen
// at random, and empties the queue.
void LaunchQueuedAttack();
