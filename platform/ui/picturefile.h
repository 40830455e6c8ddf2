#pragma once
// Reading a picture file whatever its size: a scanned page or a camera
// picture larger than a screen can use is read scaled down, keeping its
// proportions, rather than refused for the memory it would take.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace kx::ui {

// The most pixels a picture is read with.
inline constexpr double kPicturePixelBudget = 24e6;

// The picture in the file, null when it cannot be read. A format given is
// taken whatever the content looks like; without one it is detected.
QImage ReadPictureFile(const QString& fileName, const QByteArray& format = {});

} // namespace kx::ui
