#pragma once
// The library's own binary cell format, which paste reads back: a prefix
// "VCLDBIF", version 1 and the column count, one entry per column, then
// every record's cells as a tag byte and its value, and a closing tag 0.
// Values are the fields' own, not the texts the grid shows; titles and
// footers are not written. Integers are little-endian.

#include "grid/editors/dbgridxexport.h"

namespace kx {

// The cell tags.
enum TVCLDBIFTag : quint8 {
    vtEnd = 0,
    vtNone = 1,
    vtNull = 2,
    vtInteger = 3,
    vtDouble = 4,
    vtString = 5,
    vtBytes = 6
};

inline constexpr char VCLDBIFSignature[] = "VCLDBIF";
inline constexpr quint8 VCLDBIFVersion = 1;

class TDBGridXExportAsVCLDBIF : public TDBGridXExport {
protected:
    void EmitHeader() override;
    void EmitTrailer() override;
    void EmitRecord(const TColumnsXList& columns) override;

private:
    void EmitValue(db::TField* field);
    void WriteInt32(qint32 value);
    void WriteTag(TVCLDBIFTag tag);
};

} // namespace kx
