// The held-state model: key sequences that once left the hero walking alone.
#include "app/input.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/controls.h"
#include "app/frame.h"
#include "support/world.h"

namespace {

// Plays events such as "d+ D- <+ enter": a key down (+) or up (-), where <, >
// and ^ are the arrows; "menu" shows the menu, "focus" loses the keyboard and
// "respawn" drops the hero out of the level; "land" lays a floor and plays until the
// hero stands on it.
void play(const std::string& events) {
    std::istringstream in(events);
    for (std::string e; in >> e;) {
        const char key = e[0], op = e[1];
        const int arrow = key == '<' ? GLUT_KEY_LEFT : key == '^' ? GLUT_KEY_UP : GLUT_KEY_RIGHT;
        const bool isArrow = key == '<' || key == '>' || key == '^';
        if (op == '+') isArrow ? onSpecialDown(arrow, 0, 0) : onKeyDown(key, 0, 0);
        if (op == '-') isArrow ? onSpecialUp(arrow, 0, 0) : onKeyUp(key, 0, 0);
        if (e == "enter") onKeyDown(13, 0, 0);
        if (e == "menu") g_onScreens = 1;
        if (e == "focus") letGoOfEverything();
        if (e == "respawn") g_lives = 2, g_hero.y = -100, playFrame();
        if (e == "land") fillRow(4, 0, 99, 1);
        for (int frames = 0; e == "land" && g_hero.airborne && frames < 200; ++frames) playFrame();
    }
}

TEST(InputTest, EveryDirectionIsHeldOrNotWhateverFeedsIt) {
    const struct {
        const char *name, *events;
        int dx;  // the hero's step afterwards
        unsigned jumpSounds = 0;
    } sequences[] = {
        {"d, Shift, d released as D, Shift", "d+ D-", 0},
        {"Caps Lock: D down, d up", "D+ d-", 0},
        {"a and Left together walk at one step", "a+ <+", -1},
        {"d and Right: releasing one keeps walking", "d+ >+ d-", 1},
        {"releases of keys never pressed in play", "a- <- a-", 0},
        {"a held on the menu, Enter, a released", "menu a+ <+ enter a- <-", 0},
        {"a held when play ends, released on the menu, next game", "a+ menu a- enter", 0},
        {"d held when the window loses the keyboard, released elsewhere", "d+ focus a+ a-", 0},
        {"d and s held through a respawn, then a tapped", "d+ s+ respawn a+ a-", 0},
        {"the Up arrow sounds the jump once, held or pressed again", "^+ ^+ ^- ^+", 0, 1},
        {"the Up arrow held through the landing repeats silently", "^+ land ^+", 0, 1},
        {"w jumps silently, and the arrow in the air adds no sound", "w+ w- ^+", 0, 0},
    };
    for (const auto& s : sequences) {
        resetWorld();
        letGoOfEverything();
        play(s.events);
        EXPECT_EQ(g_hero.dx, s.dx) << s.name;
        EXPECT_EQ(g_effectCount, s.jumpSounds) << s.name;
        EXPECT_EQ(g_hero.ducking, 0) << s.name;
        EXPECT_EQ(g_onScreens, 0) << s.name;
    }
    letGoOfEverything();
    resetWorld();
}

}  // namespace
