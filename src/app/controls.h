// What the player holds: each direction is held or not, whatever holds it.
#pragma once

enum Direction { kDirLeft, kDirRight, kDirUp, kDirDown, kDirectionCount };

// Everything that can hold a direction, one bit each. A direction is held
// while any of them holds it, so two keys never make a double step.
enum ControlSource : unsigned {
    kByLetter = 1u << 0,  // the letter key bound to the direction
    kByArrow = 1u << 1,   // the arrow key
    kByPad = 1u << 2,     // a gamepad's d-pad or jump button
    kByStick = 1u << 3,   // a gamepad's left stick
};

// Which sources hold each direction, in play only.
extern unsigned g_heldBy[kDirectionCount];

bool directionHeld(int direction);
// The first source to hold a direction presses the hero's control; the
// others only add themselves.
void holdDirection(int direction, unsigned source);
// The last source to let go releases the hero's control; a source that did
// not hold the direction changes nothing.
void letGoDirection(int direction, unsigned source);
// Forgets every held direction and stands the hero still: when play starts,
// after a respawn and when the window loses the keyboard.
void letGoOfEverything();
