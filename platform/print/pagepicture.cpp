#include "platform/print/pagepicture.h"

#include <QBrush>
#include <QBuffer>
#include <QDataStream>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>
#include <QPolygonF>
#include <QTransform>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>
#include <variant>
#include <vector>

namespace kx::print {

std::optional<int> PageDeviceMetric(QPaintDevice::PaintDeviceMetric metric, QSize size,
                                    int dotsPerInch) {
    switch (metric) {
    case QPaintDevice::PdmWidth:
        return size.width();
    case QPaintDevice::PdmHeight:
        return size.height();
    case QPaintDevice::PdmWidthMM:
        return qRound(size.width() * 25.4 / dotsPerInch);
    case QPaintDevice::PdmHeightMM:
        return qRound(size.height() * 25.4 / dotsPerInch);
    case QPaintDevice::PdmNumColors:
        return std::numeric_limits<int>::max();
    case QPaintDevice::PdmDepth:
        return 32;
    case QPaintDevice::PdmDpiX:
    case QPaintDevice::PdmDpiY:
    case QPaintDevice::PdmPhysicalDpiX:
    case QPaintDevice::PdmPhysicalDpiY:
        return dotsPerInch;
    case QPaintDevice::PdmDevicePixelRatio:
        return 1;
    case QPaintDevice::PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    default:
        return std::nullopt;
    }
}

namespace {

constexpr char kMagic[4] = {'K', 'X', 'P', 'G'};
constexpr char kListTag[4] = {'K', 'X', 'D', 'L'};
constexpr quint32 kListVersion = 1;
// Tag, version, count and reserved zeros: the page file reads bytes 17 to
// 20 of a page to tell its older layout, and must find no "EMF" there.
constexpr int kListHeaderSize = 20;
constexpr int kMaxSide = 100000;
constexpr int kLastBrushStyle = Qt::DiagCrossPattern;
// Larger than any text a page holds; a damaged size could ask for glyphs of
// any size.
constexpr int kLargestFont = 2000;

// What a page draws, in the order it was drawn; the index of each kind in
// the variant is its code in the bytes.
namespace op {
struct Pen {
    QPen Value;
};
struct Brush {
    QBrush Value;
};
struct Font {
    QFont Value;
};
struct Transform {
    QTransform Value;
};
struct Clip {
    bool Enabled = false;
    int Operation = Qt::NoClip;
    QPainterPath Path;
};
struct Background {
    bool Opaque = false;
    QBrush Value;
};
struct Opacity {
    qreal Value = 1;
};
struct Hints {
    int Value = 0;
};
struct Rects {
    QList<QRectF> Value;
};
struct Lines {
    QList<QLineF> Value;
};
struct Ellipse {
    QRectF Value;
};
struct Path {
    QPainterPath Value;
};
// Mode: a QPaintEngine::PolygonDrawMode, or kPointsMode for single points.
struct Polygon {
    int Mode = 0;
    QPolygonF Value;
};
struct Image {
    QRectF Target;
    QImage Value;
    QRectF Source;
};
struct Text {
    QPointF Origin;
    QString Value;
};
} // namespace op

constexpr int kPointsMode = -1;

using Op = std::variant<op::Pen, op::Brush, op::Font, op::Transform, op::Clip, op::Background,
                        op::Opacity, op::Hints, op::Rects, op::Lines, op::Ellipse, op::Path,
                        op::Polygon, op::Image, op::Text>;

// Writing ---------------------------------------------------------------

void WriteColor(QDataStream& out, const QColor& color) {
    out << quint64(color.rgba64());
}

void WritePen(QDataStream& out, const QPen& pen) {
    WriteColor(out, pen.color());
    out << double(pen.widthF()) << qint32(pen.style()) << qint32(pen.capStyle())
        << qint32(pen.joinStyle()) << pen.isCosmetic() << double(pen.miterLimit());
    const QList<qreal> dashes =
        pen.style() == Qt::CustomDashLine ? pen.dashPattern() : QList<qreal>();
    out << quint32(dashes.size());
    for (qreal dash : dashes)
        out << double(dash);
}

// Gradients and textures are kept as their colour: report controls fill
// with plain colours and patterns only.
void WriteBrush(QDataStream& out, const QBrush& brush) {
    WriteColor(out, brush.color());
    const int style = brush.style() <= kLastBrushStyle ? brush.style() : Qt::SolidPattern;
    out << qint32(style);
}

void WriteRect(QDataStream& out, const QRectF& rect) {
    out << double(rect.x()) << double(rect.y()) << double(rect.width()) << double(rect.height());
}

void WritePoint(QDataStream& out, const QPointF& point) {
    out << double(point.x()) << double(point.y());
}

void WritePath(QDataStream& out, const QPainterPath& path) {
    out << qint32(path.fillRule()) << quint32(path.elementCount());
    for (int index = 0; index < path.elementCount(); ++index) {
        const QPainterPath::Element element = path.elementAt(index);
        out << qint8(element.type) << double(element.x) << double(element.y);
    }
}

struct Writer {
    QDataStream& Out;

