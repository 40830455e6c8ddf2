#include "tablereport/reportruntime.h"

#include "core/moneytext.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/fieldtypes.h"
#include "platform/print/printer.h"
#include "platform/sys/exception.h"
#include "platform/sys/numberformat.h"
#include "platform/sys/rounding.h"
#include "platform/ui/application.h"
#include "platform/ui/messagedialog.h"
#include "platform/ui/tag.h"
#include "tablereport/marginform.h"
#include "tablereport/previewform.h"
#include "tablereport/printerdevmode.h"
#include "tablereport/repmessform.h"
#include "tablereport/reportpainter.h"
#include "tablereport/templatestream.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QScopeGuard>
#include <QWidget>

namespace kx {
namespace {

const QString kFillError = QStringLiteral("形成报表时发生错误，请检查各项参数与模板设置等是否正确");

// A record that cannot be cut to fit a page: the report is refused whole
// rather than printed without it.
class ERecordTooTall : public Exception {
public:
    explicit ERecordTooTall(int record)
        : Exception(
              QStringLiteral("第 %1 条记录一页放不下，又不能分页，报表没有打印").arg(record)) {}
    QString ClassName() const override { return QStringLiteral("ERecordTooTall"); }
};

void ShowPrompt(const QString& text) {
    ui::ShowMessageDialog(nullptr, QStringLiteral("提示信息"), text, ui::MessageIcon::Warning,
                          ui::MessageButtons::Ok);
}

// What the user is told when a print or preview fails.
QString FailureText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const ERecordTooTall& tooTall) {
        return tooTall.Message();
    } catch (...) {
        return kFillError;
    }
}

void WarnNoPrinter() {
    ui::ShowMessageDialog(nullptr, QStringLiteral("警告"), QStringLiteral("未安装打印机"),
                          ui::MessageIcon::Warning, ui::MessageButtons::Ok);
}

bool RunRangeDialog(int pageCount, int& from, int& to) {
    QPrintDialog dialog(&print::Printer().Device());
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies);
    dialog.setMinMax(1, pageCount);
    dialog.setFromTo(1, pageCount);
    if (ui::ExecModal(dialog) != QDialog::Accepted)
        return false;
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
        from = std::max(dialog.fromPage(), 1);
        to = std::min(dialog.toPage(), pageCount);
    }
    return true;
}

bool RunMarginForm(QWidget* owner, const QString& fileName) {
    const std::unique_ptr<TMarginForm> form = CreateMarginForm(owner, fileName);
    ui::ExecModal(*form);
    return form->Result() == 1;
}

int32_t Tenths(int32_t pixels, double pixelsPerMm) {
    return int32_t(sys::RoundHalfEven(pixels / pixelsPerMm * 10));
}

// The data-set name and field name of "@name.field" or "#name.field",
// without blanks or tabs.
std::pair<QString, QString> TagNames(const QString& tag) {
    QString text = tag.mid(1);
    text.remove(u' ').remove(u'\t');
    const qsizetype dot = text.indexOf(u'.');
    if (dot < 0)
        return {text.toUpper(), QString()};
    return {text.left(dot).toUpper(), text.mid(dot + 1)};
}

bool IsNumeric(const db::TField* field) {
    return dynamic_cast<const db::TIntegerField*>(field) ||
           dynamic_cast<const db::TFloatField*>(field);
}

bool HoldsCellStartingWith(const TReportLine& line, QChar first) {
    return std::ranges::any_of(line.Cells,
                               [first](const auto& c) { return c->Text().startsWith(first); });
}

bool HoldsSumCell(const TReportLine& line) {
    return std::ranges::any_of(line.Cells, [](const auto& c) { return IsSumTag(c->Text()); });
}

int TotalHeight(const std::vector<std::unique_ptr<TReportLine>>& lines) {
    int height = 0;
    for (const auto& line : lines)
        height += line->Height();
    return height;
}

QByteArray PictureAsBitmap(const QByteArray& stored) {
    QBuffer bmp;
    bmp.open(QIODevice::WriteOnly);
    QImage::fromData(stored).save(&bmp, "BMP");
    return bmp.data();
}

