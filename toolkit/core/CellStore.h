// Sparse storage of a grid's cell texts and objects: only cells that hold a
// text or an object take memory, so a grid of a million rows with a few
// filled cells stays small.
#pragma once

#include "toolkit/core/Object.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace tk {

class TCellStore {
public:
  // Empty text and null object for a cell never written.
  const std::string& Text(int ACol, int ARow) const;
  TObject* Object(int ACol, int ARow) const;
  void SetText(int ACol, int ARow, std::string Value);
  void SetObject(int ACol, int ARow, TObject* Value);

  // Forgets every cell outside ColCount x RowCount (after the grid shrank).
  void Trim(int ColCount, int RowCount);
  void Clear() { FCells.clear(); }
  // Cells that hold a text or an object.
  std::size_t FilledCount() const { return FCells.size(); }

private:
  struct TCell {
    std::string Text;
    TObject* Object = nullptr;
  };
  static std::uint64_t Key(int ACol, int ARow) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(ARow)) << 32) |
           static_cast<std::uint32_t>(ACol);
  }
  void DropIfEmpty(std::unordered_map<std::uint64_t, TCell>::iterator It);

  std::unordered_map<std::uint64_t, TCell> FCells;
};

} // namespace tk
