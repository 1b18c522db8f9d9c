// The layout of pages drawn as blocks of ink, one block per syllable: which
// blocks make a line and which lines make a paragraph.
#include <gtest/gtest.h>
#include <leptonica/allheaders.h>

#include <string>
#include <vector>

#include "engine/ImageInput.h"
#include "engine/Layout.h"

namespace {

constexpr int kHeight = 30;  // a syllable's height, in pixels
constexpr int kWidth = 26;
constexpr int kAdvance = 32;

// A line of `count` syllables whose top stands `rise[i % size]` pixels below
// `top`; with `apart` above 0, every third syllable has its final consonant
// drawn apart, that many pixels below it.
void DrawLine(Pix* page, int left, int top, int count, const std::vector<int>& rise, int apart) {
    for (int i = 0; i < count; ++i) {
        const int x = left + i * kAdvance;
        const int y = top + rise[static_cast<size_t>(i) % rise.size()];
        if (apart > 0 && i % 3 == 0) {
            pixRasterop(page, x, y, kWidth, kHeight * 2 / 3, PIX_SET, nullptr, 0, 0);
            pixRasterop(page, x + 4, y + kHeight * 2 / 3 + apart, kWidth - 8, kHeight / 2, PIX_SET,
                        nullptr, 0, 0);
        } else {
            pixRasterop(page, x, y, kWidth, kHeight, PIX_SET, nullptr, 0, 0);
        }
    }
}

// A handwriting face sets its syllables up and down the line by half their
// height, and its final consonants well apart from them: each line is still
// found whole, not as fragments slanting every way.
TEST(EngineLayout, ALineWhoseSyllablesWanderIsFoundWhole) {
    engine::PixPtr page(pixCreate(1600, 500, 1));
    const std::vector<int> rise = {0, 12, -3, 9, -6, 14, 3, -5, 10};
    for (int line = 0; line < 3; ++line) {
        DrawLine(page.get(), 100, 100 + line * 110, 40, rise, 7);
    }
    const engine::PageLayout layout = engine::FindLayout(page.get(), kHeight);
    std::vector<engine::Box> found;
    for (const engine::Region& region : layout.regions) {
        for (const engine::Line& line : region.lines) {
            found.push_back(line.box);
        }
    }
    ASSERT_EQ(3u, found.size());
    for (const engine::Box& box : found) {
        EXPECT_EQ(100, box.left);
        EXPECT_EQ(100 + 39 * kAdvance + kWidth, box.right);
    }
}

// Under a heading three times their size, with white 1.3 times its height
// between: short paragraphs, most of one line, with an empty line between
// them, at the pitch of ordinary print and at a pitch as wide as a face
// drawn small in its line keeps (more than twice the characters' height).
TEST(EngineLayout, HeadingAndParagraphsAreFoundAtAnyLineSpacing) {
    for (const int pitch : {45, 75}) {
        engine::PixPtr page(pixCreate(1600, 1800, 1));
        for (int i = 0; i < 6; ++i) {
            pixRasterop(page.get(), 100 + i * 100, 100, 80, 3 * kHeight, PIX_SET, nullptr, 0, 0);
        }
        int top = 100 + 3 * kHeight + 4 * kHeight;
        for (const int lines : {2, 1, 1, 1, 2, 1, 1}) {
            for (int i = 0; i < lines; ++i, top += pitch) {
                DrawLine(page.get(), 100, top, 40, {0}, 0);
            }
            top += pitch;
        }
        const engine::PageLayout layout = engine::FindLayout(page.get(), kHeight);
        std::vector<size_t> sizes;
        for (const engine::Region& region : layout.regions) {
            sizes.push_back(region.lines.size());
        }
        EXPECT_EQ((std::vector<size_t>{1, 2, 1, 1, 1, 2, 1, 1}), sizes) << "pitch " << pitch;
    }
}

// The last line of a paragraph is two syllables with flat vowels ("부근"),
// whose initial consonants stand over the vowels with a white row between,
// or two with finals under their initials and vertical vowels ("작업", the
// vowel beside its initial over the end of the final alone): it is one line
// of its paragraph, as high as its syllables, not two rows of jamo nor a
// paragraph of its own.
TEST(EngineLayout, ALineOfFlatVowelsIsOneLineOfItsParagraph) {
    for (const bool finals : {false, true}) {
        for (const int pitch : {45, 75}) {
            engine::PixPtr page(pixCreate(1600, 900, 1));
            for (int line = 0; line < 3; ++line) {
                DrawLine(page.get(), 100, 100 + line * pitch, 40, {0}, 0);
            }
            const int top = 100 + 3 * pitch;
            for (int i = 0; i < 2; ++i) {
                const int x = 100 + i * kAdvance;
                if (finals) {
                    pixRasterop(page.get(), x, top, 15, 13, PIX_SET, nullptr, 0, 0);
                    pixRasterop(page.get(), x + 18, top, 7, 13, PIX_SET, nullptr, 0, 0);
                    pixRasterop(page.get(), x + 2, top + 14, 19, kHeight - 14, PIX_SET, nullptr, 0,
                                0);
                } else {
                    pixRasterop(page.get(), x, top, kWidth, 13, PIX_SET, nullptr, 0, 0);
                    pixRasterop(page.get(), x + 2, top + 14, kWidth - 4, kHeight - 14, PIX_SET,
                                nullptr, 0, 0);
                }
            }
            for (int line = 5; line < 7; ++line) {
                DrawLine(page.get(), 100, 100 + line * pitch, 40, {0}, 0);
            }
            const engine::PageLayout layout = engine::FindLayout(page.get(), kHeight);
            const std::string what =
                (finals ? "finals, pitch " : "flat, pitch ") + std::to_string(pitch);
            ASSERT_EQ(2u, layout.regions.size()) << what;
            const std::vector<engine::Line>& lines = layout.regions[0].lines;
            ASSERT_EQ(4u, lines.size()) << what;
            EXPECT_EQ(top, lines[3].box.top) << what;
            EXPECT_EQ(top + kHeight, lines[3].box.bottom) << what;
            EXPECT_EQ(kHeight, lines[3].height) << what;
        }
    }
}

// Draws `text` in a monospaced face from `left`: each 'x' a syllable of a
// full cell, each ' ' a blank of half a cell, each '.' half a cell with a full
// stop at its foot.
void DrawMonospaced(Pix* page, int left, int top, const std::string& text) {
    int x = left;
    for (const char c : text) {
        if (c == 'x') {
            pixRasterop(page, x + 3, top, kWidth, kHeight, PIX_SET, nullptr, 0, 0);
        } else if (c == '.') {
            pixRasterop(page, x + 1, top + kHeight - 6, 6, 6, PIX_SET, nullptr, 0, 0);
        }
        x += c == 'x' ? kAdvance : kAdvance / 2;
    }
}

// A monospaced page whose lines repeat in a cycle, as a form or a list of like
// items does: the blanks after full stops, two blanks, and the white after
// lines that end early stand at the same place in every copy, as wide as a
// narrow gutter, and must not cut the lines into columns read one after the
// other.
TEST(EngineLayout, MonospacedLinesRepeatingInACycleAreNotCutIntoColumns) {
    const std::vector<std::vector<std::string>> cycles = {
        // Two blanks at the same place in the two lines of the cycle.
        {"xxxxxxxxxxxx  xxxxxxxxxxxxxx", "xxxxxxxxxxxx  xxxxxxxxxxxxxxxxxxxx"},
        // One line reaches on past a blank where the others end.
        {"xxxxxxxxxxxxxxxx", "xxxxxxxxxxxxxxxxx  xxxxxxxxxx", "xxxxxxxxxxxxxx"},
        // Three different lines, each with a full stop and a blank there.
        {"xxxxxxxxxx. xxxxxxxxxxxxxx", "xxxxxxxxxx. xxxxxxxxxxxxxxxxxxxx", "xxxxxxxxxx. xxxxxxxx"},
    };
    for (const std::vector<std::string>& cycle : cycles) {
        engine::PixPtr page(pixCreate(1400, 1300, 1));
        constexpr int kLines = 24;
        for (int i = 0; i < kLines; ++i) {
            DrawMonospaced(page.get(), 100, 100 + i * 45, cycle[i % cycle.size()]);
        }
        const engine::PageLayout layout = engine::FindLayout(page.get(), kHeight);
        ASSERT_EQ(1u, layout.regions.size()) << cycle[0];
        const std::vector<engine::Line>& lines = layout.regions[0].lines;
        ASSERT_EQ(static_cast<size_t>(kLines), lines.size()) << cycle[0];
        for (int i = 0; i < kLines; ++i) {
            EXPECT_EQ(100 + i * 45, lines[static_cast<size_t>(i)].box.top) << cycle[0];
        }
    }
}

}  // namespace
