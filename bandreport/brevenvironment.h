#pragma once
// A set of named functions that report expressions refer to by name: the
// report's own ("PAGENUMBER", "COLUMNNUMBER", "REPORTTITLE", …) and the
// engine's global ones. Names are kept in upper case, in the order they were
// defined.

#include "bandreport/brevvalue.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace kx {

namespace db {
class TDataSet;
}

class TBREvElement;
class TBREvEmbeddedFunction;

// The data sets whose fields an expression sees, searched in order.
using TBRDatasetList = QList<db::TDataSet*>;

class TBREvEnvironment {
public:
    TBREvEnvironment();
    ~TBREvEnvironment();
    TBREvEnvironment(const TBREvEnvironment&) = delete;
    TBREvEnvironment& operator=(const TBREvEnvironment&) = delete;

    QStringList Names() const;
    // The expression text of a named function; empty for an unknown name.
    QString FunctionText(const QString& name) const;

    // Compiles every named function on the first call; each call counts, and
    // the functions are dropped when the last ReleaseAll balances them.
    void CompileAll();
    void ReleaseAll();
    bool IsCompiled() const { return compileCount_ > 0; }
    // The data sets the named functions see (not owned).
    void AssignDatasets(TBRDatasetList* datasets);

    // Adds a function under the upper-cased name unless the name is taken;
    // compiles it at once while the environment is compiled.
    void DefineFunction(const QString& name, const QString& text);
    void RemoveFunction(const QString& name);
    // Renames in place; false when the new name is empty or taken.
    bool RenameFunction(const QString& name, const QString& newName);
    // A new function of the text under the name, in the same place.
    void ReplaceFunction(const QString& name, const QString& text);
    void Clear();
    // ERROR for an unknown name.
    TBREvValue EvaluateFunction(const QString& name);
    // A reference to the named function, or the error element "Unknown
    // function : <name>".
    std::unique_ptr<TBREvElement> CreateReferenceElement(const QString& name) const;

    // Named constants: the first compiled element of a named function, which
    // the report rewrites while it runs instead of compiling anew.
    TBREvElement* FindConstantElement(const QString& name) const;
    static void StoreStringConstant(TBREvElement* element, const QString& text);
    static void StoreIntegerConstant(TBREvElement* element, qint32 number);
    static void StoreResultConstant(TBREvElement* element, const TBREvValue& value);

private:
    struct Line {
        QString Name;
        std::shared_ptr<TBREvEmbeddedFunction> Function;
    };

    const Line* Find(const QString& name) const;
    void Prepare(TBREvEmbeddedFunction& function);
    TBRDatasetList* Datasets();

    std::vector<Line> lines_;
    int compileCount_ = 0;
    bool releasing_ = false;
    TBRDatasetList* datasets_ = nullptr;
    std::unique_ptr<TBRDatasetList> ownedDatasets_;
};

// The engine's global environment with "APPSTARTTIME", "APPSTARTDATE" and
// "APPNAME", texts fixed when it is first used.
TBREvEnvironment& GlobalReportEnvironment();

} // namespace kx
