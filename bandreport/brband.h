#pragma once
// The bands of a report: each carries printable controls, has a height in
// the report's units, a type that decides where it prints, and switches for
// the page and column logic of a run.

#include "bandreport/brevaluator.h"
#include "bandreport/brframe.h"
#include "bandreport/brunitbase.h"
#include "platform/ui/colors.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>
#include <memory>

namespace kx {

namespace db {
class TDataSet;
}

class TCustomBandRep;
class TBRController;

enum class TBRBandType {
    rbTitle,
    rbPageHeader,
    rbDetail,
    rbPageFooter,
    rbSummary,
    rbGroupHeader,
    rbGroupFooter,
    rbSubDetail,
    rbColumnHeader,
    rbOverlay,
    rbChild
};

QString BandCaption(TBRBandType type);
QString BandNamePrefix(TBRBandType type);
// True for the types that print across the page rather than in a column.
bool BandSpansPage(TBRBandType type);

class TBRCustomBand;
using TBRBandBeforePrintEvent = std::function<void(TBRCustomBand* sender, bool& printBand)>;
using TBRBandAfterPrintEvent = std::function<void(TBRCustomBand* sender, bool bandPrinted)>;
using TBROnNeedDataEvent = std::function<void(QObject* sender, bool& moreData)>;

class TBRCustomBand : public QObject {
    Q_OBJECT
public:
    static constexpr int kCreationHeight = 40;

    explicit TBRCustomBand(QObject* owner);
    ~TBRCustomBand() override;

    virtual TBRBandType BandType() const = 0;
    QString Caption() const { return BandCaption(BandType()); }

    TCustomBandRep* ParentReport() const { return report_; }
    // Places the band on a report (or takes it off with nullptr).
    void SetParentReport(TCustomBandRep* report);
    TBRController* Controller() const { return controller_; }
    void SetController(TBRController* controller) { controller_ = controller; }

    TBRBandSize& Size() { return size_; }
    const TBRBandSize& Size() const { return size_; }
    TBRFrame& Frame() { return frame_; }
    const TBRFrame& Frame() const { return frame_; }
    // Pixel bounds on the design surface at the report's zoom.
    QRect Bounds() const { return bounds_; }
    void SetBounds(const QRect& bounds);

    ui::TColor Color = 0xFFFFFF;
    bool Enabled = true;
    bool TransparentBand = false;
    bool ParentFont = true;
    bool ForceNewPage = false;
    bool ForceNewColumn = false;
    bool KeepOnOnePage = false;
    bool PreCaluculateBandHeight = false;
    bool AlignToBottom = false;
    // Extra height the stretching controls took in the current print.
    long double Stretch = 0;
    TBRBandBeforePrintEvent BeforePrint;
    TBRBandAfterPrintEvent AfterPrint;

    QFont Font() const;
    void SetFont(const QFont& font);

    TBRCustomBand* LinkBand() const { return linkBand_; }
    // Refuses (false) a band whose links lead back to this one.
    bool SetLinkBand(TBRCustomBand* band);
    // The height, with the heights of the linked bands, in tenths of mm.
    long double HeightWithLinks(bool followLinks) const;

    // Whether extra tenths of a millimetre more of this band fit on the page.
    bool FitsOnPage(long double extra) const;
    // A stretching control asks for extra height: the first request of a
    // print may reuse the stretch another control made.
    bool TryGrowHeight(long double& position, bool& started, long double extra);

    // Prints the band at the report's cursor, in passes while stretching
    // controls continue on the next column or page.
    void PrintContents();
    // Starts the next column or page when the band does not fit.
    void EnsureRoom();
    long double ComputeContentHeight() const;

    bool HasChild() const { return FindChildBand() != nullptr; }
    void SetHasChild(bool value);
    TBRCustomBand* FindChildBand() const;

protected:
    // The band's type or links changed: the report orders its bands again.
    void OrderChanged();

private:
    void ApplySize();

    TBRBandSize size_;
    TBRFrame frame_;
    QRect bounds_;
    QFont font_;
    QPointer<TCustomBandRep> report_;
    QPointer<TBRController> controller_;
    QPointer<TBRCustomBand> linkBand_;
};

class TBRBand : public TBRCustomBand {
    Q_OBJECT
public:
    explicit TBRBand(QObject* owner, TBRBandType type = TBRBandType::rbTitle);
    TBRBandType BandType() const override { return type_; }
    void SetBandType(TBRBandType type);

private:
    TBRBandType type_;
};

class TBRChildBand : public TBRCustomBand {
    Q_OBJECT
public:
    using TBRCustomBand::TBRCustomBand;
    TBRBandType BandType() const override { return TBRBandType::rbChild; }
    TBRCustomBand* ParentBand() const { return parentBand_; }
    // Refuses (false) a parent whose chain of child bands leads back here.
    bool SetParentBand(TBRCustomBand* band);

private:
    QPointer<TBRCustomBand> parentBand_;
};

class TBRGroup : public TBRCustomBand {
    Q_OBJECT
public:
    using TBRCustomBand::TBRCustomBand;
    TBRBandType BandType() const override { return TBRBandType::rbGroupHeader; }

    QString Expression;
    bool ReprintOnNewPage = false;

    TBRBand* FooterBand() const { return footerBand_; }
    void SetFooterBand(TBRBand* band);
    QObject* Master() const { return master_; }
    // Only a report or a controller band is taken.
    void SetMaster(QObject* master);
    TBREvaluator& Evaluator() { return evaluator_; }

    TBREvValue Value;
    bool HasValue = false;
    bool Broken = false;
    bool HeaderPrinted = false;
    int PrintedOnPage = 0;
    // Evaluates the expression: true when its value changed (always the
    // first time).
    bool EvaluateBreak();
    void PrintHeader();
    void PrintFooter();
    bool CheckReprint();

private:
    QPointer<TBRBand> footerBand_;
    QPointer<QObject> master_;
    TBREvaluator evaluator_;
};

class TBRControllerBand : public TBRCustomBand {
    Q_OBJECT
public:
    explicit TBRControllerBand(QObject* owner);
    ~TBRControllerBand() override;
    TBRController& BandController() { return *bandController_; }
    const TBRController& BandController() const { return *bandController_; }
    QObject* Master() const { return master_; }
    // A report or another controller band; refuses (false) anything else
    // and a chain of masters that leads back here.
    bool SetMaster(QObject* master);

private:
    std::unique_ptr<TBRController> bandController_;
    QPointer<QObject> master_;
};

class TBRSubDetail : public TBRControllerBand {
    Q_OBJECT
public:
    explicit TBRSubDetail(QObject* owner);
    TBRBandType BandType() const override { return TBRBandType::rbSubDetail; }

    TBRCustomBand* HeaderBand() const;
    void SetHeaderBand(TBRBand* band);
    TBRCustomBand* FooterBand() const;
    void SetFooterBand(TBRBand* band);
    bool HasHeader() const { return HeaderBand() != nullptr; }
    void SetHasHeader(bool value);
    bool HasFooter() const { return FooterBand() != nullptr; }
    void SetHasFooter(bool value);

    db::TDataSet* DataSet() const;
    void SetDataSet(db::TDataSet* dataSet);
    bool PrintBefore() const;
    void SetPrintBefore(bool value);
    bool PrintIfEmpty() const;
    void SetPrintIfEmpty(bool value);
    void SetOnNeedData(TBROnNeedDataEvent handler);
};

} // namespace kx
