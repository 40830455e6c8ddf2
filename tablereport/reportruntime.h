#pragma once
// The filler: turns a table-report template and the bound data sets into
// pages, each rendered into the template layout, and prints them or shows
// them in the preview window.

#include "tablereport/printfields.h"
#include "tablereport/reportcontrol.h"
#include "tablereport/reportruntimetext.h"

#include <QByteArray>
#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <QRect>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace kx::db {
class TDataSet;
}

class QPainter;
class QWidget;

namespace kx {

class TPreviewForm;
class TREPmessform;
class TTextMeasurer;

// The data set a binding line names: "Form.Component" of an open window, or
// a component of the owner.
db::TDataSet* FindBoundDataSet(const QString& name, QObject* owner);

class TReportRunTime {
public:
    explicit TReportRunTime(TTextMeasurer* measurer);
    ~TReportRunTime();

    db::TDataSet* DataSet = nullptr;
    // The owner whose components "SetDataSet" lines name without a form.
    QObject* Owner = nullptr;
    TPrintFieldsArray PrintFields;
    QString Title;
    bool OneLongPage = false;
    bool AddSpace = false;
    // The preview's page can be edited in place; the preview offers
    // "修改模板" (through EditPage).
    bool EnableEdit = false;
    bool EditEpt = false;
    // The clock of "`DATE", "`TIME" and "`DATETIME".
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

    // One stream per built page, in the template layout. The preview keeps
    // its own references, so pages built again leave the shown ones whole.
    std::vector<QByteArray> PageStreams;

    // The page-range print dialog over pages 1..pageCount; false when
    // cancelled, else the chosen range in from and to.
    std::function<bool(int pageCount, int& from, int& to)> RunPrintDialog;
    // The page set-up dialog on the template file; true when confirmed.
    std::function<bool(QWidget* owner, const QString& fileName)> RunPageSetup;
    // Opens a shown page in the designer, which may write it back.
    std::function<void(QWidget* owner, QByteArray& page)> EditPage;

    // Raises ETemplateFormat "格式不正确..." and keeps the previous template
    // when the stream is not one.
    void LoadFromStream(const QByteArray& bytes);
    // Loads the file at once when the name is not empty; a file that is not
    // a template shows "打开报表错误" in a plain box and raises the silent
    // abort, keeping the previous template; one that cannot be read raises
    // the file system's error.
    void SetReportFile(const QString& fileName);
    const QString& ReportFile() const { return reportFile_; }
    const TReportControl& Template() const { return template_; }

    void SetVarValue(const QString& name, const QString& value) { vars_.SetVarValue(name, value); }
    // Binds a data set under a name that field tags use ("@M.name").
    void BindDataSet(const QString& name, db::TDataSet* dataSet);
    // Drops the bindings and lets the data sets show their data again.
    void ReleaseBindings();

    // Binding lines: "SetDataSet(name,Form.Component)" or
    // "SetDataSet(name,Component)" bind a data set, "SETVARVALUE(name,value)"
    // sets a variable; a line that names nothing usable does nothing.
    const QStringList& SetData() const { return setData_; }
    void SetSetData(const QStringList& lines);
    void ApplySetDataLine(const QString& line, bool disableControls);

    // Counts the pages (build false) or builds them with the counted total.
    // The count run answers the page count, the build run the index of the
    // detail line (-1 without one). A page with no room for any detail line
    // shows "没有数据记录" and ends the run; a header and page footer taller
    // than the page raise the filler's error.
    int Paginate(bool build, int totalPages);

    // Builds the pages and prints them: with dialog 0 the user picks a page
    // range first, with 1 every page is printed. Errors are reported to the
    // user; a job already begun is dropped, never half printed.
    void Print(int dialog);
    // Builds the pages and shows them in the preview until it is closed.
    void PrintPreview(bool previewLook);
    // Reloads the template file and gives the pages built again to the
    // open preview.
    void RefreshPreview();
    // The page set-up dialog on the template file; when confirmed the
    // preview is refreshed. True when confirmed.
    bool PageSetupAndRefresh();
    // 1, or 0 when the job could not be stopped.
    int AbortPrinting();
    TPreviewForm* Preview() const { return preview_; }

    // Draws built pages from..to (from 1) with the painter, each page
    // filling area, calling newSheet between pages; stops early when
    // keepGoing answers false.
    void PrintPageRange(QPainter& painter, const QRect& area, int from, int to,
                        const std::function<void()>& newSheet,
                        const std::function<bool()>& keepGoing = {});

private:
    using TLineList = std::vector<std::unique_ptr<TReportLine>>;

    std::unique_ptr<TReportLine> FillLine(const TReportLine& source, bool empty);
    void FillCell(const TReportCell& source, TReportCell& cell, bool empty);
    void FillText(const TReportCell& source, TReportCell& cell);
    void FillField(const QString& tag, db::TDataSet* fallback, const QString& format,
                   TReportCell& cell);
    db::TDataSet* BoundDataSet(const QString& tag, db::TDataSet* fallback) const;
    void AddDetailSums(const TReportLine& detail, double sign);
    QByteArray RenderPage(TLineList& page, int footerStart, int totalPages);

    void TranslateTemplateTags();
    void BindSetData();
    void BuildPages(bool showProgress);
    void GiveTemplatePaperToPrinter();
    void ReadPage(const QByteArray& bytes);
    void PrintPage(QPainter& painter, const QRect& area);
    void PrintPages(int from, int to);

    TTextMeasurer* measurer_;
    QString reportFile_;
    QStringList setData_;
    std::vector<QPointer<db::TDataSet>> disabled_;
    TReportControl template_;
    TReportControl page_;
    TVarTable vars_;
    std::vector<std::pair<QString, db::TDataSet*>> bindings_;
    std::map<const TReportCell*, TReportCell*> cellMap_;
    TColumnSums pageSums_{};
    TColumnSums totals_{};
    db::TDataSet* detailSet_ = nullptr;
    int detailIndex_ = -1;
    int serial_ = 0;
    int pageNumber_ = 1;
    bool inDetailLine_ = false;
    TPreviewForm* preview_ = nullptr;
    std::unique_ptr<TREPmessform> waitForm_;
    bool printing_ = false;
};

} // namespace kx