// The longest start of text that keeps the cell within room; 0 when not
// even one character does.
qsizetype FittingLength(TReportCell& cell, const QString& text, int room) {
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        cell.SetCellText(text.left(middle));
        cell.CalcHeight();
        if (cell.NeededHeight() <= room)
            low = middle;
        else
            high = middle - 1;
    }
    if (low > 0 && low < text.size() && text[low].isLowSurrogate())
        --low;
    return low;
}

bool IsBlank(const TReportLine& line) {
    return std::ranges::all_of(
        line.Cells, [](const auto& cell) { return cell->Text().isEmpty() && !cell->HasPicture; });
}

// Cuts a detail line taller than room: each cell keeps the start of its
// text that fits, and rest (an empty copy of the line) takes the remainder.
// False when the line cannot be cut there: a merged cell, a picture taller
// than room, a line drawn taller than room, or a cell that cannot show even
// one character. moved tells whether any text went to rest.
bool CutLine(TReportLine& line, TReportLine& rest, int room, bool& moved) {
    moved = false;
    if (line.UserHeight > room)
        return false;
    for (std::size_t i = 0; i < line.Cells.size(); ++i) {
        TReportCell& cell = *line.Cells[i];
        if (cell.MergeOwner || !cell.MergedCells.empty())
            return false;
        if (cell.NeededHeight() <= room)
            continue;
        if (cell.HasPicture)
            return false;
        const QString text = cell.Text();
        const qsizetype kept = FittingLength(cell, text, room);
        if (kept == 0)
            return false;
        QString remainder = text.mid(kept);
        if (remainder.startsWith(QStringLiteral("\r\n")))
            remainder.remove(0, 2);
        rest.Cells[i]->SetCellText(remainder);
        rest.Cells[i]->CalcHeight();
        moved = true;
    }
    line.UpdateHeight();
    rest.UpdateHeight();
    return true;
}

// "Form.Component" among the open forms, a bare name among the owner's.
} // namespace

db::TDataSet* FindBoundDataSet(const QString& name, QObject* owner) {
    const qsizetype dot = name.indexOf(u'.');
    if (dot < 0)
        return owner ? owner->findChild<db::TDataSet*>(name) : nullptr;
    const QString form = name.left(dot);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName().compare(form, Qt::CaseInsensitive) == 0)
            return window->findChild<db::TDataSet*>(name.mid(dot + 1));
    return nullptr;
}

TReportRunTime::TReportRunTime(TTextMeasurer* measurer)
    : RunPrintDialog(RunRangeDialog), RunPageSetup(RunMarginForm), measurer_(measurer),
      template_(measurer), page_(measurer) {}

TReportRunTime::~TReportRunTime() = default;

void TReportRunTime::LoadFromStream(const QByteArray& bytes) {
    ReadTemplate(bytes, template_, {.ForGrid = false, .Refusal = QStringLiteral("格式不正确...")});
    TranslateTemplateTags();
}

void TReportRunTime::SetReportFile(const QString& fileName) {
    reportFile_ = fileName;
    if (fileName.isEmpty())
        return;
    LoadTemplateFile(fileName, template_,
                     {.ForGrid = false, .Refusal = QStringLiteral("打开报表错误")});
    TranslateTemplateTags();
}

void TReportRunTime::TranslateTemplateTags() {
    for (auto& line : template_.Lines)
        for (auto& cell : line->Cells)
            cell->SetCellText(TranslateTags(cell->Text(), PrintFields));
}

void TReportRunTime::SetSetData(const QStringList& lines) {
    setData_ = lines;
    for (const QString& line : lines)
        ApplySetDataLine(line, false);
}

