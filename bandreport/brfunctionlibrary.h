#pragma once
// The library of functions that report expressions call by name, in the
// order the expression builder lists them.

#include "bandreport/brevelement.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace kx {

struct TBRLibraryEntry {
    QString Name;
    // The syntax, "|" and what the function does.
    QString Description;
    // The category digit, then one letter per argument the builder asks
    // for: B logical, N numeric, S text, V any value.
    QString SignatureCode;
    std::function<std::unique_ptr<TBREvElementFunction>()> CreateElement;
};

class TBRFunctionLibrary {
public:
    TBRFunctionLibrary();

    void AddLibraryFunction(TBRLibraryEntry entry);
    const std::vector<TBRLibraryEntry>& Entries() const { return entries_; }
    // Letter case ignored; nullptr for an unknown name.
    const TBRLibraryEntry* Find(const QString& name) const;
    // A new element of the named function, or the error element "Unknown
    // function : <name>".
    std::unique_ptr<TBREvElement> CreateElement(const QString& name) const;

private:
    std::vector<TBRLibraryEntry> entries_;
};

// The program's one library, made on first use.
const TBRFunctionLibrary& FunctionLibrary();

} // namespace kx
