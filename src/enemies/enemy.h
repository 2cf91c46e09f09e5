// Hostile creatures: what every kind shares.
#pragma once

// Every dead enemy stands again where it fell; called when the hero respawns.
void reviveEnemies();
