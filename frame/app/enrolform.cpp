#include "frame/app/enrolform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/settingfunctions.h"
#include "frame/app/enrolrows.h"
#include "frame/controls/imenames.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxedit.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/kxthread.h"
#include "frame/dialogs/setautoidform.h"
#include "platform/db/field.h"
#include "platform/db/updatesql.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/passwordecho.h"

#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QScreen>

namespace kx {
namespace {

struct TCatalogueRow {
    const char16_t* PrintId;
    const char16_t* PrintIndex;
    const char16_t* PrintName;
};

// The printing windows whose templates come with every data folder.
constexpr TCatalogueRow kCatalogue[] = {
    {u"200700000007", u"MoneyIntoOutForm", u"资金借贷记录报表"},
    {u"200700000008", u"IntoOutMoneyAccountForm1", u"资金账号日台账"},
    {u"200700000009", u"IntoOutMoneyAccountForm2", u"资金账号月台账"},
    {u"200700000019", u"MoneyIntoOutQueryForm", u"资金借贷数据统计报表"},
    {u"200700000010", u"EmployeeFormMaster", u"员工资料"},
};

const QString kPrintTable = QStringLiteral("SYS_PRINT_NAME_TABLE");

// An open ledger with a coin on it, on the program's blue.
QPixmap DrawPicture(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(0x2a, 0x6c, 0xb4));
    sky.setColorAt(1, QColor(0x0c, 0x2f, 0x5c));
    painter.setPen(QPen(QColor(0x08, 0x20, 0x40), 1));
    painter.setBrush(sky);
    painter.drawRoundedRect(area, 6, 6);

    const qreal w = area.width();
    const QRectF book(w * 0.12, area.height() * 0.22, w * 0.76, area.height() * 0.42);
    const qreal middle = book.center().x();
    painter.setPen(QPen(QColor(0x5a, 0x3a, 0x1a), 1.5));
    painter.setBrush(QColor(0x8b, 0x5a, 0x2b));
    painter.drawRoundedRect(book.adjusted(-4, -3, 4, 5), 3, 3);
    painter.setPen(QPen(QColor(0x99, 0x99, 0x99), 1));
    painter.setBrush(QColor(0xfc, 0xfa, 0xf2));
    painter.drawRect(QRectF(book.left(), book.top(), middle - book.left(), book.height()));
    painter.drawRect(QRectF(middle, book.top(), book.right() - middle, book.height()));
    painter.setPen(QPen(QColor(0x9c, 0xc0, 0xe0), 1));
    for (qreal y = book.top() + 10; y < book.bottom() - 4; y += 8) {
        painter.drawLine(QPointF(book.left() + 4, y), QPointF(middle - 4, y));
        painter.drawLine(QPointF(middle + 4, y), QPointF(book.right() - 4, y));
    }
    painter.setPen(QPen(QColor(0xd0, 0x30, 0x30), 1));
    painter.drawLine(QPointF(middle + 12, book.top() + 3), QPointF(middle + 12, book.bottom() - 3));

    const qreal radius = w * 0.16;
    const QPointF coin(book.right() - radius * 0.6, book.bottom() + radius * 0.7);
    QRadialGradient gold(coin - QPointF(radius / 3, radius / 3), radius * 1.4);
    gold.setColorAt(0, QColor(0xff, 0xe8, 0x80));
    gold.setColorAt(1, QColor(0xc8, 0x90, 0x10));
    painter.setPen(QPen(QColor(0x80, 0x58, 0x00), 1.5));
    painter.setBrush(gold);
    painter.drawEllipse(coin, radius, radius);
    painter.setPen(QPen(QColor(0x80, 0x58, 0x00), 2));
    const qreal s = radius * 0.45;
    QPainterPath yuan;
    yuan.moveTo(coin + QPointF(-s, -s));
    yuan.lineTo(coin + QPointF(0, 0));
    yuan.lineTo(coin + QPointF(s, -s));
    yuan.moveTo(coin);
    yuan.lineTo(coin + QPointF(0, s * 1.2));
    yuan.moveTo(coin + QPointF(-s * 0.7, s * 0.2));
    yuan.lineTo(coin + QPointF(s * 0.7, s * 0.2));
    yuan.moveTo(coin + QPointF(-s * 0.7, s * 0.65));
    yuan.lineTo(coin + QPointF(s * 0.7, s * 0.65));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(yuan);
    return picture;
}

// The text is kept in upper case however it comes in; the caret stays where
// it was.
void KeepUpperCase(TKXEdit* edit) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        QString upper = text;
        for (QChar& c : upper)
            c = c.toUpper();
        if (upper == text)
            return;
        const int caret = edit->cursorPosition();
        edit->setText(upper);
        edit->setCursorPosition(caret);
    });
}

