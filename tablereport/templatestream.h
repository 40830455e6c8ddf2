#pragma once
// The binary layout of a table-report template, and of a filled page, which
// uses the same layout. Three versions are read (signatures 0xAA55, 0xAA56,
// 0xAA57); only the newest is written.

#include "platform/sys/exception.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace kx {

class TReportCell;
class TReportControl;

constexpr uint16_t kTemplateSignatureOldest = 0xAA55;
constexpr uint16_t kTemplateSignatureMiddle = 0xAA56;
constexpr uint16_t kTemplateSignature = 0xAA57;

// A stream that is not a template or is damaged; its message is the text the
// reader's user shows.
class ETemplateFormat : public Exception {
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("ETemplateFormat"); }
};

struct TTemplateReadOptions {
    // The designer's grid takes zoom 100 and packs lines from its margin; the
    // filler keeps the zoom and the left edges as read.
    bool ForGrid = true;
    // A filled page is read for printing only and drops its formats.
    bool KeepDisplayFormats = true;
    QString Refusal = QStringLiteral("格式不正确");
};

struct TTemplateWriteOptions {
    int32_t Zoom = 100;
    // Filled pages carry their texts already formatted.
    bool WriteDisplayFormats = true;
    // The text written for a cell; its own text when empty.
    std::function<QString(const TReportCell&)> TextOf;
};

QByteArray WriteTemplate(const TReportControl& source, const TTemplateWriteOptions& options = {});

// Replaces the target's page settings and lines with the stream's. Raises
// ETemplateFormat, with the target untouched, on an unknown signature, a
// stream that ends early or any count, size or merge reference that does not
// fit the stream.
void ReadTemplate(const QByteArray& bytes, TReportControl& target,
                  const TTemplateReadOptions& options = {});

// Writes to a temporary file beside the target and renames it over the
// target, so a failed save leaves the old template whole. Raises the file
// system's error.
void SaveTemplateFile(const TReportControl& source, const QString& fileName);
void LoadTemplateFile(const QString& fileName, TReportControl& target,
                      const TTemplateReadOptions& options = {});

} // namespace kx
