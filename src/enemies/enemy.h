// Hostile creatures: the base every kind shares, which is itself the basic walker.
#pragma once
#include "app/globals.h"
#include "gfx/draw.h"
#include "world/entity.h"

// Flare colours of death bursts.
struct Colour {
    float r, g, b, a;
};

// The basic walker patrols its platform, kills the hero by touch and bursts
// into flares when shot. The other kinds reuse its fields and mechanics.
class Enemy : public Entity {
   public:
    Enemy() { dx = -1; }
    void process() override;

    int x = 0;           // world x of the centre
    int y = 0;           // world y of the lower edge
    int dying = 0;       // set by a hero shot
    int deathTimer = 0;  // frames of the death burst
    int code = 0;        // the spawn code it was made from
    float texU = 0.0f;   // left edge of the current sprite cell
    float texV = 0.0f;   // lower edge of the current sprite cell

   protected:
    // Moves `speed` steps of dx along x and notes the cell it is in.
    void step(int speed = 1);
    void turn() {
        dir = -dir;
        dx = -dx;
    }
    // The tile under world point (probeX, feetY - 1): what the enemy stands on.
    static int groundUnder(int probeX, int feetY);
    // Nothing to stand on: empty, or passable scenery and water.
    static bool noFooting(int tile) { return tile == -1 || tile > 79; }
    // The tile ahead of the centre in the enemy's own row: `leftReach` units
    // to the left when walking left, `rightReach` to the right otherwise.
    int tileAhead(int leftReach, int rightReach) const;
    int tileAhead(int reach) const { return tileAhead(reach, reach); }
    // A wall: a block, or any code below empty; `highestBlock` is 63 for most kinds.
    static bool isWall(int tile, int highestBlock = 63) {
        return tile != -1 && tile <= highestBlock;
    }
    // The walker's ground probe, with its ladder clause, and its wall probe.
    void walkerProbes(int highestBlock = 63);
    // Inside the window in which enemies draw and touch.
    bool onScreen() const;
    // Kills the hero if its feet lie strictly inside x - left .. x + right
    // and y - below .. y + above, unless it is dying or still protected.
    void touchHero(int left, int right, int below, int above) const;
    // The 20 by 20 sprite over x - 10 .. x + 10, y .. y + 20.
    void drawSprite(const TexRect& cell, int facing) const;
    // Appends an enemy shot of `state` starting at (sx, sy), flying along `shotDir`.
    static void fire(int state, int sx, int sy, int shotDir);
    // Advances the death burst by `step` up to `limit`, paying `score` on its
    // first frame. Returns the new timer, or 0 once the burst is spent.
    int advanceBurst(unsigned score, int step, int limit);
    // The usual death burst over (x - d, y - d) to (x + d, y + d + 10): three
    // flare cells, or the smaller pair, in `colour`.
    enum class Flares { kThree, kPair };
    void flareBurst(unsigned score, int step, int limit, const Colour& colour,
                    Flares flares = Flares::kThree);
    // Additive flare colour for a burst; `endBurst` restores the normal state.
    static void beginBurst(const Colour& colour);
    static void endBurst();

   private:
    void walk();
    void drawWalker();
    void walkerBurst();
};

// Creates an enemy of `Kind` from spawn `code`, hands it to g_enemies and
// puts it at (x, y).
template <typename Kind>
Kind* spawnEnemy(int code, int x, int y) {
    Kind* enemy = new Kind;
    g_enemies.append(enemy);
    enemy->x = x;
    enemy->y = y;
    enemy->code = code;
    return enemy;
}

// Every dead enemy stands again where it fell; called when the hero respawns.
void reviveEnemies();