TKXEdit* NewEdit(QWidget* form, const char* name, int maxBytes) {
    auto* edit = new TKXEdit(form);
    edit->setObjectName(QLatin1String(name));
    edit->SetMaxLength(maxBytes);
    return edit;
}

QLabel* NewLabel(QWidget* form, const char* name, const QString& caption) {
    auto* label = new QLabel(caption, form);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

TEnrolForm::TEnrolForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("EnrolForm"));
    setWindowTitle(QStringLiteral("注册窗口"));
    setFixedSize(487, 248);
    MakeControls();
    PlaceControls();
    MakeCatalogueQuery();
    connect(Button_Ok, &QPushButton::clicked, this, ui::Guard([this] { Button_OkClick(); }));
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    new ui::KeyPreview(this, [this](QKeyEvent* event) { return FormKeyDown(event); });
    FormCreate();
}

void TEnrolForm::MakeControls() {
    Button_Ok = new QPushButton(QStringLiteral("确认F3"), this);
    Button_Ok->setObjectName(QStringLiteral("Button_Ok"));
    Button_Close = new QPushButton(QStringLiteral("关闭F4"), this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    KXEdit1 = NewEdit(this, "KXEdit1", 40);
    KXEdit6 = NewEdit(this, "KXEdit6", 6);
    KXEdit7 = NewEdit(this, "KXEdit7", 20);
    KXEdit8 = NewEdit(this, "KXEdit8", 40);
    KXEdit9 = NewEdit(this, "KXEdit9", 40);
    KXComboBox1 = new TKXComboBox(this);
    KXComboBox1->setObjectName(QStringLiteral("KXComboBox1"));
    KXComboBox1->SetStyle(csDropDownList);
    KXEdit4 = NewEdit(this, "KXEdit4", 6);
    KXEdit5 = NewEdit(this, "KXEdit5", 20);
    KXEdit2 = NewEdit(this, "KXEdit2", 10);
    KXEdit3 = NewEdit(this, "KXEdit3", 10);
    KeepUpperCase(KXEdit6);
    KeepUpperCase(KXEdit4);
    ui::EchoAsStars(KXEdit2);
    ui::EchoAsStars(KXEdit3);
    Label11 = NewLabel(this, "Label11",
                       QStringLiteral("自己输入:单位名称、 用户编号、用户姓名、口令等！"));
    QPalette red = Label11->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label11->setPalette(red);

    const QList<QWidget*> tabOrder = {Button_Ok, Button_Close, KXEdit1, KXEdit6, KXEdit7, KXEdit8,
                                      KXEdit9,   KXComboBox1,  KXEdit4, KXEdit5, KXEdit2, KXEdit3};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void TEnrolForm::MakeCatalogueQuery() {
    KXThread = new TKXThread(this);
    KXThread->setObjectName(QStringLiteral("KXThread"));
    KXThread->SetCaption(QStringLiteral("正在建立报表数据......"));
    Query = new TKXQuery(this);
    Query->setObjectName(QStringLiteral("Query"));
    Query->SetTableName(kPrintTable);
    Query->SQL().SetText(
        QStringLiteral("SELECT  *  FROM  SYS_PRINT_NAME_TABLE WHERE PRINT_ID = :PRINT_ID"));
    Query->SetCachedUpdates(true);
    Up = new db::TUpdateSQL(this);
    Up->setObjectName(QStringLiteral("Up"));
    Up->InsertSQL().SetLines(
        {QStringLiteral("insert into SYS_PRINT_NAME_TABLE"),
         QStringLiteral("  (PRINT_INDEX, PRINT_NAME, PRINT_TYPE, PRINT_ID, EDIT_NAME, EDIT_DATE)"),
         QStringLiteral("values"),
         QStringLiteral("  (:PRINT_INDEX, :PRINT_NAME, :PRINT_TYPE, :PRINT_ID, :EDIT_NAME, "
                        ":EDIT_DATE)")});
    const QStringList byKey = {QStringLiteral("where"),
                               QStringLiteral("  PRINT_INDEX = :OLD_PRINT_INDEX and"),
                               QStringLiteral("  PRINT_ID = :OLD_PRINT_ID")};
    Up->ModifySQL().SetLines(QStringList{QStringLiteral("update SYS_PRINT_NAME_TABLE"),
                                         QStringLiteral("set"),
                                         QStringLiteral("  PRINT_INDEX = :PRINT_INDEX,"),
                                         QStringLiteral("  PRINT_NAME = :PRINT_NAME,"),
                                         QStringLiteral("  PRINT_TYPE = :PRINT_TYPE,"),
                                         QStringLiteral("  PRINT_ID = :PRINT_ID,"),
                                         QStringLiteral("  EDIT_NAME = :EDIT_NAME,"),
                                         QStringLiteral("  EDIT_DATE = :EDIT_DATE")} +
                             byKey);
    Up->DeleteSQL().SetLines(QStringList{QStringLiteral("delete from SYS_PRINT_NAME_TABLE")} +
                             byKey);
    Query->SetUpdateObject(Up);
}

void TEnrolForm::PlaceControls() {
    auto* picture = NewLabel(this, "Image1", QString());
    picture->setGeometry(8, 8, 116, 198);
    picture->setPixmap(DrawPicture(picture->size()));

    // Company rows above, user rows below a small gap; a label left of its box.
    enum TColumn { Left, LeftWide, Right };
    const struct {
        const char* label;
        const char16_t* caption;
        QWidget* box;
        int row;
        TColumn column;
    } entries[] = {
        {"Label1", u"单位名称", KXEdit1, 0, LeftWide},
        {"Label6", u"邮编", KXEdit6, 1, Left},
        {"Label7", u"传真", KXEdit7, 1, Right},
        {"Label8", u"电话", KXEdit8, 2, LeftWide},
        {"Label9", u"单位地址", KXEdit9, 3, LeftWide},
        {"Label4", u"用户编号", KXEdit4, 4, Left},
        {"Label5", u"用户姓名", KXEdit5, 4, Right},
        {"Label2", u"口令", KXEdit2, 5, Left},
        {"Label3", u"口令确认", KXEdit3, 5, Right},
        {"Label10", u"输入法", KXComboBox1, 6, Right},
    };
    constexpr int kHeight = 22;
    constexpr int kRight = 479;
    const auto top = [](int row) { return 10 + row * 28 + (row >= 4 ? 8 : 0); };
    for (const auto& entry : entries) {
        const int y = top(entry.row);
        const int labelX = entry.column == Right ? 300 : 136;
        const int boxX = entry.column == Right ? 358 : 196;
        const int boxRight = entry.column == Left ? 292 : kRight;
        NewLabel(this, entry.label, QString::fromUtf16(entry.caption))
            ->setGeometry(labelX, y, boxX - labelX - 2, kHeight);
        entry.box->setGeometry(boxX, y, boxRight - boxX, kHeight);
    }
    // The input method is the desktop's business: box and label stay hidden.
    KXComboBox1->hide();
    findChild<QLabel*>(QStringLiteral("Label10"))->hide();

    Label11->setGeometry(136, top(6), kRight - 136, kHeight);
    Button_Ok->setGeometry(220, 214, 84, 26);
    Button_Close->setGeometry(324, 214, 84, 26);
}

void TEnrolForm::FormCreate() {
    for (TKXEdit* edit :
         {KXEdit1, KXEdit6, KXEdit7, KXEdit8, KXEdit9, KXEdit4, KXEdit5, KXEdit2, KXEdit3}) {
        edit->SetColor(AppEditColor);
        edit->SetSavedColor(AppEditColor);
        edit->SetColorOnFocus(AppFocusColor);
    }
    KXComboBox1->SetColor(AppEditColor);
    KXComboBox1->SetSavedColor(AppEditColor);
    KXComboBox1->SetColorOnFocus(AppFocusColor);
    KXComboBox1->addItems(InstalledImeNames());
    // No input method is chosen here: the stored name stays empty.
    KXComboBox1->setCurrentIndex(-1);
}

void TEnrolForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* current = screen())
        move(current->availableGeometry().center() - rect().center());
    KXEdit1->setFocus();
}

