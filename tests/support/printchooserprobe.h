#pragma once
// What a window hands the print template chooser: the next chooser shown
// modally is read and closed, and the test asserts on the copy.

#include "platform/db/dataset.h"
#include "tablereport/kxexcel.h"
#include "tablereport/previewform.h"
#include "tablereport/selectprinttableform.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kx::test {

struct ChooserSeen {
    bool Shown = false;
    bool Ownerless = false;
    bool ListControlsDisabled = false;
    QString PrintIndex;
    QString KindCaption1;
    QString KindCaption2;
    int TemplateKind = 0;
    TPrintFieldsArray PrintFieldsM;
    TPrintFieldsArray PrintFieldsMD;
    QString DataSetLine1;
    QString DataSetLine2;
    QString TemplateDir;
    QString TemplateTable;
    db::TDataSet* ReportDataSet = nullptr;
    TExcelFieldArray ExcelFields;
    TExcelFieldArray ExcelFooters;
    bool ExcelNumberColumn = false;
    bool ExcelEnabled = false;
    db::TDataSet* ExcelDataSet = nullptr;
    QString ReportName;
};

// Reads and closes every modal window that shows while it lives; a test
// that expects no chooser sees Seen.Shown stay false.
class ChooserProbe {
public:
    // `list` is the window's list, whose controls must stand still while
    // the chooser is open; `printing` is a modal window that prints from
    // within its own modal loop, left alone.
    explicit ChooserProbe(const db::TDataSet* list, const QWidget* printing = nullptr)
        : list_(list), printing_(printing) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }

    ChooserSeen Seen;
    // Class names of modal windows that were no chooser.
    QStringList Others;

private:
    void Poll() {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible() || dialog == printing_)
            return;
        auto* chooser = qobject_cast<TSelectPrintTableForm*>(dialog);
        if (!chooser) {
            Others << dialog->metaObject()->className();
            dialog->close();
            return;
        }
        Read(*chooser);
        chooser->reject();
    }
    void Read(const TSelectPrintTableForm& chooser) {
        Seen.Shown = true;
        Seen.Ownerless = chooser.parent() == nullptr;
        Seen.ListControlsDisabled = list_ && list_->ControlsDisabled();
        Seen.PrintIndex = chooser.PrintIndex;
        Seen.KindCaption1 = chooser.KindCaption1;
        Seen.KindCaption2 = chooser.KindCaption2;
        Seen.TemplateKind = chooser.TemplateKind;
        Seen.PrintFieldsM = chooser.PrintFieldsM;
        Seen.PrintFieldsMD = chooser.PrintFieldsMD;
        Seen.DataSetLine1 = chooser.DataSetLine1;
        Seen.DataSetLine2 = chooser.DataSetLine2;
        Seen.TemplateDir = chooser.TemplateDir;
        Seen.TemplateTable = chooser.TemplateTable;
        Seen.ReportDataSet = chooser.ReportDataSet;
        Seen.ExcelFields = chooser.ExcelFields;
        Seen.ExcelFooters = chooser.ExcelFooters;
        Seen.ExcelNumberColumn = chooser.ExcelNumberColumn;
        Seen.ExcelEnabled = chooser.Button_Excel->isEnabled();
        Seen.ExcelDataSet = chooser.KXExcel->DataSet();
        Seen.ReportName = chooser.KXExcel->ReportName();
    }

    const db::TDataSet* list_;
    const QWidget* printing_;
    QTimer timer_;
};

// What printing and then previewing from a chooser gave.
struct ChooserPrintSeen {
    bool Shown = false;
    QString PrintCaption;
    // The catalogue row the print located.
    QString PrintedId;
    bool PreviewShown = false;
    int PreviewPages = 0;
    // Class names of modal windows that were no chooser.
    QStringList Others;
};

// Acts on the next chooser as a user does: F11 prints, "打印预览" shows the
// preview, which is read and closed, and the chooser is closed after.
inline void PrintAndPreviewInNextChooser(ChooserPrintSeen& seen) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, &seen] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        auto* chooser = qobject_cast<TSelectPrintTableForm*>(dialog);
        if (!chooser) {
            seen.Others << dialog->metaObject()->className();
            dialog->close();
            return;
        }
        timer->stop();
        timer->deleteLater();
        seen.Shown = true;
        seen.PrintCaption = chooser->Button_Print->text();
        QWidget* focused = chooser->focusWidget();
        QTest::keyClick(focused ? focused : chooser, Qt::Key_F11);
        seen.PrintedId = chooser->SelectedPrintId;

        // The preview runs its own modal loop; it is read from there.
        QTimer watch;
        watch.setInterval(5);
        QObject::connect(&watch, &QTimer::timeout, [&watch, &seen] {
            auto* preview = dynamic_cast<TPreviewForm*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            watch.stop();
            seen.PreviewShown = preview->isVisible();
            seen.PreviewPages = preview->Paging().Count();
            preview->CloseAction->trigger();
        });
        watch.start();
        chooser->Button_Pre->click();
        chooser->reject();
    });
    timer->start();
}

// The field names of the export columns, or of its footer row.
inline QStringList FieldNames(const TExcelFieldArray& entries) {
    QStringList names;
    for (const TExcelFieldName& entry : entries)
        names << entry.FieldName;
    return names;
}

// "field caption" of each export column that names a field.
inline QStringList NamedColumns(const TExcelFieldArray& entries) {
    QStringList columns;
    for (const TExcelFieldName& entry : entries)
        if (!entry.FieldName.isEmpty())
            columns << entry.FieldName + ' ' + entry.Caption;
    return columns;
}

// The data set a binding line such as "M,MoneyIntoOutForm.Query" names
// among the open windows, as the report filler looks it up.
inline db::TDataSet* BoundDataSet(const QString& line) {
    const QString name = line.section(u',', 1);
    const QString form = name.section(u'.', 0, 0);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName().compare(form, Qt::CaseInsensitive) == 0)
            return window->findChild<db::TDataSet*>(name.section(u'.', 1));
    return nullptr;
}

} // namespace kx::test
