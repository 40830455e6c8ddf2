#pragma once
// The print dialog of a report's printer set-up: printer, page range, copies
// and paper handling, read back from the chosen printer so the report can
// keep them in its printer settings.

#include "platform/print/printer.h"

#include <QObject>
#include <QRect>

#include <functional>

class QPrintDialog;

namespace kx {

enum TPrintRange { prAllPages, prSelection, prPageNums };

enum TPrintDialogOption {
    poPrintToFile = 1,
    poPageNums = 2,
    poSelection = 4,
    poWarning = 8,
    poHelp = 16,
    poDisablePrintToFile = 32
};

// The top left of a dialog centred across the screen and a third of the
// way down.
QPoint CenterDialogWindow(const QRect& screen, const QSize& dialog);

// What the user chose, as the platform dialog returns it.
struct TBRPrintDialogResult {
    TPrintRange Range = prAllPages;
    int FromPage = 0;
    int ToPage = 0;
    int Copies = 1;
    bool PrintToFile = false;
};

class TBRPrintDialog : public QObject {
    Q_OBJECT
public:
    explicit TBRPrintDialog(QObject* owner = nullptr);

    // The printer the dialog sets up: the application's after creation.
    print::TPrinter* Printer = &print::Printer();

    int FromPage = 0;
    int ToPage = 0;
    int MinPage = 0;
    int MaxPage = 0;
    int Collate = 0;
    int Copies() const { return copies_; }
    // Also sets the printer's number of copies.
    void SetCopyCount(int copies);
    int PrintQuality = 0;
    int ColorOption = 0;
    int OutputBin = 0;
    int PaperSize = 0;
    double Paperwidth = 0;
    double Paperlength = 0;
    int Orientation = print::kPortrait;
    bool Duplex = false;
    int DuplexCode = 0;
    int Options = 0;
    bool PrintToFile = false;
    TPrintRange PrintRange = prAllPages;

    std::function<void()> OnShow;
    std::function<void()> OnClose;

    // Shows the dialog: true on OK with the choices read back; false on
    // cancel with nothing changed.
    bool RunDialog();
    // Takes the dialog's answer and reads the chosen printer's settings.
    void TakeResult(const TBRPrintDialogResult& result);

private:
    void Prepare(QPrintDialog& dialog) const;

    int copies_ = 1;
};

} // namespace kx
