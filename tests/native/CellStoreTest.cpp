#include "toolkit/core/CellStore.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

class Marker : public TObject {};

TEST(CellStore, ReadsBackWhatWasWrittenAndEmptyElsewhere) {
  TCellStore Store;
  Marker M;
  Store.SetText(3, 999999, "last");
  Store.SetObject(3, 999999, &M);
  Store.SetText(0, 0, "origin");
  EXPECT_EQ(Store.Text(3, 999999), "last");
  EXPECT_EQ(Store.Object(3, 999999), &M);
  EXPECT_EQ(Store.Text(0, 0), "origin");
  EXPECT_EQ(Store.Object(0, 0), nullptr);
  // Neighbours that share a row or a column stay apart.
  EXPECT_EQ(Store.Text(999999, 3), "");
  EXPECT_EQ(Store.Text(3, 0), "");
  EXPECT_EQ(Store.FilledCount(), 2u);
}

TEST(CellStore, ACellEmptiedOfTextAndObjectTakesNoRoom) {
  TCellStore Store;
  Marker M;
  Store.SetText(1, 1, "a");
  Store.SetObject(1, 1, &M);
  Store.SetText(1, 1, "");
  EXPECT_EQ(Store.FilledCount(), 1u) << "the object still holds the cell";
  EXPECT_EQ(Store.Object(1, 1), &M);
  Store.SetObject(1, 1, nullptr);
  EXPECT_EQ(Store.FilledCount(), 0u);
  // Clearing a cell never written creates nothing either.
  Store.SetText(5, 5, "");
  Store.SetObject(5, 5, nullptr);
  EXPECT_EQ(Store.FilledCount(), 0u);
}

TEST(CellStore, TrimDropsCellsOutsideTheNewSize) {
  TCellStore Store;
  Store.SetText(0, 0, "keep");
  Store.SetText(4, 0, "col 4");
  Store.SetText(0, 9, "row 9");
  Store.SetText(3, 8, "corner");
  Store.Trim(4, 9);
  EXPECT_EQ(Store.Text(0, 0), "keep");
  EXPECT_EQ(Store.Text(3, 8), "corner");
  EXPECT_EQ(Store.Text(4, 0), "");
  EXPECT_EQ(Store.Text(0, 9), "");
  EXPECT_EQ(Store.FilledCount(), 2u);
}

} // namespace
} // namespace tk
