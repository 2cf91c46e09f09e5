// Composing the sheets: each art block scaled into its cell, then checked and written out.
#include "art/generator.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "art/bmp.h"
#include "art/cells.h"
#include "art/paint.h"

namespace {

constexpr int kGlyphScaleShadow = 1;  // the glyph shadow falls one native pixel right and down

bool overlaps(const PixelRect& a, const PixelRect& b) {
    // Rectangles rounded from texture coordinates may share one pixel line.
    return std::min(a.x1, b.x1) - std::max(a.x0, b.x0) > 1 &&
           std::min(a.y1, b.y1) - std::max(a.y0, b.y0) > 1;
}

bool sameRect(const PixelRect& a, const PixelRect& b) {
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

// A clear ring inside a sprite or glyph keeps linear filtering from pulling in neighbours.
void clearRing(Image& img, const PixelRect& r) {
    for (int x = r.x0; x < r.x1; ++x) {
        img.set(x, r.y0, kClear);
        img.set(x, r.y1 - 1, kClear);
    }
    for (int y = r.y0; y < r.y1; ++y) {
        img.set(r.x0, y, kClear);
        img.set(r.x1 - 1, y, kClear);
    }
}

class SheetComposer {
   public:
    SheetComposer(Painter& painter, const SheetSize& size)
        : painter_(painter), size_(size), image_(size.width, size.height) {}

    void put(const Placement& p) {
        const Cell* cell = findCell(p.cell);
        if (!cell)
            throw ArtError(p.place.file, p.place.line, "no drawn cell is named '" + p.cell + "'");
        if (cell->sheet != size_.file)
            throw ArtError(
                p.place.file, p.place.line,
                "cell '" + p.cell + "' belongs to " + cell->sheet + ", not " + size_.file);
        const PixelRect r = claim(*cell, p.place);
        fitInto(painter_.art(p.art, p.place), image_, r.x0, r.y0, r.x1, r.y1, p.flipX, p.flipY);
        if (cell->kind == CellKind::Sprite) clearRing(image_, r);
    }

    void glyphs(const SheetDef& sheet) {
        const Rgba fill = painter_.colour(sheet.glyphFill, sheet.legend, sheet.place);
        const Rgba shadow = painter_.colour(sheet.glyphShadow, sheet.legend, sheet.place);
        for (const Cell& cell : gameCells()) {
            if (cell.kind != CellKind::Glyph || cell.sheet != size_.file) continue;
            const int code = std::stoi(cell.name.substr(cell.name.find('.') + 1));
            const PixelRect r = claim(cell, sheet.place);
            fitInto(styledGlyph(painter_.glyph(code), fill, shadow), image_, r.x0, r.y0, r.x1,
                    r.y1);
            // Text is drawn with linear filtering, which would otherwise show
            // the edge of the glyph next door along the quad's edge.
            clearRing(image_, r);
        }
    }

    // Cells of the table that nothing was painted into.
    void reportEmpty(std::vector<std::string>& warnings) const {
        for (const Cell& cell : gameCells()) {
            if (cell.sheet != size_.file) continue;
            const PixelRect r = paintPixels(cell, size_.width, size_.height);
            const bool painted = std::any_of(claimed_.begin(), claimed_.end(),
                                             [&](const auto& c) { return sameRect(c.first, r); });
            if (!painted) warnings.push_back(size_.file + ": cell '" + cell.name + "' has no art");
        }
    }

    Image take() { return std::move(image_); }

   private:
    PixelRect claim(const Cell& cell, const SourcePlace& from) {
        const PixelRect r = paintPixels(cell, size_.width, size_.height);
        for (const auto& [other, name] : claimed_)
            if (overlaps(other, r))
                throw ArtError(from.file, from.line,
                               "cell '" + cell.name + "' overlaps '" + name + "', painted before");
        claimed_.push_back({r, cell.name});
        return r;
    }

    static Image styledGlyph(const Image& mask, Rgba fill, Rgba shadow) {
        Image out(mask.width(), mask.height());
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x)
                if (mask.at(x, y).opaque())
                    out.set(x + kGlyphScaleShadow, y + kGlyphScaleShadow, shadow);
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x)
                if (mask.at(x, y).opaque()) out.set(x, y, fill);
        return out;
    }

    Painter& painter_;
    const SheetSize& size_;
    Image image_;
    std::vector<std::pair<PixelRect, std::string>> claimed_;
};

}  // namespace

GeneratedArt generatePictures(const ArtLibrary& library) {
    Painter painter(library);
    GeneratedArt out;
    for (const auto& [file, sheet] : library.sheets)
        if (!findSheet(file))
            throw ArtError(sheet.place.file, sheet.place.line,
                           "the game reads no picture '" + file + "'");
    for (const SheetSize& size : sheetSizes()) {
        SheetComposer composer(painter, size);
        auto it = library.sheets.find(size.file);
        if (it != library.sheets.end()) {
            for (const Placement& p : it->second.puts) composer.put(p);
            if (it->second.glyphs) composer.glyphs(it->second);
        } else {
            out.warnings.push_back(size.file + ": no sheet is laid out");
        }
        composer.reportEmpty(out.warnings);
        out.pictures.push_back({size.file, composer.take()});
    }
    return out;
}

bool writePictures(const GeneratedArt& art, const std::string& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (const Picture& p : art.pictures) {
        const std::string path = (std::filesystem::path(folder) / p.file).string();
        const std::string bytes = encodeBmp(p.image);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out.write(bytes.data(), std::streamsize(bytes.size()))) {
            error = "cannot write " + path;
            return false;
        }
    }
    return true;
}
