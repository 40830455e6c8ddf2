#pragma once
// The page set-up of a template file: its margins and its printer paper,
// written back to the file on OK. The printer takes the template's paper
// while the dialog is open, so that "Setup" starts from it.

#include "tablereport/qttextmeasurer.h"
#include "tablereport/reportcontrol.h"
#include "tablereport/tessalform.h"

#include <QString>

#include <functional>
#include <memory>

namespace kx {

class TMarginForm : public TTessalForm {
public:
    TMarginForm(QWidget* owner, const QString& fileName);

    // 1 when the template file was written, else 0.
    int Result() const { return result_; }
    const TReportControl& Page() const { return page_; }
    // The printer set-up dialog; true when confirmed.
    std::function<bool(QWidget*)> RunPrinterSetup;

    void reject() override;

protected:
    void OkClick() override;
    void SetupClick() override;

private:
    friend std::unique_ptr<TMarginForm> CreateMarginForm(QWidget* owner, const QString& fileName);
    void Load();

    QString fileName_;
    TQtTextMeasurer measurer_;
    TReportControl page_;
    int result_ = 0;
    bool printerPaperChosen_ = false;
};

// The form with the template file loaded, its margins in the edits and its
// paper given to the printer; the caller shows it modally and reads Result.
// Raises the reader's error when the file cannot be read as a template.
std::unique_ptr<TMarginForm> CreateMarginForm(QWidget* owner, const QString& fileName);

} // namespace kx
