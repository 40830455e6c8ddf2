#include "bandreport/brtextsearch.h"

#include <QLocale>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include <cmath>

namespace kx {

namespace {

constexpr int kDotsPerInch = 96;
// A run that starts where the last one ended, on its baseline, continues it.
constexpr qreal kJoinTolerance = 0.5;

class TTextEngine : public QPaintEngine {
public:
    TTextEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawRects(const QRectF*, int) override {}
    void drawRects(const QRect*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawTextItem(const QPointF& origin, const QTextItem& item) override {
        const QPointF at = painter()->transform().map(origin);
        const bool continues = !Texts.isEmpty() && std::abs(at.y() - end_.y()) < kJoinTolerance &&
                               std::abs(at.x() - end_.x()) < kJoinTolerance;
        if (continues)
            Texts.last() += item.text();
        else
            Texts.append(item.text());
        end_ = painter()->transform().map(origin + QPointF(item.width(), 0));
    }
    Type type() const override { return QPaintEngine::User; }

    QStringList Texts;

private:
    QPointF end_;
};

class TTextDevice : public QPaintDevice {
public:
    explicit TTextDevice(QSize size) : size_(size) {}
    ~TTextDevice() override = default;

    QPaintEngine* paintEngine() const override { return &engine_; }
    QStringList Texts() const { return engine_.Texts; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        const std::optional<int> answer = print::PageDeviceMetric(metric, size_, kDotsPerInch);
        return answer ? *answer : QPaintDevice::metric(metric);
    }

private:
    QSize size_;
    mutable TTextEngine engine_;
};

} // namespace

QStringList PageTexts(const print::TPagePicture& page) {
    TTextDevice device(page.Size());
    QPainter painter(&device);
    page.Play(painter, QRectF(QPointF(0, 0), QSizeF(page.Size())));
    painter.end();
    return device.Texts();
}

bool FindTextInMetafile(const QString& text, const print::TPagePicture& page, bool matchCase) {
    if (text.isEmpty())
        return false;
    const QLocale locale;
    const QString wanted = matchCase ? text : locale.toUpper(text);
    for (const QString& drawn : PageTexts(page))
        if ((matchCase ? drawn : locale.toUpper(drawn)).contains(wanted))
            return true;
    return false;
}

} // namespace kx
