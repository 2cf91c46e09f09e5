// The owning entity list and its deferred-removal walk.
#include "world/entity.h"

void EntityList::append(Entity* e) {
    ListNode* n = new ListNode(e);
    n->prev = last;
    if (last) last->next = n;
    last = n;
    if (!first) first = n;
}

void EntityList::remove(ListNode* n) {
    if (n->prev) {
        n->prev->next = n->next;
    } else {
        first = n->next;
    }
    if (n->next) {
        n->next->prev = n->prev;
    } else {
        last = n->prev;
    }
    delete n;
}

void EntityList::clear() {
    while (first) remove(first);
}

// A node that marks itself is unlinked once the walk has moved past it; a
// marked tail waits for the next walk. Nodes appended during the walk are
// reached in the same walk. A node marked earlier is never processed again.
void EntityList::processAll() {
    cursor = first;
    while (cursor) {
        if (cursor->prev && cursor->prev->dead) remove(cursor->prev);
        if (!cursor->next && cursor->dead) {
            remove(cursor);
            break;
        }
        if (!cursor->dead) cursor->entity->process();
        cursor = cursor->next;
    }
    cursor = nullptr;
}
