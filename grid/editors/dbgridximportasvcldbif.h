#pragma once
// Reads the library's own binary cell format (see dbgridxexportasvcldbif.h).
// Every malformed or short read, and every length that reaches past the
// data, is "TDBGridXImportAsVCLDBIF.ReadPrefix: Invalid VCLDBIF format".
// Each record has one cell per column of the source; column names and
// visible flags are read but do not match columns.

#include "grid/editors/dbgridximport.h"

#include <QByteArray>
#include <QList>

namespace kx {

class TDBGridXImportAsVCLDBIF : public TDBGridXImport {
protected:
    void ReadPrefix() override;
    bool ParseRecord(TImportRow& row) override;
    void ParseDataCell(TColumnX* column, const TImportCell& cell) override;

private:
    struct TSourceColumn {
        QByteArray Name;
        bool Visible = false;
    };
    [[noreturn]] static void InvalidFormat();
    QByteArray ReadBytes(qint64 count);
    qint32 ReadInt32();
    // Reads the next value ahead into held_; the end tag ends the source.
    void ReadNextValue();

    qint32 columnCount_ = 0;
    QList<TSourceColumn> columns_;
    bool namesPresent_ = false;
    bool endOfSource_ = false;
    TImportCell held_;
};

} // namespace kx
