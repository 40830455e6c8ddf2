#include "bandreport/brstandardpreview.h"

#include "bandreport/brerror.h"
#include "bandreport/brexportfilter.h"
#include "bandreport/brpreview.h"
#include "bandreport/brprinter.h"
#include "bandreport/brtextsearch.h"
#include "bandreport/searchdlg.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/messagedialog.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScopeGuard>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>
#include <memory>

namespace kx {

namespace {

constexpr int kFormWidth = 800;
constexpr int kFormHeight = 639;
constexpr int kTabsWidth = 193;
constexpr int kProgressStep = 5;
constexpr int kThumbMargin = 10;
constexpr int kThumbRightMargin = 30;
const QString kPageFileExtension = QStringLiteral("BRP");

// Only one search runs at a time.
bool searching = false;

// Hands a failure met while painting to the program's handler once the
// paint is over, so that no exception leaves the paint.
void ReportLater(std::exception_ptr error) {
    QTimer::singleShot(0, [error] {
        try {
            std::rethrow_exception(error);
        } catch (...) {
            ui::HandleCurrentException();
        }
    });
}

// Draws a thumbnail of each page in the preview's grid.
class TThumbnailPainter : public QStyledItemDelegate {
public:
    explicit TThumbnailPainter(TBRStandardPreview* preview)
        : QStyledItemDelegate(preview), preview_(preview) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int page = index.row() + 1;
        std::optional<print::TPagePicture> picture;
        TBRPrinter* printer = preview_->Printer();
        if (printer && page <= printer->AvailablePages() && !unreadable_.contains(page)) {
            try {
                picture = printer->PageMetafile(page);
            } catch (...) {
                unreadable_.insert(page);
                ReportLater(std::current_exception());
            }
        }
        const QRect cell = option.rect;
        const QRect sheet = cell.adjusted(preview_->ThumbnailOffset(), kThumbMargin,
                                          -kThumbRightMargin, -kThumbMargin);
        painter->save();
        if (option.state & QStyle::State_Selected)
            painter->fillRect(cell, option.palette.highlight());
        DrawMetafilePage(picture ? &*picture : nullptr, *painter, sheet, true);
        const QString number = QString::number(page);
        const QRect label = option.fontMetrics.boundingRect(number).translated(
            cell.topLeft() - option.fontMetrics.boundingRect(number).topLeft());
        painter->fillRect(label, option.palette.button());
        painter->setPen(option.palette.buttonText().color());
        painter->drawText(label, Qt::AlignLeft | Qt::AlignTop, number);
        painter->restore();
    }

private:
    TBRStandardPreview* preview_;
    mutable QSet<int> unreadable_;
};

QAction* AddCommand(QToolBar* bar, const QString& name, const QString& caption,
                    const QString& hint) {
    QAction* action = bar->addAction(caption);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    bar->widgetForAction(action)->setObjectName(name);
    return action;
}

} // namespace

int PageFromText(const QString& text, int pageCount) {
    bool isNumber = false;
    const int page = text.trimmed().toInt(&isNumber);
    return isNumber && page >= 1 && page <= pageCount ? page : 1;
}

QStringList DialogNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList names;
    for (int index = 0; index < parts.size(); index += 2)
        names.append(parts.at(index));
    return names;
}

