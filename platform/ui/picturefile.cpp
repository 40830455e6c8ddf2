#include "platform/ui/picturefile.h"

#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace kx::ui {
namespace {

// Formats that cannot decode at a smaller size are decoded whole first;
// this leaves room for a 50-megapixel picture.
constexpr int kAllocationLimitMB = 512;

} // namespace

QImage ReadPictureFile(const QString& fileName, const QByteArray& format) {
    QImageReader::setAllocationLimit(std::max(QImageReader::allocationLimit(), kAllocationLimitMB));
    QImageReader reader(fileName, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    const QSize size = reader.size();
    const double pixels = double(size.width()) * size.height();
    if (size.isValid() && pixels > kPicturePixelBudget) {
        const double scale = std::sqrt(kPicturePixelBudget / pixels);
        reader.setScaledSize(
            QSize(std::max(1, int(size.width() * scale)), std::max(1, int(size.height() * scale))));
    }
    return reader.read();
}

} // namespace kx::ui
