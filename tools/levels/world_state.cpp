// Whole-world snapshots: a copy of every entity by its class, and the globals of play.
#include "levels/world_state.h"

#include <algorithm>
#include <typeinfo>

#include "app/globals.h"
#include "enemies/bystander.h"
#include "enemies/creeper.h"
#include "enemies/flyer.h"
#include "enemies/giant.h"
#include "enemies/gunner.h"
#include "enemies/hopper.h"
#include "enemies/snake.h"
#include "enemies/static_snake.h"
#include "enemies/strider.h"
#include "enemies/swimmer.h"
#include "enemies/tiger.h"
#include "enemies/tribesman.h"
#include "enemies/turret.h"
#include "shots/item.h"
#include "shots/projectile.h"
#include "world/level.h"

namespace {

template <typename Kind, typename... Others>
Entity* copyAs(const Entity& entity) {
    if (typeid(entity) == typeid(Kind)) return new Kind(static_cast<const Kind&>(entity));
    if constexpr (sizeof...(Others) > 0) {
        return copyAs<Others...>(entity);
    } else {
        return nullptr;
    }
}

}  // namespace

Entity* copyEntity(const Entity& entity) {
    return copyAs<Enemy, Bystander, Creeper, Flyer, Giant, Gunner, Hopper, Snake, StaticSnake,
                  Strider, Swimmer, Tiger, Tribesman, Turret, Item, Projectile>(entity);
}

WorldState::Copies WorldState::copyList(const EntityList& list) {
    Copies copies;
    for (const ListNode* node = list.first; node; node = node->next)
        copies.push_back({std::unique_ptr<Entity>(copyEntity(*node->entity)), node->dead});
    return copies;
}

void WorldState::restoreList(const Copies& copies, EntityList* list) {
    list->clear();
    for (const Copy& copy : copies) {
        list->append(copyEntity(*copy.entity));
        list->last->dead = copy.dead;
    }
}

WorldState::WorldState()
    : hero(g_hero),
      enemies_(copyList(g_enemies)),
      items_(copyList(g_items)),
      projectiles_(copyList(g_projectiles)),
      score_(g_score),
      lives_(g_lives),
      ammo_(g_ammo),
      startX_(g_startX),
      startY_(g_startY),
      levelNumber_(g_levelNumber),
      onScreens_(g_onScreens),
      completion_(g_completionTimer),
      scrollX_(g_scrollX),
      scrollY_(g_scrollY) {}

void WorldState::restore() const {
    g_hero = hero;
    restoreList(enemies_, &g_enemies);
    restoreList(items_, &g_items);
    restoreList(projectiles_, &g_projectiles);
    g_score = score_;
    g_lives = lives_;
    g_ammo = ammo_;
    g_startX = startX_;
    g_startY = startY_;
    g_levelNumber = levelNumber_;
    g_onScreens = onScreens_;
    g_completionTimer = completion_;
    g_scrollX = scrollX_;
    g_scrollY = scrollY_;
}

WorldGuard::WorldGuard()
    : grid_(&g_level.grid[0][0], &g_level.grid[0][0] + kGridSize * kGridSize) {}

WorldGuard::~WorldGuard() {
    std::copy(grid_.begin(), grid_.end(), &g_level.grid[0][0]);
    state_.restore();
}
