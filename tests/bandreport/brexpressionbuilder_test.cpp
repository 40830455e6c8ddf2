#include "bandreport/bandrep.h"
#include "bandreport/brenvironmenteditor.h"
#include "bandreport/brexpreditor.h"
#include "bandreport/brexpressionbuilder.h"
#include "bandreport/brfunctionlibrary.h"
#include "bandreport/brlabeleditor.h"
#include "bandreport/brprintable.h"
#include "bandreport/searchdlg.h"
#include "platform/ui/messagedialog.h"
#include "tests/platform/db/dbfixture.h"
#include "tests/support/clippedtexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kx {
namespace {

// Answers the next modal dialog of the kind once it shows.
template <typename Dialog> void WhenShown(QObject* owner, std::function<void(Dialog*)> answer) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start(0);
}

void Click(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

TEST(ExpressionBuilderTextTest, ArgumentsAreAskedForByTheirKind) {
    EXPECT_EQ(ArgumentLabel(u'B', 1), QStringLiteral("Argument 1 - logical value"));
    EXPECT_EQ(ArgumentLabel(u'N', 2), QStringLiteral("Argument 2 - numeric value"));
    EXPECT_EQ(ArgumentLabel(u'S', 3), QStringLiteral("Argument 3 - text Value"));
    EXPECT_EQ(ArgumentLabel(u'V', 4), QStringLiteral("Argument 4 - value"));
    EXPECT_EQ(FunctionCallText(QStringLiteral("COPY"), {"'ab'", "1", "2"}),
              QStringLiteral("COPY('ab',1,2)"));
    EXPECT_EQ(StripLineBreaks(QStringLiteral("1 +\r\n2\n")), QStringLiteral("1 +2"));
}

TEST(ExpressionBuilderTextTest, CategoriesListTheFunctionsOfTheirDigit) {
    const auto names = [](int category) {
        QStringList list;
        for (const TBRLibraryEntry* entry : FunctionsOfCategory(category))
            list.append(entry->Name);
        return list;
    };
    EXPECT_EQ(names(3), (QStringList{"SUM", "COUNT", "MAX", "MIN", "AVERAGE"}));
    EXPECT_TRUE(names(4).isEmpty());
    EXPECT_EQ(names(0).size(), int(FunctionLibrary().Entries().size()));
    for (const QString& name : names(2))
        EXPECT_TRUE(FunctionLibrary().Find(name)->SignatureCode.startsWith(u'2'))
            << name.toStdString();
}

TEST(ExpressionBuilderTextTest, ValidationTellsTheValueOrTheError) {
    const struct {
        TBREvValue Value;
        const char* Message;
    } cases[] = {
        {TBREvValue::FromInteger(7), "There are no errors. The result is : 7"},
        {TBREvValue::FromFloat(2.5), "There are no errors. The result is : 2.5"},
        {TBREvValue::FromText(QStringLiteral("合计")), "There are no errors. The result is : 合计"},
        {TBREvValue::FromBoolean(false), "There are no errors. The result is : False"},
        {TBREvValue::MakeError(QStringLiteral("Missing )")), "ERROR: Missing )"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidationMessage(c.Value), QString::fromUtf8(c.Message));
}

// A form holding a query "Query" over PEOPLE (ID, NAME) and a report.
class ExpressionBuilderTest : public db::test::DbTest {
protected:
    void SetUp() override {
        Exec({"CREATE TABLE PEOPLE (ID INTEGER, NAME VARCHAR(20))",
              "INSERT INTO PEOPLE VALUES (1, '张三')"});
        query_ = new db::TQuery(&form_);
        query_->setObjectName(QStringLiteral("Query"));
        query_->SetDatabaseName(QStringLiteral("RUReravezDataBase"));
        query_->SQL().SetText(QStringLiteral("SELECT * FROM PEOPLE"));
        query_->Open();
        old_ = ui::SetMessageSink([this](const ui::MessageRequest& request) {
            Messages.append(request.text);
            return false;
        });
    }
    void TearDown() override { ui::SetMessageSink(old_); }

    QStringList Messages;
    QObject form_;
    db::TQuery* query_ = nullptr;
    TBandRep report_{&form_};
    ui::MessageSink old_;
};

TEST_F(ExpressionBuilderTest, ValidateComputesTheExpressionOnce) {
    TBRExpressionBuilder builder(&form_, &report_.Functions());
    const struct {
        const char* Expression;
        const char* Message;
    } cases[] = {{"1+2*3", "There are no errors. The result is : 7"},
                 {"Query.NAME+'!'", "There are no errors. The result is : 张三!"},
                 {"REPORTTITLE", "There are no errors. The result is : "},
                 {"(1+2", "ERROR: Missing )"}};
    for (const auto& c : cases) {
        Messages.clear();
        builder.SetExpression(QString::fromUtf8(c.Expression));
        Click(&builder, "ValidateButton");
        EXPECT_EQ(Messages, QStringList{QString::fromUtf8(c.Message)}) << c.Expression;
    }
    EXPECT_FALSE(report_.Functions().IsCompiled());
}

TEST_F(ExpressionBuilderTest, ButtonsInsertAtTheCursorReplacingTheSelection) {
    TBRExpressionBuilder builder(&form_, &report_.Functions());
    builder.SetExpression(QStringLiteral("1 2"));
    QTextCursor cursor = builder.ExpressionEdit()->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    builder.ExpressionEdit()->setTextCursor(cursor);
    Click(&builder, "Operator<>");
    EXPECT_EQ(builder.Expression(), QStringLiteral("1 <> 2"));
    Click(&builder, "OperatorAnd");
    EXPECT_EQ(builder.Expression(), QStringLiteral("1 <>  And 2"));

    Click(&builder, "ClearButton");
    Click(&builder, "DataFieldButton");
    EXPECT_EQ(builder.CurrentPage(), TBRExpressionBuilder::DataFieldPage);
    EXPECT_EQ(builder.DatasetList()->currentItem()->text(), QStringLiteral("Query"));
    builder.FieldList()->setCurrentRow(1);
    Click(&builder, "FieldOkButton");
    EXPECT_EQ(builder.CurrentPage(), TBRExpressionBuilder::MainPage);
    EXPECT_EQ(builder.Expression(), QStringLiteral("Query.NAME"));

    Click(&builder, "OperatorNot");
    Click(&builder, "VariableButton");
    ASSERT_EQ(builder.VariableList()->item(0)->text(), QStringLiteral("PAGENUMBER"));
    EXPECT_EQ(builder.VariableList()->item(3)->text(), QStringLiteral("APPSTARTTIME"));
    builder.VariableList()->setCurrentRow(2);
    EXPECT_EQ(builder.VariableValue()->text(), QStringLiteral("Value : ''"));
    Click(&builder, "VariableOkButton");
    EXPECT_EQ(builder.Expression(), QStringLiteral("Query.NAME Not REPORTTITLE"));
}

TEST_F(ExpressionBuilderTest, AFunctionWithArgumentsAsksForEachOfThem) {
    TBRExpressionBuilder builder(&form_, &report_.Functions());
    Click(&builder, "FunctionButton");
    builder.CategoryList()->setCurrentRow(7);
    const QList<QListWidgetItem*> copy =
        builder.FunctionList()->findItems(QStringLiteral("COPY"), Qt::MatchExactly);
    ASSERT_EQ(copy.size(), 1);
    builder.FunctionList()->setCurrentItem(copy.first());
    EXPECT_EQ(builder.FunctionDescription()->text(),
              QStringLiteral("Returns a substring of string X"));
    Click(&builder, "ContinueButton");
    ASSERT_EQ(builder.CurrentPage(), TBRExpressionBuilder::FuncParamsPage);
    QStringList labels;
    for (const QLabel* label : builder.ArgumentLabels())
        labels.append(label->text());
    EXPECT_EQ(labels, (QStringList{"Argument 1 - text Value", "Argument 2 - numeric value",
                                   "Argument 3 - numeric value"}));
    const QStringList values{"'abcdef'", "2", "3"};
    for (int index = 0; index < values.size(); ++index)
        builder.ArgumentEdits().at(index)->setText(values.at(index));
    Click(&builder, "ArgumentsOkButton");
    EXPECT_EQ(builder.Expression(), QStringLiteral("COPY('abcdef',2,3)"));

    Click(&builder, "FunctionButton");
    builder.FunctionList()->setCurrentRow(0);
    Click(&builder, "ContinueButton");
    ASSERT_EQ(builder.ArgumentLabels().size(), 1);
    EXPECT_EQ(builder.ArgumentLabels().at(0)->text(), QStringLiteral("Argument 1 - numeric value"));
    EXPECT_TRUE(builder.ArgumentEdits().at(0)->text().isEmpty());
    Click(&builder, "ArgumentsCancelButton");
    EXPECT_EQ(builder.Expression(), QStringLiteral("COPY('abcdef',2,3)"));

    Click(&builder, "FunctionButton");
    builder.CategoryList()->setCurrentRow(3);
    builder.FunctionList()->setCurrentRow(1);
    Click(&builder, "ContinueButton");
    EXPECT_EQ(builder.Expression(), QStringLiteral("COPY('abcdef',2,3)COUNT"));
}

TEST_F(ExpressionBuilderTest, ShowExpressionBuilderGivesTheTextOnOkAndNothingOnCancel) {
    QString expression = QStringLiteral("1");
    WhenShown<TBRExpressionBuilder>(&form_, [](TBRExpressionBuilder* builder) {
        EXPECT_EQ(builder->findChild<QLabel*>(QStringLiteral("Heading"))->text(),
                  QStringLiteral("Enter 1. parameter"));
        builder->InsertText(QStringLiteral("\n+ 2"));
        Click(builder, "OkButton");
    });
    EXPECT_TRUE(
        ShowExpressionBuilder(QStringLiteral("Enter 1. parameter"), expression, &form_, nullptr));
    EXPECT_EQ(expression, QStringLiteral("1+ 2"));
    WhenShown<TBRExpressionBuilder>(&form_,
                                    [](TBRExpressionBuilder* builder) { builder->reject(); });
    EXPECT_FALSE(ShowExpressionBuilder(QString(), expression, &form_, nullptr));
    EXPECT_TRUE(expression.isEmpty());
}

TEST_F(ExpressionBuilderTest, TheFunctionsEditorRenamesReplacesAndAdds) {
    TBREvEnvironment& functions = report_.Functions();
    TBREnvironmentEditor editor(&functions, false, nullptr);
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("User Defined Functions Edtor"));
    EXPECT_TRUE(editor.LocalButton()->isChecked());
    EXPECT_FALSE(editor.GlobalButton()->isEnabled());
    QTableWidget* grid = editor.UDFGrid();
    ASSERT_EQ(grid->rowCount(), 3);
    grid->item(0, 0)->setText(QStringLiteral("pageno"));
    EXPECT_EQ(functions.Names().at(0), QStringLiteral("PAGENO"));
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("PAGENO"));
    grid->item(1, 0)->setText(QStringLiteral("PAGENO"));
    EXPECT_EQ(functions.Names().at(1), QStringLiteral("COLUMNNUMBER"));
    EXPECT_EQ(Messages.size(), 1);

    grid->item(1, 1)->setText(QStringLiteral("2*3"));
    functions.CompileAll();
    EXPECT_EQ(functions.EvaluateFunction(QStringLiteral("COLUMNNUMBER")).IntegerValue, 6);
    grid->item(1, 1)->setText(QStringLiteral("4"));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("2*3"));
    functions.ReleaseAll();

    WhenShown<TBRNewEntryDialog>(&form_, [](TBRNewEntryDialog* entry) {
        EXPECT_EQ(entry->windowTitle(), QStringLiteral("New entry"));
        entry->NameEdit->setText(QStringLiteral("Tax"));
        entry->ExpressionEdit->setText(QStringLiteral("0.17"));
        Click(entry, "OkButton");
    });
    editor.AddClick();
    EXPECT_EQ(functions.FunctionText(QStringLiteral("TAX")), QStringLiteral("0.17"));
    EXPECT_EQ(grid->rowCount(), 4);

    TBREnvironmentEditor global(nullptr, true, nullptr);
    EXPECT_FALSE(global.LocalButton()->isEnabled());
    EXPECT_EQ(global.UDFGrid()->item(2, 0)->text(), QStringLiteral("APPNAME"));
}

