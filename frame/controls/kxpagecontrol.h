#pragma once
// A page control that refuses to change pages while one of its data sources
// (DataSource1 to DataSource7) is being edited, or, on the first page, while
// its master data set has no record.

#include "platform/db/dataset.h"
#include "platform/db/datasource.h"

#include <QPointer>
#include <QTabWidget>

#include <array>
#include <functional>

namespace kx {

class TKXPageControl : public QTabWidget {
    Q_OBJECT
public:
    static constexpr int kDataSourceCount = 7;

    explicit TKXPageControl(QWidget* parent = nullptr);

    // DataSource1 to DataSource7 by their number.
    db::TDataSource* DataSource(int number) const { return dataSources_.at(number - 1); }
    void SetDataSource(int number, db::TDataSource* source) {
        dataSources_.at(number - 1) = source;
    }
    db::TDataSet* QyMaster() const { return qyMaster_; }
    void SetQyMaster(db::TDataSet* master) { qyMaster_ = master; }

    // Puts the control's check in front of the window's page-changing
    // handler; once per control.
    void HookChanging();
    void CheckChanging(bool& allowChange);

    // Asked before the user moves to another page.
    std::function<void(QObject* sender, bool& allowChange)> OnChanging;

    // True when the user may leave the current page.
    bool PageChangeAllowed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class TTabBar;

    std::array<QPointer<db::TDataSource>, kDataSourceCount> dataSources_;
    QPointer<db::TDataSet> qyMaster_;
    std::function<void(QObject* sender, bool& allowChange)> windowChanging_;
    bool hooked_ = false;
};

} // namespace kx
