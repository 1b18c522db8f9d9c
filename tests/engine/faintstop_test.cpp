#include <gtest/gtest.h>
#include <leptonica/allheaders.h>

#include <string>
#include <vector>

#include "engine/FaintStop.h"
#include "engine/ImageInput.h"

namespace {

// A patch of gray: left, top, width, height, value.
struct Patch {
    int x, y, w, h, value;
};

TEST(EngineFaintStop, ADotAfterTheLineAndNothingElseIsAFullStop) {
    // A line of 32-pixel characters whose ink ends at x = 120 with a dark
    // stroke; the stroke's faint edge reaches past the ink, as it does once a
    // page is enlarged.
    engine::Line line;
    line.box = {20, 10, 120, 42};
    line.height = 32;
    const std::vector<Patch> stroke = {{110, 10, 10, 32, 40}, {120, 20, 3, 3, 170}};
    const Patch dot = {126, 35, 4, 4, 170};
    struct Case {
        const char* what;
        std::vector<Patch> after;
        std::string text;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"a light dot on the baseline", {dot}, "합니다", true},
        {"not when the reading has one", {dot}, "합니다.", false},
        {"nor after a character no sentence ends with", {dot}, "합니다,", false},
        {"no dot", {}, "합니다", false},
        {"one too light to be ink", {{126, 35, 4, 4, 230}}, "합니다", false},
        {"a pixel of paper noise", {{126, 35, 1, 1, 200}}, "합니다", false},
        {"more ink after it", {dot, {132, 30, 3, 3, 170}}, "합니다", false},
        {"a spot the size of a letter", {{124, 28, 10, 10, 170}}, "합니다", false},
        {"a dot up at the middle of the line", {{126, 20, 4, 4, 170}}, "합니다", false},
    };
    for (const Case& c : cases) {
        engine::PixPtr page(pixCreate(200, 60, 8));
        pixSetAllArbitrary(page.get(), 255);
        std::vector<Patch> patches = stroke;
        patches.insert(patches.end(), c.after.begin(), c.after.end());
        for (const Patch& patch : patches) {
            BOX* box = boxCreate(patch.x, patch.y, patch.w, patch.h);
            pixSetInRectArbitrary(page.get(), box, static_cast<l_uint32>(patch.value));
            boxDestroy(&box);
        }
        EXPECT_EQ(c.expected, engine::FaintStopAfter(page.get(), line, c.text)) << c.what;
    }
}

}  // namespace