TBRStandardPreview::TBRStandardPreview(QWidget* owner, TBRPrinter* printer)
    : QWidget(owner, Qt::Window), printer_(printer), preview_(new TBRPreview) {
    if (!owner)
        setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Print Preview"));
    resize(kFormWidth, kFormHeight);
    preview_->setObjectName(QStringLiteral("BRPreview"));
    auto* bar = new QToolBar;
    bar->setObjectName(QStringLiteral("ToolBar"));
    BuildToolBar(bar);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(BuildTabs());
    body->addWidget(preview_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addLayout(body, 1);
    layout->addWidget(BuildStatusBar());
    new ui::KeyPreview(this, [this](QKeyEvent* event) { return KeyDown(event); });
    preview_->OnPageAvailable = [this](QObject*, int pages) { PageAvailable(pages); };
    preview_->OnProgressUpdate = [this](QObject*, int progress) { ProgressUpdate(progress); };

    TakeReportSettings();
    preview_->AttachPrinter(printer);
    if (printer && !printer->Title.isEmpty())
        setWindowTitle(printer->Title);
    ShowChosenParts();
    ApplyInitialZoom();
    EnableFinishedCommands();
}

QStatusBar* TBRStandardPreview::BuildStatusBar() {
    auto* status = new QStatusBar;
    const int widths[3] = {40, 120, 50};
    for (int index = 0; index < 3; ++index) {
        panels_[index] = new QLabel;
        panels_[index]->setObjectName(QStringLiteral("Panel%1").arg(index));
        panels_[index]->setMinimumWidth(widths[index]);
        status->addWidget(panels_[index], index == 2 ? 1 : 0);
    }
    panels_[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panels_[0]->setText(QStringLiteral("0%"));
    panels_[1]->setText(QStringLiteral("Page"));
    return status;
}

void TBRStandardPreview::ShowChosenParts() {
    tabs_->setVisible(showThumbs_ || showSearch_);
    if ((showThumbs_ || showSearch_) && printer_)
        thumbGrid_->setRowCount(printer_->PageCount());
    tabs_->setTabVisible(0, showThumbs_);
    tabs_->setTabVisible(1, showSearch_);
    Command(QStringLiteral("FindButton"))->setVisible(showSearch_);
}

void TBRStandardPreview::BuildToolBar(QToolBar* bar) {
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* zoom = new QActionGroup(this);
    const auto zoomCommand = [&](const QString& name, const QString& caption, const QString& hint,
                                 void (TBRStandardPreview::*handler)()) {
        QAction* action = AddCommand(bar, name, caption, hint);
        action->setCheckable(true);
        zoom->addAction(action);
        connect(action, &QAction::triggered, this,
                ui::Guard([this, handler] { (this->*handler)(); }));
    };
    const auto command = [&](const QString& name, const QString& caption, const QString& hint,
                             void (TBRStandardPreview::*handler)()) {
        QAction* action = AddCommand(bar, name, caption, hint);
        connect(action, &QAction::triggered, this,
                ui::Guard([this, handler] { (this->*handler)(); }));
    };
    zoomCommand(QStringLiteral("ZoomFit"), QStringLiteral("Fit"), QStringLiteral("Zoom to fit"),
                &TBRStandardPreview::ZoomToFitClick);
    zoomCommand(QStringLiteral("ZoomToWidth"), QStringLiteral("Width"),
                QStringLiteral("Zoom to width"), &TBRStandardPreview::ZoomToWidthClick);
    zoomCommand(QStringLiteral("Zoom100"), QStringLiteral("100%"), QStringLiteral("100%"),
                &TBRStandardPreview::ZoomTo100Click);
    bar->addSeparator();
    command(QStringLiteral("FirstPage"), QStringLiteral("|<"), QStringLiteral("First page"),
            &TBRStandardPreview::FirstPageClick);
    command(QStringLiteral("PreviousPage"), QStringLiteral("<"), QStringLiteral("Previous page"),
            &TBRStandardPreview::PrevPageClick);
    command(QStringLiteral("NextPage"), QStringLiteral(">"), QStringLiteral("Next page"),
            &TBRStandardPreview::NextPageClick);
    command(QStringLiteral("LastPage"), QStringLiteral(">|"), QStringLiteral("Last page"),
            &TBRStandardPreview::LastPageClick);
    bar->addSeparator();
    command(QStringLiteral("GotoPageButton"), QStringLiteral("Go to"), QStringLiteral("Go to page"),
            &TBRStandardPreview::GotoPageButtonClick);
    command(QStringLiteral("FindButton"), QStringLiteral("Find"), QStringLiteral("Search for text"),
            &TBRStandardPreview::FindButtonClick);
    bar->addSeparator();
    command(QStringLiteral("PrintSetup"), QStringLiteral("Setup"), QStringLiteral("Printer setup"),
            &TBRStandardPreview::PrintSetupClick);
    command(QStringLiteral("Print"), QStringLiteral("Print"), QStringLiteral("Print"),
            &TBRStandardPreview::PrintClick);
    bar->addSeparator();
    command(QStringLiteral("SaveReport"), QStringLiteral("Save"), QStringLiteral("Save Report"),
            &TBRStandardPreview::SaveClick);
    command(QStringLiteral("LoadReport"), QStringLiteral("Load"), QStringLiteral("Load Report"),
            &TBRStandardPreview::LoadClick);
    bar->addSeparator();
    command(QStringLiteral("ExitButton"), QStringLiteral("&Close"), QStringLiteral("Close preview"),
            &TBRStandardPreview::ExitClick);
}

QWidget* TBRStandardPreview::BuildTabs() {
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("Tabs"));
    thumbGrid_ = new QTableWidget(0, 1);
    thumbGrid_->setObjectName(QStringLiteral("ThumbGrid"));
    thumbGrid_->horizontalHeader()->hide();
    thumbGrid_->verticalHeader()->hide();
    thumbGrid_->setShowGrid(false);
    thumbGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    thumbGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    thumbGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    thumbGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    thumbGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    thumbGrid_->setItemDelegate(new TThumbnailPainter(this));
    thumbGrid_->installEventFilter(this);
    connect(thumbGrid_, &QTableWidget::currentCellChanged, this,
            ui::Guard([this](int row, int, int, int) {
                if (row < 0)
                    return;
                preview_->SetPageNumber(row + 1);
                UpdateStatus();
            }));
    tabs_->addTab(thumbGrid_, QStringLiteral("Thumbnails"));

    auto* results = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("Search text"));
    searchTextLabel_ = new QLabel;
    searchTextLabel_->setObjectName(QStringLiteral("SearchTextLabel"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(searchTextLabel_);
    searchResultBox_ = new QListWidget;
    searchResultBox_->setObjectName(QStringLiteral("SearchResultBox"));
    searchResultBox_->setEnabled(false);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->addWidget(group);
    resultsLayout->addWidget(searchResultBox_, 1);
    tabs_->addTab(results, QStringLiteral("Search result"));
    // Wide enough for both tab captions in any font.
    tabs_->setFixedWidth(qMax(kTabsWidth, tabs_->tabBar()->sizeHint().width() + 8));
    return tabs_;
}

void TBRStandardPreview::TakeReportSettings() {
    TCustomBandRep* report = printer_ ? printer_->Report() : nullptr;
    if (!report) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    if (report->PrevFormStyle == TFormStyle::fsStayOnTop)
        setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(report->PreviewWidth(), report->PreviewHeight());
    setWindowState(report->PreviewInitialState);
    showThumbs_ = report->PrevShowThumbs;
    showSearch_ = report->PrevShowSearch;
    initialZoom_ = report->PrevInitialZoom;
    titleText_ = report->ReportTitle;
    printer_->Title = report->ReportTitle;
}

void TBRStandardPreview::ApplyInitialZoom() {
    if (initialZoom_ == TBRZoomState::brZoomToFit) {
        preview_->FitWholePage();
        Command(QStringLiteral("ZoomFit"))->setChecked(true);
    } else if (initialZoom_ == TBRZoomState::brZoomToWidth) {
        preview_->FitPageWidth();
        Command(QStringLiteral("ZoomToWidth"))->setChecked(true);
    } else {
        preview_->SetZoom(100);
        preview_->UpdateImageLayout();
        Command(QStringLiteral("Zoom100"))->setChecked(true);
    }
}

QAction* TBRStandardPreview::Command(const QString& name) const {
    return findChild<QAction*>(name);
}

void TBRStandardPreview::EnableFinishedCommands() {
    // Saving, loading and printing wait for the run to end: a page file of
    // half a run, or a load that empties the pages under the run, would
    // lose pages without a word.
    const bool finished = printer_ && printer_->Status() == TBRPrinter::Finished;
    const bool idle = !printer_ || printer_->Status() != TBRPrinter::Busy;
    Command(QStringLiteral("PrintSetup"))->setEnabled(finished);
    Command(QStringLiteral("Print"))->setEnabled(finished);
    Command(QStringLiteral("SaveReport"))->setEnabled(finished);
    Command(QStringLiteral("LoadReport"))->setEnabled(idle);
}

void TBRStandardPreview::ShowAndRefresh() {
    show();
    UpdateStatus();
}

void TBRStandardPreview::UpdateStatus() {
    const int pages = printer_ ? printer_->PageCount() : 0;
    panels_[1]->setText(QStringLiteral("Page %1 of %2").arg(preview_->PageNumber()).arg(pages));
    panels_[2]->setText(titleText_);
}

void TBRStandardPreview::SelectThumbnail(int row) {
    const QSignalBlocker blocker(thumbGrid_);
    thumbGrid_->setCurrentCell(row, 0);
}

void TBRStandardPreview::ShowPage(int page) {
    preview_->SetPageNumber(page);
    UpdateStatus();
    if (printer_ && page >= 1 && page <= printer_->PageCount())
        SelectThumbnail(page - 1);
}

void TBRStandardPreview::LayoutThumbnails() {
    const int column = thumbGrid_->width() - 4;
    const int pictureWidth = column - 20;
    const qreal across = printer_ ? printer_->PaperWidth() : 0;
    const qreal down = printer_ ? printer_->PaperLength() : 0;
    if (across <= 0 || down <= 0 || pictureWidth <= 0)
        return;
    const int textHeight = thumbGrid_->fontMetrics().height();
    const int pictureHeight = qRound(pictureWidth * down / across) - textHeight;
    thumbGrid_->setColumnWidth(0, column);
    thumbGrid_->verticalHeader()->setDefaultSectionSize(qMax(pictureHeight, 1));
    thumbnailOffset_ = (column - pictureWidth) / 2;
}

void TBRStandardPreview::ZoomToFitClick() {
    QCoreApplication::processEvents();
    preview_->FitWholePage();
}

void TBRStandardPreview::ZoomToWidthClick() {
    QCoreApplication::processEvents();
    preview_->FitPageWidth();
}

void TBRStandardPreview::ZoomTo100Click() {
    QCoreApplication::processEvents();
    preview_->SetZoom(100);
    preview_->UpdateImageLayout();
}

void TBRStandardPreview::FirstPageClick() {
    ShowPage(1);
}

void TBRStandardPreview::PrevPageClick() {
    ShowPage(preview_->PageNumber() - 1);
}

void TBRStandardPreview::NextPageClick() {
    ShowPage(preview_->PageNumber() + 1);
}

void TBRStandardPreview::LastPageClick() {
    if (printer_)
        ShowPage(printer_->PageCount());
}

void TBRStandardPreview::GotoPageButtonClick() {
    const int pages = printer_ ? printer_->PageCount() : 0;
    const QString current = QString::number(preview_->PageNumber());
    QInputDialog box(this);
    box.setObjectName(QStringLiteral("GotoPageBox"));
    box.setWindowTitle(QStringLiteral("Select a page from 1 to %1").arg(pages));
    box.setLabelText(QStringLiteral("Go to page >>"));
    box.setTextValue(current);
    const bool entered = ui::ExecModal(box) == QDialog::Accepted;
    ShowPage(PageFromText(entered ? box.textValue() : current, pages));
}

std::optional<TBRStandardPreview::TSearchRequest> TBRStandardPreview::AskSearchText() {
    TSearchDlg dialog(this);
    ui::ExecModal(dialog);
    if (dialog.Cancelled)
        return std::nullopt;
    return TSearchRequest{dialog.Edit1->text(), dialog.CheckBox1->isChecked()};
}

void TBRStandardPreview::FindButtonClick() {
    if (searching)
        return;
    searching = true;
    const auto done = qScopeGuard([] { searching = false; });
    if (const auto request = AskSearchText())
        SearchPages(*request);
}

void TBRStandardPreview::SearchPages(const TSearchRequest& request) {
    searchResultBox_->setEnabled(true);
    searchResultBox_->clear();
    searchTextLabel_->setText(request.Text);
    const int pages = printer_ ? printer_->PageCount() : 0;
    for (int page = 1; page <= pages; ++page) {
        std::optional<print::TPagePicture> picture;
        // A page that cannot be read holds no text to find.
        try {
            picture = printer_->PageMetafile(page);
        } catch (const EBRError&) {
            continue;
        }
        if (picture && FindTextInMetafile(request.Text, *picture, request.MatchCase))
            searchResultBox_->addItem(QStringLiteral("Page %1").arg(page));
    }
    if (searchResultBox_->count() == 0) {
        searchResultBox_->addItem(QStringLiteral("No matching text"));
        searchResultBox_->setEnabled(false);
    }
}

void TBRStandardPreview::PrintSetupClick() {
    TCustomBandRep* report = printer_ ? printer_->Report() : nullptr;
    if (!report)
        return;
    report->RunPrinterSetupDialog();
    // A cancelled set-up leaves the printer as it was.
    if (report->Tag == 1)
        return;
    const TBandRepPrinterSettings& chosen = report->DialogSettings;
    printer_->SelectPrinter(report->PrinterSettings.PrinterIndex);
    // The dialog's source code stands for a bin of the list; a code past
    // its end names no bin.
    if (const auto bin = BinOfOrdinal(chosen.CustomBinCode))
        printer_->TrySetOutputBin(*bin);
    TPrinterSettings& settings = printer_->Settings();
    settings.Collate = chosen.Collate;
    settings.ColorOption = chosen.ColorOption;
    settings.PrintQuality = chosen.PrintQuality;
    printer_->TrySetCopies(chosen.Copies);
    printer_->TrySetDuplex(chosen.Duplex);
    settings.CustomBinCode = chosen.CustomBinCode;
    settings.UseCustomBinCode = report->PrinterSettings.UseCustomBinCode;
    printer_->FirstPage = chosen.FirstPage;
    printer_->LastPage = chosen.LastPage;
}

void TBRStandardPreview::PrintClick() {
    if (!printer_)
        return;
    auto* report = qobject_cast<TBandRep*>(printer_->Report());
    if (!PageFileLoaded() && report)
        report->PrintToPrinter();
    else
        printer_->PrintStoredPages();
}

void TBRStandardPreview::SaveClick() {
    if (!printer_)
        return;
    TBRExportFilterLibrary& library = TBRExportFilterLibrary::Instance();
    const QStringList filters = DialogNameFilters(library.BuildSaveDialogFilter());
    QFileDialog dialog(nullptr, QStringLiteral("Save report"));
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(kPageFileExtension);
    if (ui::ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = dialog.selectedFiles().constFirst();
    const int chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen <= 0) {
        printer_->SavePageFile(fileName);
        return;
    }
    const std::unique_ptr<TBRExportFilter> filter =
        library.Entries().at(chosen - 1).FilterClass.Create(fileName);
    printer_->ExportThroughReport(filter.get());
}

void TBRStandardPreview::LoadClick() {
    if (!printer_)
        return;
    QFileDialog dialog(this, QStringLiteral("Load report"));
    dialog.setObjectName(QStringLiteral("LoadDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(DialogNameFilters(PageFileDialogFilter()));
    if (ui::ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = dialog.selectedFiles().constFirst();
    if (!QFile::exists(fileName)) {
        ui::ShowMessageDialog(this, windowTitle(), QStringLiteral("File does not exist"),
                              ui::MessageIcon::Warning, ui::MessageButtons::Ok);
        return;
    }
    printer_->LoadPageFile(fileName);
    titleText_ = fileName;
    preview_->SetPageNumber(1);
    preview_->Image()->SetPage(1);
    PageAvailable(1);
    SelectThumbnail(0);
    SetPageFileLoaded(true);
    EnableFinishedCommands();
}

void TBRStandardPreview::ExitClick() {
    close();
}

void TBRStandardPreview::PageAvailable(int) {
    UpdateStatus();
    thumbGrid_->setRowCount(printer_ ? printer_->PageCount() : 0);
    thumbGrid_->viewport()->update();
    EnableFinishedCommands();
}

void TBRStandardPreview::ProgressUpdate(int progress) {
    if (progress >= lastProgress_ + kProgressStep) {
        panels_[0]->setText(QStringLiteral("%1%").arg(progress));
        lastProgress_ = progress;
    }
    if (progress == 0 || progress == 100)
        panels_[0]->clear();
}

bool TBRStandardPreview::KeyDown(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_PageUp:
        control ? FirstPageClick() : PrevPageClick();
        return true;
    case Qt::Key_Home:
        FirstPageClick();
        return true;
    case Qt::Key_PageDown:
        control ? LastPageClick() : NextPageClick();
        return true;
    case Qt::Key_End:
        LastPageClick();
        return true;
    default:
        return false;
    }
}

void TBRStandardPreview::closeEvent(QCloseEvent* event) {
    if (printer_)
        printer_->NotifyReportPreviewClosed();
    QWidget::closeEvent(event);
}

void TBRStandardPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    preview_->UpdateImageLayout();
}

bool TBRStandardPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == thumbGrid_ && event->type() == QEvent::Resize)
        LayoutThumbnails();
    return QWidget::eventFilter(watched, event);
}

QWidget* TBRStandardPreviewInterface::Show(TBRPrinter* printer) {
    auto* preview = new TBRStandardPreview(nullptr, printer);
    preview->ShowAndRefresh();
    return preview;
}

void TBRStandardPreviewInterface::ShowModal(TBRPrinter* printer) {
    auto* preview = new TBRStandardPreview(nullptr, printer);
    QEventLoop loop;
    QObject::connect(preview, &QObject::destroyed, &loop, &QEventLoop::quit);
    preview->setWindowModality(Qt::ApplicationModal);
    preview->ShowAndRefresh();
    loop.exec();
}

} // namespace kx
