#pragma once
// The program's preview of banded reports: a list window's report hands its
// printer to a new preview window, which pages, zooms, prints and exports
// the listed rows to a workbook. The window is not modal and frees itself
// when it closes; the report's preview call waits until then.

#include "tablereport/excelfieldname.h"

#include <QPointer>
#include <QWidget>

class QAction;
class QMenu;
class QStatusBar;
class QToolBar;

namespace kx {

class TBRPreview;
class TBRTextFilter;
class TCustomBandRep;
class TKXExcel;

class TPrevForm : public QWidget {
    Q_OBJECT
public:
    explicit TPrevForm(QWidget* owner);

    TBRPreview* OwnBRPre;
    QStatusBar* sbarPrint;
    TKXExcel* KXExcel;
    TBRTextFilter* TextFilter;
    QToolBar* ToolBar;
    QMenu* PopupMenu;

    QAction* Button_OneToOne;
    QAction* Button_WholePage;
    QAction* Button_First;
    QAction* Button_Prior;
    QAction* Button_Next;
    QAction* Button_Last;
    QAction* Button_Print;
    QAction* Button_Set;
    QAction* Button_Excel;
    QAction* Button_Close;
    QAction* PrinterSetupItem;
    QAction* ZoomInItem;
    QAction* ZoomOutItem;

    TExcelFieldArray ExcelFields;
    TExcelFieldArray ExcelTitles;
    TExcelFieldArray ExcelFooters;
    // The export adds the "序号" column.
    bool ExcelNumberColumn = false;
    // The report whose margins "打印设置" edits, with the totals the margin
    // dialog keeps the bottom and right margins to.
    QPointer<TCustomBandRep> Report;
    int VerticalMarginTotal = 0;
    int HorizontalMarginTotal = 0;
    // "打印设置" offers the layouts of LayoutNames instead of the margins.
    bool LayoutChoice = false;
    QString LayoutKey;
    QString LayoutNames;
    int LayoutIndex = 0;

    void ShowPage(int page);
    void ZoomBy(int step);
    void PrintReport();
    void ExportToExcel();
    void PrintSetClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QAction* AddButton(const QString& name, const QString& caption, void (TPrevForm::*command)());
    QAction* AddItem(const QString& caption, const QKeySequence& key, void (TPrevForm::*command)());
    void BuildToolBar();
    void BuildPopupMenu();
    bool KeyDown(QKeyEvent* event);
    int PageCount() const;
    void PageAvailable();
    void OneToOne();
    void WholePage();
    void FirstPage();
    void PriorPage();
    void NextPage();
    void LastPage();
    void CloseClick();
    void ZoomIn();
    void ZoomOut();
    void RepaintLatest();
    void ChooseLayout();
    void SetMargins();
};

// The preview window created last; empty once it has closed.
extern QPointer<TPrevForm> PrevForm;

// A new preview window owned by the printing window and kept in PrevForm,
// bound to the printer that a report's OnPreview hands over; the caller
// sets up the export and shows it.
TPrevForm* CreatePrevForm(QWidget* owner, QObject* printer);

} // namespace kx
