// Text that fades in and out over the top of play: a level's title card and
// short notices such as a new volume.
#pragma once

// The number and title of `level`, for about two seconds.
void showTitleCard(int level);
// One line, for about a second.
void showNotice(const char* text);
// Draws what is fading; one call a frame of play. Play goes on underneath.
// While paused the title card holds still, and a notice still fades.
void drawBanners(bool paused);
// Nothing fading any more.
void clearBanners();
