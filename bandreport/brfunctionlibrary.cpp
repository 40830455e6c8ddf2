#include "bandreport/brfunctionlibrary.h"

#include "bandreport/brevaggregates.h"
#include "bandreport/brevfunctions.h"
#include "bandreport/brevmessages.h"

namespace kx {
namespace {

template <typename Element>
TBRLibraryEntry Entry(const char* name, const char* code, const char* description) {
    return {QString::fromLatin1(name), QString::fromLatin1(description), QString::fromLatin1(code),
            [] { return std::make_unique<Element>(); }};
}

} // namespace

TBRFunctionLibrary::TBRFunctionLibrary() {
    AddLibraryFunction(Entry<TBREvIfFunction>(
        "IF", "5BVV",
        "IF(<Exp>, <X>, <Y>)|Returns <X> or <Y> depending on the boolean expression <Exp>"));
    AddLibraryFunction(
        Entry<TBREvStrFunction>("STR", "7N", "STR(<X>)|Convert a numeric <X> to a string"));
    AddLibraryFunction(Entry<TBREvUpperFunction>(
        "UPPER", "7S", "UPPER(<X>)|Converts a string to upper case letters"));
    AddLibraryFunction(Entry<TBREvLowerFunction>(
        "LOWER", "7S", "LOWER(<X>)|Converts a string to lower case letters"));
    AddLibraryFunction(Entry<TBREvPrettyFunction>(
        "PRETTY", "7S",
        "PRETTY(<X>)|Makes the first character upper case and the rest lower case"));
    AddLibraryFunction(
        Entry<TBREvTimeFunction>("TIME", "1", "TIME|Return current time as a string"));
    AddLibraryFunction(
        Entry<TBREvDateFunction>("DATE", "1", "DATE|Return current date as a string"));
    AddLibraryFunction(Entry<TBREvCopyFunction>(
        "COPY", "7SNN", "COPY(<X>, <St>,<Len>)|Returns a substring of string X"));
    AddLibraryFunction(Entry<TBREvSumFunction>("SUM", "3N", "SUM(<X>)|Sums the numeric <X>"));
    AddLibraryFunction(
        Entry<TBREvCountFunction>("COUNT", "3", "COUNT|Increments for each iteration"));
    AddLibraryFunction(Entry<TBREvMaxFunction>("MAX", "3V", "MAX(<X>)|Returns the highest <X>"));
    AddLibraryFunction(Entry<TBREvMinFunction>("MIN", "3V", "MIN(<X>)|Returns the lowest <X>"));
    AddLibraryFunction(Entry<TBREvAverageFunction>(
        "AVERAGE", "3N", "AVERAGE(<X>)|Returns the average of numeric <X>"));
    AddLibraryFunction(Entry<TBREvTrue>("TRUE", "5", "TRUE|boolean value"));
    AddLibraryFunction(Entry<TBREvFalse>("FALSE", "5", "FALSE|boolean value"));
    AddLibraryFunction(
        Entry<TBREvIntFunction>("INT", "2N", "INT(<X>)|Returns the integer part of <X>"));
    AddLibraryFunction(
        Entry<TBREvFracFunction>("FRAC", "2N", "FRAC(<X>)|Returns the fractional part of <X>"));
    AddLibraryFunction(
        Entry<TBREvSQRTFunction>("SQRT", "2N", "SQRT(<X>)|Returns square root of <X>"));
    AddLibraryFunction(
        Entry<TBREvDivFunction>("DIV", "2NN", "DIV(<X>, <Y>) | Integer division of <X> by <Y>"));
    AddLibraryFunction(
        Entry<TBREvTypeOfFunction>("TYPEOF", "6N", "TYPEOF(<Exp>)|Returns the data type of <Exp>"));
    AddLibraryFunction(Entry<TBREvFormatNumericFunction>(
        "FORMATNUMERIC", "7SN",
        "FORMATNUMERIC(<F>,<N>)|Formats numeric <N> using the mask in <F>"));
}

void TBRFunctionLibrary::AddLibraryFunction(TBRLibraryEntry entry) {
    entries_.push_back(std::move(entry));
}

const TBRLibraryEntry* TBRFunctionLibrary::Find(const QString& name) const {
    for (const TBRLibraryEntry& entry : entries_)
        if (entry.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}

std::unique_ptr<TBREvElement> TBRFunctionLibrary::CreateElement(const QString& name) const {
    if (const TBRLibraryEntry* entry = Find(name))
        return entry->CreateElement();
    return std::make_unique<TBREvElementError>(brmsg::UnknownFunction(name));
}

const TBRFunctionLibrary& FunctionLibrary() {
    static const TBRFunctionLibrary library;
    return library;
}

} // namespace kx
