// One axis of a grid (its rows or its columns): a count of tracks of a
// default size, a few tracks of their own size, and the grid line after
// each track. Positions are computed arithmetically from the overridden
// tracks alone, so a million rows cost nothing until one is resized.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

namespace tk {

class TGridAxis {
public:
  TGridAxis(int Count, int DefaultSize, int LineWidth)
      : FCount(Count), FDefaultSize(DefaultSize), FLineWidth(LineWidth) {}

  int Count() const { return FCount; }
  // Forgets the sizes of tracks that no longer exist.
  void SetCount(int Value);
  int DefaultSize() const { return FDefaultSize; }
  // Every track takes the new default: sizes set before are forgotten.
  void SetDefaultSize(int Value);
  int LineWidth() const { return FLineWidth; }
  void SetLineWidth(int Value) { FLineWidth = Value < 0 ? 0 : Value; }

  int Size(int Index) const;
  void SetSize(int Index, int Value);
  std::size_t OverriddenCount() const { return FSizes.size(); }

  // Where track Index starts, counted from the start of track 0: the sizes
  // and grid lines of all tracks before it. Index may be Count().
  std::int64_t Offset(int Index) const;
  // The track whose span (size and line) holds Position: 0 for a negative
  // position, Count() for one at or past the end.
  int IndexAt(std::int64_t Position) const;
  // The first track from which the tracks up to and including Last fit
  // into Extent pixels; Last itself when even it alone does not fit.
  int FirstFitting(int Last, std::int64_t Extent) const;

private:
  std::int64_t Extent() const { return static_cast<std::int64_t>(FDefaultSize) + FLineWidth; }

  int FCount;
  int FDefaultSize;
  int FLineWidth;
  std::map<int, int> FSizes; // tracks whose size differs from the default
};

} // namespace tk
