#include "tablereport/printtablechoice.h"

#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/ui/application.h"
#include "tablereport/reportruntime.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace kx {
namespace {

const QString kCatalogueBase =
    QStringLiteral("SELECT  *  FROM  SYS_PRINT_NAME_TABLE WHERE PRINT_INDEX = ");

TFieldsData Rule(const QString& name, const QString& label, bool required, bool visible) {
    TFieldsData rule;
    rule.FieldName = name;
    rule.DisplayLabel = label;
    rule.Required = required;
    rule.Visible = visible;
    return rule;
}

TChooserVerdict Refuse(const QString& prompt) {
    return {false, prompt};
}

// The wording of each command's refusals.
struct TCommandTexts {
    QString Empty;
    QString NoSelection;
    QString NotFound;
};

TCommandTexts TextsOf(TChooserCommand command) {
    switch (command) {
    case TChooserCommand::Print:
        return {QStringLiteral("没有报表模版记录,不能打印报表"),
                QStringLiteral("请选择要打印的报表模版"),
                QStringLiteral("没有找到报表模版,不能打印报表")};
    case TChooserCommand::Preview:
        return {QStringLiteral("没有报表模版记录,不能预览报表"),
                QStringLiteral("请选择要预览的报表模版"),
                QStringLiteral("没有找到报表模版,不能预览报表")};
    case TChooserCommand::Edit:
        return {QStringLiteral("没有报表模版记录,不能修改报表模版"),
                QStringLiteral("请选择要修改的报表模版"),
                QStringLiteral("没有找到报表模版,不能修改报表模版")};
    case TChooserCommand::Delete:
        return {QStringLiteral("没有报表模版记录,不能删除报表模版"),
                QStringLiteral("请选择要删除的报表模版"),
                QStringLiteral("没有找到报表模版,不能删除报表模版")};
    case TChooserCommand::Add:
        break;
    }
    return {};
}

bool StatusFails(const TChooserChecks& checks) {
    return checks.StatusAllows && !checks.StatusAllows();
}

QString StatusPrompt(const TChooserChecks& checks) {
    return QStringLiteral("状态不是：") + checks.StatusValue + QStringLiteral(" 的记录不可以打印");
}

TChooserVerdict CheckAdd(const TChooserChecks& checks) {
    if (checks.SingleTemplate && checks.RowCount > 0)
        return Refuse(QStringLiteral("该报表只能有1个"));
    if (checks.RowCount >= kMaxPrintTemplates)
        return Refuse(QStringLiteral("不能超过10个报表"));
    if (StatusFails(checks))
        return Refuse(StatusPrompt(checks));
    return {};
}

} // namespace

QString CatalogueSelect(const QString& printIndex, const QString& printType) {
    QString sql = kCatalogueBase + QuotedStr(printIndex);
    if (!printType.isEmpty())
        sql += QStringLiteral(" AND PRINT_TYPE = ") + QuotedStr(printType);
    return sql + QStringLiteral(" ORDER BY PRINT_TYPE");
}

TFieldsDataArray CatalogueFieldRules() {
    return {Rule(QStringLiteral("PRINT_NAME"), QStringLiteral("报表名称"), true, true),
            Rule(QStringLiteral("PRINT_INDEX"), QString(), true, false),
            Rule(QStringLiteral("PRINT_ID"), QStringLiteral("序号"), true, false),
            Rule(QStringLiteral("EDIT_NAME"), QStringLiteral("编辑人员"), false, true),
            Rule(QStringLiteral("EDIT_DATE"), QStringLiteral("编辑日期"), false, true),
            Rule(QStringLiteral("PRINT_TYPE"), QString(), true, false)};
}

TChooserVerdict CheckChooserCommand(TChooserCommand command, const TChooserChecks& checks) {
    if (command == TChooserCommand::Add)
        return CheckAdd(checks);
    if (command == TChooserCommand::Delete && !checks.QueryActive)
        return Refuse(QString());
    const TCommandTexts texts = TextsOf(command);
    if (!checks.QueryActive || checks.RowCount == 0)
        return Refuse(texts.Empty);
    if (!checks.SelectedName)
        return Refuse(texts.NoSelection);
    // Edit asks about the status before it looks for the row.
    if (command == TChooserCommand::Edit && StatusFails(checks))
        return Refuse(StatusPrompt(checks));
    if (!checks.Locate || !checks.Locate(*checks.SelectedName))
        return Refuse(texts.NotFound);
    const bool statusChecked =
        command == TChooserCommand::Print || command == TChooserCommand::Preview;
    if (statusChecked && StatusFails(checks))
        return Refuse(StatusPrompt(checks));
    return {};
}

