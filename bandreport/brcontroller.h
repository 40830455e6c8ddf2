#pragma once
// A controller walks a data set and prints its bands: the report has one,
// and so has every sub-detail band. Before each ordering of the bands and
// each run it collects the groups and the sub-controllers that print under
// it.

#include "bandreport/brband.h"
#include "platform/db/dataset.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace kx {

class TCustomBandRep;
class TBRExpr;

class TBRController : public QObject {
    Q_OBJECT
public:
    // owner: the report or the sub-detail band the controller belongs to.
    explicit TBRController(QObject* owner);

    QObject* Owner() const { return owner_; }
    TCustomBandRep* Report() const { return report_; }
    void SetReport(TCustomBandRep* report) { report_ = report; }

    db::TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(db::TDataSet* dataSet) { dataSet_ = dataSet; }
    TBRCustomBand* DetailBand() const { return detail_; }
    void SetDetailBand(TBRCustomBand* band) { detail_ = band; }
    TBRCustomBand* HeaderBand() const { return header_; }
    void SetHeaderBand(TBRCustomBand* band) { header_ = band; }
    TBRCustomBand* FooterBand() const { return footer_; }
    void SetFooterBand(TBRCustomBand* band) { footer_ = band; }

    bool PrintBefore = false;
    bool IsSummany = false;
    int DetailRowCount = 0;
    int MinDetailRows = 0;
    // The record count the progress is measured against.
    int ProgressTotal = 0;

    void Prepare();
    void Unprepare();
    void RunDetailLoop();
    void PrintWhenEmpty();
    bool TestGroupBreaks();
    void PrintBrokenGroupHeaders();
    void PrintBrokenGroupFooters();
    void InvertGroupBreaks();
    void ReprintGroupHeaders();
    void NotifyExpressions();
    int RecordsDone = 0;
    // Expressions told of every detail record (their aggregates).
    QList<QPointer<TBRExpr>> NotifyExprs;
    void RegisterAggregateExpr(TBRExpr* expression);
    bool PrintIfEmpty = true;
    TBROnNeedDataEvent OnNeedData;

    // Finds the groups and sub-controllers under this controller's master
    // among the components of the master's owner and of the master.
    void CollectChildren();
    // The bands in print order, appended to list.
    void CollectBandsInOrder(QList<TBRCustomBand*>& list) const;

    const QList<QPointer<TBRGroup>>& Groups() const { return groups_; }
    const QList<QPointer<TBRController>>& Preceding() const { return preceding_; }
    const QList<QPointer<TBRController>>& Following() const { return following_; }

private:
    void ConsiderComponent(QObject* component);
    void RunSubControllers(const QList<QPointer<TBRController>>& controllers);
    bool AtEnd() const;

    QPointer<QObject> owner_;
    QPointer<TCustomBandRep> report_;
    QPointer<db::TDataSet> dataSet_;
    QPointer<TBRCustomBand> detail_;
    QPointer<TBRCustomBand> header_;
    QPointer<TBRCustomBand> footer_;
    QList<QPointer<TBRGroup>> groups_;
    QList<QPointer<TBRController>> preceding_;
    QList<QPointer<TBRController>> following_;
};

} // namespace kx
