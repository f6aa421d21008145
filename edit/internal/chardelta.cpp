#include "edit/internal/chardelta.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace {

constexpr int kFields = 11;
constexpr int kPresence = 10;  // the field that says which planes a record has

// The fields in mask-bit order, the most often changed first, so that the mask of
// a row edit (height and plane size) takes one byte.
void Fields(const CharInfo& ci, int64_t* pValue) {
  pValue[0] = ci.BoxHeight;
  pValue[1] = ci.DataSize;
  pValue[2] = ci.BoxWidth;
  pValue[3] = ci.CursorDist;
  pValue[4] = ci.BoxLeft;
  pValue[5] = ci.BoxTop;
  pValue[6] = ci.FileRowBytes;
  pValue[7] = ci.Enabled;
  pValue[8] = ci.Rendered;
  pValue[9] = ci.Exists;
  pValue[kPresence] = (ci.pPixels ? 1 : 0) | (ci.pFrame ? 2 : 0);
}

void SetFields(const int64_t* pValue, CharInfo* pCi) {
  pCi->BoxHeight = static_cast<int32_t>(pValue[0]);
  pCi->DataSize = static_cast<uint32_t>(pValue[1]);
  pCi->BoxWidth = static_cast<int32_t>(pValue[2]);
  pCi->CursorDist = static_cast<int32_t>(pValue[3]);
  pCi->BoxLeft = static_cast<int32_t>(pValue[4]);
  pCi->BoxTop = static_cast<int32_t>(pValue[5]);
  pCi->FileRowBytes = static_cast<int32_t>(pValue[6]);
  pCi->Enabled = static_cast<uint8_t>(pValue[7]);
  pCi->Rendered = static_cast<uint8_t>(pValue[8]);
  pCi->Exists = static_cast<uint8_t>(pValue[9]);
}

void PutVarint(std::vector<uint8_t>* pOut, uint64_t value) {
  while (value >= 0x80) {
    pOut->push_back(static_cast<uint8_t>(value | 0x80));
    value >>= 7;
  }
  pOut->push_back(static_cast<uint8_t>(value));
}

void PutSigned(std::vector<uint8_t>* pOut, int64_t value) {
  PutVarint(pOut, (static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63));
}

bool GetVarint(DeltaReader* pReader, uint64_t* pValue) {
  uint64_t value = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    if (pReader->pNext == pReader->pEnd) return false;
    const uint8_t byte = *pReader->pNext++;
    value |= uint64_t{byte & 0x7Fu} << shift;
    if (!(byte & 0x80)) {
      *pValue = value;
      return true;
    }
  }
  return false;
}

bool GetSigned(DeltaReader* pReader, int64_t* pValue) {
  uint64_t value = 0;
  if (!GetVarint(pReader, &value)) return false;
  *pValue = static_cast<int64_t>(value >> 1) ^ -static_cast<int64_t>(value & 1);
  return true;
}

const std::unique_ptr<uint8_t[]>& Plane(const CharInfo& ci, int plane) { return plane ? ci.pFrame : ci.pPixels; }

// Byte i of the other plane as the base plane moved by shift gives it.
uint8_t BaseByte(const CharInfo& base, int plane, int64_t i) {
  const auto& p = Plane(base, plane);
  return p && i >= 0 && i < int64_t{base.DataSize} ? p[static_cast<size_t>(i)] : 0;
}

// The runs of bytes of the other plane that the moved base plane does not give,
// as [begin, end) pairs; runs less than three bytes apart are joined, since the
// gap costs less than a run's two numbers.
std::vector<std::pair<uint32_t, uint32_t>> Runs(const CharInfo& other, const CharInfo& base, int plane,
                                                int64_t shift) {
  std::vector<std::pair<uint32_t, uint32_t>> aRun;
  const uint8_t* p = Plane(other, plane).get();
  for (uint32_t i = 0; i < other.DataSize; ++i) {
    if (p[i] == BaseByte(base, plane, i + shift)) continue;
    if (!aRun.empty() && i - aRun.back().second < 3)
      aRun.back().second = i + 1;
    else
      aRun.emplace_back(i, i + 1);
  }
  return aRun;
}

size_t Cost(const std::vector<std::pair<uint32_t, uint32_t>>& aRun) {
  size_t bytes = 0;
  for (const auto& run : aRun) bytes += run.second - run.first + 2;
  return bytes;
}

}  // namespace

