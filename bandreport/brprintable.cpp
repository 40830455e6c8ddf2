#include "bandreport/brprintable.h"

#include "bandreport/bandrep.h"
#include "bandreport/brband.h"
#include "bandreport/brexportfilter.h"
#include "bandreport/brprinter.h"
#include "platform/db/field.h"
#include "platform/sys/dateformat.h"
#include "platform/sys/numberformat.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <optional>

namespace kx {

namespace {

const QString kBreakChars = QStringLiteral("\r -");
const QString kShortTime = QStringLiteral("hh:nn");
const QString kShortDate = QStringLiteral("c");

bool IsHorizontal(int index) {
    return index == TBRPrintableSize::LeftIndex || index == TBRPrintableSize::WidthIndex;
}

QColor PaintColor(ui::TColor color) {
    return ui::ToQColor(color, QGuiApplication::palette());
}

// The text's left edge for a text placed at x with the alignment.
int AlignedLeft(int x, int width, TAlignment alignment) {
    if (alignment == taRightJustify)
        return x - width;
    if (alignment == taCenter)
        return x - width / 2;
    return x;
}

Qt::Alignment QtAlignment(TAlignment alignment) {
    if (alignment == taRightJustify)
        return Qt::AlignRight;
    if (alignment == taCenter)
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

bool IsNumericField(db::TFieldType type) {
    return type == db::ftSmallint || type == db::ftInteger || type == db::ftWord ||
           type == db::ftAutoInc || type == db::ftFloat || type == db::ftCurrency ||
           type == db::ftBCD;
}

bool IsIntegerField(db::TFieldType type) {
    return type == db::ftSmallint || type == db::ftInteger || type == db::ftWord;
}

bool IsDateField(db::TFieldType type) {
    return type == db::ftDate || type == db::ftTime || type == db::ftDateTime;
}

} // namespace

long double TBRPrintableSize::GetDimension(int index) const {
    return FromNative(Units(), IsHorizontal(index), native_[std::size_t(index)]);
}

void TBRPrintableSize::SetDimension(int index, long double value) {
    native_[std::size_t(index)] = ToNative(Units(), IsHorizontal(index), value);
    Changed();
}

TBRValues TBRPrintableSize::Values() const {
    return {native_.begin(), native_.end()};
}

void TBRPrintableSize::SetValues(const TBRValues& values) {
    for (qsizetype i = 0; i < values.size() && i < qsizetype(native_.size()); ++i)
        native_[std::size_t(i)] = values.at(i);
    Changed();
}

TBRPrintable::TBRPrintable(QObject* parent) : QObject(parent) {
    size_.OnChanged = [this] { ApplySize(); };
    if (TCustomBandRep* report = OwnerReport()) {
        size_.SetUnits(report->Units());
        size_.SetZoom(report->Zoom());
        size_.FontSize = [report = QPointer<TCustomBandRep>(report)] {
            return report ? (long double)report->Font().pointSizeF() : 10.0L;
        };
    }
    SetBounds(bounds_);
}

TCustomBandRep* TBRPrintable::OwnerReport() const {
    if (TBRCustomBand* band = ParentBand())
        return band->ParentReport();
    return qobject_cast<TCustomBandRep*>(parent());
}

TBRCustomBand* TBRPrintable::ParentBand() const {
    return qobject_cast<TBRCustomBand*>(parent());
}

void TBRPrintable::SetBounds(const QRect& bounds) {
    size_.SetValues({size_.ToNative(TBRUnit::Pixels, false, bounds.height()),
                     size_.ToNative(TBRUnit::Pixels, true, bounds.left()),
                     size_.ToNative(TBRUnit::Pixels, false, bounds.top()),
                     size_.ToNative(TBRUnit::Pixels, true, bounds.width())});
}

void TBRPrintable::ApplySize() {
    const auto pixels = [this](int index) {
        return int(
            RoundEven(size_.FromNative(TBRUnit::Pixels, IsHorizontal(index), size_.Native(index))));
    };
    bounds_ = QRect(pixels(TBRPrintableSize::LeftIndex), pixels(TBRPrintableSize::TopIndex),
                    pixels(TBRPrintableSize::WidthIndex), pixels(TBRPrintableSize::HeightIndex));
    if (alignToBand_ && !aligning_)
        ApplyAlignToBand();
}

void TBRPrintable::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    if (alignToBand_)
        ApplyAlignToBand();
}

void TBRPrintable::SetAlignToBand(bool value) {
    alignToBand_ = value;
    if (value)
        ApplyAlignToBand();
}

void TBRPrintable::ApplyAlignToBand() {
    if (!alignToBand_)
        return;
    aligning_ = true;
    QRect bounds = bounds_;
    const TBRCustomBand* band = ParentBand();
    if (alignment_ == taLeftJustify)
        bounds.moveLeft(0);
    else if (band && alignment_ == taRightJustify)
        bounds.moveLeft(band->Bounds().width() - bounds.width());
    else if (band)
        bounds.moveLeft((band->Bounds().width() - bounds.width()) / 2);
    SetBounds(bounds);
    aligning_ = false;
}

QFont TBRPrintable::Font() const {
    if (!ParentFont)
        return font_;
    if (const TBRCustomBand* band = ParentBand())
        return band->Font();
    if (const TCustomBandRep* report = OwnerReport())
        return report->Font();
    return font_;
}

void TBRPrintable::SetFont(const QFont& font) {
    font_ = font;
    ParentFont = false;
}

void TBRPrintable::BeginPrintMode() {
    printing_ = true;
    printComplete_ = true;
}

void TBRPrintable::EndPrintMode() {
    printing_ = false;
}

void TBRPrintable::ParentNotify(QObject*, int operation) {
    if (operation == 2)
        ApplyAlignToBand();
}

void TBRPrintable::PrintAt(int ofsX, int ofsY) {
    const long double x = ofsX + size_.Native(TBRPrintableSize::LeftIndex);
    const long double y = ofsY + size_.Native(TBRPrintableSize::TopIndex);
    PaintFrameAround(x, y, size_.Native(TBRPrintableSize::WidthIndex),
                     size_.Native(TBRPrintableSize::HeightIndex));
}

void TBRPrintable::PaintFrameAround(long double x, long double y, long double width,
                                    long double height) {
    const TCustomBandRep* report = OwnerReport();
    if (!report || !report->ActivePrinter || !frame_.AnySideDrawn())
        return;
    TBRPrinter& printer = *report->ActivePrinter;
    const QPoint topLeft(printer.ToDeviceX(x), printer.ToDeviceY(y));
    const QPoint bottomRight(printer.ToDeviceX(x + width), printer.ToDeviceY(y + height));
    const QRect rect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
    if (QPainter* canvas = report->DrawOnCanvas ? printer.PageCanvas() : nullptr)
        frame_.PaintFrame(*canvas, rect, printer.PixelsPerTenthY(), printer.PixelsPerTenthX());
    if (report->ExportFilter) {
        const auto* label = qobject_cast<const TBRCustomLabel*>(this);
        if (label && !label->Transparent)
            ExportFilledRect(*report->ExportFilter, rect, Color);
        ExportFrame(*report->ExportFilter, frame_, rect, printer.PixelsPerTenthY(),
                    printer.PixelsPerTenthX());
    }
}

namespace {

void PutShape(TBRExportFilter& filter, const QRect& rect, TBRShapeType type, const QPen& pen,
              const QBrush& brush) {
    TBRShape shape(nullptr);
    shape.Shape = type;
    shape.Pen = pen;
    shape.Brush = brush;
    shape.SetBounds(QRect(0, 0, rect.width(), rect.height()));
    filter.PutShape(rect.left(), rect.top(), &shape);
}

} // namespace

void ExportFilledRect(TBRExportFilter& filter, const QRect& rect, ui::TColor color) {
    PutShape(filter, rect, brsRectangle, Qt::NoPen, QBrush(PaintColor(color)));
}

void ExportFrame(TBRExportFilter& filter, const TBRFrame& frame, const QRect& rect,
                 long double verticalScale, long double horizontalScale) {
    const QColor color = PaintColor(frame.Color());
    const int across = frame.Thickness(verticalScale);
    const int down = frame.Thickness(horizontalScale);
    if (frame.DrawTop() && frame.DrawBottom() && frame.DrawLeft() && frame.DrawRight()) {
        PutShape(filter, rect, brsRectangle, QPen(color, across), Qt::NoBrush);
        return;
    }
    const QPen pen(color);
    const QBrush brush(color);
    if (frame.DrawTop())
        PutShape(filter, QRect(rect.left(), rect.top(), rect.width(), across), brsHorLine, pen,
                 brush);
    if (frame.DrawBottom())
        PutShape(filter,
                 QRect(rect.left(), rect.top() + rect.height() - across, rect.width(), across),
                 brsHorLine, pen, brush);
    if (frame.DrawLeft())
        PutShape(filter, QRect(rect.left(), rect.top(), down, rect.height()), brsVertLine, pen,
                 brush);
    if (frame.DrawRight())
        PutShape(filter, QRect(rect.left() + rect.width() - down, rect.top(), down, rect.height()),
                 brsVertLine, pen, brush);
}

TBRCustomLabel::TBRCustomLabel(QObject* parent) : TBRPrintable(parent) {}

void TBRCustomLabel::SetCaptionText(const QString& caption) {
    caption_ = caption;
    PrintText = caption;
    BuildLines();
}

int TBRCustomLabel::TextWidth(const QString& text) const {
    if (const TCustomBandRep* report = OwnerReport())
        return report->MeasureTextWidth(Font(), text) * Size().Zoom() / 100;
    return QFontMetrics(Font()).horizontalAdvance(text);
}

int TBRCustomLabel::LineHeightPixels() const {
    if (const TCustomBandRep* report = OwnerReport())
        return report->MeasureTextHeight(Font(), QStringLiteral("W")) * Size().Zoom() / 100;
    return QFontMetrics(Font()).height();
}

void TBRCustomLabel::BuildLines() {
    outputLines_.clear();
    if (!parent())
        return;
    const int limit = Bounds().width();
    const bool sizes = OwnerReport() && !sizing_;
    if (UsesPrintText()) {
        FormatSource(PrintText, limit);
        if (sizes && Bounds().height() < LineHeightPixels() + 1) {
            sizing_ = true;
            SetBounds(QRect(Bounds().topLeft(), QSize(Bounds().width(), LineHeightPixels() + 1)));
            sizing_ = false;
        }
    } else if (AutoSize) {
        outputLines_ = RawLines;
    } else {
        for (const QString& line : RawLines)
            FormatSource(line, limit);
    }
    if (!AutoSize || !sizes)
        return;
    sizing_ = true;
    int width = 0;
    for (const QString& line : outputLines_)
        width = qMax(width, TextWidth(line));
    width +=
        (Frame().DrawLeft() ? Frame().Width() : 0) + (Frame().DrawRight() ? Frame().Width() : 0);
    QRect bounds = Bounds();
    if (Alignment() == taRightJustify)
        bounds.moveLeft(bounds.left() + bounds.width() - width);
    else if (Alignment() == taCenter)
        bounds.moveLeft(bounds.left() + (bounds.width() - width) / 2);
    bounds.setWidth(width);
    bounds.setHeight(qMax(bounds.height(), LineHeightPixels() + 1));
    SetBounds(bounds);
    sizing_ = false;
}

void TBRCustomLabel::FormatSource(const QString& source, int limit) {
    // Most texts are a single line, printed record after record.
    if (!source.contains(u'\r') && !source.contains(u'\n')) {
        FormatSourceLine(source, limit);
        return;
    }
    QString text = source;
    text.remove(u'\n');
    for (const QString& line : text.split(u'\r'))
        FormatSourceLine(line, limit);
}

void TBRCustomLabel::FormatSourceLine(const QString& line, int limit) {
    if (AutoSize) {
        outputLines_.append(line);
        return;
    }
    QStringList words;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i)
        if (kBreakChars.contains(line.at(i))) {
            words.append(line.mid(start, i - start + 1));
            start = i + 1;
        }
    if (start < line.size())
        words.append(line.mid(start));

