#pragma once
// A window with TKXQuery over the in/out records or the in/out subjects of a
// fresh data folder, saved through update statements as the windows write
// them, with a list grid whose footers add up the amounts.

#include "frame/data/kxquery.h"
#include "grid/dbgrid/dbsumlist.h"
#include "grid/dbgrid/gridlayouthooks.h"
#include "platform/db/updatesql.h"
#include "tests/core/programfixture.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace kx::test {

// The list grid as the query sees it: a layout read from `Rows`, and the
// footers' sum list.
class TestListGrid : public QWidget, public TKXNDBGridHooks {
public:
    explicit TestListGrid(QWidget* parent) : QWidget(parent) { Sums.SetActive(false); }

    QWidget* GridWidget() override { return this; }
    QString LayoutTable() const override { return Table; }
    bool SaveColumnOrder() const override { return KeepOrder; }
    void SetColWidthChange(bool record) override { RecordingWidths = record; }
    void LoadLayout() override {}
    QList<TGridLayoutRow> LayoutRows() const override { return Rows; }
    void DeleteFieldLayout(const QString& fieldName) override { Deleted.append(fieldName); }
    void ClearLaidOut() override { LaidOut = false; }
    // As the list grid: widths are recorded again once the columns are laid
    // out, never while the query lays them out.
    void ApplyLayout() override {
        RecordingWhileLayingOut = RecordingWidths;
        LaidOut = true;
        RecordingWidths = true;
    }
    TDBSumListProducer* SumList() override { return &Sums; }

    QString Table;
    bool KeepOrder = false;
    bool RecordingWidths = true;
    bool RecordingWhileLayingOut = false;
    bool LaidOut = false;
    QList<TGridLayoutRow> Rows;
    QStringList Deleted;
    TDBSumListProducer Sums;
};

class KXQueryTest : public ::testing::Test {
protected:
    KXQueryTest();

    void Exec(const QString& sql);
    // The first column of every row, as text.
    QStringList Column(const QString& sql);
    QString Value(const QString& sql);

    // A query of the window over a table, with update statements that
    // write `columns` and find the row by `keys`.
    TKXQuery* NewQuery(const QString& table, const QStringList& columns, const QStringList& keys);

    // The in/out records: a time-stamp record id, a month counter with its
    // duplicate check, "未审核" for new rows and the audit columns.
    TKXQuery* MoneyQuery();
    void AddMoneyRecord(const QString& recordId, const QString& moneyId, const QString& typeId,
                        double in, const QString& status);

    // The in/out subjects under a parent: a three-digit code under the
    // parent's code and the order within the parent, with their checks.
    TKXQuery* SubjectQuery(const QString& parent);
    void AddSubject(const QString& id, const QString& parent, const QString& name, int order);

    OpenDataFolder data_;
    MessageRecorder messages_;
    QWidget window_;
};

} // namespace kx::test
