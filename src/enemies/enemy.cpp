// What every kind of enemy shares.
#include "enemies/enemy.h"

#include "app/globals.h"

void reviveEnemies() {
    // The enemy kinds are revived here once they exist.
}