    const qsizetype linesBefore = outputLines_.size();
    QString building;
    for (QString word : words) {
        if (TextWidth(building.isEmpty() ? word : building + word) <= limit) {
            building += word;
            continue;
        }
        if (building.isEmpty()) {
            QString cut;
            for (QChar character : word) {
                if (TextWidth(cut + character) >= limit)
                    break;
                cut += character;
            }
            outputLines_.append(cut);
        } else {
            outputLines_.append(building);
            building.clear();
            if (TextWidth(word) > limit) {
                while (!word.isEmpty() && TextWidth(word) > limit)
                    word.chop(1);
                outputLines_.append(word);
            } else if (WordWrap) {
                building = word;
                continue;
            }
        }
        if (!WordWrap)
            return;
    }
    // A word cut to fit may have ended the text; an empty source line still
    // takes one line.
    if (!building.isEmpty() || outputLines_.size() == linesBefore)
        outputLines_.append(building);
}

void TBRCustomLabel::BeginPrintMode() {
    TBRPrintable::BeginPrintMode();
    PrintText = caption_;
    BuildLines();
}

void TBRCustomLabel::PrintAt(int ofsX, int ofsY) {
    if (CanPrint())
        PrintLines(ofsX + Size().Native(TBRPrintableSize::LeftIndex),
                   ofsY + Size().Native(TBRPrintableSize::TopIndex));
}

