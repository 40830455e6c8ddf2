#pragma once
// The printable controls of a band: static texts, data-field texts,
// expression texts, system data and shapes. Each keeps its place in tenths
// of a millimetre and prints itself through the running report's printer,
// or hands its texts to the report's export filter.

#include "bandreport/brevaluator.h"
#include "bandreport/brframe.h"
#include "bandreport/brunitbase.h"
#include "platform/db/dataset.h"
#include "platform/ui/colors.h"

#include <QBrush>
#include <QFont>
#include <QObject>
#include <QPen>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <functional>

namespace kx {

class TBRCustomBand;
class TCustomBandRep;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TBRPrintableSize : public TBRUnitBase {
public:
    enum Dimension { HeightIndex, LeftIndex, TopIndex, WidthIndex };

    long double GetDimension(int index) const;
    void SetDimension(int index, long double value);
    long double Native(int index) const { return native_[std::size_t(index)]; }

    long double Height() const { return GetDimension(HeightIndex); }
    long double Left() const { return GetDimension(LeftIndex); }
    long double Top() const { return GetDimension(TopIndex); }
    long double Width() const { return GetDimension(WidthIndex); }

    TBRValues Values() const override;
    void SetValues(const TBRValues& values) override;

private:
    std::array<long double, 4> native_{};
};

class TBRPrintable : public QObject {
    Q_OBJECT
public:
    // parent: the band (or report) the control stands on.
    explicit TBRPrintable(QObject* parent);

    TBRPrintableSize& Size() { return size_; }
    const TBRPrintableSize& Size() const { return size_; }
    TBRFrame& Frame() { return frame_; }
    const TBRFrame& Frame() const { return frame_; }
    // Pixel bounds at the report's zoom.
    QRect Bounds() const { return bounds_; }
    // Moves the control in pixels; the size follows.
    void SetBounds(const QRect& bounds);

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment alignment);
    bool AlignToBand() const { return alignToBand_; }
    void SetAlignToBand(bool value);

    bool Enabled = true;
    ui::TColor Color = 0xFFFFFF;
    bool ParentFont = true;
    QFont Font() const;
    void SetFont(const QFont& font);

    TCustomBandRep* OwnerReport() const;
    TBRCustomBand* ParentBand() const;
    bool Printing() const { return printing_; }
    bool PrintComplete() const { return printComplete_; }

    virtual bool CanPrint() const { return Enabled; }
    virtual void ApplyAlignToBand();
    virtual void BeginPrintMode();
    // Prints at (ofsX + Left, ofsY + Top), tenths of a millimetre.
    virtual void PrintAt(int ofsX, int ofsY);
    // 0: a detail band is about to print; 2: the band's bounds changed.
    virtual void ParentNotify(QObject* sender, int operation);
    virtual void EndPrintMode();
    virtual long double NeededHeight() { return 0; }
    virtual QString CurrentFieldText() { return {}; }

protected:
    void ApplySize();
    void PaintFrameAround(long double x, long double y, long double width, long double height);

    bool printing_ = false;
    bool printComplete_ = true;

private:
    TBRPrintableSize size_;
    TBRFrame frame_;
    QRect bounds_{0, 0, 10, 10};
    QFont font_;
    TAlignment alignment_ = taLeftJustify;
    bool alignToBand_ = false;
    bool aligning_ = false;
};

using TBRLabelOnPrintEvent = std::function<void(QObject* sender, QString& value)>;

class TBRCustomLabel : public TBRPrintable {
    Q_OBJECT
public:
    explicit TBRCustomLabel(QObject* parent);

    QString Caption() const { return caption_; }
    QString PrintText;
    QStringList RawLines;
    const QStringList& OutputLines() const { return outputLines_; }
    int NextLineIndex = 0;

    bool AutoSize = true;
    bool AutoStretch = false;
    bool WordWrap = true;
    bool Transparent = false;
    TBRLabelOnPrintEvent OnPrint;