    void operator()(const op::Pen& pen) { WritePen(Out, pen.Value); }
    void operator()(const op::Brush& brush) { WriteBrush(Out, brush.Value); }
    void operator()(const op::Font& font) { Out << font.Value.toString(); }
    void operator()(const op::Transform& transform) {
        const QTransform& t = transform.Value;
        for (qreal value :
             {t.m11(), t.m12(), t.m13(), t.m21(), t.m22(), t.m23(), t.m31(), t.m32(), t.m33()})
            Out << double(value);
    }
    void operator()(const op::Clip& clip) {
        Out << clip.Enabled << qint32(clip.Operation);
        WritePath(Out, clip.Path);
    }
    void operator()(const op::Background& background) {
        Out << background.Opaque;
        WriteBrush(Out, background.Value);
    }
    void operator()(const op::Opacity& opacity) { Out << double(opacity.Value); }
    void operator()(const op::Hints& hints) { Out << qint32(hints.Value); }
    void operator()(const op::Rects& rects) {
        Out << quint32(rects.Value.size());
        for (const QRectF& rect : rects.Value)
            WriteRect(Out, rect);
    }
    void operator()(const op::Lines& lines) {
        Out << quint32(lines.Value.size());
        for (const QLineF& line : lines.Value) {
            WritePoint(Out, line.p1());
            WritePoint(Out, line.p2());
        }
    }
    void operator()(const op::Ellipse& ellipse) { WriteRect(Out, ellipse.Value); }
    void operator()(const op::Path& path) { WritePath(Out, path.Value); }
    void operator()(const op::Polygon& polygon) {
        Out << qint32(polygon.Mode) << quint32(polygon.Value.size());
        for (const QPointF& point : polygon.Value)
            WritePoint(Out, point);
    }
    void operator()(const op::Image& image) {
        WriteRect(Out, image.Target);
        WriteRect(Out, image.Source);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.Value.save(&buffer, "PNG");
        Out << png;
    }
    void operator()(const op::Text& text) {
        WritePoint(Out, text.Origin);
        Out << text.Value;
    }
};

// Reading: every count is checked against the bytes left, so that damaged
// bytes can neither allocate without bound nor read past the page.

class Reader {
public:
    explicit Reader(QDataStream& in) : in_(in) {}

    bool Ok() const { return in_.status() == QDataStream::Ok; }

    // Every number of a page is finite.
    double Number() {
        double value = 0;
        in_ >> value;
        if (!std::isfinite(value)) {
            Fail();
            return 0;
        }
        return value;
    }
    qint32 Integer() {
        qint32 value = 0;
        in_ >> value;
        return value;
    }
    bool Flag() {
        bool value = false;
        in_ >> value;
        return value;
    }
    // A count of items of at least itemBytes each; 0 and a failed stream
    // when more than the bytes left could hold.
    quint32 Count(int itemBytes) {
        quint32 count = 0;
        in_ >> count;
        if (quint64(count) * quint64(itemBytes) > quint64(in_.device()->bytesAvailable())) {
            in_.setStatus(QDataStream::ReadCorruptData);
            return 0;
        }
        return count;
    }
    QColor Color() {
        quint64 rgba = 0;
        in_ >> rgba;
        return QColor(QRgba64::fromRgba64(rgba));
    }
    QRectF Rect() {
        const double x = Number();
        const double y = Number();
        const double w = Number();
        const double h = Number();
        return QRectF(x, y, w, h);
    }
    QPointF Point() {
        const double x = Number();
        const double y = Number();
        return QPointF(x, y);
    }
    QString Text() {
        QString text;
        in_ >> text;
        return text;
    }
    QByteArray Bytes() {
        QByteArray bytes;
        in_ >> bytes;
        return bytes;
    }
    void Fail() { in_.setStatus(QDataStream::ReadCorruptData); }
    // The value when it lies in first..last, else first and a failed read.
    int InRange(int value, int first, int last) {
        if (value >= first && value <= last)
            return value;
        Fail();
        return first;
    }

