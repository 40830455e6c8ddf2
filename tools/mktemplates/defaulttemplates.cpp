#include "tools/mktemplates/defaulttemplates.h"

#include "platform/print/printer.h"
#include "platform/sys/exception.h"
#include "tablereport/reportcontrol.h"
#include "tablereport/templatestream.h"
#include "tools/mktemplates/windowprintfields.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <numeric>

namespace kx::tools {
namespace {

constexpr int32_t kA4 = 9;
constexpr int32_t kA4LengthTenths = 2970;
constexpr int32_t kA4WidthTenths = 2100;
// The page of 96-dpi pixels an A4 sheet gives, upright.
constexpr int32_t kA4ShortSide = 758;
constexpr int32_t kA4LongSide = 1037;

constexpr int32_t kBodyFontHeight = -12;
constexpr int32_t kTitleFontHeight = -24;
constexpr int32_t kBoldWeight = 700;
constexpr int32_t kTitleHeight = 44;
constexpr int32_t kLineHeight = 24;
constexpr int kMinLastColumnWidth = 40;

constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignCentre = 1;
constexpr int32_t kAlignRight = 2;

const QString kMoneyFormat = QStringLiteral("#,##0.00");

// Column widths in page pixels for the 9-point body font: the text plus
// the cell's margins and a little room.
constexpr int kSerial = 60;
constexpr int kDate = 84;
constexpr int kName = 146;
constexpr int kAmount = 140;

TLogFont Font(int32_t height, bool bold) {
    TLogFont font = TLogFont::Default();
    font.SetHeight(height);
    if (bold)
        font.SetWeight(kBoldWeight);
    return font;
}

struct TCellLook {
    int32_t Align;
    bool Ruled;
    bool Bold;
    int32_t FontHeight;
    QString Format;
};

const TCellLook kTitleLook{kAlignCentre, false, true, kTitleFontHeight, {}};
const TCellLook kPlainLook{kAlignLeft, false, false, kBodyFontHeight, {}};
const TCellLook kPlainRightLook{kAlignRight, false, false, kBodyFontHeight, {}};
const TCellLook kPlainCentreLook{kAlignCentre, false, false, kBodyFontHeight, {}};
const TCellLook kCaptionLook{kAlignCentre, true, true, kBodyFontHeight, {}};
const TCellLook kTextLook{kAlignLeft, true, false, kBodyFontHeight, {}};
const TCellLook kNumberLook{kAlignCentre, true, false, kBodyFontHeight, {}};
const TCellLook kMoneyLook{kAlignRight, true, false, kBodyFontHeight, kMoneyFormat};

void AddCell(TReportLine& line, int width, const QString& text, const TCellLook& look) {
    TReportCell* cell = line.AppendCell();
    cell->SetWidth(width);
    if (!look.Ruled) {
        cell->SetLeftLine(false);
        cell->SetTopLine(false);
        cell->SetRightLine(false);
        cell->SetBottomLine(false);
    }
    cell->HorzAlign = look.Align;
    cell->SetDisplayFormat(look.Format);
    cell->SetFont(Font(look.FontHeight, look.Bold));
    cell->SetCellText(text);
}

TReportLine& AddLine(TReportControl& page, int32_t height) {
    TReportLine& line = *page.AppendLine();
    line.SetUserHeight(height);
    return line;
}

bool IsMoney(const TTemplateColumn& column) {
    return column.Kind != TColumnKind::Text;
}

std::vector<int> ColumnWidths(const TDefaultTemplate& shipped, int lineWidth) {
    std::vector<int> widths;
    for (const TTemplateColumn& column : shipped.Columns)
        widths.push_back(column.Width);
    const int fixed = std::accumulate(widths.begin(), widths.end() - 1, 0);
    widths.back() = lineWidth - fixed;
    if (widths.back() < kMinLastColumnWidth)
        throw Exception(QStringLiteral("%1: the columns are %2 pixels too wide for the page")
                            .arg(shipped.PrintId)
                            .arg(kMinLastColumnWidth - widths.back()));
    return widths;
}

void AddTitleLine(TReportControl& page, const QString& title, int lineWidth) {
    AddCell(AddLine(page, kTitleHeight), lineWidth, title, kTitleLook);
}

// The company on the left, the print date on the right.
void AddHeadingLine(TReportControl& page, int lineWidth) {
    constexpr int kCompanyLabel = 48;
    constexpr int kDateLabel = 72;
    TReportLine& line = AddLine(page, kLineHeight);
    AddCell(line, kCompanyLabel, QStringLiteral("单位："), kPlainLook);
    AddCell(line, lineWidth - kCompanyLabel - kDateLabel - kDate, QStringLiteral("<单位名称>"),
            kPlainLook);
    AddCell(line, kDateLabel, QStringLiteral("打印日期："), kPlainRightLook);
    AddCell(line, kDate, QStringLiteral("<Date>"), kPlainLook);
}

void AddCaptionLine(TReportControl& page, const TDefaultTemplate& shipped,
                    const std::vector<int>& widths) {
    TReportLine& line = AddLine(page, kLineHeight);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const QString& caption = shipped.Columns[i].Caption;
        AddCell(line, widths[i], caption.isEmpty() ? QStringLiteral("序号") : caption,
                kCaptionLook);
    }
}

// The tag of a detail column: "[caption]", or the field itself where the
// template binds by field.
QString DetailTag(const TDefaultTemplate& shipped, const QString& caption,
                  const TPrintFieldsArray& fields) {
    const auto field = std::ranges::find_if(fields, [&caption](const TPrintFields& offered) {
        return offered.InDetail && offered.Caption == caption;
    });
    if (field == fields.end())
        throw Exception(QStringLiteral("%1: the window offers no detail field %2")
                            .arg(shipped.PrintId, caption));
    if (shipped.BindByField)
        return u'#' + field->DataSetName + u'.' + field->FieldName;
    return u'[' + caption + u']';
}

void AddDetailLine(TReportControl& page, const TDefaultTemplate& shipped,
                   const std::vector<int>& widths, const TPrintFieldsArray& fields) {
    TReportLine& line = AddLine(page, kLineHeight);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const TTemplateColumn& column = shipped.Columns[i];
        if (column.Caption.isEmpty()) {
            AddCell(line, widths[i], QStringLiteral("<序号>"), kNumberLook);
            continue;
        }
        AddCell(line, widths[i], DetailTag(shipped, column.Caption, fields),
                IsMoney(column) ? kMoneyLook : kTextLook);
    }
}