void TReportRunTime::ApplySetDataLine(const QString& line, bool disableControls) {
    const qsizetype open = line.indexOf(u'(');
    const qsizetype close = line.indexOf(u')', open + 1);
    if (open < 0 || close < 0)
        return;
    const QStringList arguments = line.mid(open + 1, close - open - 1).split(u',');
    if (arguments.size() < 2)
        return;
    const QString command = line.left(open).trimmed();
    const QString first = arguments[0].trimmed();
    const QString second = arguments[1].trimmed();
    if (command.compare(u"SETVARVALUE", Qt::CaseInsensitive) == 0) {
        SetVarValue(first, second);
        return;
    }
    if (command.compare(u"SetDataSet", Qt::CaseInsensitive) != 0)
        return;
    db::TDataSet* dataSet = FindBoundDataSet(second, Owner);
    if (!dataSet)
        return;
    if (disableControls) {
        dataSet->DisableControls();
        disabled_.push_back(dataSet);
    }
    if (!dataSet->Active())
        dataSet->Open();
    BindDataSet(first, dataSet);
}

void TReportRunTime::ReleaseBindings() {
    for (const QPointer<db::TDataSet>& dataSet : disabled_)
        if (dataSet)
            dataSet->EnableControls();
    disabled_.clear();
    bindings_.clear();
}

void TReportRunTime::BindDataSet(const QString& name, db::TDataSet* dataSet) {
    bindings_.emplace_back(name.toUpper(), dataSet);
}

db::TDataSet* TReportRunTime::BoundDataSet(const QString& tag, db::TDataSet* fallback) const {
    const QString name = TagNames(tag).first;
    for (auto it = bindings_.rbegin(); it != bindings_.rend(); ++it)
        if (it->first == name)
            return it->second;
    return fallback;
}

void TReportRunTime::FillField(const QString& tag, db::TDataSet* fallback, const QString& format,
                               TReportCell& cell) {
    db::TDataSet* dataSet = BoundDataSet(tag, fallback);
    if (!dataSet)
        return;
    const db::TField* field = dataSet->FieldByName(TagNames(tag).second);
    if (IsNumeric(field)) {
        if (format.isEmpty())
            cell.SetCellText(field->DisplayText());
        else if (field->IsNull())
            cell.SetCellText(QString());
        else if (format == u"大写金额")
            cell.SetCellText(AmountToChinese(field->AsString()));
        else
            cell.SetCellText(sys::FormatFloat(format, field->AsFloat()));
    } else if (field->DataType() == db::ftGraphic) {
        if (!field->IsNull()) {
            cell.Picture = PictureAsBitmap(field->AsBytes());
            cell.HasPicture = !cell.Picture.isEmpty();
        }
    } else {
        cell.SetCellText(field->AsString());
    }
}

void TReportRunTime::FillCell(const TReportCell& source, TReportCell& cell, bool empty) {
    cell.CopyAttributes(source);
    cell.SetDisplayFormat(source.DisplayFormat());
    cell.HasPicture = source.HasPicture;
    cell.Picture = source.Picture;
    if (!empty)
        FillText(source, cell);
    if (source.MergeOwner) {
        if (const auto owner = cellMap_.find(source.MergeOwner); owner != cellMap_.end())
            owner->second->AddMergedCell(&cell);
        else
            cellMap_[source.MergeOwner] = &cell;
    }
    if (!source.MergedCells.empty())
        cellMap_[&source] = &cell;
    cell.CalcHeight();
}

void TReportRunTime::FillText(const TReportCell& source, TReportCell& cell) {
    const QString& text = source.Text();
    if (text.startsWith(u'@')) {
        FillField(text, DataSet, source.DisplayFormat(), cell);
    } else if (text.startsWith(u'#')) {
        if (detailSet_)
            FillField(text, detailSet_, source.DisplayFormat(), cell);
    } else if (IsPageNumberTag(text) || IsSumTag(text) || IsPageSumTag(text)) {
        // Page numbers and sums are known only when the page is rendered.
        cell.SetCellText(text);
    } else if (text == u"`序号") {
        cell.SetCellText(inDetailLine_ ? QString::number(serial_) : QString());
    } else if (text.startsWith(u'`')) {
        cell.SetCellText(vars_.ResolveVariable(text, Now()));
    } else {
        cell.SetCellText(text);
    }
}