    QPen Pen() {
        QPen pen(Color());
        pen.setWidthF(Number());
        pen.setStyle(Qt::PenStyle(InRange(Integer(), Qt::NoPen, Qt::CustomDashLine)));
        pen.setCapStyle(Qt::PenCapStyle(InRange(Integer(), Qt::FlatCap, Qt::RoundCap)));
        pen.setJoinStyle(Qt::PenJoinStyle(InRange(Integer(), Qt::MiterJoin, Qt::SvgMiterJoin)));
        pen.setCosmetic(Flag());
        pen.setMiterLimit(Number());
        QList<qreal> dashes;
        const quint32 count = Count(sizeof(double));
        for (quint32 index = 0; index < count; ++index)
            dashes.append(Number());
        if (pen.style() == Qt::CustomDashLine && !dashes.isEmpty())
            pen.setDashPattern(dashes);
        return pen;
    }
    QBrush Brush() {
        const QColor color = Color();
        return QBrush(color, Qt::BrushStyle(InRange(Integer(), Qt::NoBrush, kLastBrushStyle)));
    }
    QPainterPath PainterPath() {
        QPainterPath path;
        path.setFillRule(Qt::FillRule(InRange(Integer(), Qt::OddEvenFill, Qt::WindingFill)));
        const quint32 count = Count(1 + 2 * sizeof(double));
        for (quint32 index = 0; index < count && Ok(); ++index) {
            qint8 type = 0;
            in_ >> type;
            const QPointF point = Point();
            switch (type) {
            case QPainterPath::MoveToElement:
                path.moveTo(point);
                break;
            case QPainterPath::LineToElement:
                path.lineTo(point);
                break;
            case QPainterPath::CurveToElement:
                index += 2;
                if (index >= count) {
                    Fail();
                    break;
                }
                {
                    const QPointF second = CurveData();
                    const QPointF end = CurveData();
                    path.cubicTo(point, second, end);
                    break;
                }
            default:
                Fail();
            }
        }
        return path;
    }

private:
    QPointF CurveData() {
        qint8 type = 0;
        in_ >> type;
        if (type != QPainterPath::CurveToDataElement)
            Fail();
        return Point();
    }

    QDataStream& in_;
};

std::optional<Op> ReadOp(Reader& in, int code) {
    switch (code) {
    case 0:
        return op::Pen{in.Pen()};
    case 1:
        return op::Brush{in.Brush()};
    case 2: {
        QFont font;
        if (!font.fromString(in.Text()) || font.pointSizeF() > kLargestFont ||
            font.pixelSize() > kLargestFont)
            return std::nullopt;
        return op::Font{font};
    }
    case 3: {
        double m[9];
        for (double& value : m)
            value = in.Number();
        return op::Transform{QTransform(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8])};
    }
    case 4: {
        const bool enabled = in.Flag();
        const int operation = in.InRange(in.Integer(), Qt::NoClip, Qt::IntersectClip);
        return op::Clip{enabled, operation, in.PainterPath()};
    }
    case 5: {
        const bool opaque = in.Flag();
        return op::Background{opaque, in.Brush()};
    }
    case 6:
        return op::Opacity{in.Number()};
    case 7:
        return op::Hints{in.Integer()};
    case 8: {
        op::Rects rects;
        const quint32 count = in.Count(4 * sizeof(double));
        for (quint32 index = 0; index < count; ++index)
            rects.Value.append(in.Rect());
        return rects;
    }
    case 9: {
        op::Lines lines;
        const quint32 count = in.Count(4 * sizeof(double));
        for (quint32 index = 0; index < count; ++index) {
            const QPointF from = in.Point();
            lines.Value.append(QLineF(from, in.Point()));
        }
        return lines;
    }
    case 10:
        return op::Ellipse{in.Rect()};
    case 11:
        return op::Path{in.PainterPath()};
    case 12: {
        op::Polygon polygon;
        polygon.Mode = in.InRange(in.Integer(), kPointsMode, QPaintEngine::PolylineMode);
        const quint32 count = in.Count(2 * sizeof(double));
        for (quint32 index = 0; index < count; ++index)
            polygon.Value.append(in.Point());
        return polygon;
    }
    case 13: {
        const QRectF target = in.Rect();
        const QRectF source = in.Rect();
        const QImage image = QImage::fromData(in.Bytes(), "PNG");
        if (image.isNull())
            return std::nullopt;
        return op::Image{target, image, source};
    }
    case 14: {
        const QPointF origin = in.Point();
        return op::Text{origin, in.Text()};
    }
    default:
        return std::nullopt;
    }
}

// Playing ---------------------------------------------------------------

struct Player {
    QPainter& Target;
    QTransform Base;
    // Point sizes become pixels by the target's resolution; the page's
    // pixels are stretched to the target already.
    qreal FontScale;

