#include "toolkit/core/CellStore.h"

#include <iterator>
#include <utility>

namespace tk {

namespace {
const std::string kEmpty;
}

const std::string& TCellStore::Text(int ACol, int ARow) const {
  auto It = FCells.find(Key(ACol, ARow));
  return It == FCells.end() ? kEmpty : It->second.Text;
}

TObject* TCellStore::Object(int ACol, int ARow) const {
  auto It = FCells.find(Key(ACol, ARow));
  return It == FCells.end() ? nullptr : It->second.Object;
}

void TCellStore::SetText(int ACol, int ARow, std::string Value) {
  if (Value.empty()) {
    auto It = FCells.find(Key(ACol, ARow));
    if (It == FCells.end()) return;
    It->second.Text.clear();
    DropIfEmpty(It);
    return;
  }
  FCells[Key(ACol, ARow)].Text = std::move(Value);
}

void TCellStore::SetObject(int ACol, int ARow, TObject* Value) {
  if (!Value) {
    auto It = FCells.find(Key(ACol, ARow));
    if (It == FCells.end()) return;
    It->second.Object = nullptr;
    DropIfEmpty(It);
    return;
  }
  FCells[Key(ACol, ARow)].Object = Value;
}

void TCellStore::DropIfEmpty(std::unordered_map<std::uint64_t, TCell>::iterator It) {
  if (It->second.Text.empty() && !It->second.Object) FCells.erase(It);
}

void TCellStore::Trim(int ColCount, int RowCount) {
  for (auto It = FCells.begin(); It != FCells.end();) {
    int Row = static_cast<int>(static_cast<std::uint32_t>(It->first >> 32));
    int Col = static_cast<int>(static_cast<std::uint32_t>(It->first & 0xFFFFFFFFu));
    if (Col >= ColCount || Row >= RowCount)
      It = FCells.erase(It);
    else
      ++It;
  }
}

} // namespace tk
