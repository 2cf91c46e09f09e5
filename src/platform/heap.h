// The C library's heap, tuned so that start-up touches few fresh pages.
#pragma once

// Blocks up to a few megabytes come from one heap that grows in large steps
// and, where the kernel offers transparent huge pages on request, is backed
// by them: the textures, picture buffers and the software renderer's memory
// then cost a handful of page faults instead of thousands, which on virtual
// machines is most of the start-up time. Call it before anything big is
// allocated; where it cannot help it changes nothing that matters.
void prepareHeap();
