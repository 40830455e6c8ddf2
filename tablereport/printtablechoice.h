#pragma once
// What the print chooser decides without a window: the catalogue statement
// and field list, the refusals of its commands in the order they are met,
// where a template's body is read from, and the binding lines and records it
// hands to the filler.

#include "core/fieldsdata.h"
#include "platform/db/dataset.h"
#include "tablereport/printfields.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace kx {

class TReportRunTime;

// One window holds at most this many templates; the list shows them all.
inline constexpr int kMaxPrintTemplates = 10;

// The catalogue rows of one window, optionally of one PRINT_TYPE.
QString CatalogueSelect(const QString& printIndex, const QString& printType);
// The catalogue query's fields: the title shown, the keys hidden.
TFieldsDataArray CatalogueFieldRules();

enum class TChooserCommand { Print, Preview, Add, Edit, Delete };

// What a command looks at before it runs. Locate is asked only once the
// earlier checks passed.
struct TChooserChecks {
    bool QueryActive = true;
    int RowCount = 0;
    std::optional<QString> SelectedName;
    std::function<bool(const QString& name)> Locate;
    // Empty when no status check is set.
    std::function<bool()> StatusAllows;
    QString StatusValue;
    bool SingleTemplate = false;
};

// Whether the command may go on and, when not, the prompt (empty for a
// silent stop).
struct TChooserVerdict {
    bool Proceed = true;
    QString Prompt;
};

TChooserVerdict CheckChooserCommand(TChooserCommand command, const TChooserChecks& checks);

// The status check: the data set's current record holds value in field.
bool StatusAllows(db::TDataSet* dataSet, const QString& field, const QString& value);

// The printable fields of a template of that PRINT_TYPE; nullptr for
// neither "M" nor "MD".
const TPrintFieldsArray* PrintFieldsOfType(const QString& printType,
                                           const TPrintFieldsArray& master,
                                           const TPrintFieldsArray& masterDetail);

// Where a catalogue row's body lies: the file TemplateDir/PRINT_ID when a
// folder is given, else the row PRINT_ID of TemplateTable.
struct TTemplatePlace {
    QString TemplateDir;
    QString TemplateTable;
    QString DatabaseName;
};

QString TemplateFilePath(const QString& templateDir, const QString& printId);
QString MissingTemplateFilePrompt(const QString& path);
QString TemplateBodySelect(const QString& templateTable, const QString& printId);

// Loads the body of printId into the filler; false, with the prompt shown,
// when it is missing.
bool LoadTemplateBody(TReportRunTime& filler, const TTemplatePlace& place, const QString& printId);

// The filler's binding lines of the chooser's data-set lines.
QStringList FillerSetData(const QString& dataSetLine1, const QString& dataSetLine2);
// "Form.Component" of a binding line such as "SetDataSet(M,Form.Query);",
// empty when the line binds nothing.
QString BoundComponentName(const QString& setDataLine);
// The data set of an open window's component, as the filler finds it.
db::TDataSet* FindWindowDataSet(const QString& formDotComponent);

// Remembers the current record of each data set and returns every one of
// them to it when it goes out of scope.
class TRecordKeeper {
public:
    explicit TRecordKeeper(const std::vector<db::TDataSet*>& dataSets);
    ~TRecordKeeper();
    TRecordKeeper(const TRecordKeeper&) = delete;
    TRecordKeeper& operator=(const TRecordKeeper&) = delete;

private:
    std::vector<std::pair<QPointer<db::TDataSet>, db::TBookmark>> marks_;
};

} // namespace kx