bool StatusAllows(db::TDataSet* dataSet, const QString& field, const QString& value) {
    return dataSet->FieldByName(field)->AsString() == value;
}

const TPrintFieldsArray* PrintFieldsOfType(const QString& printType,
                                           const TPrintFieldsArray& master,
                                           const TPrintFieldsArray& masterDetail) {
    if (printType == u"M")
        return &master;
    if (printType == u"MD")
        return &masterDetail;
    return nullptr;
}

QString TemplateFilePath(const QString& templateDir, const QString& printId) {
    return QDir(templateDir).filePath(printId);
}

QString MissingTemplateFilePrompt(const QString& path) {
    return QStringLiteral("报表模版文件:") + path + QStringLiteral("\r\n") +
           QStringLiteral("没有找到报表模版文件");
}

QString TemplateBodySelect(const QString& templateTable, const QString& printId) {
    return QStringLiteral("SELECT * FROM ") + templateTable + QStringLiteral(" WHERE PRINT_ID = ") +
           QuotedStr(printId);
}

bool LoadTemplateBody(TReportRunTime& filler, const TTemplatePlace& place, const QString& printId) {
    if (!place.TemplateDir.isEmpty()) {
        const QString path = TemplateFilePath(place.TemplateDir, printId);
        if (!QFileInfo(path).isFile()) {
            ShowPromptMessage(MissingTemplateFilePrompt(path));
            return false;
        }
        filler.SetReportFile(path);
        return true;
    }
    db::TQuery body;
    body.SetDatabaseName(place.DatabaseName);
    body.SQL().SetText(TemplateBodySelect(place.TemplateTable, printId));
    body.Open();
    if (body.IsEmpty()) {
        ShowPromptMessage(QStringLiteral("数据库里没有找到报表模版文件"));
        return false;
    }
    filler.LoadFromStream(body.FieldByName(QStringLiteral("PRINT_TABLE"))->AsBytes());
    return true;
}

QStringList FillerSetData(const QString& dataSetLine1, const QString& dataSetLine2) {
    QStringList lines;
    for (const QString& line : {dataSetLine1, dataSetLine2})
        if (!line.isEmpty())
            lines << QStringLiteral("SetDataSet(") + line + QStringLiteral(");");
    return lines;
}

QString BoundComponentName(const QString& setDataLine) {
    const qsizetype open = setDataLine.indexOf(u'(');
    const qsizetype close = setDataLine.indexOf(u')', open + 1);
    if (open < 0 || close < 0)
        return {};
    if (setDataLine.left(open).trimmed().compare(u"SetDataSet", Qt::CaseInsensitive) != 0)
        return {};
    const QStringList arguments = setDataLine.mid(open + 1, close - open - 1).split(u',');
    return arguments.size() < 2 ? QString() : arguments[1].trimmed();
}

db::TDataSet* FindWindowDataSet(const QString& formDotComponent) {
    const qsizetype dot = formDotComponent.indexOf(u'.');
    if (dot < 0)
        return nullptr;
    const QString form = formDotComponent.left(dot);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName().compare(form, Qt::CaseInsensitive) == 0)
            return window->findChild<db::TDataSet*>(formDotComponent.mid(dot + 1));
    return nullptr;
}

TRecordKeeper::TRecordKeeper(const std::vector<db::TDataSet*>& dataSets) {
    for (db::TDataSet* dataSet : dataSets)
        if (dataSet && dataSet->Active() && !dataSet->IsEmpty())
            marks_.emplace_back(dataSet, dataSet->Bookmark());
}

TRecordKeeper::~TRecordKeeper() {
    // A scroll handler that fails must not take the other data sets along.
    for (auto& [dataSet, mark] : marks_) {
        try {
            if (dataSet && dataSet->Active() && dataSet->BookmarkValid(mark))
                dataSet->GotoBookmark(mark);
        } catch (...) {
            ui::HandleCurrentException();
        }
    }
}

} // namespace kx
