// The entity list: ownership, deferred removal and appending during a walk.
#include "world/entity.h"

#include <gtest/gtest.h>

#include <string>

#include "support/world.h"

namespace {

// Logs its name when processed and "~name" when destroyed; can mark itself or append.
struct Probe : Entity {
    Probe(std::string* log, char name, EntityList* list) : log(log), name(name), list(list) {}
    ~Probe() override { *log += std::string("~") + name; }
    void process() override {
        *log += name;
        if (markSelf) list->cursor->dead = 1;
        if (spawn) list->append(spawn), spawn = nullptr;
    }
    std::string* log;
    char name;
    EntityList* list;
    bool markSelf = false;
    Probe* spawn = nullptr;
};

struct ListTest : ::testing::Test {
    Probe* add(char name, bool markSelf = false) {
        Probe* p = new Probe(&log, name, &list);
        p->markSelf = markSelf;
        list.append(p);
        return p;
    }
    // Walks the list and returns what the walk logged.
    std::string walk() {
        log.clear();
        list.processAll();
        return log;
    }
    void expectSound(int count) const {
        EXPECT_TRUE(listSound(list));
        EXPECT_EQ(countOf(list), count);
    }
    std::string log;
    EntityList list;
};

// Also: what is appended during the walk is reached in the same walk.
TEST_F(ListTest, MarkedNodesGoOnceTheWalkHasPassedThem) {
    EXPECT_EQ(walk(), "");                                // an empty walk
    add('a', true)->spawn = new Probe(&log, 'x', &list);  // the head
    add('b');
    add('c', true);  // the middle
    add('d');
    EXPECT_EQ(walk(), "a~abc~cdx");
    expectSound(3);
}

// A marked tail waits for the next walk and is not processed again, even if
// it got a successor meanwhile; a tail marked before the walk goes unprocessed.
// Clearing destroys what is left.
TEST_F(ListTest, MarkedTailGoesOnTheNextWalk) {
    add('a');
    add('b', true);
    EXPECT_EQ(walk(), "ab");
    expectSound(2);
    add('c');
    EXPECT_EQ(walk(), "a~bc");
    expectSound(2);
    list.last->dead = 1;
    EXPECT_EQ(walk(), "a~c");
    expectSound(1);
    list.clear();
    list.clear();
    EXPECT_EQ(log, "a~c~a");
    expectSound(0);
}

}  // namespace
