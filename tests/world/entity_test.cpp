// The entity list: ownership, deferred removal and appending during a walk.
#include "world/entity.h"

#include <gtest/gtest.h>

#include <string>

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
    Probe* add(char name) {
        Probe* p = new Probe(&log, name, &list);
        list.append(p);
        return p;
    }
    // The links agree both ways, end at first and last, and no walk is left open.
    void expectSound(size_t count) const {
        ListNode* prev = nullptr;
        size_t n = 0;
        for (ListNode* node = list.first; node; node = node->next, ++n) {
            EXPECT_EQ(node->prev, prev);
            prev = node;
        }
        EXPECT_EQ(list.last, prev);
        EXPECT_EQ(list.cursor, nullptr);
        EXPECT_EQ(n, count);
    }
    std::string log;
    EntityList list;
};

TEST_F(ListTest, EmptyWalksAndRepeatedClearsDoNothing) {
    list.processAll();
    list.clear();
    list.clear();
    expectSound(0);
    EXPECT_EQ(log, "");
}

TEST_F(ListTest, MarkedNodesGoOnceTheWalkHasPassedThem) {
    add('a')->markSelf = true;  // the head
    add('b');
    add('c')->markSelf = true;  // the middle
    add('d');
    list.processAll();
    EXPECT_EQ(log, "a~abc~cd");
    expectSound(2);
}

TEST_F(ListTest, MarkedTailWaitsForTheNextWalkAndIsNotProcessedAgain) {
    add('a');
    add('b')->markSelf = true;
    list.processAll();
    expectSound(2);
    log.clear();
    list.processAll();
    EXPECT_EQ(log, "a~b");
    expectSound(1);
    list.first->dead = 1;  // a lone marked node goes without being processed
    log.clear();
    list.processAll();
    EXPECT_EQ(log, "~a");
    expectSound(0);
}

TEST_F(ListTest, MarkedTailThatGotASuccessorIsSkippedThenRemoved) {
    add('a');
    add('b')->markSelf = true;
    list.processAll();
    add('c');
    log.clear();
    list.processAll();
    EXPECT_EQ(log, "a~bc");
    expectSound(2);
}

TEST_F(ListTest, EntitiesAppendedDuringTheWalkAreReachedInTheSameWalk) {
    Probe* a = add('a');
    add('b');
    a->spawn = new Probe(&log, 'x', &list);
    list.processAll();
    EXPECT_EQ(log, "abx");
    expectSound(3);
}

TEST_F(ListTest, RemoveAndClearDestroyTheirEntities) {
    add('a');
    add('b');
    add('c');
    list.remove(list.first);
    list.remove(list.last);
    EXPECT_EQ(log, "~a~c");
    expectSound(1);
    list.clear();
    EXPECT_EQ(log, "~a~c~b");
    expectSound(0);
}

}  // namespace