TEST_F(ExpressionBuilderTest, TheLabelEditorWritesBackWhatTheUserChanged) {
    TBRBand* band = report_.CreateBand(TBRBandType::rbDetail);
    auto* label = new TBRLabel(band);
    label->SetCaption(QStringLiteral("姓名"));
    label->AutoSize = false;
    report_.SetUnits(TBRUnit::Native);
    label->Size().SetDimension(TBRPrintableSize::WidthIndex, 250.4L);
    label->Size().SetDimension(TBRPrintableSize::HeightIndex, 40);
    TBRLabelEditor editor(label);
    EXPECT_EQ(editor.NamePrefix(), QStringLiteral("BRLABEL"));
    EXPECT_EQ(editor.Description(), QStringLiteral("Text Control"));

    WhenShown<TBRLabelEditorForm>(&form_, [](TBRLabelEditorForm* form) {
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Text Settings"));
        EXPECT_EQ(form->TextEdit->text(), QStringLiteral("姓名"));
        EXPECT_EQ(form->WidthEdit->text(), QStringLiteral("250"));
        EXPECT_EQ(form->HeightEdit->text(), QStringLiteral("40"));
        form->TextEdit->setText(QStringLiteral("名称"));
        form->HeightEdit->setText(QStringLiteral("60"));
        form->StretchBox->setChecked(true);
        form->OkButton->click();
    });
    EXPECT_TRUE(editor.Edit());
    EXPECT_EQ(label->GetCaption(), QStringLiteral("名称"));
    EXPECT_EQ(label->Size().GetDimension(TBRPrintableSize::WidthIndex), 250.4L);
    EXPECT_EQ(label->Size().GetDimension(TBRPrintableSize::HeightIndex), 60);
    EXPECT_TRUE(label->AutoStretch);

    WhenShown<TBRLabelEditorForm>(&form_, [](TBRLabelEditorForm* form) {
        form->TextEdit->setText(QStringLiteral("x"));
        form->CancelButton->click();
    });
    EXPECT_FALSE(editor.Edit());
    EXPECT_EQ(label->GetCaption(), QStringLiteral("名称"));
}

