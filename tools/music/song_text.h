// Reads a song from our tracker-like text format.
//
// The text is a list of blocks; each opens with a keyword line and runs to
// the next keyword. Words starting with '#' begin a comment.
//
//   title Survival                song settings, one a line
//   speed 6 | tempo 132 | channels 6 | pan 16 48 ... | mix 48
//
//   instrument bass               a sampled instrument (see instrument.h):
//     volume 48                   default volume, 0 to 64
//     cycle 64                    frames per cycle of middle C (a power of two)
//     length 0.5                  seconds, for layers that give none
//     loop 0.2                    loop from here to the end (optional)
//     layer                       then synthesis layers, as in our effects,
//       wave saw                  where "ratio R" tunes a layer to R times
//       cutoff 2000 400           the played note
//
//   let K c4@kick                 a name for a token (names start upper-case)
//
//   track bass_a bass             rows of a channel, one token a row, with
//     c2 . c3 . | c2*2 ^ .        the default instrument named in the header
//
//   pattern verse 64              which tracks each channel plays, in turn
//     1 lead_a lead_b             ("name+5" transposes, "name*2" repeats)
//     2 bass_a*4
//
//   order intro verse verse       the patterns in play order
//
// A token is a note ("c4", "f#3", "bb2"), "." for nothing, "^" to cut the
// note or "=" to release it, or a name from "let"; then "@instrument",
// ":v40" for a volume (0 to 64) and one effect such as ":vib44", each
// optional, and "*3" to repeat the token over three rows. Effects take two
// hex digits: arp (arpeggio), vib (vibrato), port (glide to the note), up
// and down (pitch slides), slide (volume slide: x0 up, 0y down), cut and
// delay (in ticks), ofs (sample offset in 256-frame blocks). A "|" is a bar
// line for the eye only.
#pragma once

#include <string>

#include "music/song.h"

namespace music {

// Throws synth::TextError naming the line of the first mistake.
Song parseSong(const std::string& text);

}  // namespace music
