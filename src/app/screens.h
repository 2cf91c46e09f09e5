// The screens around play: welcome menu, completion, story; eras and new games.
#pragma once

constexpr int kEraCount = 4;

// The first level of an era (1 to 4) and the song slot that plays in it.
int firstLevelOfEra(int era);
int songOfEra(int era);
// The song slot of the era a level belongs to.
int songOfLevel(int level);

// The arrow keys on a screen: the previous (-1) or next (+1) era.
void selectEra(int step);
// Enter on a screen: play from the selected era.
void startGame();
// Draws the screen due in this frame.
void drawScreen();
void drawWelcomeMenu();
void drawCompletionScreen();
void drawStoryPage();