    void operator()(const op::Pen& pen) const { Target.setPen(pen.Value); }
    void operator()(const op::Brush& brush) const { Target.setBrush(brush.Value); }
    void operator()(const op::Font& font) const {
        if (FontScale == 1 || font.Value.pointSizeF() <= 0) {
            Target.setFont(font.Value);
            return;
        }
        QFont scaled = font.Value;
        scaled.setPointSizeF(font.Value.pointSizeF() * FontScale);
        Target.setFont(scaled);
    }
    void operator()(const op::Transform& transform) const {
        Target.setTransform(transform.Value * Base);
    }
    void operator()(const op::Clip& clip) const {
        if (clip.Operation == Qt::NoClip)
            Target.setClipping(clip.Enabled);
        else
            Target.setClipPath(clip.Path, Qt::ClipOperation(clip.Operation));
    }
    void operator()(const op::Background& background) const {
        Target.setBackgroundMode(background.Opaque ? Qt::OpaqueMode : Qt::TransparentMode);
        Target.setBackground(background.Value);
    }
    void operator()(const op::Opacity& opacity) const { Target.setOpacity(opacity.Value); }
    void operator()(const op::Hints& hints) const {
        Target.setRenderHints(QPainter::RenderHints(hints.Value), true);
        Target.setRenderHints(~QPainter::RenderHints(hints.Value), false);
    }
    void operator()(const op::Rects& rects) const { Target.drawRects(rects.Value); }
    void operator()(const op::Lines& lines) const { Target.drawLines(lines.Value); }
    void operator()(const op::Ellipse& ellipse) const { Target.drawEllipse(ellipse.Value); }
    void operator()(const op::Path& path) const { Target.drawPath(path.Value); }
    void operator()(const op::Polygon& polygon) const {
        switch (polygon.Mode) {
        case kPointsMode:
            Target.drawPoints(polygon.Value);
            break;
        case QPaintEngine::PolylineMode:
            Target.drawPolyline(polygon.Value);
            break;
        case QPaintEngine::WindingMode:
            Target.drawPolygon(polygon.Value, Qt::WindingFill);
            break;
        default:
            Target.drawPolygon(polygon.Value, Qt::OddEvenFill);
        }
    }
    void operator()(const op::Image& image) const {
        Target.drawImage(image.Target, image.Value, image.Source);
    }
    void operator()(const op::Text& text) const { Target.drawText(text.Origin, text.Value); }
};

} // namespace

struct TPageOps {
    std::vector<Op> Items;
    // The items as saved; kept so that a loaded page saves byte for byte.
    QByteArray Bytes;
};

// The device a page is recorded on: every drawing call becomes an item.
class TPageRecorder : public QPaintDevice, public QPaintEngine {
public:
    TPageRecorder(QSize size, int dotsPerInch)
        : QPaintEngine(QPaintEngine::AllFeatures), size_(size), dotsPerInch_(dotsPerInch) {}
    ~TPageRecorder() override = default;