// The label spans the columns before the first sum; each later column
// gets a cell of its own, with the sum function under a summed amount.
void AddSumLine(TReportControl& page, const TDefaultTemplate& shipped,
                const std::vector<int>& widths, const QString& label, const QString& function) {
    const auto first =
        std::ranges::find(shipped.Columns, TColumnKind::SummedMoney, &TTemplateColumn::Kind) -
        shipped.Columns.begin();
    TReportLine& line = AddLine(page, kLineHeight);
    AddCell(line, std::accumulate(widths.begin(), widths.begin() + first, 0), label, kCaptionLook);
    for (std::size_t i = std::size_t(first); i < widths.size(); ++i) {
        const bool summed = shipped.Columns[i].Kind == TColumnKind::SummedMoney;
        AddCell(line, widths[i],
                summed ? QStringLiteral("<%1(%2)>").arg(function).arg(i + 1) : QString(),
                summed ? kMoneyLook : kTextLook);
    }
}

void AddPageNumberLine(TReportControl& page, int lineWidth) {
    AddCell(AddLine(page, kLineHeight), lineWidth, QStringLiteral("<PageNum/>"), kPlainCentreLook);
}

void SetA4(TReportControl& page, bool landscape) {
    page.SetPageSize(landscape ? kA4LongSide : kA4ShortSide,
                     landscape ? kA4ShortSide : kA4LongSide);
    page.PaperSize = kA4;
    page.Orientation = landscape ? print::kLandscape : print::kPortrait;
    page.PaperLength = kA4LengthTenths;
    page.PaperWidth = kA4WidthTenths;
    // Narrower on the left than a new page's, so the records list fits.
    page.SetMargins(15, 15, 10, 15);
}

TTemplateColumn Text(const char* caption, int width) {
    return {QString::fromUtf8(caption), width, TColumnKind::Text};
}
TTemplateColumn Money(const char* caption, int width) {
    return {QString::fromUtf8(caption), width, TColumnKind::Money};
}
TTemplateColumn Summed(const char* caption, int width) {
    return {QString::fromUtf8(caption), width, TColumnKind::SummedMoney};
}
TTemplateColumn LineNumber(int width) {
    return {QString(), width, TColumnKind::Text};
}

} // namespace

