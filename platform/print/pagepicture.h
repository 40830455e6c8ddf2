#pragma once
// One recorded page: the drawing of a page at a given resolution, kept as
// bytes that carry their own length, size and resolution, and played back
// stretched into any rectangle on a screen, a printer or a PDF.

#include <QByteArray>
#include <QPaintDevice>
#include <QRectF>
#include <QSize>

#include <memory>
#include <optional>

class QPainter;

namespace kx::print {

// What a page-sized paint device answers for metric at dotsPerInch; none
// for the metrics Qt's own default answers.
std::optional<int> PageDeviceMetric(QPaintDevice::PaintDeviceMetric metric, QSize size,
                                    int dotsPerInch);

class TPageRecorder;
struct TPageOps;

class TPagePicture {
public:
    static constexpr int kHeaderSize = 20;

    TPagePicture(QSize sizePixels, int dotsPerInch);
    TPagePicture(const TPagePicture& other);
    TPagePicture& operator=(const TPagePicture& other);
    TPagePicture(TPagePicture&& other) noexcept;
    TPagePicture& operator=(TPagePicture&& other) noexcept;
    ~TPagePicture();

    // The canvas to record on, in pixels of the page; End completes it.
    QPainter* Begin();
    void End();

    QSize Size() const { return size_; }
    int DotsPerInch() const { return dotsPerInch_; }

    QByteArray Save() const;
    // Nothing for bytes that are not a whole page picture.
    static std::optional<TPagePicture> Load(const QByteArray& bytes);

    void Play(QPainter& target, const QRectF& rect) const;

private:
    QSize size_;
    int dotsPerInch_;
    // What the page draws; shared by copies, as a finished page never
    // changes.
    std::shared_ptr<const TPageOps> ops_;
    std::unique_ptr<TPageRecorder> recorder_;
};

} // namespace kx::print
