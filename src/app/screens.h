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
// Right and Left on the menu: start from the furthest level reached in the
// era instead of its first, where there is progress.
void chooseContinue(bool chosen);
// Enter on a screen: play from the selected era.
void startGame();
// A level begins: its title card shows and the progress is noted.
void beginLevel(int level);
// h on the menu: the best scores instead of the menu, and back.
void toggleScoreTable();
bool scoreTableShown();
// The table of best scores from view height `top` down, one entry in colour.
void drawScoreTable(int top, int highlight);
// Draws the screen due in this frame.
void drawScreen();
void drawWelcomeMenu();
void drawCompletionScreen();
void drawStoryPage();
void drawScoreScreen();