const std::vector<TDefaultTemplate>& DefaultTemplates() {
    // Sized for the longest values a cashier keeps: serial numbers of six
    // digits, account, type, department and employee names of ten
    // characters, dates, and amounts and totals of fourteen digits. Notes
    // may wrap. Four amount columns need a landscape sheet.
    static const std::vector<TDefaultTemplate> templates = {
        {QStringLiteral("200700000007"),
         QStringLiteral("资金借贷记录报表"),
         true,
         {LineNumber(kSerial), Text("状态", 48), Text("借贷日期", kDate), Text("记录编号", 106),
          Text("账款类别", kName), Text("资金账号", kName), Summed("借入金额", kAmount),
          Summed("贷出金额", kAmount), Text("摘要", 0)},
         RecordsListPrintFields},
        {QStringLiteral("200700000008"),
         QStringLiteral("资金账号日台账"),
         true,
         {Text("借贷日期", kDate), Text("资金账号", kName), Money("前日结转", kAmount),
          Summed("本日借入", kAmount), Summed("本日贷出", kAmount), Money("本日结存", kAmount),
          Text("状态", 48), Text("备注", 0)},
         DayLedgerPrintFields},
        {QStringLiteral("200700000009"),
         QStringLiteral("资金账号月台账"),
         true,
         {Text("台账年月", kDate), Text("资金账号", kName), Money("前月结转", kAmount),
          Summed("本月借入", kAmount), Summed("本月贷出", kAmount), Money("本月结存", kAmount),
          Text("状态", 0)},
         MonthLedgerPrintFields},
        {QStringLiteral("200700000019"),
         QStringLiteral("资金借贷数据统计报表"),
         false,
         {LineNumber(kSerial), Text("账款类别", kName), Summed("借入金额", kAmount),
          Summed("贷出金额", kAmount), Summed("资金余额", 0)},
         StatisticsPrintFields},
        {QStringLiteral("200700000010"),
         QStringLiteral("员工资料"),
         true,
         {LineNumber(kSerial), Text("员工编号", 84), Text("员工姓名", kName),
          Text("任职部门", kName), Text("性别", 34), Text("出生日期", kDate), Text("联系电话", 98),
          Summed("养老保险", kAmount), Summed("医疗保险", 0)},
         EmployeeListPrintFields,
         true},
    };
    return templates;
}

void BuildDefaultTemplate(const TDefaultTemplate& shipped, const TPrintFieldsArray& fields,
                          TReportControl& page) {
    SetA4(page, shipped.Landscape);
    const int lineWidth = page.PageWidth - page.LeftMarginPx - page.RightMarginPx;
    const std::vector<int> widths = ColumnWidths(shipped, lineWidth);
    AddTitleLine(page, shipped.Title, lineWidth);
    AddHeadingLine(page, lineWidth);
    AddCaptionLine(page, shipped, widths);
    AddDetailLine(page, shipped, widths, fields);
    if (std::ranges::any_of(shipped.Columns, [](const TTemplateColumn& column) {
            return column.Kind == TColumnKind::SummedMoney;
        })) {
        AddSumLine(page, shipped, widths, QStringLiteral("本页小计"), QStringLiteral("SumPage"));
        AddSumLine(page, shipped, widths, QStringLiteral("合计"), QStringLiteral("Sum"));
    }
    AddPageNumberLine(page, lineWidth);
    page.UpdateLines();
}

QByteArray DefaultTemplateBytes(const TDefaultTemplate& shipped, TTextMeasurer& measurer) {
    TReportControl page(&measurer);
    BuildDefaultTemplate(shipped, shipped.PrintFields(), page);
    return WriteTemplate(page);
}

QString WriteDefaultTemplates(const QString& folder, TTextMeasurer& measurer) {
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create folder %1").arg(folder);
    try {
        for (const TDefaultTemplate& shipped : DefaultTemplates()) {
            QSaveFile file(QDir(folder).filePath(shipped.PrintId));
            if (!file.open(QIODevice::WriteOnly))
                return QStringLiteral("cannot write %1").arg(file.fileName());
            file.write(DefaultTemplateBytes(shipped, measurer));
            if (!file.commit())
                return QStringLiteral("cannot write %1").arg(file.fileName());
        }
    } catch (const Exception& error) {
        return error.Message();
    }
    return {};
}

} // namespace kx::tools
