#include "toolkit/core/GridAxis.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tk {
namespace {

// 10 tracks of 20 pixels and a 1-pixel line, tracks 2 and 5 resized.
TGridAxis MixedAxis() {
  TGridAxis Axis(10, 20, 1);
  Axis.SetSize(2, 50);
  Axis.SetSize(5, 0);
  return Axis;
}

// The offsets by summing every track, to check the arithmetic against.
std::int64_t SummedOffset(const TGridAxis& Axis, int Index) {
  std::int64_t Sum = 0;
  for (int I = 0; I < Index; ++I)
    Sum += Axis.Size(I) + Axis.LineWidth();
  return Sum;
}

TEST(GridAxis, OffsetsMatchTheSumOfSizesAndLines) {
  TGridAxis Axis = MixedAxis();
  for (int I = 0; I <= Axis.Count(); ++I)
    EXPECT_EQ(Axis.Offset(I), SummedOffset(Axis, I)) << I;
  EXPECT_EQ(Axis.Offset(3), 21 + 21 + 51);
}

TEST(GridAxis, IndexAtFindsTheTrackHoldingAPosition) {
  TGridAxis Axis = MixedAxis();
  struct Case {
    std::int64_t Position;
    int Index;
  } const Cases[] = {
      {-5, 0},  {0, 0},   {20, 0},  {21, 1},    {41, 1}, {42, 2},
      {92, 2},  {93, 3},  {134, 4}, {135, 5}, // track 5 has no size: its line is its only pixel
      {136, 6}, {156, 6}, {157, 7}, {1000, 10},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(Axis.IndexAt(C.Position), C.Index) << C.Position;
  // Every track's first and last pixel map back to it.
  for (int I = 0; I < Axis.Count(); ++I) {
    EXPECT_EQ(Axis.IndexAt(Axis.Offset(I)), I);
    EXPECT_EQ(Axis.IndexAt(Axis.Offset(I + 1) - 1), I);
  }
}

TEST(GridAxis, FirstFittingIsTheSmallestStartThatShowsTheLastTrackWhole) {
  TGridAxis Axis = MixedAxis();
  // Tracks 7..9 take 63 pixels; 8..9 take 42.
  EXPECT_EQ(Axis.FirstFitting(9, 63), 7);
  EXPECT_EQ(Axis.FirstFitting(9, 62), 8);
  // A track larger than the extent is shown from itself.
  EXPECT_EQ(Axis.FirstFitting(2, 30), 2);
  EXPECT_EQ(Axis.FirstFitting(9, 100000), 0);
}

TEST(GridAxis, AMillionTracksNeedOnlyTheResizedOnes) {
  TGridAxis Axis(1000000, 24, 1);
  Axis.SetSize(10, 124);
  Axis.SetSize(999998, 4);
  EXPECT_EQ(Axis.OverriddenCount(), 2u);
  EXPECT_EQ(Axis.Offset(999999), std::int64_t{999999} * 25 + 100 - 20);
  EXPECT_EQ(Axis.IndexAt(Axis.Offset(999999)), 999999);
  EXPECT_EQ(Axis.IndexAt(Axis.Offset(1000000) - 1), 999999);
  // Setting the default size back forgets the override.
  Axis.SetSize(10, 24);
  EXPECT_EQ(Axis.OverriddenCount(), 1u);
}

TEST(GridAxis, ShrinkingAndNewDefaultsForgetSizes) {
  TGridAxis Axis = MixedAxis();
  Axis.SetCount(4);
  EXPECT_EQ(Axis.OverriddenCount(), 1u);
  EXPECT_EQ(Axis.Size(5), 20);
  Axis.SetSize(7, 99); // beyond the count: ignored
  EXPECT_EQ(Axis.OverriddenCount(), 1u);
  Axis.SetDefaultSize(30);
  EXPECT_EQ(Axis.Size(2), 30);
  EXPECT_EQ(Axis.Offset(4), 4 * 31);
}

} // namespace
} // namespace tk