bool TEnrolForm::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_F3:
        Button_Ok->click();
        return true;
    case Qt::Key_F4:
        Button_Close->click();
        return true;
    case Qt::Key_Escape:
        // Only the close button and the close box give up what was typed.
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter in an entry moves on instead of pressing a button.
        if (qobject_cast<TKXEdit*>(focusWidget()) || focusWidget() == KXComboBox1) {
            ui::MoveFocus(this, true);
            return true;
        }
        return false;
    default:
        return false;
    }
}

TEnrolEntries TEnrolForm::Entries() const {
    return {KXEdit1->text(), KXEdit6->text(), KXEdit7->text(), KXEdit8->text(), KXEdit9->text(),
            KXEdit4->text(), KXEdit5->text(), KXEdit2->text(), KXEdit3->text()};
}

TKXEdit* TEnrolForm::EditOf(TEnrolEntry entry) const {
    switch (entry) {
    case TEnrolEntry::CompanyName:
        return KXEdit1;
    case TEnrolEntry::Phone:
        return KXEdit8;
    case TEnrolEntry::Address:
        return KXEdit9;
    case TEnrolEntry::UserId:
        return KXEdit4;
    case TEnrolEntry::UserName:
        return KXEdit5;
    case TEnrolEntry::Password:
        return KXEdit2;
    case TEnrolEntry::Confirmation:
        return KXEdit3;
    }
    return KXEdit1;
}

