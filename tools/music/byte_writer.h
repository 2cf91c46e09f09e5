// Appends little- and big-endian fields to a growing file image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace music {

class ByteWriter {
   public:
    size_t size() const { return bytes_.size(); }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

    void u8(unsigned v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
    void u16le(unsigned v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32le(std::uint32_t v) {
        u16le(v & 0xFFFF);
        u16le(v >> 16);
    }
    void u16be(unsigned v) {
        u8((v >> 8) & 0xFF);
        u8(v & 0xFF);
    }
    void tag(const char* text) {
        for (int i = 0; i < 4; ++i) u8(static_cast<unsigned char>(text[i]));
    }
    // Text cut or zero-padded to exactly `width` bytes.
    void text(const std::string& s, size_t width) {
        for (size_t i = 0; i < width; ++i) u8(i < s.size() ? static_cast<unsigned char>(s[i]) : 0);
    }
    void zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void padTo(size_t alignment) {
        while (bytes_.size() % alignment) u8(0);
    }

    // Later fixes of fields whose values are known only once the rest is laid out.
    void set8(size_t at, unsigned v) { bytes_.at(at) = static_cast<std::uint8_t>(v); }
    void set16le(size_t at, unsigned v) {
        set8(at, v & 0xFF);
        set8(at + 1, (v >> 8) & 0xFF);
    }
    void set32le(size_t at, std::uint32_t v) {
        set16le(at, v & 0xFFFF);
        set16le(at + 2, v >> 16);
    }

   private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace music