    QPaintEngine* paintEngine() const override { return const_cast<TPageRecorder*>(this); }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags flags = state.state();
        if (flags & DirtyTransform)
            Items.push_back(op::Transform{state.transform()});
        if (flags & DirtyPen)
            Items.push_back(op::Pen{state.pen()});
        if (flags & DirtyBrush)
            Items.push_back(op::Brush{state.brush()});
        if (flags & (DirtyBackground | DirtyBackgroundMode))
            Items.push_back(
                op::Background{state.backgroundMode() == Qt::OpaqueMode, state.backgroundBrush()});
        if (flags & DirtyFont)
            Items.push_back(op::Font{state.font()});
        if (flags & DirtyClipPath)
            Items.push_back(op::Clip{true, int(state.clipOperation()), state.clipPath()});
        if (flags & DirtyClipRegion) {
            QPainterPath path;
            path.addRegion(state.clipRegion());
            Items.push_back(op::Clip{true, int(state.clipOperation()), path});
        }
        if (flags & DirtyClipEnabled)
            Items.push_back(op::Clip{state.isClipEnabled(), Qt::NoClip, {}});
        if (flags & DirtyHints)
            Items.push_back(op::Hints{int(state.renderHints())});
        if (flags & DirtyOpacity)
            Items.push_back(op::Opacity{state.opacity()});
    }

    void drawRects(const QRectF* rects, int count) override {
        Items.push_back(op::Rects{QList<QRectF>(rects, rects + count)});
    }
    void drawRects(const QRect* rects, int count) override {
        op::Rects item;
        for (int index = 0; index < count; ++index)
            item.Value.append(QRectF(rects[index]));
        Items.push_back(item);
    }
    void drawLines(const QLineF* lines, int count) override {
        Items.push_back(op::Lines{QList<QLineF>(lines, lines + count)});
    }
    void drawLines(const QLine* lines, int count) override {
        op::Lines item;
        for (int index = 0; index < count; ++index)
            item.Value.append(QLineF(lines[index]));
        Items.push_back(item);
    }
    void drawEllipse(const QRectF& rect) override { Items.push_back(op::Ellipse{rect}); }
    void drawEllipse(const QRect& rect) override { Items.push_back(op::Ellipse{QRectF(rect)}); }
    void drawPath(const QPainterPath& path) override { Items.push_back(op::Path{path}); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        Items.push_back(op::Polygon{int(mode), QPolygonF(QList<QPointF>(points, points + count))});
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
        op::Polygon item{int(mode), {}};
        for (int index = 0; index < count; ++index)
            item.Value.append(QPointF(points[index]));
        Items.push_back(item);
    }
    void drawPoints(const QPointF* points, int count) override {
        Items.push_back(
            op::Polygon{kPointsMode, QPolygonF(QList<QPointF>(points, points + count))});
    }
    void drawPoints(const QPoint* points, int count) override {
        op::Polygon item{kPointsMode, {}};
        for (int index = 0; index < count; ++index)
            item.Value.append(QPointF(points[index]));
        Items.push_back(item);
    }
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override {
        Items.push_back(op::Image{rect, pixmap.toImage(), source});
    }
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override {
        Items.push_back(op::Image{rect, image, source});
    }
    void drawTextItem(const QPointF& origin, const QTextItem& item) override {
        Items.push_back(op::Text{origin, item.text()});
    }

    std::vector<Op> Items;

protected:
    int metric(PaintDeviceMetric metric) const override {
        // Qt's default warns on every call, so it is asked only for what the
        // page does not answer.
        const std::optional<int> answer = PageDeviceMetric(metric, size_, dotsPerInch_);
        return answer ? *answer : QPaintDevice::metric(metric);
    }

private:
    QSize size_;
    int dotsPerInch_;
    std::unique_ptr<QPainter> painter_;
    friend class TPagePicture;
};

namespace {

QByteArray Serialize(const std::vector<Op>& items) {
    QByteArray bytes(kListHeaderSize, '\0');
    std::memcpy(bytes.data(), kListTag, 4);
    qToLittleEndian<quint32>(kListVersion, bytes.data() + 4);
    qToLittleEndian<quint32>(quint32(items.size()), bytes.data() + 8);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    QDataStream out(&buffer);
    out.setVersion(QDataStream::Qt_6_0);
    out.setByteOrder(QDataStream::LittleEndian);
    for (const Op& item : items) {
        out << quint8(item.index());
        std::visit(Writer{out}, item);
    }
    return bytes;
}

// A page on which nothing was drawn yet.
std::shared_ptr<const TPageOps> EmptyOps() {
    static const std::shared_ptr<const TPageOps> empty = [] {
        auto ops = std::make_shared<TPageOps>();
        ops->Bytes = Serialize(ops->Items);
        return ops;
    }();
    return empty;
}

std::optional<std::vector<Op>> Parse(const QByteArray& bytes) {
    if (bytes.size() < kListHeaderSize || std::memcmp(bytes.constData(), kListTag, 4) != 0 ||
        qFromLittleEndian<quint32>(bytes.constData() + 4) != kListVersion)
        return std::nullopt;
    const quint32 count = qFromLittleEndian<quint32>(bytes.constData() + 8);
    if (count > quint32(bytes.size()))
        return std::nullopt;
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(kListHeaderSize);
    QDataStream in(&buffer);
    in.setVersion(QDataStream::Qt_6_0);
    in.setByteOrder(QDataStream::LittleEndian);
    Reader reader(in);
    std::vector<Op> items;
    items.reserve(count);
    for (quint32 index = 0; index < count; ++index) {
        quint8 code = 0;
        in >> code;
        std::optional<Op> item = ReadOp(reader, code);
        if (!item || !reader.Ok())
            return std::nullopt;
        items.push_back(std::move(*item));
    }
    if (!in.atEnd())
        return std::nullopt;
    return items;
}

} // namespace