void TBRCustomLabel::PrintLines(long double x, long double y) {
    TCustomBandRep* report = OwnerReport();
    if (!report || !report->ActivePrinter)
        return;
    TBRPrinter& printer = *report->ActivePrinter;
    QPainter* canvas = report->DrawOnCanvas ? printer.PageCanvas() : nullptr;
    TBRExportFilter* filter = report->ExportFilter;
    TBRCustomBand* band = ParentBand();
    QFont font = Font();
    const QFontMetrics* metrics = nullptr;
    // Without a canvas the lines are placed by the report's own measure, the
    // one that sized the label.
    const auto lineHeight = [&]() -> long double {
        font = Font();
        if (!canvas)
            return report->MeasureTextHeight(font, QStringLiteral("W")) /
                   (ScreenPixelsPerInch() / 254.0L);
        metrics = &report->DeviceMetrics(font, canvas->device());
        return metrics->height() / printer.PixelsPerTenthY();
    };

    const long double widthAtEntry = Size().Native(TBRPrintableSize::WidthIndex);
    long double height = Size().Native(TBRPrintableSize::HeightIndex);
    long double lh = lineHeight();
    const QString keptText = PrintText;
    if (!PrintText.isEmpty() && OnPrint) {
        QString value = PrintText;
        OnPrint(this, value);
        height = Size().Native(TBRPrintableSize::HeightIndex);
        lh = lineHeight();
        PrintText = value;
    }
    BuildLines();
    const long double width = Size().Native(TBRPrintableSize::WidthIndex);
    const QColor color = PaintColor(Color);
    const auto device = [&](long double left, long double top, long double right,
                            long double bottom) {
        return QRect(QPoint(printer.ToDeviceX(left), printer.ToDeviceY(top)),
                     QPoint(printer.ToDeviceX(right) - 1, printer.ToDeviceY(bottom) - 1));
    };
    if (canvas && !Transparent)
        canvas->fillRect(device(x, y, x + width, y + height), color);
    if (filter && !Transparent && Color != 0xFFFFFF) {
        const int left = printer.ToDeviceX(x);
        const int top = printer.ToDeviceY(y);
        ExportFilledRect(*filter,
                         QRect(left, top, printer.ToDeviceX(x + width) - left,
                               printer.ToDeviceY(y + height) - top),
                         Color);
    }

    const long double frameX = x;
    const long double frameY = y;
    const long double frameWidth = RoundEven(Frame().Width() / 72.0L * 254);
    if (Frame().AnySideDrawn()) {
        if (Frame().DrawTop())
            y += frameWidth;
        if (Frame().DrawLeft())
            x += frameWidth;
    }
    long double limit = y + height + 1.0L;
    long double position = y;
    long double textX = x;
    if (AutoSize && Alignment() == taRightJustify)
        textX = x - (width - widthAtEntry);
    else if (AutoSize && Alignment() == taCenter)
        textX = x - (width - widthAtEntry) / 2;
    long double anchorX = textX;
    if (Alignment() == taRightJustify)
        anchorX = textX + width;
    else if (Alignment() == taCenter)
        anchorX = textX + width / 2;

    if (printComplete_)
        NextLineIndex = 0;
    if (canvas && canvas->font() != font)
        canvas->setFont(font);
    bool started = false;
    while (NextLineIndex < outputLines_.size()) {
        if (limit < position + lh) {
            if (!AutoStretch || !band || !band->FitsOnPage(lh))
                break;
            const long double before = band->Stretch;
            long double grown = 0;
            band->TryGrowHeight(grown, started, lh);
            limit = y + height + 1.0L + band->Stretch;
            if (canvas && !Transparent)
                canvas->fillRect(
                    device(x, y + height + before, x + width, y + height + band->Stretch), color);
            continue;
        }
        const QString& line = outputLines_.at(NextLineIndex);
        if (canvas && !line.isEmpty()) {
            const int width = Alignment() == taLeftJustify ? 0 : metrics->horizontalAdvance(line);
            const int left = AlignedLeft(printer.ToDeviceX(anchorX), width, Alignment());
            canvas->drawText(QPoint(left, printer.ToDeviceY(position) + metrics->ascent()), line);
        }
        if (filter)
            filter->PutText(anchorX, position, font, Color, QtAlignment(Alignment()), line);
        position += lh;
        ++NextLineIndex;
    }
    printComplete_ = !(NextLineIndex < outputLines_.size() && AutoStretch);
    PrintText = keptText;
    PaintFrameAround(frameX, frameY, width, height + (band ? band->Stretch : 0));
}

