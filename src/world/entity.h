// Entities: everything in the world that advances and draws itself once a frame.
#pragma once

// Base of the hero, enemies, shots and pick-ups. The fields shared under the
// same name by the kinds live here; each kind declares the rest itself.
class Entity {
   public:
    virtual ~Entity() = default;
    // Advance one frame and draw.
    virtual void process() = 0;

    int dir = 1;      // facing: -1 left, +1 right
    int dx = 0;       // horizontal step
    float vy = 0.0f;  // vertical speed, kept with its fraction
    int col = 0;      // grid column of the last tile test
    int row = 0;      // grid row of the last tile test
};

// One link of an EntityList. Owns its entity.
struct ListNode {
    explicit ListNode(Entity* e) : entity(e) {}
    virtual ~ListNode() { delete entity; }
    ListNode(const ListNode&) = delete;
    ListNode& operator=(const ListNode&) = delete;

    Entity* entity;
    ListNode* next = nullptr;
    ListNode* prev = nullptr;
    int dead = 0;  // set by the entity itself to be unlinked by the next walk
};

// An owning, doubly linked list walked once a frame. Entities ask to be
// removed by marking their own node through `cursor` while processed.
class EntityList {
   public:
    EntityList() = default;
    ~EntityList() { clear(); }
    EntityList(const EntityList&) = delete;
    EntityList& operator=(const EntityList&) = delete;

    void append(Entity* e);
    void remove(ListNode* n);
    void clear();
    void processAll();

    ListNode* first = nullptr;
    ListNode* last = nullptr;
    ListNode* cursor = nullptr;  // the node being processed, null outside a walk
};
