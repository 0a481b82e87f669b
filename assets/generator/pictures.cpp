#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

namespace gen {

namespace {

long long isqrt(long long n)
{
    if (n <= 0)
        return 0;
    // sqrt on a double is exactly rounded, and the fix-ups make the result exact.
    auto r = static_cast<long long>(std::sqrt(static_cast<double>(n)));
    while (r * r > n)
        --r;
    while ((r + 1) * (r + 1) <= n)
        ++r;
    return r;
}

// Soft two-step shadow on the "floor" under an object.
// Only literals go in (no arithmetic on doubles), which keeps the output
// independent of the compiler's floating-point choices.
void floorShadow(Canvas& c, double cx, double cy, double rx, double ry, double innerRx,
                 double innerRy)
{
    c.fill(ellipse(cx, cy, rx, ry), Rgb{181, 181, 181});
    c.fill(ellipse(cx, cy, innerRx, innerRy), Rgb{171, 171, 171});
}

// ---------------------------------------------------------------------------
// bitmapA: a mortarboard seen from the front and a little above, tassel
// hanging off the right-hand corner.

namespace cap {
const Rgb kSkullEdge{12, 12, 30};
const Rgb kSkullLight{64, 64, 104};
const Rgb kSkullRim{44, 44, 80};
const Rgb kTopLight{84, 84, 128};
const Rgb kTopDark{24, 24, 50};
const Rgb kLeftFace{46, 46, 82};
const Rgb kRightFace{18, 18, 38};
const Rgb kBackEdge{140, 140, 190};
const Rgb kGold{226, 176, 40};
const Rgb kGoldLight{255, 226, 120};
const Rgb kGoldDark{168, 116, 14};
}  // namespace cap

}  // namespace

std::vector<Rgb> mortarboardPicture()
{
    using namespace cap;
    Canvas c(kPictureWidth, kPictureHeight, kSilver);

    floorShadow(c, 49, 87, 36, 5, 27, 3.5);

    // The skull cap: a slightly tapered band with a rounded lower edge, lit
    // from the left so it reads as a cylinder.
    const Region skull = either(polygon({at(24, 40), at(74, 40), at(72, 67), at(26, 67)}),
                                ellipse(49, 67, 23, 9));
    const long long left = units(24), light = units(40), right = units(74);
    c.fill(skull, [=](Pt p) {
        if (p.x < light)
            return mix(kSkullEdge, kSkullLight, p.x - left, light - left);
        return mix(kSkullLight, kSkullEdge, p.x - light, right - light);
    });
    // The rim along the bottom catches a little light.
    c.fill(minus(ellipse(49, 67, 23, 9), ellipse(49, 64.5, 23, 9)), kSkullRim);

    // The board: two visible edges of its thickness, then the top.
    c.fill(polygon({at(4, 34), at(49, 54), at(49, 58.5), at(4, 38.5)}), kLeftFace);
    c.fill(polygon({at(49, 54), at(94, 34), at(94, 38.5), at(49, 58.5)}), kRightFace);
    c.fill(polygon({at(4, 34), at(49, 14), at(94, 34), at(49, 54)}),
           linear(kTopLight, at(32, 20), kTopDark, at(68, 50)));
    c.fill(stroke({at(5, 34), at(49, 14.5)}, 1.25), kBackEdge);
    c.fill(stroke({at(49, 14.5), at(93, 34)}, 1.0), shade(kTopLight, 40));

    // Tassel cord from the button across the board and over the edge.
    std::vector<Pt> cord = curve(at(49, 34), at(66, 41.5), at(82.5, 39.5), 16);
    cord.push_back(at(83.5, 43));
    cord.push_back(at(83.75, 50));
    cord.push_back(at(83.5, 59));
    c.fill(stroke(cord, 2.25), kGold);
    c.fill(stroke({at(83.9, 44), at(84.1, 50), at(84, 57)}, 0.75), kGoldDark);

    // Button in the middle of the board.
    c.fill(ellipse(49, 34.5, 4, 2.5), kGoldDark);
    c.fill(ellipse(49, 34, 3.5, 2.2), kGold);
    c.fill(ellipse(48.2, 33.4, 1.5, 0.9), kGoldLight);

    // The tassel: a knot, a binding band and a fringe that fans out a little.
    const Region fringe = either(polygon({at(80, 64), at(86, 64), at(89.5, 86), at(76.5, 86)}),
                                 ellipse(83, 86, 6.5, 2.5));
    c.fill(fringe, linear(kGoldLight, at(77, 0), kGoldDark, at(89.5, 0)));
    for (const auto& [top, bottom] : {std::pair{at(80.75, 66), at(78.5, 87.5)},
                                      std::pair{at(82.25, 66), at(81.5, 88.25)},
                                      std::pair{at(83.75, 66), at(84.5, 88.25)},
                                      std::pair{at(85.25, 66), at(87.5, 87.5)}})
        c.fill(stroke({top, bottom}, 0.6), kGoldDark);
    c.fill(polygon({at(79.5, 62), at(86.5, 62), at(86.75, 65.5), at(79.25, 65.5)}),
           linear(kGold, at(79, 0), kGoldDark, at(87, 0)));
    c.fill(ellipse(83.5, 59.5, 3.25, 3), linear(kGoldLight, at(80.5, 57), kGoldDark, at(86, 62)));

    return c.pixels();
}

// ---------------------------------------------------------------------------
// bitmapB: a rolled diploma lying at a slant, tied round the middle with a
// red ribbon and bow.

namespace {

namespace scroll {
// The scroll's axis runs along (9, -4); (4, 9) points across it, towards the
// viewer's lower right. Both have length sqrt(97) ~ 9.85, so projections onto
// them are in units * 9.85.
constexpr int kAxisX = 9, kAxisY = -4;
constexpr int kAcrossX = 4, kAcrossY = 9;
constexpr long long kLen100 = 985;  // 100 * sqrt(97)

long long scaled(double px)
{
    return units(px) * kLen100 / 100;
}

const Rgb kPaperRim{214, 196, 146};
const Rgb kPaperLight{255, 251, 232};
const Rgb kPaperDark{176, 150, 98};
const Rgb kPaperEnd{240, 228, 190};
const Rgb kPaperLine{146, 118, 70};
const Rgb kRibbonRim{170, 20, 34};
const Rgb kRibbonLight{244, 96, 104};
const Rgb kRibbonDark{116, 8, 20};
const Rgb kRibbonInside{96, 6, 16};

// Shading across the cylinder: brightest a little above the axis, dark
// underneath. `centre` is on the axis.
Paint cylinderPaint(Pt centre, long long radius, Rgb rim, Rgb light, Rgb dark)
{
    const long long peak = -radius * 2 / 5;
    return [=](Pt p) {
        const long long v = (p.x - centre.x) * kAcrossX + (p.y - centre.y) * kAcrossY;
        if (v < peak)
            return mix(rim, light, v + radius, peak + radius);
        return mix(light, dark, v - peak, radius - peak);
    };
}

}  // namespace scroll

}  // namespace

std::vector<Rgb> diplomaPicture()
{
    using namespace scroll;
    Canvas c(kPictureWidth, kPictureHeight, kSilver);

    floorShadow(c, 50, 81, 38, 4.5, 28.5, 3.25);

    // The axis runs from the near end E1 (16.1, 64.6) to the far end
    // E2 (81.9, 35.4); the radius is 12.
    const Pt mid = at(49, 50);
    const long long radius = scaled(12);
    const Region body = either(polygon({at(11.25, 53.65), at(77.05, 24.4), at(86.75, 46.35),
                                        at(20.95, 75.6)}),
                               tiltedEllipse(81.9, 35.4, 4.2, 12, kAxisX, kAxisY));
    c.fill(body, cylinderPaint(mid, radius, kPaperRim, kPaperLight, kPaperDark));

    // The outer sheet's edge runs the length of the roll.
    c.fill(stroke({at(19.5, 70.4), at(85.2, 41.2)}, 0.9), kPaperLine);

    // The near end shows the paper rolled up inside.
    const Region end = tiltedEllipse(16.1, 64.6, 5.2, 12, kAxisX, kAxisY);
    c.fill(end, linear(kPaperEnd, at(12, 56), kPaperRim, at(20, 74)));
    c.fill(minus(end, tiltedEllipse(16.1, 64.6, 4.5, 11.1, kAxisX, kAxisY)), kPaperDark);
    // Each turn sits a little lower than the one outside it, so the rings
    // read as a spiral rather than as a target.
    // centre x, y; outer rx, ry; inner rx, ry
    const double turns[][6] = {{16.3, 65.2, 3.7, 8.7, 3.0, 7.7},
                               {16.5, 65.8, 2.2, 5.3, 1.5, 4.3}};
    for (const auto& t : turns) {
        c.fill(minus(tiltedEllipse(t[0], t[1], t[2], t[3], kAxisX, kAxisY),
                     tiltedEllipse(t[0], t[1], t[4], t[5], kAxisX, kAxisY)),
               kPaperLine);
    }
    c.fill(tiltedEllipse(16.7, 66.3, 0.9, 1.9, kAxisX, kAxisY), kPaperLine);

    // Ribbon round the middle. Its edges follow the cross-section of the
    // cylinder, so they bow towards the visible end.
    const long long halfWidth = scaled(3.5);
    const long long bulge = scaled(4.2);
    const Region band = both(body, [=](Pt p) {
        const long long u = (p.x - mid.x) * kAxisX + (p.y - mid.y) * kAxisY;
        const long long v = (p.x - mid.x) * kAcrossX + (p.y - mid.y) * kAcrossY;
        const long long offset = bulge * isqrt(std::max(0LL, radius * radius - v * v)) / radius;
        const long long s = u + offset;
        return s >= -halfWidth && s <= halfWidth;
    });
    c.fill(band, cylinderPaint(mid, radius, kRibbonRim, kRibbonLight, kRibbonDark));

    // Bow at the front of the band: two tails, two loops and the knot.
    const Paint tailPaint = linear(kRibbonLight, at(40, 56), kRibbonDark, at(54, 74));
    c.fill(polygon({at(44, 54), at(47.5, 55.5), at(40.75, 74), at(39.25, 71), at(35.5, 72.75)}),
           tailPaint);
    c.fill(polygon({at(45.5, 55.5), at(49, 54.5), at(56.75, 72.5), at(53.75, 71.25), at(52, 74.75)}),
           tailPaint);

    const Region leftLoop = tiltedEllipse(39.5, 54, 7, 4, 9, -2);
    const Region rightLoop = tiltedEllipse(52.5, 49, 7, 4, 9, -6);
    c.fill(leftLoop, linear(kRibbonLight, at(34, 50), kRibbonRim, at(44, 58)));
    c.fill(rightLoop, linear(kRibbonLight, at(48, 45), kRibbonRim, at(58, 53)));
    c.fill(tiltedEllipse(38.5, 54.25, 3.5, 1.6, 9, -2), kRibbonInside);
    c.fill(tiltedEllipse(53.5, 48.5, 3.5, 1.6, 9, -6), kRibbonInside);

    c.fill(tiltedEllipse(46, 52.5, 3.25, 3.5, 9, -4),
           linear(kRibbonLight, at(44, 50), kRibbonDark, at(48.5, 56)));
    c.fill(ellipse(45.25, 51.5, 1.1, 0.8), shade(kRibbonLight, 80));

    return c.pixels();
}

// ---------------------------------------------------------------------------
// Icons and cursors are pixel art: at 16 and 32 pixels hand-placed pixels
// read far better than anything scaled down.

namespace {

const std::vector<std::pair<char, Rgb>> kLegend = {
    {'K', {0, 0, 0}},       {'W', {255, 255, 255}}, {'N', {0, 0, 128}},     {'B', {128, 128, 255}},
    {'b', {64, 64, 192}},   {'L', {200, 200, 255}}, {'G', {255, 204, 0}},   {'g', {176, 120, 0}},
    {'S', {192, 192, 192}}, {'D', {128, 128, 128}}, {'R', {192, 0, 0}},     {'r', {128, 0, 0}},
    {'Y', {255, 255, 128}}, {'C', {255, 240, 200}}, {'c', {224, 200, 150}}, {'P', {255, 214, 170}},
    {'p', {214, 160, 120}},
};

IndexedImage art(const std::vector<std::string_view>& rows)
{
    return fromArt(rows, kLegend);
}

}  // namespace

// A clock wearing a mortarboard: counting down to graduation.
std::vector<IndexedImage> windowIconImages()
{
    IndexedImage big = art({
        "................................",
        "..............KKKK..............",
        "...........KKKBBNNKKK...........",
        ".........KKNBBNNNNNNNKK.........",
        "......KKKBBBNNNNNNNNNNNKKK......",
        "....KKNBBNNNNNNNNNNNNNNNNNKK....",
        ".KKKNBBNNNNNNNNGGNNNNNNNNNNNKKK.",
        "KNNBBNNNNNNNNNNGGGGGGGNNNNNNNNNK",
        "KbbbNNNNNNNNNNNNNNNNNNGGGGGGGbbK",
        ".KKKbbNNNNNNNNNNNNNNNNNNNNbbGKK.",
        "....KKbbbNNNNNNNNNNNNNNbbbKKGK..",
        "......KKKbbNNNNNNNNNNbbKKK..GK..",
        ".........KKbbbNNNNbbbKK.....GK..",
        "...........KKKbbbbKKK.......GK..",
        ".........KKNNNKKKKNNNKK.....GK..",
        "........KKNNNWWWWWWNNNKK....GK..",
        "........KNNWWWWWWWWWWNNK...GGG..",
        ".......KNNWWWWWWWWWWKWNNK.KGgGK.",
        ".......KNNWWKWWWWWWKWWNNK.KGgGK.",
        "......KNNWWWWKWWWWKWWWWNNKKGgGK.",
        "......KNNWWWWWKWWKWWWWWNNKKGgGK.",
        "......KNNKWWWWWRRWWWWWKNNKKGgGK.",
        "......KNNKWWWWWRRWWWWWKNNKKGgGK.",
        "......KNNWWWWWWWWWWWWWWNNK.KKK..",
        "......KNNWWWWWWWWWWWWWWNNK......",
        ".......KNNWWWWWWWWWWWWNNK.......",
        ".......KNNWWWWWWWWWWWWNNK.......",
        "........KNNWWWWWWWWWWNNK........",
        "........KKNNNWWKKWWNNNKK........",
        ".........KKNNNNNNNNNNKK.........",
        "...........KKNNNNNNKK...........",
        ".............KKKKKK.............",
    });
    IndexedImage small = art({
        ".......KK.......",
        ".....KKBNKK.....",
        "...KKBBNNNNKK...",
        ".KKBBNNGGNNNNKK.",
        "KBBNNNNNNGGGGGGK",
        ".KKbbNNNNNNNNbGK",
        "...KKbbNNNbbKKGK",
        "....KKKbbbKKK.GK",
        "...KNNKKKKNNK.GK",
        "..KNWWWWKWWWNKGK",
        "..KNWWWWKWWWNGGG",
        "..KNWWWWRKKWNGgG",
        "..KNWWWWWWWWNGgG",
        "..KNNWWWWWWNNGgG",
        "...KKNNNNNNKKGgG",
        ".....KKKKKK..G.G",
    });
    return {std::move(big), std::move(small)};
}

// A diploma, unrolled, with a red seal and ribbons.
std::vector<IndexedImage> aboutIconImages()
{
    IndexedImage big = art({
        "................................",
        "................................",
        "...KKKKKKKKKKKKKKKKKKKKKKKKKKK..",
        "..KCKCCCCCCCCCCCCCCCCCCCCCCCCCK.",
        "..KcKCCCCCCCCCCCCCCCCCCCCCCCCCK.",
        "..KCKcccccccccccccccccccccccccK.",
        "...KKKKKKKKKKKKKKKKKKKKKKKKKKK..",
        ".....KCCCCCCCCCCCCCCCCCCCCcK....",
        ".....KCCCCCCCCCCCCCCCCCCCCcK....",
        ".....KCCCCNNCNNNCNNCNNNCCCcK....",
        ".....KCCCCNNCNNNCNNCNNNCCCcK....",
        ".....KCCCCCCCCCCCCCCCCCCCCcK....",
        ".....KCCCDDDDDCDDDDCDDDDCCcK....",
        ".....KCCCCCCCCCCCCCCCCCCCCcK....",
        ".....KCCCDDDCDDDDDDCDDDDCCcK....",
        ".....KCCCCCCCCCCCCCCCCCCCCcK....",
        ".....KCCCDDDDCDDDCDDDDDDCCcK....",
        ".....KCCCCCCCCCCCCCCCCCCCCcK....",
        ".....KCCCDDDDDCCCCCKKKKCCCcK....",
        ".....KCCCCCCCCCCCCKRRRRKCCcK....",
        ".....KCCCCCCCCCCCKRYRRRrKCcK....",
        ".....KCCCKKKKKKCCKRYRRRrKCcK....",
        ".....KCCCCCCCCCCCKRRRRrrKCcK....",
        ".....KCCCCCCCCCCCCKrrrrKCCcK....",
        "...KKKKKKKKKKKKKKKRRKKRRKKKKK...",
        "..KCKCCCCCCCCCCCKRRKCCKRRKCCCK..",
        "..KcKCCCCCCCCCCKRRKCCCCKRRKCCK..",
        "..KCKcccccccccKRRKccccccKRRKcK..",
        "...KKKKKKKKKKKRRKKKKKKKKKRRKK...",
        ".............KRK.........KRK....",
        ".............K.K.........K.K....",
        "................................",
    });
    IndexedImage small = art({
        "................",
        ".KKKKKKKKKKKKKK.",
        "KCKCCCCCCCCCCCCK",
        "KKKccccccccccccK",
        ".KKKKKKKKKKKKKK.",
        "..KCCCCCCCCCcK..",
        "..KCNNNNNNNCcK..",
        "..KCCCCCCCCCcK..",
        "..KCDDDDDDDCcK..",
        "..KCCCCCCCCCcK..",
        "..KCDDDKKKKCcK..",
        "..KCCCKRYRRKcK..",
        ".KKKKKKRRRrKKKK.",
        "KCKCCCKRrrrKCCCK",
        "KKKccKRKKKKRKccK",
        ".KKKKRKK..KKRKK.",
    });
    return {std::move(big), std::move(small)};
}

// A hand in a graduate's navy sleeve, pointing up.
CursorArt aboutHandCursor()
{
    return {art({
                ".......KKK......................",
                "......KPPPK.....................",
                "......KPPPK.....................",
                "......KPPPK.....................",
                "......KPPPK.....................",
                "......KPPPK.....................",
                "......KPPPKKKK..................",
                "......KPPPKPPPKKKK..............",
                "......KPPPKPPPKPPPKKK...........",
                "......KPPPKPPPKPPPKPPK..........",
                "..KKK.KPPPKPPPKPPPKPPK..........",
                ".KPPPKKPPPpPPPpPPPpPPK..........",
                ".KPPPPKPPPPPPPPPPPPPPK..........",
                "..KPPPpPPPPPPPPPPPPPPK..........",
                "...KPPPPPPPPPPPPPPPPPK..........",
                "...KPPPPPPPPPPPPPPPPPK..........",
                "....KPPPPPPPPPPPPPPPPK..........",
                "....KPPPPPPPPPPPPPPPPK..........",
                ".....KPPPPPPPPPPPPPPpK..........",
                "......KPPPPPPPPPPPPppK..........",
                "......KKKKKKKKKKKKKKKK..........",
                "......KBBBBBBBBBBBBBBK..........",
                "......KNNNNNNNNNNNNNNK..........",
                "......KNNNNNNNNNNNNNNK..........",
                "......KNNNNNNNNNNNNNNK..........",
                "......KKKKKKKKKKKKKKKK..........",
                "................................",
                "................................",
                "................................",
                "................................",
                "................................",
                "................................",
            }),
            8, 0};
}

// A white cartoon glove with a striped cuff, for links on the web.
CursorArt linkHandCursor()
{
    return {art({
                ".....KKK........................",
                "....KWWWK.......................",
                "....KWWSK.......................",
                "....KWWSK.......................",
                "....KWWSK.......................",
                "....KWWSKKKK....................",
                "....KWWSKWWSKKKK................",
                "....KWWSKWWSKWWSKKK.............",
                "....KWWSKWWSKWWSKWSK............",
                "....KWWSKWWSKWWSKWSK............",
                "KKK.KWWSKWWSKWWSKWSK............",
                "KWWKKWWWSWWWSWWWSWSK............",
                "KWWWKWWWWWWWWWWWWWSK............",
                ".KWWWSWWWWWWWWWWWWSK............",
                "..KWWWWWSWWSWWSWWWSK............",
                "...KWWWWSWWSWWSWWWSK............",
                "...KWWWWSWWSWWSWWWSK............",
                "....KWWWWWWWWWWWWSSK............",
                ".....KWWWWWWWWWWWSSK............",
                "...KKKKKKKKKKKKKKKKKK...........",
                "...KLLLLLLLLLLLLLLLLK...........",
                "...KBBBBBBBBBBBBBBBBK...........",
                "...KLLLLLLLLLLLLLLLLK...........",
                "...KKKKKKKKKKKKKKKKKK...........",
                "................................",
                "................................",
                "................................",
                "................................",
                "................................",
                "................................",
                "................................",
                "................................",
            }),
            6, 0};
}

// "Skip to the end": two arrows and a bar. It is a symbol rather than a
// pointer, so the hot spot sits in its middle.
CursorArt jumpCursor()
{
    return {art({
                "................................",
                "................................",
                "................................",
                "................................",
                "................................",
                "................................",
                "..KK.........KK..........KKKKK..",
                "..KBK........KBK.........KBbbK..",
                "..KBBK.......KBBK........KBbbK..",
                "..KBBBK......KBBBK.......KBbbK..",
                "..KBBBBK.....KBBBBK......KBbbK..",
                "..KBBBBBK....KBBBBBK.....KBbbK..",
                "..KBBBBBBK...KBBBBBBK....KBbbK..",
                "..KBBBBBBBK..KBBBBBBBK...KBbbK..",
                "..KBBBBBBBBK.KBBBBBBBBK..KBbbK..",
                "..KBBBBBBBBBKKBBBBBBBBBK.KBbbK..",
                "..KbbbbbbbbbKKbbbbbbbbbK.KBbbK..",
                "..KbbbbbbbbK.KbbbbbbbbK..KBbbK..",
                "..KbbbbbbbK..KbbbbbbbK...KBbbK..",
                "..KbbbbbbK...KbbbbbbK....KBbbK..",
                "..KbbbbbK....KbbbbbK.....KBbbK..",
                "..KbbbbK.....KbbbbK......KBbbK..",
                "..KbbbK......KbbbK.......KBbbK..",
                "..KbbK.......KbbK........KBbbK..",
                "..KbK........KbK.........KBbbK..",
                "..KK.........KK..........KKKKK..",
                "................................",
                "................................",
                "................................",
                "................................",
                "................................",
                "................................",
            }),
            15, 15};
}

}  // namespace gen
