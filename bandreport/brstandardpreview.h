#pragma once
// The engine's own preview window, for reports without a preview of their
// window's: the pages with a tool bar, thumbnails, text search, go to
// page, printer set-up, print, and saving and loading of page files.

#include "bandreport/bandrep.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QAction;
class QKeyEvent;
class QLabel;
class QListWidget;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QToolBar;

namespace kx {

class TBRPreview;
class TBRPrinter;

// The page a go-to-page answer names: 1 for text that is not a number, 0
// or less, or beyond the last page.
int PageFromText(const QString& text, int pageCount);

// The "Description|*.EXT|..." filter of a file dialog as the dialog's
// name filters, one per description.
QStringList DialogNameFilters(const QString& filter);

class TBRStandardPreview : public QWidget {
    Q_OBJECT
public:
    struct TSearchRequest {
        QString Text;
        bool MatchCase = false;
    };

    // Shows the printer's pages; owned by the owner, or by itself when
    // none, freeing itself when closed.
    TBRStandardPreview(QWidget* owner, TBRPrinter* printer);

    void ShowAndRefresh();
    void UpdateStatus();
    void ShowPage(int page);
    void LayoutThumbnails();

    void ZoomToFitClick();
    void ZoomToWidthClick();
    void ZoomTo100Click();
    void FirstPageClick();
    void PrevPageClick();
    void NextPageClick();
    void LastPageClick();
    void GotoPageButtonClick();
    void FindButtonClick();
    void PrintSetupClick();
    void PrintClick();
    void SaveClick();
    void LoadClick();
    void ExitClick();

    TBRPrinter* Printer() const { return printer_; }
    TBRPreview* BRPreview() const { return preview_; }
    QTabWidget* Tabs() const { return tabs_; }
    QTableWidget* ThumbGrid() const { return thumbGrid_; }
    QListWidget* SearchResultBox() const { return searchResultBox_; }
    QLabel* SearchTextLabel() const { return searchTextLabel_; }
    QLabel* StatusPanel(int index) const { return panels_[index]; }
    // The tool bar command by its button's name, "ZoomFit" to "ExitButton".
    QAction* Command(const QString& name) const;
    QString TitleText() const { return titleText_; }
    int ThumbnailOffset() const { return thumbnailOffset_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar(QToolBar* bar);
    QWidget* BuildTabs();
    QStatusBar* BuildStatusBar();
    // Thumbnails and search as the report asks for them.
    void ShowChosenParts();
    void TakeReportSettings();
    void ApplyInitialZoom();
    std::optional<TSearchRequest> AskSearchText();
    void SearchPages(const TSearchRequest& request);
    void PageAvailable(int pages);
    void ProgressUpdate(int progress);
    bool KeyDown(QKeyEvent* event);
    void EnableFinishedCommands();
    void SelectThumbnail(int row);

    QPointer<TBRPrinter> printer_;
    TBRPreview* preview_;
    QTabWidget* tabs_ = nullptr;
    QTableWidget* thumbGrid_ = nullptr;
    QListWidget* searchResultBox_ = nullptr;
    QLabel* searchTextLabel_ = nullptr;
    QLabel* panels_[3] = {};
    QString titleText_;
    int lastProgress_ = 0;
    int thumbnailOffset_ = 0;
    bool showThumbs_ = true;
    bool showSearch_ = true;
    TBRZoomState initialZoom_ = TBRZoomState::brZoomToFit;
};

// Opens a preview window for a printer.
class TBRPreviewInterface {
public:
    virtual ~TBRPreviewInterface() = default;
    virtual QWidget* Show(TBRPrinter*) { return nullptr; }
    virtual void ShowModal(TBRPrinter*) {}
};

class TBRStandardPreviewInterface : public TBRPreviewInterface {
public:
    // The window frees itself when the user closes it.
    QWidget* Show(TBRPrinter* printer) override;
    // Returns when the user has closed the window.
    void ShowModal(TBRPrinter* printer) override;
};

} // namespace kx
