#pragma once
// Compiles a report expression once into a sequence of elements and computes
// it as often as the report asks, plainly or accumulating its aggregates.
// Errors in the text never raise: they compile to error elements whose
// message becomes the value.

#include "bandreport/brevenvironment.h"
#include "bandreport/brevvalue.h"

#include <QString>

#include <memory>

namespace kx {

class TBREvElement;
class TBRFiFo;

class TBREvaluator {
public:
    TBREvaluator();
    virtual ~TBREvaluator();
    TBREvaluator(const TBREvaluator&) = delete;
    TBREvaluator& operator=(const TBREvaluator&) = delete;

    // The data sets and the environment the names of the text reach; set
    // before Compile.
    void AssignDatasets(TBRDatasetList* datasets);
    // The data-set list, made and owned here when none was assigned.
    TBRDatasetList* OwnedDatasetList();
    TBRDatasetList* Datasets() const { return datasets_; }
    TBREvEnvironment* Environment() const { return environment_; }
    void SetEnvironment(TBREvEnvironment* environment) { environment_ = environment; }

    // An empty text compiles as the one-blank string "' '".
    void Compile(const QString& text);
    void DropCompiled();
    bool Compiled() const { return compiled_; }

    // Raises kx::Exception "Evaluator not prepared" before Compile.
    TBREvValue ComputeResult();
    void AccumulateAggregates();
    void ResetElements();
    bool HasAggregates() const;
    // Compiles, computes and drops: the check of a text typed by the user.
    TBREvValue EvaluateOnce(const QString& text);

    // The first compiled element; nullptr when there is none.
    TBREvElement* FirstElement() const;

protected:
    virtual void ParseFunctionCall(const QString& name, const QString& arguments);
    virtual void ParseVariable(const QString& text);
    void Append(std::unique_ptr<TBREvElement> element);
    void AppendError(const QString& message);
    // Level 1 of the grammar: a relation, or a sum.
    void ParseRelation(const QString& text);

private:
    void ParseSum(const QString& text);
    void ParseProduct(const QString& text);
    void ParseFactor(const QString& text);
    void ParseNumber(const QString& literal);
    void ParseCallOrIdentifier(const QString& factor);
    void RequireCompiled() const;
    // The field a variable names in the data-set list, or nullptr.
    std::unique_ptr<TBREvElement> FindDataField(const QString& variable) const;

    bool compiled_ = false;
    TBREvEnvironment* environment_ = nullptr;
    TBRDatasetList* datasets_ = nullptr;
    std::unique_ptr<TBRDatasetList> ownedDatasets_;
    std::unique_ptr<TBRFiFo> fifo_;
};

} // namespace kx
