#include "frame/admin/datarebuildform.h"

#include "core/filefunctions.h"
#include "core/messages.h"
#include "frame/admin/errormsgform.h"
#include "frame/dialogs/opendirdialog.h"
#include "platform/db/database.h"
#include "platform/ui/application.h"
#include "platform/ui/screencursor.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

#include <algorithm>

namespace kx {
namespace {

QString PickFolder() {
    TOpenDirDialog dialog;
    return dialog.Execute() ? dialog.GetDirectory() : QString();
}

QLabel* WrappedLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

TDataRebuildForm::TDataRebuildForm(db::TDatabase& database, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), Repair(database),
      ChooseFolder(&PickFolder), database_(database) {
    setObjectName(QStringLiteral("DataRebuildForm"));
    setWindowTitle(QStringLiteral("数据修复管理窗口"));
    setFixedSize(383, 228);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1 = WrappedLabel(
        QStringLiteral("Label1"),
        QStringLiteral(
            "如果数据库文件损坏，可在此按修复按钮修复数据，如果数据库能正常备份，就说明数据"
            "库文件是好的，就不要使用数据修复功能，以免修复过程发生错误后，影响系统使用！修"
            "复前请先将软件安装目录下的data文件夹复制到其他地方备份下,如果修复失败用备份的"
            "data文件做手工修复!!!"),
        Panel1);
    Label2 = WrappedLabel(QStringLiteral("Label2"), QStringLiteral("修复进度:"), Panel1);
    PBProgressBar = new QProgressBar(Panel1);
    PBProgressBar->setObjectName(QStringLiteral("PBProgressBar"));
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->addWidget(Label1);
    panelLayout->addStretch();
    panelLayout->addWidget(Label2);
    panelLayout->addWidget(PBProgressBar);
    panelLayout->addStretch();

    Label3 = WrappedLabel(
        QStringLiteral("Label3"),
        QStringLiteral(
            "到软件所在的目录下的data目录,把data目录复制到其他地方作个备份,然后用系统管理"
            "菜单下的数据修复!"),
        this);
    Button_ok = new QPushButton(QStringLiteral("修复"), this);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close = new QPushButton(QStringLiteral("关闭"), this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addWidget(Button_Close);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1, 1);
    layout->addWidget(Label3);
    layout->addLayout(buttons);

    connect(Button_ok, &QPushButton::clicked, this, ui::Guard([this] {
                if (BackupBeforeRepair())
                    RepairTables();
            }));
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::close);
}

void TDataRebuildForm::showEvent(QShowEvent* event) {
    ShowProgressPart(false);
    QDialog::showEvent(event);
}

// Esc presses "修复", as the window's cancel button.
void TDataRebuildForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Button_ok->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TDataRebuildForm::ShowProgressPart(bool shown) {
    Label2->setVisible(shown);
    PBProgressBar->setVisible(shown);
    Label1->setVisible(!shown);
    Panel1->repaint();
}

bool TDataRebuildForm::BackupBeforeRepair() {
    // Closed, with no journal beside the file, the folder copies consistently.
    database_.CloseDataSets();
    database_.SetConnected(false);
    ShowPromptMessage(QStringLiteral("修复前需要备份一下数据库文件,请选择保存备份文件的位置"));
    const QString folder = ChooseFolder();
    if (folder.isEmpty())
        return false;
    const QString target = RepairCopyName(folder, Now());
    const QString dataFolder = database_.Directory();
    if (!DirectoryIsThere(dataFolder))
        return false;
    if (!CopyFolder(dataFolder, target)) {
        ShowPromptMessage(QStringLiteral("数据库文件备份失败"));
        return false;
    }
    ShowPromptMessage(QStringLiteral("数据库文件成功备份到：") + target);
    return true;
}

void TDataRebuildForm::RepairTables() {
    ShowProgressPart(true);
    PBProgressBar->setRange(0, std::max(0, int(Repair.Tables().size()) - 1));
    PBProgressBar->setValue(0);
    Repair.OnTableDone = [this](int index) { PBProgressBar->setValue(index); };
    TRepairResult result;
    {
        ui::SetScreenCursor(Qt::WaitCursor);
        const auto arrow = qScopeGuard([] { ui::SetScreenCursor(Qt::ArrowCursor); });
        result = Repair.RepairTables();
    }
    ShowResult(result);
    Panel1->repaint();
    if (result.StoppedBy)
        std::rethrow_exception(result.StoppedBy);
}

void TDataRebuildForm::ShowResult(const TRepairResult& result) {
    if (result.Lines.isEmpty()) {
        ShowPromptMessage(QStringLiteral("数据库文件修复完成"));
        return;
    }
    TErrorMsgForm messages(this);
    for (const QString& line : result.Lines)
        messages.AddLine(line);
    ui::ExecModal(messages);
}

} // namespace kx

#include "moc_datarebuildform.cpp"
