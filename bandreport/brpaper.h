#pragma once
// Paper sizes by their printer codes, and the table of their dimensions in
// millimetres as printers list them (some rows are wider than long and stay
// so). Default takes the printer's own sheet; Custom a size of the user's.

#include <optional>

namespace kx {

enum class TBRPaperSize {
    Default,
    Letter,
    LetterSmall,
    Tabloid,
    Ledger,
    Legal,
    Statement,
    Executive,
    A3,
    A4,
    A4Small,
    A5,
    B4,
    B5,
    Folio,
    Quarto,
    br10X14,
    br11X17,
    Note,
    Env9,
    Env10,
    Env11,
    Env12,
    Env14,
    CSheet,
    DSheet,
    ESheet,
    EnvDL,
    EnvC5,
    EnvC3,
    EnvC4,
    EnvC6,
    EnvC65,
    EnvB4,
    EnvB5,
    EnvB6,
    EnvItaly,
    EnvMonarch,
    EnvPersonal,
    FanfoldUSStd,
    FanfoldGerStd,
    FanfoldGerLegal,
    B4ISO,
    PostcardJap,
    br9X11,
    br10X11,
    br15X11,
    EnvInvite,
    Reserved1,
    Reserved2,
    LetterExtra,
    LegalExtra,
    TabloidExtra,
    A4Extra,
    LetterTrans,
    A4Trans,
    LetterExtraTrans,
    SuperASuperAA4,
    SuperBSuperBA3,
    LetterPlus,
    A4Plus,
    A5Trans,
    B5Trans,
    A3Extra,
    A5Extra,
    B5Extra,
    A2,
    A3Trans,
    A3ExtraTrans,
    Custom,
};

inline constexpr int kBRPaperSizeCount = 70;

struct TBRPaperDimensions {
    double Width;
    double Length;
};

// Millimetres of the sizes 1..68; nothing for Default and Custom.
std::optional<TBRPaperDimensions> PaperDimensions(TBRPaperSize size);
// The printer code: the ordinal, 256 for Custom.
int PaperCode(TBRPaperSize size);
// The size a printer code stands for; Default for an unknown code.
TBRPaperSize PaperSizeOfCode(int code);

} // namespace kx