    virtual bool UsesPrintText() const { return true; }
    void BuildLines();
    void BeginPrintMode() override;
    void PrintAt(int ofsX, int ofsY) override;

protected:
    void SetCaptionText(const QString& caption);
    void PrintLines(long double x, long double y);

private:
    int TextWidth(const QString& text) const;
    int LineHeightPixels() const;
    void FormatSource(const QString& source, int limit);
    void FormatSourceLine(const QString& line, int limit);

    QString caption_;
    QStringList outputLines_;
    bool sizing_ = false;
};

class TBRLabel : public TBRCustomLabel {
    Q_OBJECT
public:
    using TBRCustomLabel::TBRCustomLabel;
    QString GetCaption() const { return Caption(); }
    void SetCaption(const QString& caption);
};

class TBRDBText : public TBRCustomLabel {
    Q_OBJECT
public:
    using TBRCustomLabel::TBRCustomLabel;

    db::TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(db::TDataSet* dataSet) { dataSet_ = dataSet; }
    QString DataField() const { return dataField_; }
    void SetDataField(const QString& field);
    QString Mask;

    bool UsesPrintText() const override { return !memo_; }
    void BeginPrintMode() override;
    void PrintAt(int ofsX, int ofsY) override;
    void EndPrintMode() override;
    long double NeededHeight() override;
    QString CurrentFieldText() override;
    // The field's text for the print; empty for no field, a null value or
    // any failure reading it.
    QString FieldText();

private:
    QPointer<db::TDataSet> dataSet_;
    QString dataField_;
    int fieldIndex_ = -1;
    bool fieldFound_ = false;
    bool memo_ = false;
};

class TBRExpr : public TBRCustomLabel {
    Q_OBJECT
public:
    explicit TBRExpr(QObject* parent);

    QString Expression() const { return expression_; }
    void SetExpression(const QString& expression);
    QString Mask() const { return mask_; }
    void SetMask(const QString& mask);
    QObject* Master() const { return master_; }
    void SetMaster(QObject* master) { master_ = master; }
    bool ResetAfterPrint = false;
    TBREvaluator& Evaluator() { return evaluator_; }

    void BeginPrintMode() override;
    void PrintAt(int ofsX, int ofsY) override;
    void ParentNotify(QObject* sender, int operation) override;
    void EndPrintMode() override;
    void ResetValue() { evaluator_.ResetElements(); }

private:
    void UpdateCaption();

    QString expression_;
    QString mask_;
    QPointer<QObject> master_;
    TBREvaluator evaluator_;
};

enum TBRSysDataType {
    brsTime,
    brsDate,
    brsDateTime,
    brsPageNumber,
    brsReportTitle,
    brsDetailCount,
    brsDetailNo
};

class TBRSysData : public TBRCustomLabel {
    Q_OBJECT
public:
    explicit TBRSysData(QObject* parent);

    TBRSysDataType Data() const { return data_; }
    void SetData(TBRSysDataType data);
    QString Text() const { return text_; }
    void SetText(const QString& text);

    void PrintAt(int ofsX, int ofsY) override;

private:
    void UpdateCaption();

    TBRSysDataType data_ = brsTime;
    QString text_;
};

enum TBRShapeType {
    brsRectangle,
    brsCircle,
    brsVertLine,
    brsHorLine,
    brsTopAndBottom,
    brsRightAndLeft,
    brsRoundRect
};

class TBRShape : public TBRPrintable {
    Q_OBJECT
public:
    explicit TBRShape(QObject* parent);

    TBRShapeType Shape = brsRectangle;
    QPen Pen{Qt::black};
    QBrush Brush{Qt::white};
    float RoundFactor = 0;
    int VertAdjust = 0;

    void PrintAt(int ofsX, int ofsY) override;
};

class TBRExportFilter;

// What an exporting report hands its filter for a filled rectangle and for
// a frame (device pixels): a filled rectangle, then the frame's outline, or
// a line per side it draws.
void ExportFilledRect(TBRExportFilter& filter, const QRect& rect, ui::TColor color);
void ExportFrame(TBRExportFilter& filter, const TBRFrame& frame, const QRect& rect,
                 long double verticalScale, long double horizontalScale);

} // namespace kx
