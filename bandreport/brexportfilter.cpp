#include "bandreport/brexportfilter.h"

#include "bandreport/brerror.h"
#include "bandreport/brunitbase.h"
#include "platform/sys/cp936.h"

#include <QDir>

#include <cmath>

namespace kx {

namespace {

const QString kPageFileDescription = QStringLiteral("Report page file");
const QString kPageFileExtension = QStringLiteral("BRP");
constexpr long double kColumnFactor = 1.7L;

// The font's size in points: a pixel size counts as its number, and a font
// without a size as 10 points, so the grid never divides by zero.
long double FontSizeOf(const QFont& font) {
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    if (font.pixelSize() > 0)
        return font.pixelSize();
    return 10;
}

} // namespace

TBRExportFilter::TBRExportFilter(const QString& fileName) : fileName_(fileName) {}

QString TBRExportFilter::Description() const {
    return QStringLiteral("Abstract non-working export filter");
}

QString TBRExportFilter::Extension() const {
    return {};
}

QString TBRExportFilter::FilterName() const {
    return QStringLiteral("Abstract filter");
}

QString TBRExportFilter::MakerName() const {
    return QStringLiteral("Banded report engine");
}

void TBRExportFilter::Start(long double, long double, const QFont&) {
    active_ = true;
}

void TBRExportFilter::Finish() {
    active_ = false;
}

void TBRExportFilter::PutShape(int, int, const QObject*) {}

void TBRExportFilter::BandDone(const TBRCustomBand*, long double, long double, long double) {}

void TBRExportFilter::PutText(long double, long double, const QFont&, quint32, Qt::Alignment,
                              const QString&) {}

QString TBRAsciiExportFilter::Description() const {
    return QStringLiteral("Text export (ASCII) filter");
}

QString TBRAsciiExportFilter::Extension() const {
    return QStringLiteral("TXT");
}

QString TBRAsciiExportFilter::FilterName() const {
    return QStringLiteral("Text file");
}

void TBRAsciiExportFilter::Start(long double paperWidth, long double paperHeight,
                                 const QFont& font) {
    file_.setFileName(FileName());
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EBRError(QStringLiteral("Cannot create file \"%1\". %2")
                           .arg(QDir::toNativeSeparators(FileName()), file_.errorString()));
    TBRExportFilter::Start(paperWidth, paperHeight, font);
    characterWidth_ = FontSizeOf(font) * 254 / 72;
    lineHeight_ = characterWidth_;
    lineCount_ = int(RoundEven(paperHeight / lineHeight_));
}

void TBRAsciiExportFilter::NewPage() {
    for (QByteArray& line : lines_)
        line.clear();
}

void TBRAsciiExportFilter::PutText(long double x, long double y, const QFont&, quint32,
                                   Qt::Alignment alignment, const QString& text) {
    const QByteArray bytes = cp936::Encode(text);
    long double column = x / characterWidth_ * kColumnFactor;
    if (alignment & Qt::AlignRight)
        column -= bytes.size();
    const long double lineNumber = std::floor(y / lineHeight_ + 0.5L);
    if (lineNumber < 0 || lineNumber > kLastLine)
        return;
    QByteArray& line = lines_[std::size_t(lineNumber)];
    const int position = int(RoundEven(column));
    if (column > line.size())
        line.append(QByteArray(qMax(0, position - int(line.size())), ' '));

    const QByteArray before = line;
    const bool overwrites = position >= 1 && position <= line.size();
    const int start = int(qBound(qsizetype(0), qsizetype(position - 1), line.size()));
    const int removed = overwrites ? int(qMin(bytes.size(), line.size() - start)) : 0;
    line.remove(start, removed);
    line.insert(start, bytes);
    // A double-byte character cut in half by the overwrite leaves a stray
    // byte that would garble its neighbour; it becomes a blank.
    if (overwrites && start > 0 && cp936::IsLeadByte(before, start - 1))
        line[start - 1] = ' ';
    const int after = start + removed;
    if (removed > 0 && after < before.size() && cp936::IsLeadByte(before, after - 1))
        line[start + bytes.size()] = ' ';
}

void TBRAsciiExportFilter::EndPage() {
    for (int index = 0; index < lineCount_ && index <= kLastLine; ++index) {
        const QByteArray& line = lines_[std::size_t(index)];
        if (!line.isEmpty() && file_.write(line + "\r\n") < 0)
            throw EBRError(QStringLiteral("Cannot write file \"%1\". %2")
                               .arg(QDir::toNativeSeparators(FileName()), file_.errorString()));
    }
}

void TBRAsciiExportFilter::Finish() {
    file_.close();
    TBRExportFilter::Finish();
}

TBRExportFilterLibrary& TBRExportFilterLibrary::Instance() {
    static TBRExportFilterLibrary library;
    return library;
}

void TBRExportFilterLibrary::RegisterFilter(const TBRExportFilterClass& filterClass) {
    for (const Entry& entry : entries_)
        if (entry.FilterClass.ClassName == filterClass.ClassName)
            return;
    const std::unique_ptr<TBRExportFilter> instance = filterClass.Create(QString());
    entries_.append({filterClass, instance->FilterName(), instance->Extension()});
}

void TBRExportFilterLibrary::UnregisterFilter(const TBRExportFilterClass& filterClass) {
    const std::unique_ptr<TBRExportFilter> instance = filterClass.Create(QString());
    for (qsizetype index = 0; index < entries_.size(); ++index)
        if (entries_.at(index).Name == instance->FilterName()) {
            entries_.removeAt(index);
            return;
        }
}

QString PageFileDialogFilter() {
    return kPageFileDescription + QStringLiteral(" (*.") + kPageFileExtension +
           QStringLiteral(")|*.") + kPageFileExtension;
}

QString TBRExportFilterLibrary::BuildSaveDialogFilter() const {
    QString filter = kPageFileDescription + QStringLiteral("(*.") + kPageFileExtension +
                     QStringLiteral(")|*.") + kPageFileExtension;
    for (const Entry& entry : entries_)
        filter += QStringLiteral("|") + entry.Name + QStringLiteral(" (*.") + entry.Extension +
                  QStringLiteral(")|*.") + entry.Extension;
    return filter;
}

TBRExportFilterClass AsciiExportFilterClass() {
    return {QStringLiteral("TBRAsciiExportFilter"), [](const QString& fileName) {
                return std::unique_ptr<TBRExportFilter>(
                    std::make_unique<TBRAsciiExportFilter>(fileName));
            }};
}

TBRTextFilter::TBRTextFilter(QObject* owner) : QObject(owner) {
    TBRExportFilterLibrary::Instance().RegisterFilter(AsciiExportFilterClass());
}

TBRTextFilter::~TBRTextFilter() {
    TBRExportFilterLibrary::Instance().UnregisterFilter(AsciiExportFilterClass());
}

} // namespace kx
