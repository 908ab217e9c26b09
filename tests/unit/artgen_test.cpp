// The generated pictures are consumed blind by the resource compiler,
// LoadImage and ImageList_AddMasked, so these tests read the bytes back with
// an independent little-endian reader and check what those consumers rely on.
#include "tools/artgen.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace art = brimlow::artgen;

std::uint32_t u16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at) | (b.at(at + 1) << 8));
}
std::uint32_t u32(const Bytes& b, std::size_t at) { return u16(b, at) | (u16(b, at + 2) << 16); }
std::int32_t s32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(u32(b, at)); }

// Unique per run, so parallel test runs do not share scratch paths.
std::filesystem::path scratch(const std::string& stem) {
    return std::filesystem::temp_directory_path() / (stem + std::to_string(std::random_device{}()));
}

// A 24-bit bottom-up BMP read back as top-down pixels.
struct Bmp {
    const Bytes& bytes;
    std::uint32_t offset() const { return u32(bytes, 10); }
    int width() const { return s32(bytes, 18); }
    int height() const { return s32(bytes, 22); }
    std::uint32_t stride() const { return (static_cast<std::uint32_t>(width()) * 3 + 3) & ~3u; }
    // {R, G, B}
    std::array<std::uint8_t, 3> pixel(int x, int y) const {
        const std::size_t at = offset() + static_cast<std::size_t>(height() - 1 - y) * stride() +
                               static_cast<std::size_t>(x) * 3;
        return {bytes.at(at + 2), bytes.at(at + 1), bytes.at(at)};
    }
    bool is_key(int x, int y) const {
        return pixel(x, y) == std::array<std::uint8_t, 3>{art::kKeyR, art::kKeyG, art::kKeyB};
    }
};

void expect_bmp24_layout(const Bytes& b, int width, int height) {
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t image_size = stride * static_cast<std::uint32_t>(height);
    EXPECT_EQ(u32(b, 2), b.size()) << "file size field";
    EXPECT_EQ(u32(b, 6), 0u) << "reserved";
    EXPECT_EQ(u32(b, 10), 54u) << "pixel data offset";
    EXPECT_EQ(u32(b, 14), 40u) << "BITMAPINFOHEADER size";
    EXPECT_EQ(s32(b, 18), width);
    EXPECT_EQ(s32(b, 22), height) << "positive height means bottom-up";
    EXPECT_EQ(u16(b, 26), 1u) << "planes";
    EXPECT_EQ(u16(b, 28), 24u) << "bit count";
    EXPECT_EQ(u32(b, 30), 0u) << "BI_RGB";
    EXPECT_EQ(u32(b, 34), image_size);
    EXPECT_EQ(u32(b, 46), 0u) << "no palette";
    EXPECT_EQ(b.size(), 54u + image_size);
}

TEST(ArtgenToolbar, IsA24BitStripOfFourteen32PixelCells) {
    expect_bmp24_layout(art::toolbar_bmp(), 14 * 32, 32);
}

TEST(ArtgenBanner, Is24BitAndSeventeenRowsHigh) {
    expect_bmp24_layout(art::banner_bmp(), art::kBannerWidth, 17);
}

TEST(ArtgenBanner, IsLitFromAboveSoRowsAreNotFlipped) {
    // The strip has a highlight along its top edge and a shadow along its
    // bottom; a BMP written top-down under a positive height swaps them.
    const Bytes b = art::banner_bmp();
    const Bmp bmp{b};
    auto brightness = [&](int x, int y) {
        const auto p = bmp.pixel(x, y);
        return p[0] + p[1] + p[2];
    };
    for (int x = 0; x < bmp.width(); x += 37) {
        SCOPED_TRACE("column " + std::to_string(x));
        EXPECT_GT(brightness(x, 0), brightness(x, bmp.height() - 1));
    }
}

TEST(ArtgenToolbar, CornersAreTheMaskKey) {
    const Bytes b = art::toolbar_bmp();
    const Bmp bmp{b};
    ASSERT_EQ(bmp.width(), 448);
    // ImageList_AddMasked keys on these; a near-magenta would show as pink.
    EXPECT_TRUE(bmp.is_key(0, 0));
    EXPECT_TRUE(bmp.is_key(447, 0));
    EXPECT_TRUE(bmp.is_key(0, 31));
    EXPECT_TRUE(bmp.is_key(447, 31));
}