void TBRLabel::SetCaption(const QString& caption) {
    SetCaptionText(caption);
}

void TBRDBText::SetDataField(const QString& field) {
    dataField_ = field;
    SetCaptionText(field);
}

void TBRDBText::BeginPrintMode() {
    TBRCustomLabel::BeginPrintMode();
    fieldIndex_ = -1;
    fieldFound_ = false;
    memo_ = false;
    if (!dataSet_)
        return;
    db::TField* field = dataSet_->FindField(dataField_);
    if (!field)
        return;
    fieldIndex_ = int(dataSet_->Fields().IndexOf(field));
    fieldFound_ = true;
    memo_ = field->DataType() == db::ftMemo || field->DataType() == db::ftBlob;
    if (memo_)
        PrintText.clear();
}

QString TBRDBText::FieldText() {
    if (!Enabled)
        return PrintText;
    RawLines.clear();
    if (!fieldFound_ || !dataSet_ || fieldIndex_ < 0 || fieldIndex_ >= dataSet_->Fields().Count())
        return {};
    const db::TField* field = dataSet_->Fields().Fields(fieldIndex_);
    try {
        if (memo_) {
            RawLines = field->AsString().split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
            return {};
        }
        const db::TFieldType type = field->DataType();
        if (Mask.isEmpty() || type == db::ftString || field->IsNull())
            return field->DisplayText();
        if (IsIntegerField(type))
            return sys::FormatFloat(Mask, field->AsInteger());
        if (IsNumericField(type))
            return sys::FormatFloat(Mask, field->AsFloat());
        if (IsDateField(type))
            return sys::FormatDateTime(Mask, field->AsDateTime());
        return field->DisplayText();
    } catch (const std::exception&) {
        // A value that cannot be read or formatted prints as nothing; the
        // report goes on.
        return {};
    }
}

