// Title cards and notices, faded in and out frame by frame.
#include "app/banners.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "gfx/draw.h"
#include "gfx/font.h"
#include "world/level.h"

namespace {
constexpr int kCardFrames = 140;  // two seconds at 70 frames a second
constexpr int kNoticeFrames = 70;
constexpr int kFadeInFrames = 20;
constexpr int kFadeOutFrames = 35;
constexpr int kViewCentre = 150;
constexpr int kCardY = 215;
constexpr int kCardLineGap = 10;
constexpr int kNoticeY = 226;
constexpr size_t kLongestLine = 58;  // what fits across the view

struct Banner {
    std::string lines[2];
    int frame = 0;
    int frames = 0;  // 0: nothing showing
    int y = 0;
};
Banner s_card;
Banner s_notice;

float fadeOf(const Banner& b) {
    float in = static_cast<float>(b.frame) / kFadeInFrames;
    float out = static_cast<float>(b.frames - b.frame) / kFadeOutFrames;
    float alpha = in < out ? in : out;
    return alpha > 1 ? 1 : alpha;
}

void printCentred(int y, const std::string& line) {
    int width = static_cast<int>(line.size()) * kGlyphSize;
    printText(kViewCentre - width / 2, y, line.c_str());
}

void drawBanner(Banner& b, bool runs) {
    if (b.frame >= b.frames) return;
    if (runs) b.frame += 1;
    setColor(1, 1, 1, fadeOf(b));
    for (int i = 0; i < 2; ++i)
        if (!b.lines[i].empty()) printCentred(b.y - i * kCardLineGap, b.lines[i]);
}

std::string fitted(std::string text) {
    if (text.size() > kLongestLine) text.resize(kLongestLine);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
}  // namespace

void showTitleCard(int level) {
    s_card = Banner();
    s_card.lines[0] = "LEVEL " + std::to_string(level);
    s_card.lines[1] = fitted(levelTitle(level));
    s_card.frames = kCardFrames;
    s_card.y = kCardY;
}

void showNotice(const char* text) {
    s_notice = Banner();
    s_notice.lines[0] = fitted(text);
    s_notice.frames = kNoticeFrames;
    s_notice.y = kNoticeY;
}

void drawBanners(bool paused) {
    if (s_card.frame >= s_card.frames && s_notice.frame >= s_notice.frames) return;
    // Added to the picture like the score line, so it reads over any background.
    blendAdditive();
    drawBanner(s_card, !paused);
    drawBanner(s_notice, true);
    setColor(1, 1, 1, 1);
    blendNormal();
}

void clearBanners() {
    s_card = Banner();
    s_notice = Banner();
}
