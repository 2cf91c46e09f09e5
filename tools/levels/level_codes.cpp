// The table of creature kinds and the classes of level codes.
#include "levels/level_codes.h"

namespace {
// Brick, concrete, metal, circuitry and cave rock.
constexpr int kBackWalls[] = {102, 103, 106, 107, 118};
}  // namespace

// The touch boxes are those of each kind's own code; the leaper's is the
// union of its two, head up and head down, and the clubber's reaches as far
// as its swing.
const std::vector<CreatureKind>& creatureKinds() {
    static const std::vector<CreatureKind> kinds = {
        {"walker",
         'W',
         0.9f,
         0.2f,
         0.2f,
         {-2, -3, -4, -5, -6, -7, -8},
         Habitat::Ground,
         {12, 1, 20}},
        {"swimmer", 'S', 0.2f, 0.5f, 1.0f, {-9, -10, -12}, Habitat::Water, {12, 1, 20}},
        {"leaper", 'L', 0.3f, 0.9f, 1.0f, {-11}, Habitat::Water, {12, 30, 15}},
        {"strider", 'R', 1.0f, 0.5f, 0.1f, {-13, -20, -21}, Habitat::Ground, {12, 1, 20}},
        {"gunner", 'G', 0.8f, 0.1f, 0.8f, {-14, -15}, Habitat::Ground, {12, 1, 20}},
        {"giant", 'B', 0.6f, 0.1f, 0.1f, {-16, -17}, Habitat::TallGround, {20, 1, 30}},
        {"creeper", 'C', 0.3f, 0.7f, 0.2f, {-18}, Habitat::Ground, {12, 1, 20}},
        {"tiger", 'T', 1.0f, 0.8f, 0.1f, {-19}, Habitat::Ground, {12, 1, 20}},
        {"hopper", 'H', 0.1f, 0.9f, 0.4f, {-22}, Habitat::Ground, {12, 17, 20}},
        {"bystander", 'Y', 0.7f, 0.7f, 0.7f, {-23}, Habitat::Air, {}},
        {"turret", 'U', 0.2f, 0.2f, 1.0f, {kCodeTurretLeft, kCodeTurretRight}, Habitat::Wall, {}},
        {"static snake", 'N', 0.5f, 0.6f, 0.3f, {-26, -27}, Habitat::Ground, {}},
        {"tribesman", 'M', 0.7f, 0.4f, 0.2f, {-28, -31}, Habitat::Ground, {15, 1, 23}},
        {"clubber", 'K', 0.8f, 0.3f, 0.1f, {-29}, Habitat::Ground, {30, 1, 23}},
        {"thrower", 'X', 0.9f, 0.4f, 0.4f, {-30}, Habitat::Ground, {15, 1, 23}},
        {"snake", 'Z', 0.2f, 0.8f, 0.2f, {-32}, Habitat::TallGround, {20, 1, 30}},
        {"fly", 'F', 0.6f, 0.2f, 0.9f, {-33, -34}, Habitat::Air, {20, 1, 20}},
    };
    return kinds;
}

const CreatureKind* creatureKindOf(int code) {
    for (const CreatureKind& kind : creatureKinds())
        for (int c : kind.codes)
            if (c == code) return &kind;
    return nullptr;
}

bool isBlockCode(int code) {
    return code >= 0 && code <= kCodeLastBlock;
}
bool isTurretCode(int code) {
    return code == kCodeTurretLeft || code == kCodeTurretRight;
}
bool isSolidCode(int code) {
    return isBlockCode(code) || isTurretCode(code);
}
bool isItemCode(int code) {
    return code >= kCodeFirstItem && code <= kCodeLastItem;
}
bool isCreatureCode(int code) {
    return code >= kCodeFirstCreature && code <= kCodeLastCreature;
}
bool isLadderCode(int code) {
    return code >= kCodeFirstLadder && code <= kCodeLastLadder;
}
bool isWaterCode(int code) {
    return code >= kCodeFirstWater && code <= kCodeLastWater;
}
bool isDeadlyCode(int code) {
    return code == kCodeDeadlyLow || code == kCodeDeadlyHigh;
}
bool isCheckpointCode(int code) {
    return code == kCodeCheckpoint || code == kCodeWaterCheckpoint;
}

bool isBackWallCode(int code) {
    for (int wall : kBackWalls)
        if (code == wall) return true;
    return false;
}

bool isKnownCode(int code) {
    return (code >= kCodeEmpty && code <= kCodeLastTile) || isItemCode(code) ||
           isCreatureCode(code);
}