std::unique_ptr<TReportLine> TReportRunTime::FillLine(const TReportLine& source, bool empty) {
    auto line = std::make_unique<TReportLine>(nullptr, measurer_);
    line->UserHeight = source.UserHeight;
    line->ContentHeight = source.ContentHeight;
    for (const auto& cell : source.Cells)
        FillCell(*cell, *line->AppendCell(), empty);
    // A filled text may need more lines than the template's; the page is cut
    // by the heights the page will be printed with.
    line->UpdateHeight();
    return line;
}

void TReportRunTime::AddDetailSums(const TReportLine& detail, double sign) {
    const std::size_t count = std::min<std::size_t>(detail.Cells.size(), kSumColumns);
    for (std::size_t i = 0; i < count; ++i) {
        const QString& text = detail.Cells[i]->Text();
        if (!text.startsWith(u'#'))
            continue;
        const db::TField* field =
            BoundDataSet(text, detailSet_)->FieldByName(TagNames(text).second);
        if (IsNumeric(field) && !field->IsNull()) {
            pageSums_[i] += sign * field->AsFloat();
            totals_[i] += sign * field->AsFloat();
        }
    }
}

QByteArray TReportRunTime::RenderPage(TLineList& page, int footerStart, int totalPages) {
    page_.Lines = std::move(page);
    page_.PageWidth = template_.PageWidth;
    page_.LeftMarginPx = template_.LeftMarginPx;
    page_.TopMarginPx = template_.TopMarginPx;
    page_.RightMarginPx = template_.RightMarginPx;
    page_.BottomMarginPx = template_.BottomMarginPx;
    page_.LeftMarginMm = template_.LeftMarginMm;
    page_.TopMarginMm = template_.TopMarginMm;
    page_.RightMarginMm = template_.RightMarginMm;
    page_.BottomMarginMm = template_.BottomMarginMm;
    page_.Reserved1 = template_.Reserved1;
    page_.Reserved2 = template_.Reserved2;
    page_.Reserved3 = template_.Reserved3;
    page_.PaperSize = template_.PaperSize;
    page_.Orientation = template_.Orientation;
    page_.PaperLength = template_.PaperLength;
    page_.PaperWidth = template_.PaperWidth;
    page_.FooterStart = footerStart;
    page_.UpdateLines();
    page_.PageHeight = OneLongPage
                           ? TotalHeight(page_.Lines) + page_.TopMarginPx + page_.BottomMarginPx
                           : template_.PageHeight;
    TTemplateWriteOptions options;
    options.Zoom = template_.Zoom;
    options.WriteDisplayFormats = false;
    const int pageNumber = pageNumber_;
    options.TextOf = [&](const TReportCell& cell) {
        const QString& text = cell.Text();
        if (const auto number = PageNumberText(text, pageNumber, totalPages))
            return *number;
        if (IsPageSumTag(text))
            return SumText(text, pageSums_, cell.DisplayFormat(), true);
        if (IsSumTag(text))
            return SumText(text, totals_, cell.DisplayFormat(), false);
        return text;
    };
    QByteArray bytes = WriteTemplate(page_, options);
    page = std::move(page_.Lines);
    page_.Lines.clear();
    return bytes;
}

