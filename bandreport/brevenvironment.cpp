#include "bandreport/brevenvironment.h"

#include "bandreport/brevaluator.h"
#include "bandreport/brevembeddedfunction.h"
#include "bandreport/brevfunctions.h"
#include "bandreport/brevmessages.h"
#include "platform/sys/cp936.h"
#include "platform/ui/application.h"

namespace kx {
namespace {

QString Quoted(const QString& text) {
    return u'\'' + text + u'\'';
}

class GlobalEnvironment : public TBREvEnvironment {
public:
    GlobalEnvironment() {
        DefineFunction(QStringLiteral("AppStartTime"), Quoted(CurrentTimeText()));
        DefineFunction(QStringLiteral("AppStartDate"), Quoted(CurrentDateText()));
        DefineFunction(QStringLiteral("AppName"), Quoted(ui::ApplicationTitle()));
    }
};

} // namespace

TBREvEnvironment::TBREvEnvironment() = default;

TBREvEnvironment::~TBREvEnvironment() {
    // Dropping the functions' compilations releases the global environment,
    // which may be this one.
    releasing_ = true;
    lines_.clear();
}

QStringList TBREvEnvironment::Names() const {
    QStringList names;
    for (const Line& line : lines_)
        names << line.Name;
    return names;
}

QString TBREvEnvironment::FunctionText(const QString& name) const {
    const Line* line = Find(name);
    return line ? line->Function->Text() : QString();
}

void TBREvEnvironment::CompileAll() {
    if (++compileCount_ != 1)
        return;
    for (const Line& line : lines_)
        Prepare(*line.Function);
}

void TBREvEnvironment::ReleaseAll() {
    if (releasing_ || compileCount_ == 0)
        return;
    releasing_ = true;
    if (compileCount_-- == 1)
        for (const Line& line : lines_)
            line.Function->Evaluator().DropCompiled();
    releasing_ = false;
}

void TBREvEnvironment::AssignDatasets(TBRDatasetList* datasets) {
    datasets_ = datasets;
    ownedDatasets_.reset();
}

void TBREvEnvironment::DefineFunction(const QString& name, const QString& text) {
    const QString upper = name.toUpper();
    if (Find(upper))
        return;
    lines_.push_back({upper, std::make_shared<TBREvEmbeddedFunction>(text)});
    if (IsCompiled())
        Prepare(*lines_.back().Function);
}

void TBREvEnvironment::RemoveFunction(const QString& name) {
    const QString upper = name.toUpper();
    std::erase_if(lines_, [&](const Line& line) { return line.Name == upper; });
}

bool TBREvEnvironment::RenameFunction(const QString& name, const QString& newName) {
    const QString upper = newName.trimmed().toUpper();
    if (upper.isEmpty() || (Find(upper) && upper != name.toUpper()))
        return false;
    for (Line& line : lines_)
        if (line.Name == name.toUpper())
            line.Name = upper;
    return true;
}

void TBREvEnvironment::ReplaceFunction(const QString& name, const QString& text) {
    const QString upper = name.toUpper();
    for (Line& line : lines_) {
        if (line.Name != upper)
            continue;
        line.Function = std::make_shared<TBREvEmbeddedFunction>(text);
        if (IsCompiled())
            Prepare(*line.Function);
    }
}

void TBREvEnvironment::Clear() {
    lines_.clear();
}

TBREvValue TBREvEnvironment::EvaluateFunction(const QString& name) {
    const Line* line = Find(name);
    return line ? line->Function->Value() : TBREvValue::MakeError();
}

std::unique_ptr<TBREvElement> TBREvEnvironment::CreateReferenceElement(const QString& name) const {
    if (const Line* line = Find(name))
        return std::make_unique<TBREvElementWrapper>(line->Name, line->Function);
    return std::make_unique<TBREvElementError>(brmsg::UnknownFunction(name));
}

TBREvElement* TBREvEnvironment::FindConstantElement(const QString& name) const {
    const Line* line = Find(name);
    return line ? line->Function->Evaluator().FirstElement() : nullptr;
}

void TBREvEnvironment::StoreStringConstant(TBREvElement* element, const QString& text) {
    if (auto* string = dynamic_cast<TBREvElementString*>(element))
        string->SetText(cp936::Encode(text));
}

void TBREvEnvironment::StoreIntegerConstant(TBREvElement* element, qint32 number) {
    if (auto* constant = dynamic_cast<TBREvElementConstant*>(element))
        constant->SetValue(TBREvValue::FromInteger(number));
}

void TBREvEnvironment::StoreResultConstant(TBREvElement* element, const TBREvValue& value) {
    if (auto* constant = dynamic_cast<TBREvElementConstant*>(element))
        constant->SetValue(value);
    else if (auto* string = dynamic_cast<TBREvElementString*>(element);
             string && value.Kind == TBREvKind::String)
        string->SetText(value.StringValue);
}

const TBREvEnvironment::Line* TBREvEnvironment::Find(const QString& name) const {
    const QString upper = name.toUpper();
    for (const Line& line : lines_)
        if (line.Name == upper)
            return &line;
    return nullptr;
}

void TBREvEnvironment::Prepare(TBREvEmbeddedFunction& function) {
    TBREvaluator& evaluator = function.Evaluator();
    evaluator.AssignDatasets(Datasets());
    evaluator.SetEnvironment(this);
    evaluator.Compile(function.Text());
}

TBRDatasetList* TBREvEnvironment::Datasets() {
    if (!datasets_) {
        ownedDatasets_ = std::make_unique<TBRDatasetList>();
        datasets_ = ownedDatasets_.get();
    }
    return datasets_;
}

TBREvEnvironment& GlobalReportEnvironment() {
    static GlobalEnvironment environment;
    return environment;
}

} // namespace kx