void TBRDBText::PrintAt(int ofsX, int ofsY) {
    if (!CanPrint())
        return;
    const QString text = FieldText();
    if (!memo_)
        PrintText = text;
    TBRCustomLabel::PrintAt(ofsX, ofsY);
}

QString TBRDBText::CurrentFieldText() {
    return FieldText();
}

long double TBRDBText::NeededHeight() {
    PrintText = FieldText();
    BuildLines();
    const TCustomBandRep* report = OwnerReport();
    const int lineHeight = report ? report->MeasureTextHeight(Font(), QStringLiteral("W"))
                                  : QFontMetrics(Font()).height();
    return static_cast<long double>(OutputLines().size()) * lineHeight * Size().Zoom() / 100;
}

void TBRDBText::EndPrintMode() {
    fieldFound_ = false;
    fieldIndex_ = -1;
    TBRPrintable::EndPrintMode();
    SetCaptionText(dataField_.isEmpty() ? objectName() : dataField_);
}

TBRExpr::TBRExpr(QObject* parent) : TBRCustomLabel(parent) {
    UpdateCaption();
}

void TBRExpr::SetExpression(const QString& expression) {
    expression_ = expression;
    UpdateCaption();
}

void TBRExpr::SetMask(const QString& mask) {
    mask_ = mask;
    UpdateCaption();
}