int TReportRunTime::Paginate(bool build, int totalPages) {
    PageStreams.clear();
    pageSums_.fill(0);
    totals_.fill(0);
    pageNumber_ = 1;
    serial_ = 0;
    cellMap_.clear();
    const auto& lines = template_.Lines;
    const auto detail = std::ranges::find_if(
        lines, [](const auto& line) { return HoldsCellStartingWith(*line, u'#'); });
    detailIndex_ = detail == lines.end() ? -1 : int(detail - lines.begin());
    detailSet_ = nullptr;

    TLineList header;
    for (auto it = lines.begin(); it != detail; ++it)
        header.push_back(FillLine(**it, false));
    if (detail == lines.end()) {
        if (build)
            PageStreams.push_back(RenderPage(header, 0, 1));
        cellMap_.clear();
        return build ? detailIndex_ : 1;
    }
    const TReportLine& detailLine = **detail;
    const auto firstField = std::ranges::find_if(
        detailLine.Cells, [](const auto& c) { return c->Text().startsWith(u'#'); });
    detailSet_ = BoundDataSet((*firstField)->Text(), DataSet);
    const int records = detailSet_ ? detailSet_->RecordCount() : 0;
    if (detailSet_)
        detailSet_->First();

    // Pages close with the lines after the detail line; all of them on the
    // last page, those without totals on the others.
    TLineList lastFooter;
    TLineList pageFooter;
    for (auto it = detail + 1; it != lines.end(); ++it) {
        if (!HoldsSumCell(**it))
            pageFooter.push_back(FillLine(**it, false));
        lastFooter.push_back(FillLine(**it, false));
    }
    const int headerHeight = TotalHeight(header);
    const int pageFooterHeight = TotalHeight(pageFooter);
    const int lastFooterHeight = TotalHeight(lastFooter);
    const int pageHeight = OneLongPage ? 50000 : template_.PageHeight;
    const int margins = template_.TopMarginPx + template_.BottomMarginPx;
    const bool addSpace = AddSpace && !OneLongPage;
    auto fits = [&](int details, int footer) {
        return margins + headerHeight + details + footer <= pageHeight;
    };

    int placed = 0;
    TLineList details;
    int detailsHeight = 0;
    bool advance = true;
    auto takeBack = [&] {
        detailsHeight -= details.back()->Height();
        details.pop_back();
        --serial_;
        AddDetailSums(detailLine, -1);
        --placed;
    };
    // Each pass closes the page when it is full or the records are done,
    // then places the current record. The pass after the last record ends.
    while (placed <= records) {
        bool filledWithSpace = false;
        if (addSpace && placed == records &&
            margins + headerHeight + detailsHeight + lastFooterHeight < pageHeight) {
            for (auto blank = FillLine(detailLine, true);
                 blank->Height() > 0 && fits(detailsHeight + blank->Height(), lastFooterHeight);
                 blank = FillLine(detailLine, true)) {
                detailsHeight += blank->Height();
                details.push_back(std::move(blank));
            }
            filledWithSpace = true;
        }
        if (!fits(detailsHeight, pageFooterHeight) || placed == records) {
            // A record too tall for a page of its own is cut at the page end
            // and continues on the next, so no record is lost.
            std::unique_ptr<TReportLine> continued;
            if (details.size() == 1 &&
                !fits(detailsHeight, placed == records ? lastFooterHeight : pageFooterHeight)) {
                const int room = pageHeight - margins - headerHeight - pageFooterHeight;
                continued = FillLine(detailLine, true);
                // A blank continuation that still does not fit would be cut
                // for ever.
                const bool blank = IsBlank(*details.back());
                bool moved = false;
                if (!CutLine(*details.back(), *continued, room, moved) || (blank && !moved))
                    throw ERecordTooTall(placed);
                detailsHeight = details.back()->Height();
            } else if (placed < records) {
                // Header and page footer leave no room for any detail line.
                if (details.empty())
                    throw Exception(kFillError);
                detailSet_->Prior();
                takeBack();
            } else if (!fits(detailsHeight, lastFooterHeight) && !filledWithSpace &&
                       !details.empty()) {
                detailSet_->Last();
                takeBack();
                advance = false;
            }
            if (details.empty()) {
                ShowPrompt(QStringLiteral("没有数据记录"));
                break;
            }
            if (build) {
                TLineList page;
                for (auto& line : header)
                    page.push_back(std::move(line));
                const int footerStart = int(page.size() + details.size());
                for (auto& line : details)
                    page.push_back(std::move(line));
                TLineList& footer = placed == records && !continued ? lastFooter : pageFooter;
                for (auto& line : footer)
                    page.push_back(std::move(line));
                PageStreams.push_back(RenderPage(page, footerStart, totalPages));
                if (waitForm_ && waitForm_->isVisible())
                    waitForm_->ShowPage(pageNumber_);
                std::move(page.begin(), page.begin() + qsizetype(header.size()), header.begin());
                std::move(page.end() - qsizetype(footer.size()), page.end(), footer.begin());
            }
            pageSums_.fill(0);
            ++pageNumber_;
            details.clear();
            detailsHeight = 0;
            if (continued) {
                detailsHeight = continued->Height();
                details.push_back(std::move(continued));
                continue;
            }
        }
        ++serial_;
        inDetailLine_ = true;
        auto line = FillLine(detailLine, false);
        inDetailLine_ = false;
        AddDetailSums(detailLine, 1);
        detailsHeight += line->Height();
        details.push_back(std::move(line));
        if (advance && detailSet_)
            detailSet_->Next();
        ++placed;
    }
    cellMap_.clear();
    return build ? detailIndex_ : pageNumber_ - 1;
}