void TEnrolForm::Button_OkClick() {
    const TEnrolEntries entries = Entries();
    if (const std::optional<TEnrolRefusal> refusal = CheckEnrolEntries(entries)) {
        ShowPromptMessage(refusal->Message);
        EditOf(refusal->Entry)->setFocus();
        return;
    }
    const QString failure = WriteEnrolRows(kDatabaseName, entries,
                                           QDate::currentDate().toString(Qt::ISODate), AppToday);
    if (!failure.isEmpty()) {
        ShowPromptMessage(failure);
        return;
    }
    SetProgramState();
    ShowUserMessage();
    ShowOptionsWindow();
    WriteCatalogue();
    done(Accepted);
}

void TEnrolForm::SetProgramState() {
    AppSystemUser = true;
    AppUserName = KXEdit5->text().trimmed();
    AppUserId = KXEdit4->text().trimmed();
    AppImeName = KXComboBox1->currentText();
    // As stored, so that this run shows the name as every later run does.
    AppCompanyName = KXEdit1->text().trimmed();
    AppFirstRunDone = true;
    WriteSetting(QStringLiteral("RUReravezImes"), KXComboBox1->currentText());
}

void TEnrolForm::ShowUserMessage() const {
    ShowPromptMessageTo(nullptr, QStringLiteral("您的用户名称是：") + KXEdit5->text() +
                                     QStringLiteral("\n\r用户编号是：") + KXEdit4->text() +
                                     QStringLiteral("\n\r您的口令是：") + KXEdit2->text() +
                                     QStringLiteral("       "));
}

void TEnrolForm::ShowOptionsWindow() {
    TSetAutoIDForm options;
    // Hiding ends this window's own modal loop; its result is set by done()
    // once the set-up is over.
    hide();
    ui::ExecModal(options);
}

void TEnrolForm::WriteCatalogue() {
    Query->SetDatabaseName(kDatabaseName);
    try {
        Query->OpenQuery();
        KXThread->SetProgressMax1(static_cast<int>(std::size(kCatalogue)));
        KXThread->SetProgressBar1(true);
        KXThread->SetProgress1(0);
        KXThread->Start();
        AppendCatalogueRows();
    } catch (...) {
        if (Query->State() == db::dsInsert)
            Query->CancelRecord();
        Query->CloseQuery();
        KXThread->Stop();
        ShowPromptMessage(QStringLiteral("报表建立过程发生错误"));
    }
    if (Query->Active()) {
        Query->CloseQuery();
        KXThread->Stop();
    }
}

void TEnrolForm::AppendCatalogueRows() {
    int number = 0;
    for (const TCatalogueRow& row : kCatalogue) {
        KXThread->SetProgress1(++number);
        Query->AppendRecord();
        Query->FieldByName(QStringLiteral("PRINT_ID"))
            ->SetAsString(QString::fromUtf16(row.PrintId));
        Query->FieldByName(QStringLiteral("PRINT_INDEX"))
            ->SetAsString(QString::fromUtf16(row.PrintIndex));
        Query->FieldByName(QStringLiteral("PRINT_NAME"))
            ->SetAsString(QString::fromUtf16(row.PrintName));
        Query->FieldByName(QStringLiteral("PRINT_TYPE"))->SetAsString(QStringLiteral("M"));
        Query->PostRecord();
    }
}

} // namespace kx

#include "moc_enrolform.cpp"