TEST(ArtgenToolbar, EveryCellIsDrawnAndDistinct) {
    const Bytes b = art::toolbar_bmp();
    const Bmp bmp{b};
    std::vector<std::vector<std::array<std::uint8_t, 3>>> cells(14);
    for (int i = 0; i < 14; ++i) {
        SCOPED_TRACE("cell " + std::to_string(i));
        int drawn = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                cells[static_cast<std::size_t>(i)].push_back(bmp.pixel(i * 32 + x, y));
                if (!bmp.is_key(i * 32 + x, y)) ++drawn;
            }
        // A real picture covers a good part of its cell, and leaves some key
        // around it; a cell that is all key or all solid is a drawing fault.
        EXPECT_GT(drawn, 32 * 32 / 5);
        EXPECT_LT(drawn, 32 * 32);
    }
    for (std::size_t i = 0; i < cells.size(); ++i)
        for (std::size_t j = i + 1; j < cells.size(); ++j)
            EXPECT_NE(cells[i], cells[j]) << "cells " << i << " and " << j << " are the same picture";
}

TEST(ArtgenToolbar, DiscHoleLetsTheToolbarShowThrough) {
    // The fifth button is the CD/DVD picture; its centre hole must be key,
    // not painted, or the disc looks solid on the button face.
    const Bytes b = art::toolbar_bmp();
    const Bmp bmp{b};
    EXPECT_TRUE(bmp.is_key(4 * 32 + 16, 16));
    EXPECT_FALSE(bmp.is_key(4 * 32 + 16, 16 - 8)) << "the disc itself around the hole";
}

TEST(ArtgenAppTools, SevenDistinct24PixelPicturesOnTheKey) {
    const Bytes b = art::apptools_bmp();
    expect_bmp24_layout(b, 7 * 24, 24);
    const Bmp bmp{b};
    std::vector<std::vector<std::array<std::uint8_t, 3>>> cells(7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE("cell " + std::to_string(i));
        EXPECT_TRUE(bmp.is_key(i * 24, 0)) << "corner";
        int drawn = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                cells[static_cast<std::size_t>(i)].push_back(bmp.pixel(i * 24 + x, y));
                if (!bmp.is_key(i * 24 + x, y)) ++drawn;
            }
        EXPECT_GT(drawn, 24 * 24 / 5);
        EXPECT_LT(drawn, 24 * 24);
    }
    for (std::size_t i = 0; i < cells.size(); ++i)
        for (std::size_t j = i + 1; j < cells.size(); ++j) EXPECT_NE(cells[i], cells[j]) << i << " and " << j;
}

TEST(ArtgenDigits, IsA24BitStripOfTen13By22Cells) {
    expect_bmp24_layout(art::digits_bmp(), 10 * 13, 22);
}

TEST(ArtgenDigits, EachDigitLightsItsOwnSegments) {
    // Pixels well inside each segment, in the order a (top), b, c, d (bottom), e, f, g (middle).
    const std::array<std::pair<int, int>, 7> inside{{{6, 2}, {10, 6}, {10, 15}, {6, 19}, {2, 15}, {2, 6}, {6, 11}}};
    // The usual seven-segment pictures, written out here rather than taken from the generator.
    const std::array<const char*, 10> lit{"abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc",
                                          "abcdefg", "abcdfg"};
    const Bytes b = art::digits_bmp();
    const Bmp bmp{b};
    for (int digit = 0; digit < 10; ++digit) {
        SCOPED_TRACE("digit " + std::to_string(digit));
        for (int s = 0; s < 7; ++s) {
            const char segment = static_cast<char>('a' + s);
            const auto [x, y] = inside[static_cast<std::size_t>(s)];
            const auto p = bmp.pixel(digit * 13 + x, y);
            const bool on = std::string(lit[static_cast<std::size_t>(digit)]).find(segment) != std::string::npos;
            // Lit: bright green. Unlit: still visible as a faint outline, far darker.
            if (on) {
                EXPECT_GT(p[1], 200) << "segment " << segment << " should be lit";
                EXPECT_GT(p[1], p[0]);
            } else {
                EXPECT_GT(p[1], 0) << "segment " << segment << " should show faintly";
                EXPECT_LT(p[1], 80) << "segment " << segment << " should be dark";
            }
        }
        // The cell's corners and the holes inside the 0 and the 8 are the black background.
        for (const auto& [x, y] : std::array<std::pair<int, int>, 6>{{{0, 0}, {12, 0}, {0, 21}, {12, 21}, {6, 6}, {6, 15}}})
            EXPECT_EQ(bmp.pixel(digit * 13 + x, y), (std::array<std::uint8_t, 3>{0, 0, 0})) << x << "," << y;
    }
}

struct IconEntry {
    int width, height;
    std::uint32_t bytes, offset;
};

std::vector<IconEntry> icon_directory(const Bytes& b) {
    std::vector<IconEntry> entries;
    for (std::uint32_t i = 0; i < u16(b, 4); ++i) {
        const std::size_t at = 6 + 16 * i;
        entries.push_back({b.at(at) == 0 ? 256 : b.at(at), b.at(at + 1) == 0 ? 256 : b.at(at + 1), u32(b, at + 8),
                           u32(b, at + 12)});
    }
    return entries;
}

