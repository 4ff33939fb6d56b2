#include "ScreenShot.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tour {
namespace {

std::uint32_t Crc32(const std::uint8_t* Data, std::size_t Size, std::uint32_t Crc) {
  static const std::array<std::uint32_t, 256> Table = [] {
    std::array<std::uint32_t, 256> T{};
    for (std::uint32_t N = 0; N < 256; ++N) {
      std::uint32_t C = N;
      for (int K = 0; K < 8; ++K)
        C = (C & 1) ? 0xEDB88320u ^ (C >> 1) : C >> 1;
      T[N] = C;
    }
    return T;
  }();
  Crc = ~Crc;
  for (std::size_t I = 0; I < Size; ++I)
    Crc = Table[(Crc ^ Data[I]) & 0xFF] ^ (Crc >> 8);
  return ~Crc;
}

void PutBigEndian(std::vector<std::uint8_t>& Out, std::uint32_t Value) {
  for (int Shift = 24; Shift >= 0; Shift -= 8)
    Out.push_back(static_cast<std::uint8_t>(Value >> Shift));
}

void PutChunk(std::vector<std::uint8_t>& Out, const char* Type,
              const std::vector<std::uint8_t>& Data) {
  PutBigEndian(Out, static_cast<std::uint32_t>(Data.size()));
  std::size_t TypeAt = Out.size();
  Out.insert(Out.end(), Type, Type + 4);
  Out.insert(Out.end(), Data.begin(), Data.end());
  PutBigEndian(Out, Crc32(Out.data() + TypeAt, Data.size() + 4, 0));
}

// A zlib stream of stored (uncompressed) blocks: the shots are for looking
// at, and this keeps the writer a few lines long.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& Raw) {
  std::vector<std::uint8_t> Out{0x78, 0x01};
  std::size_t Pos = 0;
  do {
    std::size_t Length = std::min<std::size_t>(Raw.size() - Pos, 65535);
    bool Last = Pos + Length == Raw.size();
    Out.push_back(Last ? 1 : 0);
    auto Len = static_cast<std::uint16_t>(Length);
    auto NLen = static_cast<std::uint16_t>(~Len);
    Out.insert(Out.end(), {static_cast<std::uint8_t>(Len), static_cast<std::uint8_t>(Len >> 8),
                           static_cast<std::uint8_t>(NLen), static_cast<std::uint8_t>(NLen >> 8)});
    Out.insert(Out.end(), Raw.begin() + static_cast<std::ptrdiff_t>(Pos),
               Raw.begin() + static_cast<std::ptrdiff_t>(Pos + Length));
    Pos += Length;
  } while (Pos < Raw.size());
  std::uint32_t A = 1, B = 0;
  for (std::uint8_t Byte : Raw) {
    A = (A + Byte) % 65521;
    B = (B + A) % 65521;
  }
  PutBigEndian(Out, (B << 16) | A);
  return Out;
}

} // namespace

ScreenShot ScreenShot::Capture(RECT Area) {
  ScreenShot Shot;
  RECT Screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  IntersectRect(&Shot.FArea, &Area, &Screen);
  Shot.FWidth = Shot.FArea.right - Shot.FArea.left;
  Shot.FHeight = Shot.FArea.bottom - Shot.FArea.top;
  if (Shot.FWidth <= 0 || Shot.FHeight <= 0) return Shot;

  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof Info.bmiHeader;
  Info.bmiHeader.biWidth = Shot.FWidth;
  Info.bmiHeader.biHeight = -Shot.FHeight; // top-down rows
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  void* Bits = nullptr;
  HDC ScreenDC = GetDC(nullptr);
  HDC Memory = CreateCompatibleDC(ScreenDC);
  HBITMAP Bitmap = CreateDIBSection(ScreenDC, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  HGDIOBJ Old = SelectObject(Memory, Bitmap);
  BitBlt(Memory, 0, 0, Shot.FWidth, Shot.FHeight, ScreenDC, Shot.FArea.left, Shot.FArea.top,
         SRCCOPY | CAPTUREBLT);
  GdiFlush();
  const auto* Bgra = static_cast<const std::uint8_t*>(Bits);
  std::size_t Pixels =
      static_cast<std::size_t>(Shot.FWidth) * static_cast<std::size_t>(Shot.FHeight);
  Shot.FRgb.resize(Pixels * 3);
  for (std::size_t I = 0; I < Pixels; ++I) {
    Shot.FRgb[3 * I] = Bgra[4 * I + 2];
    Shot.FRgb[3 * I + 1] = Bgra[4 * I + 1];
    Shot.FRgb[3 * I + 2] = Bgra[4 * I];
  }
  SelectObject(Memory, Old);
  DeleteObject(Bitmap);
  DeleteDC(Memory);
  ReleaseDC(nullptr, ScreenDC);
  return Shot;
}

COLORREF ScreenShot::At(int X, int Y) const {
  if (X < FArea.left || X >= FArea.right || Y < FArea.top || Y >= FArea.bottom) return CLR_INVALID;
  std::size_t I = (static_cast<std::size_t>(Y - FArea.top) * static_cast<std::size_t>(FWidth) +
                   static_cast<std::size_t>(X - FArea.left)) *
                  3;
  return RGB(FRgb[I], FRgb[I + 1], FRgb[I + 2]);
}

bool ScreenShot::SavePng(const std::string& Path) const {
  if (FRgb.empty()) return false;
  std::vector<std::uint8_t> Raw;
  std::size_t RowBytes = static_cast<std::size_t>(FWidth) * 3;
  Raw.reserve((RowBytes + 1) * static_cast<std::size_t>(FHeight));
  for (int Y = 0; Y < FHeight; ++Y) {
    Raw.push_back(0); // no filter
    auto Row = FRgb.begin() + static_cast<std::ptrdiff_t>(RowBytes * static_cast<std::size_t>(Y));
    Raw.insert(Raw.end(), Row, Row + static_cast<std::ptrdiff_t>(RowBytes));
  }
  std::vector<std::uint8_t> Header;
  PutBigEndian(Header, static_cast<std::uint32_t>(FWidth));
  PutBigEndian(Header, static_cast<std::uint32_t>(FHeight));
  Header.insert(Header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, no interlace

  std::vector<std::uint8_t> File{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(File, "IHDR", Header);
  PutChunk(File, "IDAT", StoredZlib(Raw));
  PutChunk(File, "IEND", {});

  FILE* Out = std::fopen(Path.c_str(), "wb");
  if (!Out) return false;
  bool Written = std::fwrite(File.data(), 1, File.size(), Out) == File.size();
  return std::fclose(Out) == 0 && Written;
}

} // namespace tour