void TReportRunTime::BindSetData() {
    if (!bindings_.empty())
        return;
    for (const QString& line : setData_)
        ApplySetDataLine(line, false);
}

void TReportRunTime::BuildPages(bool showProgress) {
    PageStreams.clear();
    const int count = Paginate(false, 0);
    if (showProgress) {
        if (!waitForm_)
            waitForm_ = std::make_unique<TREPmessform>();
        waitForm_->ShowNow();
    }
    const auto close = qScopeGuard([this] {
        if (waitForm_)
            waitForm_->hide();
    });
    Paginate(true, count);
}

void TReportRunTime::GiveTemplatePaperToPrinter() {
    TDevMode mode{.PaperSize = template_.PaperSize,
                  .Orientation = template_.Orientation,
                  .PaperLength = template_.PaperLength,
                  .PaperWidth = template_.PaperWidth};
    if (mode.PaperSize == print::kCustomPaperCode || OneLongPage) {
        if (mode.PaperSize == print::kCustomPaperCode)
            mode.Orientation = print::kPortrait;
        template_.PaperLength = Tenths(template_.PageHeight, kPixelsPerMmY);
        template_.PaperWidth = Tenths(template_.PageWidth, kPixelsPerMmX);
        mode.PaperLength = template_.PaperLength;
        mode.PaperWidth = template_.PaperWidth;
    }
    if (OneLongPage) {
        // A page as long as its lines goes on paper of its own size, fed by
        // hand.
        mode.PaperSize = print::kCustomPaperCode;
        print::Printer().SetBinCode(4);
    }
    SetPrinterDevMode(mode);
}

void TReportRunTime::ReadPage(const QByteArray& bytes) {
    ReadTemplate(bytes, page_,
                 {.ForGrid = false,
                  .KeepDisplayFormats = false,
                  .Refusal = QStringLiteral("格式不正确...")});
}

void TReportRunTime::PrintPage(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setViewport(area);
    painter.setWindow(0, 0, page_.PageWidth, page_.PageHeight);
    for (const auto& line : page_.Lines) {
        for (const auto& cell : line->Cells) {
            if (cell->MergeOwner)
                continue;
            if (cell->HasPicture) {
                // On paper a picture keeps its own size, centred across the
                // cell and near its top, cut at the cell's edges.
                const QImage picture = QImage::fromData(cell->Picture);
                const TRect& r = cell->CellRect;
                const int left =
                    r.Left +
                    int(sys::RoundHalfEven((cell->CellWidth() - picture.width()) / 2.0 + 0.5));
                const int top = std::min(
                    r.Top + int(sys::RoundHalfEven((r.Bottom - r.Top - picture.height()) / 2.0)),
                    r.Top + 3);
                const QRect place(QPoint(left, top),
                                  QPoint(std::min(left + picture.width(), r.Right) - 1,
                                         std::min(top + picture.height(), r.Bottom) - 1));
                if (place.isValid())
                    painter.drawImage(place, picture);
            }
            PaintCell(painter, *cell, true);
        }
    }
    painter.restore();
    page_.Lines.clear();
}

