#include "tablereport/previewform.h"

#include "platform/ui/application.h"
#include "tablereport/templatestream.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace kx {

TPreviewForm::TPreviewForm(QWidget* owner)
    : QDialog(owner, Qt::Window), ScrollBox(new QScrollArea(this)), StatusBar(new QStatusBar(this)),
      PagePanel(new QLabel(this)), pageArea_(new QWidget) {
    setWindowTitle(QStringLiteral("打印预览"));
    auto* tools = new QToolBar(this);
    const auto add = [this, tools](const QString& hint, std::function<void()> command) {
        QAction* action = AddCommand(hint, std::move(command));
        tools->addAction(action);
        return action;
    };
    FirstAction = add(QStringLiteral("第一页"), [this] { GoTo(&TPreviewPaging::First); });
    PriorAction = add(QStringLiteral("上一页"), [this] { GoTo(&TPreviewPaging::Prior); });
    NextAction = add(QStringLiteral("下一页"), [this] { GoTo(&TPreviewPaging::Next); });
    LastAction = add(QStringLiteral("最后一页"), [this] { GoTo(&TPreviewPaging::Last); });
    tools->addSeparator();
    ZoomInAction = add(QStringLiteral("放大"), [this] { ZoomIn(); });
    ZoomOutAction = add(QStringLiteral("缩小"), [this] { ZoomOut(); });
    BestFitAction = add(QStringLiteral("最适合的宿放比例"), [this] { BestFit(); });
    tools->addSeparator();
    PageSetupAction = add(QStringLiteral("打印设置"), [this] { PageSetup(); });
    EditTemplateAction = add(QStringLiteral("修改模板"), [this] { EditTemplate(); });
    PrintAction = add(QStringLiteral("打印"), [this] { Print(); });
    AbortAction = add(QStringLiteral("中止打印"), [this] { AbortPrint(); });
    tools->addSeparator();
    CloseAction = add(QStringLiteral("关闭"), [this] { close(); });
    AbortAction->setEnabled(false);
    EditTemplateAction->setVisible(false);

    PageControl = new TReportControlWidget(&measurer_, pageArea_);
    PageControl->installEventFilter(this);
    ScrollBox->setWidget(pageArea_);
    ScrollBox->setBackgroundRole(QPalette::Dark);
    StatusBar->addWidget(PagePanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(ScrollBox, 1);
    layout->addWidget(StatusBar);

    resize(715, 550);
    SetEditEnabled(false);
    BestFit();
}

QAction* TPreviewForm::AddCommand(const QString& hint, std::function<void()> command) {
    auto* action = new QAction(hint, this);
    action->setToolTip(hint);
    connect(action, &QAction::triggered, this, ui::Guard(std::move(command)));
    return action;
}

void TPreviewForm::SetEditEnabled(bool enabled) {
    editEnabled_ = enabled;
    ApplyEditFlags();
}

void TPreviewForm::ApplyEditFlags() {
    PageControl->setEnabled(editEnabled_);
    PageControl->Control.EditAllowed = editEnabled_;
    PageControl->Control.ReportCellEdit = editEnabled_;
}

void TPreviewForm::SetTemplateEditVisible(bool visible) {
    EditTemplateAction->setVisible(visible);
}

void TPreviewForm::SetPageSetupEnabled(bool enabled) {
    PageSetupAction->setEnabled(enabled);
}

void TPreviewForm::SetPreviewMode(bool previewLook) {
    PageControl->Control.PreviewLook = previewLook;
    PageControl->update();
}

void TPreviewForm::ShowPages(const std::vector<QByteArray>& streams) {
    streamMode_ = true;
    const auto leave = qScopeGuard([this] { streamMode_ = false; });
    if (streams.empty())
        return;
    SetPageStreams(streams);
    ShowCurrentPage();
    setWindowState(windowState() | Qt::WindowMaximized);
    ui::ExecModal(*this);
}

void TPreviewForm::SetPageStreams(const std::vector<QByteArray>& streams) {
    streams_ = streams;
}

const QByteArray* TPreviewForm::GetPageStream(int n) const {
    if (!streamMode_ || n < 1 || n > int(streams_.size()))
        return nullptr;
    return &streams_[std::size_t(n - 1)];
}

void TPreviewForm::ShowCurrentPage() {
    const int zoom = PageControl->Control.Zoom;
    if (streamMode_)
        paging_.SetCount(int(streams_.size()));
    FirstAction->setEnabled(paging_.CanGoBack());
    PriorAction->setEnabled(paging_.CanGoBack());
    NextAction->setEnabled(paging_.CanGoForward());
    LastAction->setEnabled(paging_.CanGoForward());
    PagePanel->setText(paging_.StatusText());
    setUpdatesEnabled(false);
    const auto unlock = qScopeGuard([this] { setUpdatesEnabled(true); });
    if (const QByteArray* stream = GetPageStream(paging_.Current()))
        ReadTemplate(*stream, PageControl->Control);
    PageControl->Control.SetZoom(zoom);
    PageControl->UpdateSize();
    ApplyEditFlags();
    Centre();
}

void TPreviewForm::GoTo(void (TPreviewPaging::*step)()) {
    (paging_.*step)();
    ShowCurrentPage();
}

void TPreviewForm::ZoomIn() {
    PageControl->EndCellEdit();
    zoom_ += 10;
    ApplyZoom(zoom_);
}

void TPreviewForm::ZoomOut() {
    PageControl->EndCellEdit();
    zoom_ = std::max(zoom_ - 10, kMinPreviewZoom);
    ApplyZoom(zoom_);
}

void TPreviewForm::BestFit() {
    const TReportControl& page = PageControl->Control;
    zoom_ = BestFitZoom(size(), QSize(page.PageWidth, page.PageHeight));
    ApplyZoom(zoom_);
}

void TPreviewForm::ApplyZoom(int zoom) {
    PageControl->hide();
    PageControl->Control.SetZoom(zoom);
    PageControl->UpdateSize();
    Centre();
    PageControl->show();
}

void TPreviewForm::Centre() {
    const QPoint position = CentredPagePosition(width(), height(), PageControl->size());
    PageControl->move(position);
    const QSize room = ScrollBox->viewport()->size();
    pageArea_->resize(std::max(room.width(), position.x() + PageControl->width() + 23),
                      std::max(room.height(), position.y() + PageControl->height() + 10));
}

void TPreviewForm::Print() {
    AbortAction->setEnabled(true);
    const auto done = qScopeGuard([this] { AbortAction->setEnabled(false); });
    if (OnPrint)
        OnPrint();
}

void TPreviewForm::AbortPrint() {
    if (!OnAbortPrint || OnAbortPrint() == 1)
        AbortAction->setEnabled(false);
}

void TPreviewForm::PageSetup() {
    if (OnPageSetup && OnPageSetup()) {
        paging_.First();
        ShowCurrentPage();
    }
    BestFit();
}

void TPreviewForm::EditTemplate() {
    if (!OnEditTemplate)
        return;
    OnEditTemplate();
    paging_.First();
    ShowCurrentPage();
}

void TPreviewForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    try {
        BestFit();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TPreviewForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ApplyEditFlags();
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    // After a click on an editable page the next zoom step starts from the
    // page's own size.
    if (watched == PageControl && event->type() == QEvent::MouseButtonRelease && editEnabled_)
        zoom_ = 100;
    return QDialog::eventFilter(watched, event);
}

} // namespace kx