void EDIT_AppendDelta(DeltaWriter* pWriter, uint16_t code, const CharInfo& other, const CharInfo& base, int stride,
                      int fontRows) {
  int64_t aOther[kFields], aBase[kFields];
  Fields(other, aOther);
  Fields(base, aBase);
  std::vector<uint8_t> header;
  uint32_t mask = 0;
  for (int f = 0; f < kFields; ++f)
    if (aOther[f] != aBase[f]) mask |= 1u << f;
  PutVarint(&header, mask);
  for (int f = 0; f < kFields; ++f)
    if (mask & (1u << f)) PutSigned(&header, aOther[f] - aBase[f]);
  // Each plane is the base's moved by the whole rows that make the fewest bytes
  // differ: none, the rows the box grew by, or the rows the font grew by.
  std::vector<std::pair<uint32_t, uint32_t>> aaRun[2];
  // Both shifts are written, also for a missing plane, so that equal headers mean
  // the same.
  for (int plane = 0; plane < 2; ++plane) {
    if (!Plane(other, plane)) {
      PutSigned(&header, 0);
      continue;
    }
    const int64_t aShift[] = {0, (int64_t{base.BoxHeight} - other.BoxHeight) * stride, int64_t{fontRows} * stride};
    int64_t best = 0;
    aaRun[plane] = Runs(other, base, plane, 0);
    for (int64_t shift : aShift) {
      if (shift == 0 || aaRun[plane].empty()) continue;
      auto aRun = Runs(other, base, plane, shift);
      if (Cost(aRun) < Cost(aaRun[plane])) {
        aaRun[plane] = std::move(aRun);
        best = shift;
      }
    }
    PutSigned(&header, best);
  }
  std::vector<uint8_t>& out = *pWriter->pOut;
  const bool same = pWriter->HaveHeader && header == pWriter->aPreviousHeader;
  const bool literal = !aaRun[0].empty() || !aaRun[1].empty();
  PutVarint(&out, (uint64_t(code - pWriter->PreviousCode - 1) << 2) | (same ? 2 : 0) | (literal ? 1 : 0));
  pWriter->PreviousCode = code;
  if (!same) {
    out.insert(out.end(), header.begin(), header.end());
    pWriter->aPreviousHeader = std::move(header);
    pWriter->HaveHeader = true;
  }
  for (int plane = 0; plane < 2 && literal; ++plane) {
    if (!Plane(other, plane)) continue;
    const uint8_t* p = Plane(other, plane).get();
    PutVarint(&out, aaRun[plane].size());
    uint32_t end = 0;
    for (const auto& run : aaRun[plane]) {
      PutVarint(&out, run.first - end);
      PutVarint(&out, run.second - run.first);
      out.insert(out.end(), p + run.first, p + run.second);
      end = run.second;
    }
  }
}

bool EDIT_ReadDeltaCode(DeltaReader* pReader, uint16_t* pCode) {
  uint64_t value = 0;
  if (pReader->pNext == pReader->pEnd || !GetVarint(pReader, &value)) return false;
  const int64_t code = pReader->PreviousCode + 1 + int64_t(value >> 2);
  if (code >= FONT_NUM_CODES) return false;
  pReader->PreviousCode = static_cast<int32_t>(code);
  *pCode = static_cast<uint16_t>(code);
  pReader->Literal = value & 1;
  if (value & 2) return true;
  uint64_t mask = 0;
  if (!GetVarint(pReader, &mask) || mask >= (1u << kFields)) return false;
  for (int f = 0; f < kFields; ++f) {
    pReader->aDiff[f] = 0;
    if ((mask & (1u << f)) && !GetSigned(pReader, &pReader->aDiff[f])) return false;
  }
  return GetSigned(pReader, &pReader->aShift[0]) && GetSigned(pReader, &pReader->aShift[1]);
}

bool EDIT_ReadDeltaChar(DeltaReader* pReader, const CharInfo& base, CharInfo* pOther) {
  int64_t aValue[kFields];
  Fields(base, aValue);
  for (int f = 0; f < kFields; ++f) aValue[f] += pReader->aDiff[f];
  SetFields(aValue, pOther);
  const int64_t presence = aValue[kPresence];
  for (int plane = 0; plane < 2; ++plane) {
    std::unique_ptr<uint8_t[]>& p = plane ? pOther->pFrame : pOther->pPixels;
    p.reset();
    if (!(presence & (1 << plane))) continue;
    const uint32_t size = pOther->DataSize;
    p.reset(new (std::nothrow) uint8_t[size ? size : 1]);
    if (!p) return false;
    const int64_t shift = pReader->aShift[plane];
    for (uint32_t i = 0; i < size; ++i) p[i] = BaseByte(base, plane, i + shift);
    uint64_t runs = 0;
    if (pReader->Literal && !GetVarint(pReader, &runs)) return false;
    uint64_t at = 0;
    for (uint64_t r = 0; r < runs; ++r) {
      uint64_t gap = 0, length = 0;
      if (!GetVarint(pReader, &gap) || !GetVarint(pReader, &length)) return false;
      at += gap;
      if (at + length > size || length > size_t(pReader->pEnd - pReader->pNext)) return false;
      std::memcpy(p.get() + at, pReader->pNext, length);
      pReader->pNext += length;
      at += length;
    }
  }
  return true;
}