TPagePicture::TPagePicture(QSize sizePixels, int dotsPerInch)
    : size_(sizePixels), dotsPerInch_(dotsPerInch), ops_(EmptyOps()) {}

TPagePicture::TPagePicture(const TPagePicture& other)
    : size_(other.size_), dotsPerInch_(other.dotsPerInch_), ops_(other.ops_) {}

TPagePicture& TPagePicture::operator=(const TPagePicture& other) {
    if (this != &other) {
        recorder_.reset();
        size_ = other.size_;
        dotsPerInch_ = other.dotsPerInch_;
        ops_ = other.ops_;
    }
    return *this;
}

TPagePicture::TPagePicture(TPagePicture&& other) noexcept = default;
TPagePicture& TPagePicture::operator=(TPagePicture&& other) noexcept = default;

TPagePicture::~TPagePicture() = default;

QPainter* TPagePicture::Begin() {
    recorder_ = std::make_unique<TPageRecorder>(size_, dotsPerInch_);
    recorder_->painter_ = std::make_unique<QPainter>(recorder_.get());
    return recorder_->painter_.get();
}

void TPagePicture::End() {
    if (!recorder_)
        return;
    recorder_->painter_->end();
    auto ops = std::make_shared<TPageOps>();
    ops->Items = std::move(recorder_->Items);
    ops->Bytes = Serialize(ops->Items);
    ops_ = std::move(ops);
    recorder_.reset();
}

QByteArray TPagePicture::Save() const {
    const QByteArray& data = ops_->Bytes;
    QByteArray bytes(kHeaderSize, '\0');
    std::memcpy(bytes.data(), kMagic, 4);
    qToLittleEndian<quint32>(quint32(kHeaderSize + data.size()), bytes.data() + 4);
    qToLittleEndian<qint32>(size_.width(), bytes.data() + 8);
    qToLittleEndian<qint32>(size_.height(), bytes.data() + 12);
    qToLittleEndian<qint32>(dotsPerInch_, bytes.data() + 16);
    return bytes + data;
}

std::optional<TPagePicture> TPagePicture::Load(const QByteArray& bytes) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.constData(), kMagic, 4) != 0)
        return std::nullopt;
    const quint32 length = qFromLittleEndian<quint32>(bytes.constData() + 4);
    const qint32 width = qFromLittleEndian<qint32>(bytes.constData() + 8);
    const qint32 height = qFromLittleEndian<qint32>(bytes.constData() + 12);
    const qint32 dotsPerInch = qFromLittleEndian<qint32>(bytes.constData() + 16);
    if (length != quint32(bytes.size()) || width <= 0 || height <= 0 || width > kMaxSide ||
        height > kMaxSide || dotsPerInch <= 0 || dotsPerInch > kMaxSide)
        return std::nullopt;
    const QByteArray data = bytes.mid(kHeaderSize);
    auto items = Parse(data);
    if (!items)
        return std::nullopt;
    TPagePicture page(QSize(width, height), dotsPerInch);
    auto ops = std::make_shared<TPageOps>();
    ops->Items = std::move(*items);
    ops->Bytes = data;
    page.ops_ = std::move(ops);
    return page;
}

void TPagePicture::Play(QPainter& target, const QRectF& rect) const {
    if (size_.isEmpty() || rect.isEmpty())
        return;
    target.save();
    target.translate(rect.topLeft());
    target.scale(rect.width() / size_.width(), rect.height() / size_.height());
    const qreal targetDpi = target.device()->logicalDpiY();
    const Player player{target, target.transform(), targetDpi > 0 ? dotsPerInch_ / targetDpi : 1};
    for (const Op& item : ops_->Items)
        std::visit(player, item);
    target.restore();
}

} // namespace kx::print