void TReportRunTime::PrintPageRange(QPainter& painter, const QRect& area, int from, int to,
                                    const std::function<void()>& newSheet,
                                    const std::function<bool()>& keepGoing) {
    for (int page = from; page <= to && page <= int(PageStreams.size()); ++page) {
        if (page > from)
            newSheet();
        ReadPage(PageStreams[std::size_t(page - 1)]);
        PrintPage(painter, area);
        if (keepGoing && !keepGoing())
            return;
    }
}

void TReportRunTime::PrintPages(int from, int to) {
    print::TPrinter& printer = print::Printer();
    printer.SetTitle(Title.isEmpty() ? QStringLiteral("未命名报表") : Title);
    QPainter* painter = printer.BeginDoc();
    if (!painter)
        throw Exception(QStringLiteral("打印机不能开始打印"));
    // From an open preview the user may stop the job between two pages.
    const auto keepGoing = [this, &printer] {
        if (preview_)
            QCoreApplication::processEvents();
        return printer.Printing();
    };
    PrintPageRange(
        *painter, PrintableArea(printer.Device()), from, to, [&printer] { printer.NewPage(); },
        keepGoing);
    printer.EndDoc();
}

void TReportRunTime::Print(int dialog) {
    if (!PrinterInstalled()) {
        WarnNoPrinter();
        return;
    }
    if (printing_)
        return;
    printing_ = true;
    const auto done = qScopeGuard([this] {
        printing_ = false;
        if (!preview_)
            ReleaseBindings();
    });
    try {
        BindSetData();
        BuildPages(false);
        if (PageStreams.empty())
            return;
        GiveTemplatePaperToPrinter();
        const int count = int(PageStreams.size());
        int from = 1;
        int to = count;
        if (dialog == 0 && !RunPrintDialog(count, from, to))
            return;
        PrintPages(from, to);
    } catch (...) {
        print::Printer().Abort();
        if (waitForm_)
            waitForm_->hide();
        ReleaseBindings();
        ShowPrompt(FailureText(std::current_exception()));
    }
}

void TReportRunTime::PrintPreview(bool previewLook) {
    PageStreams.clear();
    BindSetData();
    const auto release = qScopeGuard([this] { ReleaseBindings(); });
    if (!PrinterInstalled()) {
        WarnNoPrinter();
        return;
    }
    try {
        BuildPages(true);
        TPreviewForm preview;
        preview_ = &preview;
        const auto closed = qScopeGuard([this] {
            preview_ = nullptr;
            PageStreams.clear();
        });
        GiveTemplatePaperToPrinter();
        preview.SetEditEnabled(EnableEdit);
        // Page set-up and template editing work on the template file.
        const bool hasFile = !reportFile_.isEmpty();
        preview.SetTemplateEditVisible(EditEpt && EditPage && hasFile);
        preview.SetPageSetupEnabled(hasFile);
        ui::SetTag(&preview, detailIndex_);
        preview.SetPreviewMode(previewLook);
        preview.OnPrint = [this] { Print(0); };
        preview.OnPageSetup = [this] { return PageSetupAndRefresh(); };
        preview.OnAbortPrint = [this] { return AbortPrinting(); };
        preview.OnEditTemplate = [this, &preview] {
            if (const QByteArray* shown = preview.GetPageStream(preview.Paging().Current())) {
                QByteArray page = *shown;
                EditPage(&preview, page);
            }
            RefreshPreview();
        };
        preview.ShowPages(PageStreams);
    } catch (...) {
        if (waitForm_)
            waitForm_->hide();
        ShowPrompt(FailureText(std::current_exception()));
    }
}

void TReportRunTime::RefreshPreview() {
    SetReportFile(reportFile_);
    BuildPages(true);
    if (preview_) {
        preview_->SetPageStreams(PageStreams);
        preview_->ShowCurrentPage();
    }
}

bool TReportRunTime::PageSetupAndRefresh() {
    if (!RunPageSetup(preview_, reportFile_))
        return false;
    RefreshPreview();
    return true;
}

int TReportRunTime::AbortPrinting() {
    try {
        if (print::Printer().Printing())
            print::Printer().Abort();
        return 1;
    } catch (...) {
        ui::HandleCurrentException();
        return 0;
    }
}

} // namespace kx
