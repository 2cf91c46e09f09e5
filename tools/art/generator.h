// Builds the game's pictures from the art library, and a contact sheet of them all.
#pragma once
#include <string>
#include <vector>

#include "art/image.h"
#include "art/source.h"

struct Picture {
    std::string file;
    Image image;
};

struct GeneratedArt {
    std::vector<Picture> pictures;      // in the order of sheetSizes()
    std::vector<std::string> warnings;  // cells of the table that got no art
};

// Throws ArtError for faults in the sources (unknown names, overlapping cells, ...).
GeneratedArt generatePictures(const ArtLibrary& library);
// Writes every picture as a BMP into `folder`; false (with `error` set) if a file cannot be
// written.
bool writePictures(const GeneratedArt& art, const std::string& folder, std::string& error);

// All pictures side by side with their cells outlined and their names above them,
// made `shrink` times smaller; transparency shows as a dark checkerboard.
Image contactSheet(const ArtLibrary& library, const GeneratedArt& art, int shrink);
// One picture enlarged `zoom` times over the checkerboard, with its cells outlined.
Image previewImage(const Picture& picture, int zoom);
