#include "bandreport/brpaper.h"

#include <array>

namespace kx {

namespace {

constexpr std::array<TBRPaperDimensions, 68> kPaperTable{{
    {215.9, 279.4},  // Letter
    {215.9, 279.4},  // LetterSmall
    {279.4, 431.8},  // Tabloid
    {431.8, 279.4},  // Ledger
    {215.9, 355.6},  // Legal
    {139.7, 215.9},  // Statement
    {190.5, 254},    // Executive
    {297, 420},      // A3
    {210, 297},      // A4
    {210, 297},      // A4Small
    {148, 210},      // A5
    {250, 354},      // B4
    {182, 257},      // B5
    {215.9, 330.2},  // Folio
    {215, 275},      // Quarto
    {254, 355.6},    // br10X14
    {279.4, 431.8},  // br11X17
    {215.9, 279.4},  // Note
    {98.43, 225.4},  // Env9
    {104.8, 241.3},  // Env10
    {114.3, 263.5},  // Env11
    {120.7, 279.4},  // Env12
    {127, 292.1},    // Env14
    {431.8, 558.8},  // CSheet
    {558.8, 863.6},  // DSheet
    {863.6, 1117.6}, // ESheet
    {110, 220},      // EnvDL
    {162, 229},      // EnvC5
    {324, 458},      // EnvC3
    {229, 324},      // EnvC4
    {114, 162},      // EnvC6
    {114, 229},      // EnvC65
    {250, 353},      // EnvB4
    {176, 250},      // EnvB5
    {176, 125},      // EnvB6
    {110, 230},      // EnvItaly
    {98.43, 190.5},  // EnvMonarch
    {92.01, 165.1},  // EnvPersonal
    {377.8, 279.4},  // FanfoldUSStd
    {215.9, 304.8},  // FanfoldGerStd
    {215.9, 330.2},  // FanfoldGerLegal
    {250, 353},      // B4ISO
    {100, 148},      // PostcardJap
    {228.6, 279.4},  // br9X11
    {254, 279.4},    // br10X11
    {381, 279.4},    // br15X11
    {220, 220},      // EnvInvite
    {100, 100},      // Reserved1
    {100, 100},      // Reserved2
    {241.3, 304.8},  // LetterExtra
    {241.3, 381},    // LegalExtra
    {296.9, 457.2},  // TabloidExtra
    {236, 322},      // A4Extra
    {279.4, 215.9},  // LetterTrans
    {297, 210},      // A4Trans
    {304.8, 241.3},  // LetterExtraTrans
    {227, 356},      // SuperASuperAA4
    {305, 487},      // SuperBSuperBA3
    {215.9, 322.3},  // LetterPlus
    {210, 330},      // A4Plus
    {210, 148},      // A5Trans
    {257, 182},      // B5Trans
    {322, 445},      // A3Extra
    {174, 235},      // A5Extra
    {201, 276},      // B5Extra
    {420, 594},      // A2
    {420, 297},      // A3Trans
    {445, 322},      // A3ExtraTrans
}};

constexpr int kCustomCode = 256;

} // namespace

std::optional<TBRPaperDimensions> PaperDimensions(TBRPaperSize size) {
    const int ordinal = int(size);
    if (ordinal < 1 || ordinal > int(kPaperTable.size()))
        return std::nullopt;
    return kPaperTable[std::size_t(ordinal - 1)];
}

int PaperCode(TBRPaperSize size) {
    return size == TBRPaperSize::Custom ? kCustomCode : int(size);
}

TBRPaperSize PaperSizeOfCode(int code) {
    if (code == kCustomCode)
        return TBRPaperSize::Custom;
    if (code >= 1 && code <= int(kPaperTable.size()))
        return TBRPaperSize(code);
    return TBRPaperSize::Default;
}

} // namespace kx
