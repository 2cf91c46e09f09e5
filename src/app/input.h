// Keyboard, special-key and mouse callbacks.
#pragma once

void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialDown(int key, int x, int y);
void onSpecialUp(int key, int x, int y);
void onMouse(int button, int state, int x, int y);
