#include "engine/Layout.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <optional>

#include "engine/Rank.h"

namespace engine {

namespace {

struct Component {
    Box box;
    bool significant = false;  // tall or wide enough to start a line of its own
};

int Width(const Box& b) {
    return b.right - b.left;
}
int Height(const Box& b) {
    return b.bottom - b.top;
}

Box Union(const Box& a, const Box& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// Whether two boxes share at least one `share`-th of the narrower's columns.
bool ShareColumns(const Box& a, const Box& b, int share) {
    const int overlap = std::min(a.right, b.right) - std::max(a.left, b.left);
    return overlap * share >= std::min(Width(a), Width(b));
}

// Whether one box stands over the other: they share half the narrower's
// columns, as the jamo of one syllable do.
bool AreStacked(const Box& a, const Box& b) {
    return ShareColumns(a, b, 2);
}

bool Inside(const Box& inner, const Box& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

// A band: a stretch of rows holding ink, white rows above and below it.
struct Band {
    int top = 0, bottom = 0;
    std::vector<int> members;  // indexes into the components
};

class Analyser {
  public:
    Analyser(std::vector<Component> components, int charHeight)
        : parts_(std::move(components)), h_(std::max(charHeight, 4)) {
        for (size_t i = 0; i < parts_.size(); ++i) {
            const Box& b = parts_[i].box;
            if (!parts_[i].significant && std::max(Width(b), Height(b)) * 8 >= h_) {
                marks_.push_back(static_cast<int>(i));
            }
        }
        std::sort(marks_.begin(), marks_.end(), [&](int a, int b) {
            return parts_[static_cast<size_t>(a)].box.top < parts_[static_cast<size_t>(b)].box.top;
        });
    }

    std::vector<Region> Regions() {
        std::vector<int> all;
        for (size_t i = 0; i < parts_.size(); ++i) {
            if (parts_[i].significant) {
                all.push_back(static_cast<int>(i));
            }
        }
        Split(all, 0);
        AttachSmall();
        FindForeign();
        return std::move(regions_);
    }

  private:
    // Deep enough for any real page; a pathological one is read as it stands
    // at that depth rather than recursing without end.
    static constexpr int kMaxDepth = 40;

    Box Extent(const std::vector<int>& members) const {
        Box box = parts_[static_cast<size_t>(members.front())].box;
        for (int i : members) {
            box = Union(box, parts_[static_cast<size_t>(i)].box);
        }
        return box;
    }

    std::vector<Band> Bands(const std::vector<int>& members) const {
        std::vector<int> order = members;
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            return parts_[static_cast<size_t>(a)].box.top < parts_[static_cast<size_t>(b)].box.top;
        });
        std::vector<Band> bands;
        for (int i : order) {
            const Box& b = parts_[static_cast<size_t>(i)].box;
            if (bands.empty() || b.top >= bands.back().bottom) {
                bands.push_back({b.top, b.bottom, {}});
            }
            bands.back().bottom = std::max(bands.back().bottom, b.bottom);
            bands.back().members.push_back(i);
        }
        std::vector<Band> joined;
        for (Band& band : bands) {
            if (!joined.empty() && AreJamoRows(joined.back(), band)) {
                joined.back().bottom = std::max(joined.back().bottom, band.bottom);
                joined.back().members.insert(joined.back().members.end(), band.members.begin(),
                                             band.members.end());
            } else {
                joined.push_back(std::move(band));
            }
        }
        return joined;
    }

    // Whether `upper` and the band right under it are the upper and lower
    // jamo of one line rather than two lines: a short line of syllables with
    // flat vowels ("부근") has a white row between its initial consonants
    // and the vowels under them, and so does one of syllables with finals
    // ("작업") between the initials and vowels and the finals under them.
    // Each band is lower than a character, the two together are as high as
    // one, next to no white parts them, and every component of each stands
    // over or under one of the other, sharing a third of the narrower's
    // columns (a vertical vowel stands beside its initial, over the end of
    // the final alone); the syllables of two lines of small print do not line
    // up like that.
    bool AreJamoRows(const Band& upper, const Band& lower) const {
        if ((lower.top - upper.bottom) * 7 > h_ || (upper.bottom - upper.top) * 4 >= h_ * 3 ||
            (lower.bottom - lower.top) * 4 >= h_ * 3 || (lower.bottom - upper.top) * 4 > h_ * 5) {
            return false;
        }
        auto stands = [&](int i, const Band& other) {
            const Box& b = parts_[static_cast<size_t>(i)].box;
            return std::any_of(other.members.begin(), other.members.end(), [&](int j) {
                return ShareColumns(parts_[static_cast<size_t>(j)].box, b, 3);
            });
        };
        return std::all_of(upper.members.begin(), upper.members.end(),
                           [&](int i) { return stands(i, lower); }) &&
               std::all_of(lower.members.begin(), lower.members.end(),
                           [&](int i) { return stands(i, upper); });
    }

    // Which columns of [left, right) the band's ink covers, its punctuation
    // marks among it: a gutter is white, and in a monospaced face a comma and
    // the blank after it leave a stretch as wide as a narrow gutter between
    // the letters, at the same place in every line that repeats.
    std::vector<char> Coverage(const Band& band, int left, int right) const {
        std::vector<char> covered(static_cast<size_t>(right - left), 0);
        auto cover = [&](const Box& b) {
            const int from = std::clamp(b.left, left, right), to = std::clamp(b.right, left, right);
            std::fill(covered.begin() + (from - left), covered.begin() + (to - left), 1);
        };
        for (int i : band.members) {
            cover(parts_[static_cast<size_t>(i)].box);
        }
        // Marks are lower than a character: those that reach into the band
        // start at most a character above it.
        auto mark = std::lower_bound(
            marks_.begin(), marks_.end(), band.top - h_,
            [&](int i, int top) { return parts_[static_cast<size_t>(i)].box.top < top; });
        for (; mark != marks_.end() && parts_[static_cast<size_t>(*mark)].box.top < band.bottom;
             ++mark) {
            const Box& b = parts_[static_cast<size_t>(*mark)].box;
            if (b.bottom > band.top) {
                cover(b);
            }
        }
        return covered;
    }

    // The narrowest gutter and the narrowest column beside it.
    int MinGutter() const { return h_ * 6 / 5; }
    int MinColumn(int blockWidth) const { return std::max(4 * h_, blockWidth * 3 / 20); }

    // A gutter is taken for one only where this many different lines keep
    // it: lines that repeat in a cycle (a form, a list of like items) keep
    // the white between the same words at the same place in every copy, and
    // in a monospaced face the blank after a full stop, or two blanks, leave
    // a stretch as wide as a narrow gutter, which two or three lines can
    // share by chance.
    static constexpr int kMinDistinctLines = 3;

    // How many of the bands whose coverage is `coverage`, of those `taken`,
    // differ from each other, counted up to kMinDistinctLines. Two bands
    // whose ink covers the same columns but one in thirty are copies of one
    // line.
    static int DistinctLines(const std::vector<std::vector<char>>& coverage,
                             const std::vector<char>& taken) {
        std::vector<size_t> distinct;
        for (size_t b = 0; b < coverage.size() && distinct.size() < kMinDistinctLines; ++b) {
            if (!taken[b]) {
                continue;
            }
            const std::vector<char>& c = coverage[b];
            const bool copy = std::any_of(distinct.begin(), distinct.end(), [&](size_t d) {
                const size_t differing =
                    std::inner_product(c.begin(), c.end(), coverage[d].begin(), size_t{0},
                                       std::plus<>(), std::not_equal_to<>());
                return differing * 30 < c.size();
            });
            if (!copy) {
                distinct.push_back(b);
            }
        }
        return static_cast<int>(distinct.size());
    }

    // Whether kMinDistinctLines different lines of the bands `taken` have
    // ink in the columns [from, to) of their `coverage`: a column of text
    // beside a gutter, not one line that reaches past where the others end.
    static bool InkInDistinctLines(const std::vector<std::vector<char>>& coverage,
                                   const std::vector<char>& taken, size_t from, size_t to) {
        std::vector<char> inked(coverage.size(), 0);
        for (size_t b = 0; b < coverage.size(); ++b) {
            const auto first = coverage[b].begin();
            inked[b] = taken[b] && std::find(first + from, first + to, 1) != first + to;
        }
        return DistinctLines(coverage, inked) >= kMinDistinctLines;
    }

    // A white stretch of columns of every band, with enough ink on both
    // sides to be two columns of text: where to cut, or nothing.
    std::optional<int> FullGutter(const std::vector<Band>& bands, const Box& extent) const {
        std::vector<char> covered(static_cast<size_t>(Width(extent)), 0);
        std::vector<std::vector<char>> coverage;
        for (const Band& band : bands) {
            coverage.push_back(Coverage(band, extent.left, extent.right));
            const std::vector<char>& c = coverage.back();
            for (size_t x = 0; x < c.size(); ++x) {
                covered[x] = covered[x] || c[x];
            }
        }
        const std::vector<char> all(bands.size(), 1);
        if (DistinctLines(coverage, all) < kMinDistinctLines) {
            return std::nullopt;
        }
        std::optional<int> cut;
        int widest = 0;
        for (size_t x = 0; x < covered.size();) {
            if (covered[x]) {
                ++x;
                continue;
            }
            size_t end = x;
            while (end < covered.size() && !covered[end]) {
                ++end;
            }
            const int width = static_cast<int>(end - x);
            const int leftSide = static_cast<int>(x);
            const int rightSide = Width(extent) - static_cast<int>(end);
            if (width >= MinGutter() && width > widest && leftSide >= MinColumn(Width(extent)) &&
                rightSide >= MinColumn(Width(extent)) && InkInDistinctLines(coverage, all, 0, x) &&
                InkInDistinctLines(coverage, all, end, covered.size())) {
                widest = width;
                cut = extent.left + static_cast<int>(x + end) / 2;
            }
            x = end;
        }
        return cut;
    }

    // A gutter that at least half of the bands keep white, with ink on both
    // sides in several different lines of them: the bands that cross it, or
    // nothing.
    std::optional<std::vector<char>> CrossingBands(const std::vector<Band>& bands,
                                                   const Box& extent) const {
        const int width = Width(extent);
        std::vector<std::vector<char>> coverage;
        std::vector<int> white(static_cast<size_t>(width), 0);
        for (const Band& band : bands) {
            coverage.push_back(Coverage(band, extent.left, extent.right));
            for (int x = 0; x < width; ++x) {
                white[static_cast<size_t>(x)] += !coverage.back()[static_cast<size_t>(x)];
            }
        }
        const int needed = std::max<int>(3, (static_cast<int>(bands.size()) + 1) / 2);
        const int half = MinGutter() / 2;
        std::optional<std::vector<char>> best;
        int bestKept = 0;
        for (int x = MinColumn(width); x + MinColumn(width) <= width;) {
            if (white[static_cast<size_t>(x)] < needed) {
                ++x;
                continue;
            }
            const int start = x;
            int end = x;
            while (end < width && white[static_cast<size_t>(end)] >= needed) {
                ++end;
            }
            const int centre = (start + end) / 2;
            x = end;
            if (end - start < MinGutter()) {
                continue;
            }
            std::vector<char> crossing(bands.size(), 0), keeping(bands.size(), 0);
            int kept = 0;
            for (size_t b = 0; b < bands.size(); ++b) {
                const auto from = coverage[b].begin() + (centre - half);
                crossing[b] = std::find(from, from + 2 * half, 1) != from + 2 * half;
                keeping[b] = !crossing[b];
                kept += keeping[b];
            }
            const auto gutter = static_cast<size_t>(centre - half);
            if (kept >= needed && kept > bestKept &&
                InkInDistinctLines(coverage, keeping, 0, gutter) &&
                InkInDistinctLines(coverage, keeping, gutter + 2 * half, coverage[0].size())) {
                bestKept = kept;
                best = std::move(crossing);
            }
        }
        return best;
    }

    std::vector<int> MembersOf(const std::vector<Band>& bands, size_t first, size_t end) const {
        std::vector<int> members;
        for (size_t b = first; b < end; ++b) {
            members.insert(members.end(), bands[b].members.begin(), bands[b].members.end());
        }
        return members;
    }

    void Split(const std::vector<int>& members, int depth) {
        if (members.empty()) {
            return;
        }
        const Box extent = Extent(members);
        const std::vector<Band> bands = Bands(members);
        if (depth < kMaxDepth) {
            if (const std::optional<int> cut = FullGutter(bands, extent)) {
                std::vector<int> left, right;
                for (int i : members) {
                    const Box& b = parts_[static_cast<size_t>(i)].box;
                    ((b.left + b.right) / 2 < *cut ? left : right).push_back(i);
                }
                Split(left, depth + 1);
                Split(right, depth + 1);
                return;
            }
            if (const auto crossing = CrossingBands(bands, extent)) {
                size_t first = 0;
                for (size_t b = 1; b <= bands.size(); ++b) {
                    if (b == bands.size() || (*crossing)[b] != (*crossing)[first]) {
                        Split(MembersOf(bands, first, b), depth + 1);
                        first = b;
                    }
                }
                return;
            }
        }
        Column(bands);
    }

    // The height of a whole character among the components `members`: a
    // syllable's jamo are often components of their own, lower than it, so
    // the height is taken near the top of theirs.
    int HeightOf(const std::vector<int>& members) const {
        std::vector<int> heights;
        for (int i : members) {
            heights.push_back(Height(parts_[static_cast<size_t>(i)].box));
        }
        return std::max(1, Rank(std::move(heights), 0.95));
    }

    // The character height of the line of components `members`: where no
    // jamo is nearly as high as its syllable (a line of syllables with flat
    // vowels, "부근"), the syllables' stacks of jamo give it. Only for a line
    // already found: in a band of two lines set close, a stack may reach
    // across both.
    int LineHeightOf(const std::vector<int>& members) const {
        const int height = HeightOf(members);
        std::vector<int> stacks;
        for (const std::vector<int>& stack : Stacks(members)) {
            stacks.push_back(Height(Extent(stack)));
        }
        const int stacked = Rank(std::move(stacks), 0.5);
        return stacked * 4 > height * 5 ? stacked : height;
    }

    // A line being followed from left to right: its components and the
    // straight line through their centres, so that a slanted line (a page
    // photographed at an angle) is followed along its own slope.
    struct Chain {
        std::vector<int> members;
        double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;  // the fit, over stacks
        int left = std::numeric_limits<int>::max(), right = 0, tallest = 0;
        std::vector<Box> recent;  // the last few components, left to right

        // Adds the components `indexes`, whose box is `b`.
        void Add(const std::vector<int>& indexes, const Box& b) {
            recent.push_back(b);
            if (recent.size() > kRecent) {
                recent.erase(recent.begin());
            }
            const double x = (b.left + b.right) / 2.0;
            const double y = (b.top + b.bottom) / 2.0;
            members.insert(members.end(), indexes.begin(), indexes.end());
            ++n;
            sx += x;
            sy += y;
            sxx += x * x;
            sxy += x * y;
            left = std::min(left, b.left);
            right = std::max(right, b.right);
            tallest = std::max(tallest, Height(b));
        }
        double Slope() const {
            const double d = n * sxx - sx * sx;
            // A slope is measured over a few characters at least: the jamo
            // of one syllable stand above each other.
            if (right - left < 4 * tallest || d <= 0) {
                return 0;
            }
            // Lines slant by a few degrees at most.
            return std::clamp((n * sxy - sx * sy) / d, -kMaxSlope, kMaxSlope);
        }
        double YAt(double x) const { return sy / n + Slope() * (x - sx / n); }
        // How far the line's last few components reach up and down, carried
        // along the slope to `x`: the rows where the line goes on.
        std::pair<double, double> ReachAt(double x) const {
            const double slope = Slope();
            double top = std::numeric_limits<double>::max(), bottom = -top;
            for (const Box& b : recent) {
                const double shift = slope * (x - (b.left + b.right) / 2.0);
                top = std::min(top, b.top + shift);
                bottom = std::max(bottom, b.bottom + shift);
            }
            return {top, bottom};
        }
    };
    // A few syllables.
    static constexpr size_t kRecent = 6;
    static constexpr double kMaxSlope = 0.1;

    // A dash, an underscore or a stroke of "ㅡ": far lower than a character.
    bool IsFlat(int i) const { return Height(parts_[static_cast<size_t>(i)].box) * 5 < h_; }

    // The components of `members` gathered into stacks: the jamo of one
    // syllable stand above each other with little white between them, and
    // a line is followed from stack to stack.
    std::vector<std::vector<int>> Stacks(std::vector<int> members) const {
        std::sort(members.begin(), members.end(), [&](int a, int b) {
            return parts_[static_cast<size_t>(a)].box.left <
                   parts_[static_cast<size_t>(b)].box.left;
        });
        std::vector<std::vector<int>> stacks;
        std::vector<Box> boxes;
        for (int i : members) {
            const Box& b = parts_[static_cast<size_t>(i)].box;
            bool placed = false;
            // Only the last few stacks can still lie over this component.
            for (size_t k = boxes.size(); k-- > 0 && k + kRecent >= boxes.size();) {
                Box& s = boxes[k];
                const int gap = std::max(s.top, b.top) - std::min(s.bottom, b.bottom);
                if (AreStacked(s, b) && gap * 7 <= h_) {
                    s = Union(s, b);
                    stacks[k].push_back(i);
                    placed = true;
                    break;
                }
            }
            if (!placed) {
                stacks.push_back({i});
                boxes.push_back(b);
            }
        }
        return stacks;
    }

    // Follows the lines of a stretch of slanted or touching lines from left
    // to right: a stack joins the line whose course covers most of it.
    std::vector<Chain> Chains(const std::vector<int>& members) const {
        std::vector<Chain> chains;
        for (const std::vector<int>& stack : Stacks(members)) {
            const Box b = Extent(stack);
            const double x = (b.left + b.right) / 2.0;
            const double y = (b.top + b.bottom) / 2.0;
            Chain* best = nullptr;
            double bestCover = 0;
            for (Chain& chain : chains) {
                const int size = std::max(chain.tallest, Height(b));
                if (b.left - chain.right > 5 * size / 2) {
                    continue;
                }
                const auto [top, bottom] = chain.ReachAt(x);
                const double cover =
                    std::min<double>(b.bottom, bottom) - std::max<double>(b.top, top);
                const double share =
                    cover / std::max(1.0, std::min<double>(Height(b), bottom - top));
                if (share >= 0.5 && (best == nullptr || share > bestCover ||
                                     (share == bestCover &&
                                      std::fabs(y - chain.YAt(x)) < std::fabs(y - best->YAt(x))))) {
                    best = &chain;
                    bestCover = share;
                }
            }
            if (best == nullptr) {
                chains.emplace_back();
                best = &chains.back();
            }
            best->Add(stack, b);
        }
        return chains;
    }

    // A single column: its lines top to bottom, in regions parted by wide
    // white gaps. A band as high as one line is that line. One less than
    // two characters high cannot hold two lines either: it is one line whose
    // characters stand at varying heights (a handwriting face, whose jamo
    // wander above and below the line), and its slope is fitted over all of
    // it, as following it piece by piece would break it into fragments
    // slanting every way. A higher band holds lines that slant (a
    // photographed page) or touch, and they are followed one by one.
    void Column(const std::vector<Band>& bands) {
        std::vector<Chain> chains;
        for (const Band& band : bands) {
            const int height = band.bottom - band.top;
            const int size = HeightOf(band.members);
            if (height * 2 <= size * 3) {
                chains.emplace_back();
                chains.back().Add(band.members, Extent(band.members));
                continue;
            }
            if (height < 2 * size) {
                chains.emplace_back();
                for (const std::vector<int>& stack : Stacks(band.members)) {
                    chains.back().Add(stack, Extent(stack));
                }
                continue;
            }
            for (Chain& chain : Chains(band.members)) {
                chains.push_back(std::move(chain));
            }
        }
        // Flat marks alone (the underscores of "XZ_OPT" under a line of
        // Hangul, which has no descenders to join them to it) make no line:
        // they join the line they belong to like other small ink.
        std::vector<Chain> kept;
        for (Chain& chain : chains) {
            if (std::all_of(chain.members.begin(), chain.members.end(),
                            [&](int i) { return IsFlat(i); })) {
                for (int i : chain.members) {
                    parts_[static_cast<size_t>(i)].significant = false;
                }
            } else {
                kept.push_back(std::move(chain));
            }
        }
        chains = std::move(kept);
        int left = std::numeric_limits<int>::max(), right = 0;
        for (const Chain& chain : chains) {
            left = std::min(left, chain.left);
            right = std::max(right, chain.right);
        }
        const double middle = (left + right) / 2.0;
        std::stable_sort(chains.begin(), chains.end(), [&](const Chain& a, const Chain& b) {
            return a.YAt(middle) < b.YAt(middle);
        });
        std::vector<Line> lines;
        for (const Chain& chain : chains) {
            Line line;
            line.box = Extent(chain.members);
            line.height = LineHeightOf(chain.members);
            line.slope = chain.Slope();
            for (int i : chain.members) {
                line.parts.push_back(parts_[static_cast<size_t>(i)].box);
            }
            lines.push_back(std::move(line));
        }
        // How far each line lies below the one above, in hundredths of the
        // taller one's character height.
        std::vector<Gap> gaps;
        std::vector<int> alikePitches;
        for (size_t k = 1; k < chains.size(); ++k) {
            Gap gap;
            gap.low = std::min(lines[k - 1].height, lines[k].height);
            gap.high = std::max(lines[k - 1].height, lines[k].height);
            gap.pitch = static_cast<int>(100 * (chains[k].YAt(middle) - chains[k - 1].YAt(middle)) /
                                         gap.high);
            if (gap.Alike()) {
                alikePitches.push_back(gap.pitch);
            }
            gaps.push_back(gap);
        }
        const int alikeBreak = ParagraphBreak(alikePitches);
        Region region;
        for (size_t k = 0; k < lines.size(); ++k) {
            if (k > 0) {
                const Gap& gap = gaps[k - 1];
                if (gap.pitch > (gap.Alike() ? alikeBreak : HeadingBreak(gap))) {
                    regions_.push_back(std::move(region));
                    region = Region();
                }
            }
            region.lines.push_back(std::move(lines[k]));
        }
        if (!region.lines.empty()) {
            regions_.push_back(std::move(region));
        }
    }

    // Two lines, one above the other: the step between them in hundredths
    // of the taller one's character height, and their two heights.
    struct Gap {
        int pitch = 0;
        int low = 0, high = 0;
        // Of one type size, give or take the odd taller mark (a line of
        // a few low syllables beside one with brackets); a heading is half
        // as high again as the text under it or more.
        bool Alike() const { return high * 2 < low * 3; }
    };

    // A pitch beyond which a white gap between two lines of one size starts a
    // new region: a blank line's worth.
    static constexpr int kWideGap = 220;

    // The pitch beyond which a gap between two lines of one type size starts
    // a new region, from the pitches of all such lines in the column. Where
    // the column's lines keep a pitch more than two thirds of kWideGap (a
    // face drawn small in its line, a document set with wide line spacing),
    // a gap half as wide again as that is one. The lines' pitch is the
    // smallest of a character or more that at least two gaps keep, give or
    // take a tenth: lines closer than that are pieces of one, a pair of odd
    // pieces found apart (a bullet, a line broken in two) is no guide, and in
    // a column of short paragraphs most gaps are paragraph gaps. A column
    // whose lines all keep one pitch cannot tell paragraphs from spacing and
    // keeps kWideGap.
    static int ParagraphBreak(std::vector<int> pitches) {
        std::sort(pitches.begin(), pitches.end());
        int wider = 0;
        for (size_t k = 0; k + 1 < pitches.size(); ++k) {
            if (pitches[k] >= 100 && pitches[k + 1] * 10 <= pitches[k] * 11) {
                wider = pitches[k] * 3 / 2;
                break;
            }
        }
        if (wider <= kWideGap || pitches.back() <= wider) {
            return kWideGap;
        }
        return wider;
    }

    // The pitch beyond which a heading and the text under it (lines of two
    // sizes) are two regions: where the white between them is wider than
    // the blank line kWideGap leaves between lines of one size, 1.2 times the
    // taller one's height. The column's own pitch says nothing of this gap.
    static int HeadingBreak(const Gap& gap) {
        return kWideGap - 100 + 50 * (gap.low + gap.high) / gap.high;
    }

    // Punctuation and the small strokes of letters join the line they sit
    // on; the rest of the small ink is noise.
    void AttachSmall() {
        for (const Component& part : parts_) {
            if (part.significant) {
                continue;
            }
            const int cx = (part.box.left + part.box.right) / 2;
            const int cy = (part.box.top + part.box.bottom) / 2;
            Line* nearest = nullptr;
            int nearestDistance = 0;
            for (Region& region : regions_) {
                for (Line& line : region.lines) {
                    // A speck joins only inside the line's rows, close to it.
                    const bool speck = std::max(Width(part.box), Height(part.box)) * 8 < h_;
                    const int reach = speck ? 0 : line.height / 2;
                    const int side = speck ? line.height / 2 : line.height;
                    if (cx < line.box.left - side || cx > line.box.right + side ||
                        cy < line.box.top - reach || cy > line.box.bottom + reach) {
                        continue;
                    }
                    const int distance = std::abs(cy - (line.box.top + line.box.bottom) / 2);
                    if (nearest == nullptr || distance < nearestDistance) {
                        nearest = &line;
                        nearestDistance = distance;
                    }
                }
            }
            if (nearest != nullptr) {
                nearest->box = Union(nearest->box, part.box);
                nearest->parts.push_back(part.box);
            }
        }
    }

    // The components of other lines inside each line's box, with the margin
    // the recogniser adds around it.
    void FindForeign() {
        std::vector<Line*> lines;
        for (Region& region : regions_) {
            for (Line& line : region.lines) {
                lines.push_back(&line);
            }
        }
        auto overlaps = [](const Box& a, const Box& b) {
            return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
        };
        for (Line* line : lines) {
            const int margin = MarginOf(*line);
            const Box reach{line->box.left - margin, line->box.top - margin,
                            line->box.right + margin, line->box.bottom + margin};
            for (const Line* other : lines) {
                if (other == line || !overlaps(reach, other->box)) {
                    continue;
                }
                for (const Box& part : other->parts) {
                    if (overlaps(reach, part)) {
                        line->foreign.push_back(part);
                    }
                }
            }
        }
    }

    std::vector<Component> parts_;
    int h_;
    std::vector<int> marks_;  // the small ink that is no speck, by its top
    std::vector<Region> regions_;
};

}  // namespace

PageLayout FindLayout(Pix* binary, int charHeight) {
    PageLayout layout;
    const int h = std::max(charHeight, 4);
    Pixa* pixa = nullptr;
    Boxa* boxa = pixConnComp(binary, &pixa, 8);
    if (boxa == nullptr) {
        return layout;
    }
    layout.nonText.reset(pixCreateTemplate(binary));
    const int count = boxaGetCount(boxa);
    std::vector<Component> components;
    std::vector<Box> pictures;
    std::vector<char> text(static_cast<size_t>(count), 0);
    for (int i = 0; i < count; ++i) {
        l_int32 x, y, w, ht;
        boxaGetBoxGeometry(boxa, i, &x, &y, &w, &ht);
        const Box box{x, y, x + w, y + ht};
        // Rules are long and thin; a vertical one must be longer than the
        // upright stroke of a title's syllable ("ㅣ" of a 40-pt "기").
        const bool rule = (w >= 4 * h && w >= 10 * ht) || (ht >= 6 * h && ht >= 12 * w);
        const bool large = (w > 5 * h && ht > 3 * h) || (ht > 5 * h && w > 3 * h);
        if (rule || large) {
            Pix* part = pixaGetPix(pixa, i, L_CLONE);
            pixRasterop(layout.nonText.get(), x, y, w, ht, PIX_SRC | PIX_DST, part, 0, 0);
            l_int32 ink = 0;
            pixCountPixels(part, &ink, nullptr);
            pixDestroy(&part);
            // A solid picture's inner specks are part of it; a frame's or a
            // table's inner components are text.
            if (large && ink * 4 > w * ht) {
                pictures.push_back(box);
            }
            continue;
        }
        text[static_cast<size_t>(i)] = 1;
    }
    for (int i = 0; i < count; ++i) {
        if (!text[static_cast<size_t>(i)]) {
            continue;
        }
        l_int32 x, y, w, ht;
        boxaGetBoxGeometry(boxa, i, &x, &y, &w, &ht);
        const Box box{x, y, x + w, y + ht};
        if (std::any_of(pictures.begin(), pictures.end(),
                        [&](const Box& p) { return Inside(box, p); })) {
            Pix* part = pixaGetPix(pixa, i, L_CLONE);
            pixRasterop(layout.nonText.get(), x, y, w, ht, PIX_SRC | PIX_DST, part, 0, 0);
            pixDestroy(&part);
            continue;
        }
        // Specks and small marks start no line; those beside a line join it
        // (the full stop at its end is as small as a speck), the rest are
        // left out.
        components.push_back({box, ht * 20 >= h * 7 || w * 20 >= h * 7});
    }
    boxaDestroy(&boxa);
    pixaDestroy(&pixa);
    layout.regions = Analyser(std::move(components), h).Regions();
    return layout;
}

}  // namespace engine