void TBRExpr::UpdateCaption() {
    SetCaptionText(expression_.isEmpty() ? QStringLiteral("(none)") : expression_);
}

void TBRExpr::BeginPrintMode() {
    TBRCustomLabel::BeginPrintMode();
    TCustomBandRep* report = OwnerReport();
    if (report) {
        evaluator_.AssignDatasets(&report->RunDatasets);
        evaluator_.SetEnvironment(&report->Functions());
    }
    evaluator_.Compile(expression_);
    if (auto* master = qobject_cast<TBandRep*>(master_))
        master->AddNotifyExpr(this);
    else if (auto* sub = qobject_cast<TBRSubDetail*>(master_))
        sub->BandController().RegisterAggregateExpr(this);
    else if (!master_ && report && evaluator_.HasAggregates())
        report->AddNotifyExpr(this);
    ResetValue();
}

void TBRExpr::ParentNotify(QObject* sender, int operation) {
    TBRCustomLabel::ParentNotify(sender, operation);
    if (operation == 0 && evaluator_.Compiled())
        evaluator_.AccumulateAggregates();
}

void TBRExpr::PrintAt(int ofsX, int ofsY) {
    if (!CanPrint())
        return;
    const TBREvValue value = evaluator_.ComputeResult();
    switch (value.Kind) {
    case TBREvKind::Integer:
    case TBREvKind::Float:
        PrintText = sys::FormatFloat(mask_, value.AsDouble());
        break;
    case TBREvKind::Boolean:
        PrintText = value.BooleanValue ? QStringLiteral("True") : QStringLiteral("False");
        break;
    case TBREvKind::String:
    case TBREvKind::Error:
        PrintText = value.Text();
        break;
    }
    TBRCustomLabel::PrintAt(ofsX, ofsY);
    if (ResetAfterPrint)
        ResetValue();
}

void TBRExpr::EndPrintMode() {
    evaluator_.AssignDatasets(nullptr);
    evaluator_.DropCompiled();
    TBRPrintable::EndPrintMode();
    UpdateCaption();
}

TBRSysData::TBRSysData(QObject* parent) : TBRCustomLabel(parent) {
    UpdateCaption();
}

void TBRSysData::SetData(TBRSysDataType data) {
    data_ = data;
    UpdateCaption();
}

