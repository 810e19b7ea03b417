#pragma once

// Records written whole, one writer per kind: the element's attribute lines,
// then its element line, unless the element is degenerate; a degenerate element
// writes nothing at all, and a tracking writer gets the attributes only.
// Block entries have a writer that writes nothing: the host cannot take them
// back.

#include "exchange/element_store.h"
#include "exchange/writer.h"

namespace kx27 {

void WriteRecord(TWriter& w, const TElementStore& store, const TLineRec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TCircleRec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TArcRec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TTextRec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TPointRec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TCodedPointRec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TDimRec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TJwwEntBlk& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TSolid2Rec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TSolid3Rec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TSolid4Rec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TScSolidRec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TSeSolidRec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TSoSolidRec& rec);
void WriteRecord(TWriter& w, const TElementStore& store, const TSgSolidRec& rec);

// The line that opens a curve: its attributes, "pl" and the segment. False
// when the segment was dropped as degenerate, so that the next one opens it.
bool WriteCurveStart(TWriter& w, const TLineRec& rec);

}  // namespace kx27
