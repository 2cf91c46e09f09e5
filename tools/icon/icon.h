// The desktop icon: OTTO himself, cut from the hero sheet the game draws.
#pragma once
#include "art/image.h"

class Bitmap;

// The hero's shooting pose from `heroSheet`, scaled to `size` by `size`
// pixels on the icon's dark tile. An empty image if the sheet is too small.
Image makeIcon(const Bitmap& heroSheet, int size);