void TBRSysData::SetText(const QString& text) {
    text_ = text;
    UpdateCaption();
}

void TBRSysData::UpdateCaption() {
    static const char* const names[] = {"Time",         "Date",         "Date/Time", "Page#",
                                        "Report title", "Detail count", "Detail no"};
    SetCaptionText(text_ + QStringLiteral("(") + QString::fromLatin1(names[data_]) +
                   QStringLiteral(")"));
}

void TBRSysData::PrintAt(int ofsX, int ofsY) {
    TCustomBandRep* report = OwnerReport();
    const auto* bandRep = qobject_cast<TBandRep*>(report);
    const QDateTime now = QDateTime::currentDateTime();
    QString value;
    bool known = true;
    switch (data_) {
    case brsTime:
        value = sys::FormatDateTime(kShortTime, now);
        break;
    case brsDate:
        value = sys::FormatDateTime(kShortDate, now.date());
        break;
    case brsDateTime:
        value = sys::FormatDateTime(kShortDate, now);
        break;
    case brsPageNumber:
        value = QString::number(report ? report->CurrentPage : 0);
        break;
    case brsReportTitle:
        value = report ? report->ReportTitle : QString();
        break;
    case brsDetailCount:
        known = bandRep != nullptr;
        value = bandRep ? QString::number(bandRep->DataSetRecordCount()) : QString();
        break;
    case brsDetailNo:
        known = bandRep != nullptr;
        value = bandRep ? QString::number(bandRep->CurrentDetailNumber()) : QString();
        break;
    }
    if (known)
        SetCaptionText(text_ + value);
    TBRCustomLabel::PrintAt(ofsX, ofsY);
}

TBRShape::TBRShape(QObject* parent) : TBRPrintable(parent) {
    SetBounds(QRect(0, 0, 65, 65));
}

void TBRShape::PrintAt(int ofsX, int ofsY) {
    TCustomBandRep* report = OwnerReport();
    if (!Enabled || !report || !report->ActivePrinter)
        return;
    TBRPrinter& printer = *report->ActivePrinter;
    const long double x = ofsX + Size().Native(TBRPrintableSize::LeftIndex);
    const long double y = ofsY + Size().Native(TBRPrintableSize::TopIndex);
    const long double w = Size().Native(TBRPrintableSize::WidthIndex);
    const long double h = Size().Native(TBRPrintableSize::HeightIndex);
    if (report->ExportFilter)
        report->ExportFilter->PutShape(printer.ToDeviceX(x), printer.ToDeviceY(y), this);
    QPainter* canvas = report->DrawOnCanvas ? printer.PageCanvas() : nullptr;
    if (!canvas)
        return;
    const auto point = [&](long double px, long double py) {
        return QPoint(printer.ToDeviceX(px), printer.ToDeviceY(py));
    };
    canvas->save();
    canvas->setPen(Pen);
    canvas->setBrush(Brush);
    const QRect box(point(x, y), point(x + w, y + h));
    switch (Shape) {
    case brsRectangle:
        canvas->drawRect(box);
        break;
    case brsCircle:
        canvas->drawEllipse(box);
        break;
    case brsVertLine:
        canvas->drawLine(point(x + w / 2, y), point(x + w / 2, y + h));
        break;
    case brsHorLine:
        canvas->drawLine(point(x, y + h / 2), point(x + w, y + h / 2));
        break;
    case brsTopAndBottom:
        canvas->drawLine(point(x, y), point(x + w, y));
        canvas->drawLine(point(x, y + h), point(x + w, y + h));
        break;
    case brsRightAndLeft:
        canvas->drawLine(point(x, y), point(x, y + h));
        canvas->drawLine(point(x + w, y), point(x + w, y + h));
        break;
    case brsRoundRect: {
        const qreal corner = int(Bounds().width() * RoundFactor);
        canvas->drawRoundedRect(box, corner / 2, corner / 2);
        break;
    }
    }
    canvas->restore();
}

} // namespace kx
