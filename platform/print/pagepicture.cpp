#include "platform/print/pagepicture.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

#include <cstring>

namespace kx::print {

namespace {

constexpr char kMagic[4] = {'K', 'X', 'P', 'G'};
constexpr int kMaxSide = 100000;
const QByteArray kPictureTag = QByteArrayLiteral("QPIC");

} // namespace

TPagePicture::TPagePicture(QSize sizePixels, int dotsPerInch)
    : size_(sizePixels), dotsPerInch_(dotsPerInch) {}

TPagePicture::TPagePicture(const TPagePicture& other)
    : size_(other.size_), dotsPerInch_(other.dotsPerInch_), picture_(other.picture_) {}

TPagePicture& TPagePicture::operator=(const TPagePicture& other) {
    if (this != &other) {
        recorder_.reset();
        size_ = other.size_;
        dotsPerInch_ = other.dotsPerInch_;
        picture_ = other.picture_;
    }
    return *this;
}

TPagePicture::~TPagePicture() = default;

QPainter* TPagePicture::Begin() {
    recorder_ = std::make_unique<QPainter>(&picture_);
    return recorder_.get();
}

void TPagePicture::End() {
    if (recorder_)
        recorder_->end();
    recorder_.reset();
}

QByteArray TPagePicture::Save() const {
    const QByteArray data(picture_.data(), picture_.size());
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
    if (!data.isEmpty() && !data.startsWith(kPictureTag))
        return std::nullopt;
    TPagePicture page(QSize(width, height), dotsPerInch);
    page.picture_.setData(data.constData(), uint(data.size()));
    return page;
}

void TPagePicture::Play(QPainter& target, const QRectF& rect) const {
    // A picture scales itself by the device's resolution; the rectangle
    // already says how large the page is to be.
    const qreal deviceX = target.device()->logicalDpiX();
    const qreal deviceY = target.device()->logicalDpiY();
    target.save();
    target.translate(rect.topLeft());
    target.scale(rect.width() / size_.width() * picture_.logicalDpiX() / deviceX,
                 rect.height() / size_.height() * picture_.logicalDpiY() / deviceY);
    target.drawPicture(0, 0, picture_);
    target.restore();
}

} // namespace kx::print
