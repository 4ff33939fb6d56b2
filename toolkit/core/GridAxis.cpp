#include "toolkit/core/GridAxis.h"

#include <algorithm>

namespace tk {

void TGridAxis::SetCount(int Value) {
  FCount = std::max(0, Value);
  FSizes.erase(FSizes.lower_bound(FCount), FSizes.end());
}

void TGridAxis::SetDefaultSize(int Value) {
  FDefaultSize = std::max(0, Value);
  FSizes.clear();
}

int TGridAxis::Size(int Index) const {
  auto It = FSizes.find(Index);
  return It == FSizes.end() ? FDefaultSize : It->second;
}

void TGridAxis::SetSize(int Index, int Value) {
  if (Index < 0 || Index >= FCount) return;
  Value = std::max(0, Value);
  if (Value == FDefaultSize)
    FSizes.erase(Index);
  else
    FSizes[Index] = Value;
}

std::int64_t TGridAxis::Offset(int Index) const {
  Index = std::clamp(Index, 0, FCount);
  std::int64_t Result = Extent() * Index;
  for (auto It = FSizes.begin(); It != FSizes.end() && It->first < Index; ++It)
    Result += It->second - FDefaultSize;
  return Result;
}

int TGridAxis::IndexAt(std::int64_t Position) const {
  if (Position < 0) return 0;
  const std::int64_t Ext = Extent();
  std::int64_t Base = 0; // where track Next starts
  int Next = 0;
  for (const auto& [Index, Size] : FSizes) {
    std::int64_t RunEnd = Base + Ext * (Index - Next);
    if (Position < RunEnd) return Next + static_cast<int>((Position - Base) / Ext);
    std::int64_t End = RunEnd + Size + FLineWidth;
    if (Position < End) return Index;
    Base = End;
    Next = Index + 1;
  }
  if (Ext <= 0) return FCount;
  std::int64_t Result = Next + (Position - Base) / Ext;
  return static_cast<int>(std::min<std::int64_t>(Result, FCount));
}

int TGridAxis::FirstFitting(int Last, std::int64_t Extent) const {
  if (Last < 0) return 0;
  std::int64_t Start = Offset(Last + 1) - Extent;
  int First = IndexAt(Start);
  if (Start > 0 && Offset(First) < Start) ++First;
  return std::min(First, Last);
}

} // namespace tk