TEST(ArtgenIcon, DirectoryAndImagesAreConsistent) {
    const Bytes b = art::icon_ico();
    ASSERT_GE(b.size(), 6u);
    EXPECT_EQ(u16(b, 0), 0u);
    EXPECT_EQ(u16(b, 2), 1u) << "type icon";
    ASSERT_EQ(u16(b, 4), 3u);
    const auto entries = icon_directory(b);
    std::uint32_t expected_offset = 6 + 16 * 3;
    std::vector<int> sizes;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const IconEntry& e = entries[i];
        SCOPED_TRACE("entry " + std::to_string(i) + " (" + std::to_string(e.width) + ")");
        const std::size_t at = 6 + 16 * i;
        EXPECT_EQ(b[at + 2], 0) << "colour count";
        EXPECT_EQ(b[at + 3], 0) << "reserved";
        EXPECT_EQ(u16(b, at + 4), 1u) << "planes";
        EXPECT_EQ(u16(b, at + 6), 32u) << "bit count";
        EXPECT_EQ(e.width, e.height);
        sizes.push_back(e.width);
        // Images follow the directory back to back; a gap or overlap makes
        // windres copy the wrong bytes.
        EXPECT_EQ(e.offset, expected_offset);
        expected_offset = e.offset + e.bytes;
        ASSERT_LE(static_cast<std::size_t>(e.offset) + e.bytes, b.size());

        const auto w = static_cast<std::uint32_t>(e.width), h = static_cast<std::uint32_t>(e.height);
        const std::uint32_t mask_stride = (w + 31) / 32 * 4;
        EXPECT_EQ(e.bytes, 40 + w * h * 4 + mask_stride * h);
        EXPECT_EQ(u32(b, e.offset), 40u) << "BITMAPINFOHEADER size";
        EXPECT_EQ(s32(b, e.offset + 4), e.width);
        EXPECT_EQ(s32(b, e.offset + 8), 2 * e.height) << "colour rows plus mask rows";
        EXPECT_EQ(u16(b, e.offset + 12), 1u);
        EXPECT_EQ(u16(b, e.offset + 14), 32u);
        EXPECT_EQ(u32(b, e.offset + 16), 0u) << "BI_RGB";
    }
    EXPECT_EQ(expected_offset, b.size()) << "nothing after the last image";
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
}

TEST(ArtgenIcon, MaskMatchesAlphaAndPictureIsShaped) {
    const Bytes b = art::icon_ico();
    for (const IconEntry& e : icon_directory(b)) {
        SCOPED_TRACE("size " + std::to_string(e.width));
        const std::size_t colour = e.offset + 40;
        const std::size_t mask = colour + static_cast<std::size_t>(e.width) * e.height * 4;
        const std::size_t mask_stride = (static_cast<std::size_t>(e.width) + 31) / 32 * 4;
        int transparent = 0, opaque = 0, mismatched = 0;
        for (int row = 0; row < e.height; ++row)
            for (int x = 0; x < e.width; ++x) {
                const std::uint8_t alpha = b.at(colour + (static_cast<std::size_t>(row) * e.width + x) * 4 + 3);
                const bool masked =
                    (b.at(mask + static_cast<std::size_t>(row) * mask_stride + static_cast<std::size_t>(x) / 8) &
                     (0x80 >> (x % 8))) != 0;
                if (masked != (alpha == 0)) ++mismatched;
                transparent += alpha == 0;
                opaque += alpha == 255;
            }
        EXPECT_EQ(mismatched, 0) << "AND mask disagrees with alpha";
        // Not a filled square and not empty.
        EXPECT_GT(transparent, 0);
        EXPECT_GT(opaque, e.width * e.height / 3);
    }
}

TEST(ArtgenOutput, IsDeterministicAndWrittenAsGenerated) {
    const auto dir = scratch("artgen_test_") / "nested";
    std::filesystem::remove_all(dir.parent_path());
    std::string error;
    ASSERT_TRUE(art::write_all(dir, error)) << error;
    const std::vector<std::pair<std::string, Bytes>> expected{
        {"brimlow.ico", art::icon_ico()}, {"toolbar.bmp", art::toolbar_bmp()}, {"banner.bmp", art::banner_bmp()},
        {"digits.bmp", art::digits_bmp()}, {"apptools.bmp", art::apptools_bmp()}};
    for (const auto& [name, bytes] : expected) {
        std::ifstream in(dir / name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        const Bytes written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_TRUE(written == bytes) << name << " differs between two runs";
    }
    std::filesystem::remove_all(dir.parent_path());
}

TEST(ArtgenOutput, ReportsAFolderThatCannotBeCreated) {
    const auto blocker = scratch("artgen_blocker_");
    std::ofstream(blocker) << "a file where the folder should go";
    std::string error;
    EXPECT_FALSE(art::write_all(blocker / "out", error));
    EXPECT_NE(error.find("out"), std::string::npos) << error;
    std::filesystem::remove(blocker);
}

}  // namespace
