#pragma once
// Export filters: a report run once more with a filter hands it every text
// line and shape it prints, and the filter writes a file. The text filter
// lays each page out on a grid of characters.

#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>

namespace kx {

class TCustomBandRep;
class TBRCustomBand;

class TBRExportFilter {
public:
    explicit TBRExportFilter(const QString& fileName);
    virtual ~TBRExportFilter() = default;

    virtual QString Description() const;
    virtual QString Extension() const;
    virtual QString FilterName() const;
    virtual QString MakerName() const;
    // A continuous filter takes the report as one page of unlimited length.
    virtual bool IsContinuous() const { return false; }

    // Paper sizes and positions of texts in tenths of a millimetre; shapes
    // in device pixels.
    virtual void Start(long double paperWidth, long double paperHeight, const QFont& font);
    virtual void EndPage() {}
    virtual void Finish();
    virtual void NewPage() {}
    virtual void PutShape(int x, int y, const QObject* shape);
    virtual void BandDone(const TBRCustomBand* band, long double stretch, long double left,
                          long double top);
    virtual void PutText(long double x, long double y, const QFont& font, quint32 backgroundColor,
                         Qt::Alignment alignment, const QString& text);

    const QString& FileName() const { return fileName_; }
    bool Active() const { return active_; }
    TCustomBandRep* Report = nullptr;

private:
    QString fileName_;
    bool active_ = false;
};

class TBRAsciiExportFilter : public TBRExportFilter {
public:
    static constexpr int kLastLine = 200;

    using TBRExportFilter::TBRExportFilter;

    QString Description() const override;
    QString Extension() const override;
    QString FilterName() const override;

    void Start(long double paperWidth, long double paperHeight, const QFont& font) override;
    void EndPage() override;
    void Finish() override;
    void NewPage() override;
    void PutText(long double x, long double y, const QFont& font, quint32 backgroundColor,
                 Qt::Alignment alignment, const QString& text) override;

    long double CharacterWidth() const { return characterWidth_; }
    long double LineHeight() const { return lineHeight_; }
    int LineCount() const { return lineCount_; }
    // The page's line, as code page 936 bytes.
    const QByteArray& Line(int index) const { return lines_[std::size_t(index)]; }

private:
    QFile file_;
    std::array<QByteArray, kLastLine + 1> lines_;
    long double characterWidth_ = 0;
    long double lineHeight_ = 0;
    int lineCount_ = 0;
};

// A filter class: its name and how to make one for a file.
struct TBRExportFilterClass {
    QString ClassName;
    std::function<std::unique_ptr<TBRExportFilter>(const QString& fileName)> Create;
};

class TBRExportFilterLibrary {
public:
    struct Entry {
        TBRExportFilterClass FilterClass;
        QString Name;
        QString Extension;
    };

    static TBRExportFilterLibrary& Instance();

    void RegisterFilter(const TBRExportFilterClass& filterClass);
    void UnregisterFilter(const TBRExportFilterClass& filterClass);
    const QList<Entry>& Entries() const { return entries_; }
    // The save dialog's filter: the page file, then every registered filter.
    QString BuildSaveDialogFilter() const;

private:
    QList<Entry> entries_;
};

TBRExportFilterClass AsciiExportFilterClass();

// The open dialog's filter for page files.
QString PageFileDialogFilter();

// Placed on a window, it offers the text filter while the window lives.
class TBRTextFilter : public QObject {
    Q_OBJECT
public:
    explicit TBRTextFilter(QObject* owner = nullptr);
    ~TBRTextFilter() override;
};

} // namespace kx
