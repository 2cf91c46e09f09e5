// Whole-world snapshots for the level tools: everything one frame of play
// reads and writes, taken and put back as a unit.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "hero/hero.h"
#include "world/entity.h"

// The hero, the three entity lists and the globals of play. The level grid
// is left out: play never writes it.
class WorldState {
   public:
    // Takes the world as it is now.
    WorldState();
    // Makes the world what it was when taken; may be called again and again.
    void restore() const;

    Hero hero;

   private:
    struct Copy {
        std::unique_ptr<Entity> entity;
        int dead;
    };
    using Copies = std::vector<Copy>;
    static Copies copyList(const EntityList& list);
    static void restoreList(const Copies& copies, EntityList* list);

    Copies enemies_, items_, projectiles_;
    uint32_t score_;
    int lives_, ammo_, startX_, startY_, levelNumber_, onScreens_, completion_, scrollX_, scrollY_;
};

// Puts back the whole world, the level grid too, when it goes out of scope:
// for tools that play through the game's globals and must leave them as found.
class WorldGuard {
   public:
    WorldGuard();
    ~WorldGuard();
    WorldGuard(const WorldGuard&) = delete;
    WorldGuard& operator=(const WorldGuard&) = delete;

   private:
    WorldState state_;
    std::vector<int> grid_;
};

// A copy of an entity of any kind the game has, or nullptr for one it does
// not know. Dispatches on the entity's class, so Entity needs no copy method.
Entity* copyEntity(const Entity& entity);