TEST_F(ExpressionBuilderTest, TheExpressionEditorBuildsTheExpressionOverTheFormsDataSets) {
    TBRBand* band = report_.CreateBand(TBRBandType::rbDetail);
    auto* expr = new TBRExpr(band);
    expr->SetExpression(QStringLiteral("1"));
    TBRExprEditor editor(expr);
    EXPECT_EQ(editor.NamePrefix(), QStringLiteral("BREXPR"));
    EXPECT_EQ(editor.Description(), QStringLiteral("Expression Control"));
    WhenShown<TBRExprEditorForm>(&form_, [this](TBRExprEditorForm* form) {
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Expression settings"));
        EXPECT_EQ(form->TextEdit->text(), QStringLiteral("1"));
        WhenShown<TBRExpressionBuilder>(&form_, [](TBRExpressionBuilder* builder) {
            builder->SetExpression(QString());
            Click(builder, "DataFieldButton");
            builder->FieldList()->setCurrentRow(0);
            Click(builder, "FieldOkButton");
            Click(builder, "OkButton");
        });
        form->BuilderButton->click();
        form->MaskEdit->setText(QStringLiteral("#,##0"));
        form->OkButton->click();
    });
    EXPECT_TRUE(editor.Edit());
    EXPECT_EQ(expr->Expression(), QStringLiteral("Query.ID"));
    EXPECT_EQ(expr->Mask(), QStringLiteral("#,##0"));
}

TEST_F(ExpressionBuilderTest, EveryDialogShowsItsCaptionsWhole) {
    TBRBand* band = report_.CreateBand(TBRBandType::rbDetail);
    TBRLabelEditor labelEditor(new TBRLabel(band));
    TBRExprEditor exprEditor(new TBRExpr(band));
    TBRExpressionBuilder builder(&form_, &report_.Functions());
    TBRLabelEditorForm labelForm(labelEditor);
    TBRExprEditorForm exprForm(exprEditor);
    TBREnvironmentEditor functions(&report_.Functions(), true, nullptr);
    TBRNewEntryDialog entry(&form_, nullptr, nullptr);
    TSearchDlg search;
    for (QWidget* dialog : std::initializer_list<QWidget*>{&builder, &labelForm, &exprForm,
                                                           &functions, &entry, &search}) {
        dialog->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(test::ClippedTexts(*dialog), QStringList())
            << dialog->windowTitle().toStdString();
    }
    for (const char* page : {"FunctionButton", "VariableButton"}) {
        Click(&builder, page);
        QCoreApplication::processEvents();
        EXPECT_EQ(test::ClippedTexts(builder), QStringList()) << page;
    }
}

} // namespace
} // namespace kx
