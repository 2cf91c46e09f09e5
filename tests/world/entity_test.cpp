// The entity list: ownership, deferred removal and appending during a walk.
#include "world/entity.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Logs its name when processed and when destroyed; can mark itself or append.
struct Probe : Entity {
    Probe(std::string* log, char name, EntityList* list) : log(log), name(name), list(list) {}
    ~Probe() override { *log += std::string("~") + name; }
    void process() override {
        *log += name;
        if (markSelf) list->cursor->dead = 1;
        if (spawn) {
            list->append(spawn);
            spawn = nullptr;
        }
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
    size_t count() const {
        size_t n = 0;
        for (ListNode* node = list.first; node; node = node->next) ++n;
        return n;
    }
    // The links agree in both directions and end at first and last.
    void expectConsistent() const {
        ListNode* prev = nullptr;
        for (ListNode* node = list.first; node; node = node->next) {
            EXPECT_EQ(node->prev, prev);
            prev = node;
        }
        EXPECT_EQ(list.last, prev);
    }
    std::string log;
    EntityList list;
};

TEST_F(ListTest, EmptyListWalksAndClearsHarmlessly) {
    list.processAll();
    list.clear();
    list.clear();
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    EXPECT_EQ(list.cursor, nullptr);
    EXPECT_EQ(log, "");
}

TEST_F(ListTest, NewEntityDefaults) {
    Probe* p = add('a');
    EXPECT_EQ(p->dir, 1);
    EXPECT_EQ(p->dx, 0);
    EXPECT_EQ(p->vy, 0.0f);
    EXPECT_EQ(list.first->dead, 0);
}

TEST_F(ListTest, LoneMarkedNodeIsRemovedWithoutProcessing) {
    add('a');
    list.first->dead = 1;
    list.processAll();
    EXPECT_EQ(log, "~a");
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    EXPECT_EQ(list.cursor, nullptr);
}

TEST_F(ListTest, MiddleNodeMarkingItselfGoesBeforeTheNextIsProcessed) {
    add('a');
    add('b')->markSelf = true;
    add('c');
    list.processAll();
    EXPECT_EQ(log, "ab~bc");
    EXPECT_EQ(count(), 2u);
    expectConsistent();
}

TEST_F(ListTest, HeadMarkingItselfIsUnlinkedAndNextBecomesHead) {
    add('a')->markSelf = true;
    add('b');
    list.processAll();
    EXPECT_EQ(log, "a~ab");
    EXPECT_EQ(list.first->prev, nullptr);
    expectConsistent();
}

TEST_F(ListTest, MarkedTailStaysUntilTheNextWalkAndIsNotProcessedAgain) {
    add('a');
    add('b');
    add('c')->markSelf = true;
    list.processAll();
    EXPECT_EQ(log, "abc");
    EXPECT_EQ(count(), 3u);
    EXPECT_EQ(list.cursor, nullptr);
    log.clear();
    list.processAll();
    EXPECT_EQ(log, "ab~c");
    EXPECT_EQ(count(), 2u);
    expectConsistent();
}

TEST_F(ListTest, MarkedTailThatGotASuccessorIsSkippedThenRemoved) {
    add('a');
    add('b')->markSelf = true;
    list.processAll();  // b stays, marked, as the tail
    add('c');           // now b is in the middle
    log.clear();
    list.processAll();
    EXPECT_EQ(log, "a~bc");
    expectConsistent();
}

TEST_F(ListTest, EntityAppendedDuringTheWalkIsReachedInTheSameWalk) {
    Probe* a = add('a');
    add('b');
    a->spawn = new Probe(&log, 'x', &list);
    list.processAll();
    EXPECT_EQ(log, "abx");
    EXPECT_EQ(count(), 3u);
    expectConsistent();
}

TEST_F(ListTest, RemoveRelinksHeadAndTail) {
    add('a');
    add('b');
    add('c');
    list.remove(list.first);
    EXPECT_EQ(log, "~a");
    EXPECT_EQ(list.first->prev, nullptr);
    list.remove(list.last);
    EXPECT_EQ(log, "~a~c");
    EXPECT_EQ(list.last->next, nullptr);
    EXPECT_EQ(list.first, list.last);
    expectConsistent();
}

TEST_F(ListTest, ClearDestroysEveryEntityAndEmptiesTheList) {
    add('a');
    add('b');
    add('c');
    list.clear();
    EXPECT_EQ(log, "~a~b~c");
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    list.clear();
    EXPECT_EQ(log, "~a~b~c");
}

}  // namespace
