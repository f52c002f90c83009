#pragma once

// The exact odds of the dice. One round: the attacker rolls 1 to 3 dice, the
// defender 1 or 2; the highest dice are compared pairwise, ties go to the
// defender. A battle repeats rounds with the most dice each side may roll
// until the defence is wiped out or the attack is spent.
namespace BattleOdds {

// Probability that a round of attackDice against defendDice costs the
// attacker exactly attackerLosses armies (the defender loses the rest of
// min(attackDice, defendDice)).
double round(int attackDice, int defendDice, int attackerLosses);

// Probability that attackers armies (those that may attack: the country's
// armies less the one that stays) conquer a country held by defenders.
double win(int attackers, int defenders);

// Expected attackers left over after a won battle, given that it is won.
double survivorsIfWon(int attackers, int defenders);

} // namespace BattleOdds
