// The art generator's command line: read the sources, write the pictures and previews.
#include "art/art_cli.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "art/generator.h"
#include "art/png.h"

namespace {

const Rgba kPngBackground = opaqueRgb(0, 0, 0);

int usage() {
    std::fprintf(stderr,
                 "usage: dorian_art SOURCE_FOLDER OUTPUT_FOLDER [--contact FILE.png] [--shrink N]\n"
                 "                  [--previews FOLDER] [--zoom N]\n");
    return 2;
}

bool writeContactSheet(const ArtLibrary& lib, const GeneratedArt& art, const std::string& path,
                       int shrink) {
    const std::string png = encodePng(contactSheet(lib, art, shrink), kPngBackground);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return bool(out.write(png.data(), std::streamsize(png.size())));
}

// Each picture enlarged as a PNG of its own, for looking at the art closely.
bool writePreviews(const GeneratedArt& art, const std::string& folder, int zoom) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (const Picture& p : art.pictures) {
        const std::string png = encodePng(previewImage(p, zoom), kPngBackground);
        const auto path =
            std::filesystem::path(folder) / (p.file.substr(0, p.file.size() - 4) + ".png");
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out.write(png.data(), std::streamsize(png.size()))) return false;
    }
    return true;
}

}  // namespace

int runArtGenerator(const std::vector<std::string>& args) {
    if (args.size() < 2) return usage();
    std::string contact, previews;
    int shrink = 1, zoom = 1;
    for (size_t i = 2; i < args.size(); ++i) {
        const bool more = i + 1 < args.size();
        if (args[i] == "--contact" && more)
            contact = args[++i];
        else if (args[i] == "--shrink" && more)
            shrink = std::atoi(args[++i].c_str());
        else if (args[i] == "--previews" && more)
            previews = args[++i];
        else if (args[i] == "--zoom" && more)
            zoom = std::atoi(args[++i].c_str());
        else
            return usage();
    }
    if (shrink < 1 || shrink > 8 || zoom < 1 || zoom > 8) return usage();
    try {
        const ArtLibrary lib = loadArtFolder(args[0]);
        const GeneratedArt art = generatePictures(lib);
        for (const std::string& w : art.warnings) std::fprintf(stderr, "warning: %s\n", w.c_str());
        std::string error;
        if (!writePictures(art, args[1], error)) {
            std::fprintf(stderr, "error: %s\n", error.c_str());
            return 1;
        }
        if (!contact.empty() && !writeContactSheet(lib, art, contact, shrink)) {
            std::fprintf(stderr, "error: cannot write %s\n", contact.c_str());
            return 1;
        }
        if (!previews.empty() && !writePreviews(art, previews, zoom)) {
            std::fprintf(stderr, "error: cannot write previews into %s\n", previews.c_str());
            return 1;
        }
    } catch (const ArtError& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
