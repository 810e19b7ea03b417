#pragma once

// The records of one drawing in input order: one array per kind, the order
// list that names the kind and index of each, and the bytes of their texts.
// Which array holds which kind is said once, here, and everything that goes
// from a kind to its records (reader, writer, conversion, dump) goes through
// RecordsOf or VisitElement.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/records.h"

namespace kx27 {

struct TElementStore {
  std::vector<TOrderEntry> OrderList;
  std::vector<TLineRec> Lines;
  std::vector<TCircleRec> Circles;
  std::vector<TArcRec> Arcs;
  std::vector<TTextRec> Texts;
  std::vector<TPointRec> Points;
  std::vector<TCodedPointRec> CodedPoints;
  std::vector<TDimRec> Dims;
  std::vector<TJwwEntBlk> Blocks;
  std::vector<TSolid2Rec> Solid2s;
  std::vector<TSolid3Rec> Solid3s;
  std::vector<TSolid4Rec> Solid4s;
  std::vector<TScSolidRec> ScSolids;
  std::vector<TSeSolidRec> SeSolids;
  std::vector<TSoSolidRec> SoSolids;
  std::vector<TSgSolidRec> SgSolids;
  // The bytes of every TStoredText, one after another.
  std::string Chars;

  // Appends text to Chars; a length beyond 32 bits is cut at a character.
  TStoredText StoreText(std::string_view text);
  std::string_view Text(TStoredText text) const {
    return std::string_view(Chars).substr(static_cast<std::size_t>(text.Offset), text.Length);
  }
};

// The kind code of each record type and the array that holds it.
template <typename Rec, TKind Kind, std::vector<Rec> TElementStore::*Records>
struct TKindEntry {
  static constexpr TKind kKind = Kind;
  static constexpr std::vector<Rec> TElementStore::*kRecords = Records;
};

template <typename Rec>
struct TKindOf;
template <>
struct TKindOf<TLineRec> : TKindEntry<TLineRec, kLine, &TElementStore::Lines> {};
template <>
struct TKindOf<TCircleRec> : TKindEntry<TCircleRec, kCircle, &TElementStore::Circles> {};
template <>
struct TKindOf<TArcRec> : TKindEntry<TArcRec, kArc, &TElementStore::Arcs> {};
template <>
struct TKindOf<TTextRec> : TKindEntry<TTextRec, kText, &TElementStore::Texts> {};
template <>
struct TKindOf<TPointRec> : TKindEntry<TPointRec, kPoint, &TElementStore::Points> {};
template <>
struct TKindOf<TCodedPointRec>
    : TKindEntry<TCodedPointRec, kCodedPoint, &TElementStore::CodedPoints> {};
template <>
struct TKindOf<TDimRec> : TKindEntry<TDimRec, kDim, &TElementStore::Dims> {};
template <>
struct TKindOf<TJwwEntBlk> : TKindEntry<TJwwEntBlk, kBlock, &TElementStore::Blocks> {};
template <>
struct TKindOf<TSolid2Rec> : TKindEntry<TSolid2Rec, kSolid2, &TElementStore::Solid2s> {};
template <>
struct TKindOf<TSolid3Rec> : TKindEntry<TSolid3Rec, kSolid3, &TElementStore::Solid3s> {};
template <>
struct TKindOf<TSolid4Rec> : TKindEntry<TSolid4Rec, kSolid4, &TElementStore::Solid4s> {};
template <>
struct TKindOf<TScSolidRec> : TKindEntry<TScSolidRec, kScSolid, &TElementStore::ScSolids> {};
template <>
struct TKindOf<TSeSolidRec> : TKindEntry<TSeSolidRec, kSeSolid, &TElementStore::SeSolids> {};
template <>
struct TKindOf<TSoSolidRec> : TKindEntry<TSoSolidRec, kSoSolid, &TElementStore::SoSolids> {};
template <>
struct TKindOf<TSgSolidRec> : TKindEntry<TSgSolidRec, kSgSolid, &TElementStore::SgSolids> {};

template <typename Rec>
std::vector<Rec>& RecordsOf(TElementStore& store) {
  return store.*TKindOf<Rec>::kRecords;
}

template <typename Rec>
const std::vector<Rec>& RecordsOf(const TElementStore& store) {
  return store.*TKindOf<Rec>::kRecords;
}

// Appends the record, then its order entry. The record goes in first so that
// a failed append leaves neither: the order list never names a missing record.
template <typename Rec>
void AppendRecord(TElementStore& store, const Rec& rec) {
  std::vector<Rec>& records = RecordsOf<Rec>(store);
  const auto index = static_cast<std::int32_t>(records.size());
  records.push_back(rec);
  try {
    store.OrderList.push_back(TOrderEntry{TKindOf<Rec>::kKind, index});
  } catch (...) {
    records.pop_back();
    throw;
  }
}

// Calls visit with the record that entry names, as its own type. False, and
// no call, when the kind or the index names no record, so that a damaged
// order list reads nothing out of bounds.
template <typename Store, typename Visit>
bool VisitElement(Store& store, const TOrderEntry& entry, Visit&& visit) {
  const auto at = [&](auto& records) {
    if (entry.Index < 0 || static_cast<std::size_t>(entry.Index) >= records.size()) return false;
    visit(records[static_cast<std::size_t>(entry.Index)]);
    return true;
  };
  switch (entry.Kind) {
    case kLine: return at(store.Lines);
    case kCircle: return at(store.Circles);
    case kArc: return at(store.Arcs);
    case kText: return at(store.Texts);
    case kPoint: return at(store.Points);
    case kCodedPoint: return at(store.CodedPoints);
    case kDim: return at(store.Dims);
    case kBlock: return at(store.Blocks);
    case kSolid2: return at(store.Solid2s);
    case kSolid3: return at(store.Solid3s);
    case kSolid4: return at(store.Solid4s);
    case kScSolid: return at(store.ScSolids);
    case kSeSolid: return at(store.SeSolids);
    case kSoSolid: return at(store.SoSolids);
    case kSgSolid: return at(store.SgSolids);
    default: return false;
  }
}

}  // namespace kx27
