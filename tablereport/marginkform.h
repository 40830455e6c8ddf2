#pragma once
// The designer's report-properties dialog: the page's margins, and its paper
// chosen as a size of the user's own or a standard paper of the printer.
// Cancel gives the page back the paper it had when the dialog started.

#include "tablereport/tessalform.h"

#include <cstdint>
#include <functional>

namespace kx {

class TReportControl;
class TReportDesignForm;

class TMarginkForm : public TTessalForm {
public:
    TMarginkForm(TReportDesignForm& designer, TReportControl& page);

    // The printer set-up dialog; its answer is not used.
    std::function<bool(QWidget*)> RunPrinterSetup;
    // 1 for a paper of the user's own size, 2 for a standard paper, 0 for none.
    std::function<int()> SelectPaperKind;

    void reject() override;

protected:
    void OkClick() override;
    void SetupClick() override;

private:
    void SetCustomPaper();
    void SetStandardPaper();

    TReportDesignForm& designer_;
    TReportControl& page_;
    int32_t paperSize_;
    int32_t orientation_;
    int32_t paperLength_;
    int32_t paperWidth_;
    int32_t pageWidth_;
    int32_t pageHeight_;
};

// 1 when confirmed, 2 when cancelled.
int ExecuteMarginkForm(TReportDesignForm& designer, TReportControl& page);

} // namespace kx
