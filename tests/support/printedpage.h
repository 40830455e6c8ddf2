#pragma once
// Reading a printed page back: the words of a PDF with where they start, and
// a page as 96 dpi pixels, from the PDF or from a prepared page, with the
// ink checks the list-report tests make on it.

#include "platform/print/pagepicture.h"
#include "platform/print/printer.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace kx::test {

// A word of a printed page and where it starts, in points.
struct TPdfWord {
    int Page;
    double X;
    double Y;
    QString Text;
};

// Every word of the PDF, line by line as the pages read.
inline QList<TPdfWord> ReadPdfWords(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(30000));
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression tag(QString::fromLatin1(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    QList<TPdfWord> words;
    int page = 0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(0).startsWith(QStringLiteral("<page")))
            ++page;
        else
            words.append({page, match.captured(1).toDouble(), match.captured(2).toDouble(),
                          match.captured(3)});
    }
    std::sort(words.begin(), words.end(), [](const TPdfWord& a, const TPdfWord& b) {
        return std::tuple(a.Page, std::lround(a.Y / 4), a.X) <
               std::tuple(b.Page, std::lround(b.Y / 4), b.X);
    });
    return words;
}

// The printed text of the PDF, its words run together, as a reader sees
// it: entities turned back into their characters.
inline QString ReadPdfText(const QString& pdf) {
    QString text;
    for (const TPdfWord& word : ReadPdfWords(pdf))
        text += word.Text;
    return text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

// While it lives, print jobs go to PDF files in a folder of its own, and
// each finished file is noted instead of shown.
class PdfCapture {
public:
    PdfCapture() : oldFolder_(print::PdfFolder()) {
        print::SetPdfFolder(folder_.path());
        print::SetPdfViewer([this](const QString& name) { files_ << name; });
    }
    ~PdfCapture() {
        print::SetPdfViewer({});
        print::SetPdfFolder(oldFolder_);
    }
    PdfCapture(const PdfCapture&) = delete;
    PdfCapture& operator=(const PdfCapture&) = delete;

    QString Folder() const { return folder_.path(); }
    // Taken: the next job starts a fresh list.
    QStringList TakeFiles() { return std::exchange(files_, {}); }

private:
    QTemporaryDir folder_;
    QString oldFolder_;
    QStringList files_;
};

inline bool Dark(const QImage& page, int x, int y) {
    return qGray(page.pixel(x, y)) < 160;
}

// The first pixel row of each horizontal rule crossing column x below y0.
inline QList<int> RulesAcross(const QImage& page, int x, int y0) {
    QList<int> rules;
    for (int y = y0; y < page.height(); ++y)
        if (Dark(page, x, y) && !Dark(page, x, y - 1))
            rules.append(y);
    return rules;
}

inline int LeftmostInk(const QImage& page) {
    for (int x = 0; x < page.width(); ++x)
        for (int y = 0; y < page.height(); ++y)
            if (Dark(page, x, y))
                return x;
    return page.width();
}

// A prepared page at 96 dpi.
inline QImage RenderPage(const print::TPagePicture& page) {
    QImage image(page.Size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.Play(painter, QRectF(QPointF(0, 0), QSizeF(page.Size())));
    return image;
}

// The first page of the PDF at 96 dpi, rendered into folder.
inline QImage RenderPdfPage(const QString& pdf, const QString& folder) {
    const QString stem = folder + QStringLiteral("/page");
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-gray"),
                       QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".pgm"));
}

} // namespace kx::test
