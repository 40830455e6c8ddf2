#pragma once
// The preview of a filled table report: one page at a time in a page
// control inside a scroll box, with paging, zoom, best fit, printing, page
// set-up and, where the filler allows it, editing of the page. The filler
// that owns it answers its print, page set-up, abort and template commands.

#include "tablereport/previewlayout.h"
#include "tablereport/qttextmeasurer.h"
#include "tablereport/reportcontrolwidget.h"

#include <QByteArray>
#include <QDialog>

#include <functional>
#include <vector>

class QAction;
class QLabel;
class QScrollArea;
class QStatusBar;

namespace kx {

class TPreviewForm : public QDialog {
public:
    explicit TPreviewForm(QWidget* owner = nullptr);

    // The owner filler's commands.
    std::function<void()> OnPrint;
    // True when the page set-up was confirmed and the pages built again.
    std::function<bool()> OnPageSetup;
    std::function<void()> OnEditTemplate;
    // 1 when no job is left running, 0 when stopping it failed.
    std::function<int()> OnAbortPrint;

    void SetEditEnabled(bool enabled);
    void SetTemplateEditVisible(bool visible);
    // Page set-up needs the template file; a filler loaded from a stream
    // has none.
    void SetPageSetupEnabled(bool enabled);
    // True: the page as printed; false: the design look with its guides.
    void SetPreviewMode(bool previewLook);

    // Runs the window modally over the pages; returns at once, showing
    // nothing, when there are none.
    void ShowPages(const std::vector<QByteArray>& streams);
    void SetPageStreams(const std::vector<QByteArray>& streams);
    void ShowCurrentPage();
    // The stream of page n (from 1) while the pages are shown, else none.
    const QByteArray* GetPageStream(int n) const;
    QString GetPageFileName(int) const { return {}; }

    void ZoomIn();
    void ZoomOut();
    void BestFit();
    void Print();
    void AbortPrint();
    void PageSetup();

    const TPreviewPaging& Paging() const { return paging_; }
    // The zoom the zoom buttons step from.
    int ZoomCounter() const { return zoom_; }

    QAction* FirstAction;
    QAction* PriorAction;
    QAction* NextAction;
    QAction* LastAction;
    QAction* ZoomInAction;
    QAction* ZoomOutAction;
    QAction* BestFitAction;
    QAction* PageSetupAction;
    QAction* EditTemplateAction;
    QAction* PrintAction;
    QAction* AbortAction;
    QAction* CloseAction;
    QScrollArea* ScrollBox;
    QStatusBar* StatusBar;
    QLabel* PagePanel;
    TReportControlWidget* PageControl;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddCommand(const QString& hint, std::function<void()> command);
    void GoTo(void (TPreviewPaging::*step)());
    void ApplyZoom(int zoom);
    void ApplyEditFlags();
    void Centre();
    void EditTemplate();

    TQtTextMeasurer measurer_;
    TPreviewPaging paging_;
    std::vector<QByteArray> streams_;
    bool streamMode_ = false;
    bool editEnabled_ = false;
    int zoom_ = 75;
    QWidget* pageArea_;
};

} // namespace kx
