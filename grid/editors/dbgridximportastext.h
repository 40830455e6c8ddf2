#pragma once
// Reads text in the program's code page: TAB ends a cell, CR LF a row; a
// lone LF is an ordinary character and a lone CR is not text of this
// format. The text ends at its end or at a 0 byte, which ends clipboard
// text. An empty line is a record with no cell.

#include "grid/editors/dbgridximport.h"

#include <QByteArray>

namespace kx {

class TDBGridXImportAsText : public TDBGridXImport {
protected:
    void ReadPrefix() override;
    bool ParseRecord(TImportRow& row) override;
    void ParseDataCell(TColumnX* column, const TImportCell& cell) override;

private:
    // What the last character read was.
    enum TState : quint8 { stChar, stEndOfCell, stEndOfRow, stEndOfSource };
    bool NextChar();
    TState CheckState();
    QString ReadCellText();
    static void WriteLookupText(db::TField* field, const QString& text);

    char char_ = 0;
    TState lastState_ = stEndOfSource;
};

} // namespace kx
