// The page's rectangles of a step, natively: which ones it puts after the
// step's end, as the page's script reads them (count, then left, top,
// width, height each).
#include <gtest/gtest.h>

#include <vector>

#include "web/canvas_picture.h"

// Found by the comparisons of gtest, beside the record they compare.
bool operator==(const PictureRect& a, const PictureRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void PrintTo(const PictureRect& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

namespace {

struct RectsCase {
  const char* name;
  std::vector<PictureRect> sent;
  std::vector<PictureRect> put;  // in the order of the list
};

// Squares of a character at Zoom 1 moved by a few pixels, as one step sends them.
PictureRect Square(int32_t left, int32_t top) { return PictureRect{left, top, left + 120, top + 120}; }

// Squares every 100 pixels across and down, which overlap their neighbours.
std::vector<PictureRect> Grid(int32_t across, int32_t down) {
  std::vector<PictureRect> squares;
  for (int32_t y = 0; y < down; ++y) {
    for (int32_t x = 0; x < across; ++x) squares.push_back(Square(100 * x, 100 * y));
  }
  return squares;
}

const RectsCase Cases[] = {
    {"one square alone", {Square(10, 10)}, {Square(10, 10)}},
    {"nothing sent", {}, {}},
    {"an empty rectangle is not put", {PictureRect{5, 5, 5, 40}, Square(10, 10)}, {Square(10, 10)}},
    {"two far apart stay two", {Square(0, 0), Square(500, 400)}, {Square(0, 0), Square(500, 400)}},
    {"two overlapping become their box", {Square(0, 0), Square(40, 30)}, {PictureRect{0, 0, 160, 150}}},
    {"two side by side with a gap of a few pixels become their box", {Square(0, 0), Square(128, 0)},
     {PictureRect{0, 0, 248, 120}}},
    {"a box that joins a third, and the far one stays",
     {Square(0, 0), Square(600, 450), Square(100, 0), Square(200, 0)},
     {PictureRect{0, 0, 320, 120}, Square(600, 450)}},
    {"many over the whole picture become its box", Grid(7, 5), {PictureRect{0, 0, 720, 520}}},
    {"a few scattered over it are not", {Square(0, 0), Square(340, 240), Square(680, 480)},
     {Square(0, 0), Square(340, 240), Square(680, 480)}},
};

std::vector<PictureRect> PutRects() {
  const int32_t* list = ChangedRects();
  std::vector<PictureRect> put;
  for (int32_t i = 0; i < list[0]; ++i) {
    const int32_t* entry = list + 1 + 4 * i;
    put.push_back(PictureRect{entry[0], entry[1], entry[0] + entry[2], entry[1] + entry[3]});
  }
  return put;
}

TEST(ChangedRects, FewerLargerRectanglesWhereTheyCostLess) {
  for (const RectsCase& c : Cases) {
    ForgetChangedRects();
    for (const PictureRect& rect : c.sent) SendPictureRect(rect);
    FinishChangedRects();
    EXPECT_EQ(PutRects(), c.put) << c.name;
  }
}

// More than the list holds: the box stands for them all.
TEST(ChangedRects, BeyondTheListTheBoxStandsForAll) {
  ForgetChangedRects();
  for (int32_t i = 0; i <= MostChangedRects; ++i) SendPictureRect(PictureRect{3 * i, 0, 3 * i + 1, 1});
  FinishChangedRects();
  const std::vector<PictureRect> box = {PictureRect{0, 0, 3 * MostChangedRects + 1, 1}};
  EXPECT_EQ(PutRects(), box);
}

}  // namespace
