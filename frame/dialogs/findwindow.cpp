#include "frame/dialogs/findwindow.h"

#include "core/messages.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxcomboedit.h"
#include "frame/controls/kxedit.h"
#include "frame/dialogs/dateform.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace kx {
namespace {

const QString kLike = QStringLiteral("相似");
const QString kEquals = QStringLiteral("等于");

QLabel* Caption(QWidget* parent, const QString& text, int left) {
    auto* label = new QLabel(text, parent);
    label->move(left, 8);
    return label;
}

QPushButton* HandButton(QWidget* parent, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}

bool IsDateBoxKind(const QString& kind) {
    static const QStringList kinds{"D",   "DLS", "DT", "LDT", "DSF", "DS", "ES",
                                   "ELS", "ESB", "BS", "LBS", "BF",  "BT"};
    return kinds.contains(kind);
}

} // namespace

TFindConnectNamearray DefaultFindRelations() {
    return {{QStringLiteral("Like"), kLike},
            {QStringLiteral("="), kEquals},
            {QStringLiteral("<>"), QStringLiteral("不等于")},
            {QStringLiteral("<="), QStringLiteral("小于等于")},
            {QStringLiteral(">="), QStringLiteral("大于等于")}};
}

TFindWindow::TFindWindow(bool simple, int height, QWidget* parent)
    : QDialog(parent), Panel1(new QFrame(this)), Panel2(new QFrame(Panel1)),
      Label1(Caption(Panel2, QStringLiteral("查找字段"), 12)),
      Label2(Caption(Panel2, QStringLiteral("查找关系"), 175)),
      Label3(Caption(Panel2, QStringLiteral("查找值"), 264)),
      Label5(Caption(Panel2, QStringLiteral("查找年份"), 264)),
      Label6(Caption(Panel2, QStringLiteral("查找月份"), 339)), ComboBox1(new TKXComboBox(Panel2)),
      ComboBox2(new TKXComboBox(Panel2)), ComboBox3(new TKXComboBox(Panel2)),
      TextEdit(new TKXEdit(Panel2)), DateEdit(new TKXComboEdit(Panel2)),
      YearEdit(new TKXEdit(Panel2)), MonthEdit(new TKXEdit(Panel2)),
      SureButton(HandButton(Panel1, QStringLiteral("确认[F3]"))),
      AllDataButton(HandButton(Panel1, QStringLiteral("全部数据"))),
      CloseButton(HandButton(Panel1, QStringLiteral("关闭[F12]"))), simple_(simple),
      relations_(DefaultFindRelations()) {
    setWindowTitle(QStringLiteral("查找窗口"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(427, height);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(13);
    setFont(font);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    ComboBox1->SetStyle(csDropDownList);
    ComboBox1->setGeometry(8, 24, 155, 21);
    ComboBox2->SetStyle(csDropDownList);
    ComboBox2->setGeometry(172, 24, 81, 21);
    TextEdit->setGeometry(262, 24, 150, 21);
    DateEdit->setGeometry(262, 24, 153, 21);
    DateEdit->SetGlyphKind(gkEllipsis);
    ComboBox3->setGeometry(262, 24, 155, 21);
    YearEdit->SetEditType(etInteger);
    YearEdit->SetMaxLength(4);
    YearEdit->setGeometry(263, 24, 75, 21);
    MonthEdit->SetEditType(etInteger);
    MonthEdit->SetMaxLength(2);
    MonthEdit->setGeometry(338, 24, 75, 21);
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{DateEdit, ComboBox3, YearEdit, MonthEdit, Label5, Label6})
        hidden->hide();

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, ui::Guard([this] { FieldChange(); }));
    connect(TextEdit, &QLineEdit::textChanged, this, [this] { TextEditChange(); });
    DateEdit->OnButtonClick = [this](QObject*) { DateButtonClick(); };
    connect(SureButton, &QPushButton::clicked, this, ui::Guard([this] { SureButtonClick(); }));
    connect(AllDataButton, &QPushButton::clicked, this, [this] { AllDataButtonClick(); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    new ui::KeyPreview(this, [this](QKeyEvent* event) { return KeyPreview(event); });
}

void TFindWindow::AllDataButtonClick() {
    allData_ = true;
    accept();
}

void TFindWindow::SetFieldsData(const TFieldsDataArray& fields) {
    fields_ = fields;
    reload_ = true;
}

void TFindWindow::Reset() {
    ComboBox1->clear();
    ComboBox2->clear();
    ComboBox3->clear();
    ClearValueBoxes();
}

void TFindWindow::ClearValueBoxes() {
    ComboBox3->SetText(QString());
    YearEdit->clear();
    MonthEdit->clear();
    DateEdit->clear();
    TextEdit->clear();
}

QList<QWidget*> TFindWindow::EntryBoxes() const {
    return {ComboBox1, ComboBox2, ComboBox3, MonthEdit, YearEdit, TextEdit, DateEdit};
}

bool TFindWindow::TakesPart(const TFieldsData& field) const {
    return !field.DisplayLabel.isEmpty() && !field.FindKind.trimmed().isEmpty();
}

bool TFindWindow::Handles(const QString& kind) const {
    static const QStringList simpleKinds{"T",  "LS", "DT",  "Y",   "D",  "DS", "DSF",
                                         "BS", "ES", "ELS", "DLS", "BF", "B",  "S"};
    return !simple_ || simpleKinds.contains(kind);
}

void TFindWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (reload_) {
        const QSignalBlocker blocker(ComboBox1);
        Reset();
        for (const TFieldsData& field : fields_)
            if (TakesPart(field))
                ComboBox1->addItem(field.FindKind.trimmed().toUpper() == u"Y" ? field.FindKey
                                                                              : field.DisplayLabel);
        ComboBox1->setCurrentIndex(-1);
        for (const TFindConnectTypeName& relation : relations_)
            ComboBox2->addItem(relation.DisplayName);
        reload_ = false;
    }
    ComboBox1->setFocus();
}

QList<const TFieldsData*> TFindWindow::ChosenFields(bool anyFindKey) const {
    const QString text = ComboBox1->Text();
    QList<const TFieldsData*> chosen;
    for (const TFieldsData& field : fields_) {
        const bool year = field.FindKind.trimmed().toUpper() == u"Y";
        if (field.DisplayLabel == text || (field.FindKey == text && (year || anyFindKey)))
            chosen << &field;
    }
    return chosen;
}

void TFindWindow::FieldChange() {
    ClearValueBoxes();
    TextEdit->SetEditType(etString);
    ComboBox2->setEnabled(true);
    DateEdit->SetReadOnly(false);
    SetControlFontColor(DateEdit, ui::clWindowText);
    SetControlFontColor(Label3, ui::clWindowText);
    if (ComboBox2->findText(kLike) < 0)
        ComboBox2->insertItem(0, kLike);
    QString selectFieldName;
    for (const TFieldsData* field : ChosenFields(!simple_)) {
        const QString kind = field->FindKind.trimmed().toUpper();
        if (!Handles(kind))
            continue;
        kind_ = kind;
        pickedId_.clear();
        ShowValueBox(*field, kind);
        if (IsDateBoxKind(kind) || kind == u"B" || kind == u"BLS" || kind == u"S")
            popupFieldName_ = field->FieldName;
        if (kind == u"S")
            selectFieldName = field->FieldName;
    }
    if (!selectFieldName.isEmpty() && SelectSQL) {
        ComboBox3->clear();
        SelectSQL(selectFieldName, ComboBox3);
    }
}

void TFindWindow::ShowValueBox(const TFieldsData& field, const QString& kind) {
    const bool number = field.TypeCode.trimmed().toUpper() == u"N";
    const bool text = kind == u"T" || kind == u"LS";
    const bool year = kind == u"Y";
    const bool choice = kind == u"B" || kind == u"BLS" || kind == u"S";
    const bool date = IsDateBoxKind(kind);
    TextEdit->setVisible(text);
    Label3->setVisible(!year);
    Label5->setVisible(year);
    Label6->setVisible(year);
    YearEdit->setVisible(year);
    MonthEdit->setVisible(year);
    ComboBox3->setVisible(choice);
    DateEdit->setVisible(date);
    if (text && number)
        TextEdit->SetEditType(etFloat);
    if (((text || kind == u"DT" || kind == u"LDT") && number) || year || kind == u"D" ||
        kind == u"DLS" || kind == u"ES" || kind == u"ELS" || kind == u"ESB" || kind == u"B" ||
        kind == u"BLS")
        RemoveLike();
    if (kind == u"ES" || kind == u"ELS")
        SetControlFontColor(DateEdit, ui::clRed);
    if (kind == u"ESB" || kind == u"BS" || kind == u"LBS" || kind == u"BF") {
        DateEdit->SetReadOnly(true);
        SetControlFontColor(DateEdit, ui::clBlue);
    }
    if (kind == u"BS" || kind == u"LBS" || kind == u"BT")
        FixRelation(false);
    if (kind == u"BF")
        FixRelation(true);
    if (kind == u"B" || kind == u"BLS") {
        ComboBox3->clear();
        for (const QString& part : field.FindKey.split(u';', Qt::SkipEmptyParts))
            ComboBox3->addItem(part);
        ComboBox3->SetText(QString());
    }
}

void TFindWindow::RemoveLike() {
    const int at = ComboBox2->findText(kLike);
    if (at < 0)
        return;
    const bool shown = ComboBox2->currentIndex() == at;
    ComboBox2->removeItem(at);
    if (shown)
        ComboBox2->setCurrentIndex(-1);
}

void TFindWindow::FixRelation(bool listEnabled) {
    ComboBox2->setCurrentIndex(ComboBox2->findText(kEquals));
    ComboBox2->setEnabled(listEnabled);
}

bool TFindWindow::RelationListEnabled() const {
    return ComboBox2->isEnabled();
}

void TFindWindow::DateButtonClick() {
    if (kind_ == u"D" || kind_ == u"DLS") {
        PickDate();
        return;
    }
    static const QStringList popupKinds{"ESB", "DS",  "DSF", "BS", "ES", "ELS",
                                        "DT",  "LDT", "LBS", "BT", "BF"};
    static const QStringList simplePopupKinds{"BF", "DS", "DSF", "BS", "ES", "DT"};
    if (!(simple_ ? simplePopupKinds : popupKinds).contains(kind_))
        return;
    if (kind_ == u"BF")
        ComboBox2->setEnabled(true);
    if (!PopupWindow)
        return;
    QString value = DateEdit->text();
    QString id;
    QString fieldName = popupFieldName_;
    PopupWindow(value, id, fieldName);
    if (!id.isEmpty())
        DateEdit->setText(value);
    pickedValue_ = value;
    pickedId_ = id;
}

void TFindWindow::PickDate() {
    TDateForm picker;
    picker.setFont(PickerFont);
    QPalette colors = picker.Calendar->palette();
    colors.setColor(QPalette::Base, ui::ToQColor(PickerColor, colors));
    picker.Calendar->setPalette(colors);
    picker.SureButton->setText(QStringLiteral("确认[F3]"));
    picker.CloseButton->setText(QStringLiteral("关闭[F12]"));
    picker.setWindowTitle(QStringLiteral("日期选择窗口"));
    ForceForegroundFocus(&picker);
    if (ui::ExecModal(picker) == QDialog::Accepted)
        DateEdit->setText(picker.TitleLabel->text());
}

bool TFindWindow::CheckFieldAndRelation(QString& sqlRelation) {
    if (ComboBox1->Text().trimmed().isEmpty()) {
        ShowPromptMessage(QStringLiteral("必须有一个查找字段"));
        ComboBox1->setFocus();
        return false;
    }
    if (ComboBox2->Text().trimmed().isEmpty()) {
        ShowPromptMessage(QStringLiteral("必须有一个查找关系"));
        ComboBox2->setFocus();
        return false;
    }
    sqlRelation.clear();
    for (const TFindConnectTypeName& relation : relations_) {
        if (relation.DisplayName == ComboBox2->Text()) {
            sqlRelation = relation.SqlRelation;
            break;
        }
    }
    return true;
}

TFindInput TFindWindow::InputFor(const TFieldsData& field, const QString& sqlRelation) const {
    TFindInput input;
    input.Field = &field;
    input.SqlRelation = sqlRelation;
    input.SqlType = sqlType_;
    input.Simple = simple_;
    input.Text = FieldTextOf(TextEdit->EditType(), TextEdit->text());
    input.Year = YearEdit->text();
    input.Month = MonthEdit->text();
    input.DateText = DateEdit->text();
    input.ChoiceText = ComboBox3->Text();
    input.PickedValue = pickedValue_;
    input.PickedId = pickedId_;
    return input;
}

void TFindWindow::Refuse(const TFindResult& result) {
    ShowPromptMessage(result.Prompt);
    QWidget* focus = nullptr;
    switch (result.Focus) {
    case TFindFocus::FieldList:
        focus = ComboBox1;
        break;
    case TFindFocus::RelationList:
        focus = ComboBox2;
        break;
    case TFindFocus::TextBox:
        focus = TextEdit;
        break;
    case TFindFocus::YearBox:
        focus = YearEdit;
        break;
    case TFindFocus::MonthBox:
        focus = MonthEdit;
        break;
    case TFindFocus::DateBox:
        focus = DateEdit;
        break;
    case TFindFocus::ChoiceBox:
        focus = ComboBox3;
        break;
    case TFindFocus::None:
        break;
    }
    if (focus)
        focus->setFocus();
}

void TFindWindow::FollowRelation(const TFindResult& result) {
    if (result.RelationFixed)
        FixRelation(false);
    else if (result.RelationFreed)
        ComboBox2->setEnabled(true);
}

void TFindWindow::TextEditChange() {
    const QString cleaned = CleanFindText(TextEdit->text(), simple_);
    if (cleaned != TextEdit->text())
        TextEdit->setText(cleaned);
}

bool TFindWindow::KeyPreview(QKeyEvent* event) {
    if (passingKey_)
        return false;
    QWidget* focused = QApplication::focusWidget();
    switch (event->key()) {
    case Qt::Key_F3:
        ui::Guard([this] { SureButtonClick(); })();
        return true;
    case Qt::Key_F12:
        CloseButton->click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focused == DateEdit) {
            ui::Guard([this] { DateButtonClick(); })();
            return true;
        }
        if (focused == ComboBox3 && !simple_)
            return true;
        if (focused == ComboBox1 || focused == ComboBox2 || focused == YearEdit ||
            focused == MonthEdit || focused == TextEdit || focused == ComboBox3) {
            ui::MoveFocus(this, true);
            return true;
        }
        return false;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const bool moves =
            simple_ ? (focused == ComboBox1 || focused == ComboBox2 || focused == YearEdit ||
                       focused == MonthEdit || focused == ComboBox3 || focused == TextEdit)
                    : focused == ComboBox3;
        if (moves) {
            // The key still reaches the box before the focus moves on.
            passingKey_ = true;
            QApplication::sendEvent(focused, event);
            passingKey_ = false;
            ui::MoveFocus(this, event->key() == Qt::Key_Right);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace kx

#include "moc_findwindow.cpp"
