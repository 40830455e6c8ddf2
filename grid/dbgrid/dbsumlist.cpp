#include "grid/dbgrid/dbsumlist.h"

#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/variants.h"
#include "platform/sys/numberformat.h"
#include "platform/sys/rounding.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>

namespace kx {
namespace {

using db::TDataSet;
using db::TField;
using TSlot = TDataSet::TDataSetNotifyEvent TDataSet::*;

// The most decimals a running sum is rounded to.
constexpr int kMaxSumDecimals = 8;

// Characters after the first ".", as the decimals of a number's text.
int DecimalsOf(const QString& text) {
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? 0 : static_cast<int>(text.size() - point - 1);
}

// Fields whose AsString is FloatToStr of their value.
bool HoldsFloat(const TField* field) {
    const db::TFieldType type = field->DataType();
    return type == db::ftFloat || type == db::ftCurrency || type == db::ftBCD;
}

// Fields whose AsFloat is the number their text shows, so that the value a
// scan reads from the text and the one a posted row hands over agree.
bool HoldsNumber(const TField* field) {
    switch (field->DataType()) {
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftAutoInc:
    case db::ftLargeint:
        return true;
    default:
        return HoldsFloat(field);
    }
}

constexpr std::array<double, kMaxSumDecimals + 1> kPowersOfTen = {1,   1e1, 1e2, 1e3, 1e4,
                                                                  1e5, 1e6, 1e7, 1e8};
constexpr std::array<qint64, kMaxSumDecimals + 1> kUnits = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
constexpr double kFifteenDigits = 1e15;
constexpr qint64 kFifteenDigitUnits = 1000000000000000;

// Halves away from zero, for |value| below 10^15.
double RoundedWhole(double value) {
    return static_cast<double>(static_cast<qint64>(value < 0 ? value - 0.5 : value + 0.5));
}

// When the value's text (15 significant digits, plain notation) has at most
// eight decimals: their count, and the value as a whole number of units of
// the last one. The text then reads back as the value itself.
bool ExactDecimals(double value, int& decimals, qint64& units) {
    decimals = 0;
    units = 0;
    if (value == 0)
        return true;
    const double magnitude = std::fabs(value);
    if (magnitude < 1e-4 || magnitude >= kFifteenDigits)
        return false;
    const double whole = RoundedWhole(value);
    if (whole == value) {
        units = static_cast<qint64>(whole);
        return true;
    }
    for (decimals = 1; decimals <= kMaxSumDecimals; ++decimals) {
        const double scaled = value * kPowersOfTen[decimals];
        if (std::fabs(scaled) >= kFifteenDigits)
            return false;
        const double scaledWhole = RoundedWhole(scaled);
        // Far from a whole number, the value cannot be the decimal's double.
        if (std::fabs(scaled - scaledWhole) > 1e-12 * (1 + std::fabs(scaledWhole)))
            continue;
        if (scaledWhole / kPowersOfTen[decimals] == value) {
            units = static_cast<qint64>(scaledWhole);
            return true;
        }
    }
    return false;
}

// Units of 10^-from as units of 10^-to (to >= from), unless that leaves 15
// digits.
bool Rescaled(qint64 units, int from, int to, qint64& result) {
    const qint64 factor = kUnits[static_cast<std::size_t>(to - from)];
    if (std::llabs(units) >= kFifteenDigitUnits / factor)
        return false;
    result = units * factor;
    return true;
}

// Adds two decimals held as units of 10^-scale, at the larger scale; false
// when the result would leave 15 digits.
bool AddDecimal(const TDBSum::TDecimal& a, const TDBSum::TDecimal& b, TDBSum::TDecimal& result) {
    const int scale = std::max(a.scale, b.scale);
    qint64 left = 0;
    qint64 right = 0;
    if (!Rescaled(a.units, a.scale, scale, left) || !Rescaled(b.units, b.scale, scale, right) ||
        std::llabs(left + right) >= kFifteenDigitUnits)
        return false;
    result = {left + right, scale};
    return true;
}

double DecimalValue(const TDBSum::TDecimal& decimal) {
    return static_cast<double>(decimal.units) /
           kPowersOfTen[static_cast<std::size_t>(decimal.scale)];
}

// A number's text as a decimal of as many decimals as the text shows, at
// most eight and 15 digits. Further decimals are rounded off, as a scan
// rounds the total it adds them to; false for a tie there, which a scan
// settles by the sign of the total, not of the value.
bool TextDecimal(const QString& text, TDBSum::TDecimal& decimal) {
    static const QRegularExpression number(QStringLiteral(R"(^\s*([-+]?)(\d*)(?:\.(\d*))?\s*$)"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return false;
    QString fraction = match.captured(3);
    bool roundUp = false;
    if (fraction.size() > kMaxSumDecimals) {
        const QStringView rest = QStringView(fraction).mid(kMaxSumDecimals);
        const bool tie = rest.front() == u'5' && std::all_of(rest.begin() + 1, rest.end(),
                                                             [](QChar c) { return c == u'0'; });
        if (tie)
            return false;
        roundUp = rest.front() >= u'5';
        fraction.truncate(kMaxSumDecimals);
    }
    const QString digits = match.captured(2) + fraction;
    if (digits.isEmpty() || digits.size() > 15)
        return false;
    decimal.units = digits.toLongLong() + (roundUp ? 1 : 0);
    if (match.captured(1) == u"-")
        decimal.units = -decimal.units;
    decimal.scale = static_cast<int>(fraction.size());
    return true;
}

// The field's value as an exact decimal, read as a scan reads it: a null
// field is 0, a number the decimal whose double it is, anything else its
// text (a difference of two amounts, 0.19999999999999998, reads "0.2").
// False for a value that is no number of at most eight decimals.
bool FieldDecimal(const TField* field, TDBSum::TDecimal& decimal) {
    decimal = {};
    if (field->IsNull())
        return true;
    if (HoldsNumber(field) && ExactDecimals(field->AsFloat(), decimal.scale, decimal.units))
        return true;
    return TextDecimal(field->AsString(), decimal);
}

// The running total of one sum during a scan: each addition is rounded to
// the decimals the values' texts have shown so far (shared by all sums of
// the scan, at most eight). Whole numbers of units stand in for the text
// arithmetic while the total keeps within 15 digits, where both agree.
class TRunningSum {
public:
    explicit TRunningSum(const TField* field)
        : field_(field), holdsNumber_(field && HoldsNumber(field)) {}

    void Add(int& decimals) {
        // A null number reads as 0, which adds nothing either way.
        if (holdsNumber_ && AddExact(field_->AsFloat(), decimals))
            return;
        if (field_->IsNull())
            return;
        const QString text = field_->AsString();
        TDBSum::TDecimal decimal;
        if (TextDecimal(text, decimal) && AddUnits(decimal.units, decimal.scale, decimals))
            return;
        followedExactly_ = false;
        AddText(text, decimals);
    }
    double Total() const {
        return exact_ ? static_cast<double>(scaled_) / kPowersOfTen[scale_] : total_;
    }
    // Whether every value was added as an exact decimal; the total is then
    // Decimal().
    bool FollowedExactly() const { return followedExactly_; }
    TDBSum::TDecimal Decimal() const { return {scaled_, scale_}; }

private:
    bool AddExact(double value, int& decimals) {
        int valueDecimals = 0;
        qint64 units = 0;
        return exact_ && ExactDecimals(value, valueDecimals, units) &&
               AddUnits(units, valueDecimals, decimals);
    }

    bool AddUnits(qint64 units, int valueDecimals, int& decimals) {
        if (!exact_)
            return false;
        const int target = std::max(decimals, valueDecimals);
        qint64 previous = 0;
        qint64 added = 0;
        if (!Rescaled(scaled_, scale_, target, previous) ||
            !Rescaled(units, valueDecimals, target, added) ||
            std::llabs(previous + added) >= kFifteenDigitUnits)
            return false;
        scaled_ = previous + added;
        scale_ = decimals = target;
        return true;
    }

    void AddText(const QString& text, int& decimals) {
        const double total = Total();
        decimals =
            std::min(kMaxSumDecimals,
                     std::max({decimals, DecimalsOf(text), DecimalsOf(sys::FloatToStr(total))}));
        total_ = sys::RoundHalfAwayFromZero(total + sys::AmountTextToFloat(text), decimals);
        const double scaled = total_ * kPowersOfTen[decimals];
        exact_ = std::fabs(scaled) < kFifteenDigits &&
                 RoundedWhole(scaled) / kPowersOfTen[decimals] == total_;
        scaled_ = exact_ ? static_cast<qint64>(RoundedWhole(scaled)) : 0;
        scale_ = decimals;
    }

    const TField* field_;
    bool holdsNumber_;
    bool followedExactly_ = true;
    // While exact_ the total is scaled_ units of 10^-scale_, else total_.
    bool exact_ = true;
    qint64 scaled_ = 0;
    int scale_ = 0;
    double total_ = 0;
};

// The value an average adds: the field's text read back as a number.
double AverageTerm(const TField* field) {
    if (HoldsFloat(field) && !field->IsNull()) {
        int decimals = 0;
        qint64 units = 0;
        const double value = field->AsFloat();
        if (ExactDecimals(value, decimals, units))
            return value;
    }
    return sys::AmountTextToFloat(field->AsString());
}

double ValueOf(const TField* field) {
    return field->IsNull() ? 0 : field->AsFloat();
}

bool CountsRecord(const TField* field) {
    return !field || !field->IsNull();
}

double Average(double sum, int count) {
    return count == 0 ? 0 : sum / count;
}

} // namespace

// ---- TDBSum and its collection ---------------------------------------------

void TDBSum::AddExactly(bool known, TDecimal decimal, int sign) {
    decimal.units *= sign;
    exact_ = exact_ && known && AddDecimal(exactTotal_, decimal, exactTotal_);
}

void TDBSum::UpdateValue() {
    if (groupOperation_ == goSum && exact_)
        value_ = DecimalValue(exactTotal_);
    if (groupOperation_ == goAvg) {
        if (exact_)
            runningSum_ = DecimalValue(exactTotal_);
        value_ = Average(runningSum_, nonNullCount_);
    }
}

void TDBSum::SetFieldName(const QString& fieldName) {
    if (fieldName == fieldName_)
        return;
    fieldName_ = fieldName;
    collection_->Changed();
}

void TDBSum::SetGroupOperation(TGroupOperation operation) {
    if (operation == groupOperation_)
        return;
    groupOperation_ = operation;
    collection_->Changed();
}

TDBSum* TDBSumCollection::Add() {
    items_.push_back(std::unique_ptr<TDBSum>(new TDBSum(this)));
    Changed();
    return items_.back().get();
}

void TDBSumCollection::Delete(int index) {
    items_.erase(items_.begin() + index);
    Changed();
}

void TDBSumCollection::Clear() {
    items_.clear();
    Changed();
}

void TDBSumCollection::EndUpdate() {
    if (--updateCount_ > 0 || !changedWhileUpdating_)
        return;
    changedWhileUpdating_ = false;
    producer_->ItemsChanged();
}

TDBSum* TDBSumCollection::FindSum(TGroupOperation operation, const QString& fieldName) const {
    for (const auto& item : items_) {
        if (item->groupOperation_ == operation &&
            item->fieldName_.compare(fieldName, Qt::CaseInsensitive) == 0)
            return item.get();
    }
    return nullptr;
}

void TDBSumCollection::Changed() {
    if (updateCount_ > 0)
        changedWhileUpdating_ = true;
    else
        producer_->ItemsChanged();
}

// ---- Hooking ----------------------------------------------------------------

// The handlers found in the data sets' slots; shared with the installed
// handlers, which outlive the producer when they cannot be taken back.
struct TDBSumListProducer::THook {
    TDBSumListProducer* producer = nullptr;
    QPointer<TDataSet> dataSet;
    QPointer<TDataSet> master;
    std::array<TDataSet::TDataSetNotifyEvent, heCount> saved;
};

struct TDBSumListProducer::THandler {
    std::shared_ptr<THook> hook;
    THookedEvent event;

    void operator()(TDataSet* sender) const {
        // The slot holding this handler may be reassigned while it runs.
        const std::shared_ptr<THook> held = hook;
        const TDataSet::TDataSetNotifyEvent saved = held->saved[event];
        if (held->producer)
            held->producer->HandleEvent(event, sender, saved);
        else if (saved)
            saved(sender);
    }
};

namespace {

constexpr std::array<TSlot, 8> kSlots = {
    &TDataSet::AfterClose, &TDataSet::AfterEdit,   &TDataSet::AfterInsert,  &TDataSet::AfterOpen,
    &TDataSet::AfterPost,  &TDataSet::AfterScroll, &TDataSet::BeforeDelete, &TDataSet::AfterScroll};

} // namespace

TDBSumListProducer::TDBSumListProducer(QObject* owner) : QObject(owner) {}

TDBSumListProducer::~TDBSumListProducer() {
    UnhookDataSetEvents();
}

void TDBSumListProducer::HookDataSetEvents() {
    if (!dataSet_ || hook_)
        return;
    hook_ = std::make_shared<THook>();
    hook_->producer = this;
    hook_->dataSet = dataSet_;
    if (db::TDataSource* masterSource = dataSet_->MasterSource())
        hook_->master = masterSource->DataSet();
    for (int event = 0; event < heCount; ++event) {
        TDataSet* owner = event == heMasterAfterScroll ? hook_->master.data() : dataSet_.data();
        if (!owner)
            continue;
        TDataSet::TDataSetNotifyEvent& slot = owner->*kSlots[static_cast<std::size_t>(event)];
        hook_->saved[static_cast<std::size_t>(event)] = slot;
        slot = THandler{hook_, static_cast<THookedEvent>(event)};
    }
}

void TDBSumListProducer::UnhookDataSetEvents() {
    if (!hook_)
        return;
    hook_->producer = nullptr;
    for (int event = 0; event < heCount; ++event) {
        TDataSet* owner =
            event == heMasterAfterScroll ? hook_->master.data() : hook_->dataSet.data();
        if (!owner)
            continue;
        TDataSet::TDataSetNotifyEvent& slot = owner->*kSlots[static_cast<std::size_t>(event)];
        const THandler* installed = slot.target<THandler>();
        if (installed && installed->hook == hook_ && installed->event == event)
            slot = hook_->saved[static_cast<std::size_t>(event)];
    }
    hook_.reset();
}

void TDBSumListProducer::HandleEvent(THookedEvent event, TDataSet* sender,
                                     const TDataSet::TDataSetNotifyEvent& saved) {
    const bool savedFirst =
        event == heAfterScroll || event == heBeforeDelete || event == heMasterAfterScroll;
    if (savedFirst && saved)
        saved(sender);
    if (active_) {
        switch (event) {
        case heAfterClose:
            DataSetAfterClose();
            break;
        case heAfterEdit:
            DataSetAfterEdit();
            break;
        case heAfterInsert:
            DataSetAfterInsert();
            break;
        case heAfterOpen:
            RecalculateSums();
            break;
        case heAfterPost:
            DataSetAfterPost();
            break;
        case heAfterScroll:
            DataSetAfterScroll();
            break;
        case heBeforeDelete:
            DataSetBeforeDelete();
            break;
        case heMasterAfterScroll:
            MasterAfterScroll();
            break;
        case heCount:
            break;
        }
    }
    if (!savedFirst && saved)
        saved(sender);
}

// ---- Switching and settings -------------------------------------------------

void TDBSumListProducer::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_)
        return;
    const bool wasActive = active_;
    SwitchOff(true);
    UnhookDataSetEvents();
    dataSet_ = dataSet;
    if (wasActive)
        SwitchOn(true);
}

void TDBSumListProducer::Reactivate() {
    if (dataSet_ && active_)
        SwitchOn(true);
}

void TDBSumListProducer::SetActive(bool active) {
    if (active == active_)
        return;
    if (active)
        SwitchOn(true);
    else
        SwitchOff(true);
}

void TDBSumListProducer::SwitchOn(bool recalculate) {
    active_ = true;
    HookDataSetEvents();
    if (recalculate)
        RecalculateSums();
}

void TDBSumListProducer::SwitchOff(bool reset) {
    active_ = false;
    if (reset)
        ResetSums();
}

void TDBSumListProducer::SetExternalRecalc(bool externalRecalc) {
    if (externalRecalc == externalRecalc_)
        return;
    externalRecalc_ = externalRecalc;
    RecalculateSums();
}

void TDBSumListProducer::SetVirtualRecords(bool virtualRecords) {
    if (virtualRecords == virtualRecords_)
        return;
    virtualRecords_ = virtualRecords;
    if (virtualRecords)
        RecalculateSums();
}

void TDBSumListProducer::ItemsChanged() {
    RecalculateSums();
}

void TDBSumListProducer::Fire(const TNotifyEvent& event) {
    if (event)
        event(this);
}

// ---- Record numbers ---------------------------------------------------------

int TDBSumListProducer::RecordNumber() const {
    return dataSet_ ? dataSet_->RecNo() : 0;
}

void TDBSumListProducer::GoToRecordNumber(int recordNumber) {
    if (dataSet_)
        dataSet_->SetRecNo(recordNumber);
}

int TDBSumListProducer::RecordTotal() const {
    return dataSet_ ? dataSet_->RecordCount() : 0;
}

bool TDBSumListProducer::HasRecordNumbers() const {
    return dataSet_ && dataSet_->IsSequenced();
}

// ---- Full recalculation -----------------------------------------------------

void TDBSumListProducer::ResetSums() {
    for (int i = 0; i < sums_.Count(); ++i) {
        TDBSum* sum = sums_.Items(i);
        sum->value_ = 0;
        sum->contribution_ = 0;
        sum->runningSum_ = 0;
        sum->nonNullCount_ = 0;
        sum->exact_ = true;
        sum->exactTotal_ = {};
        sum->exactContribution_ = {};
    }
    Fire(SumListChanged);
}

void TDBSumListProducer::RecalculateSums() {
    if (!active_ || !dataSet_ || !dataSet_->Active() || !hook_)
        return;
    ResetSums();
    Fire(OnRecalcAll);
    const auto finish = [this] {
        notedFiltered_ = dataSet_->Filtered();
        notedFilter_ = dataSet_->Filter();
        changing_ = false;
        Fire(SumListChanged);
    };
    try {
        if (!externalRecalc_) {
            if (ScanNeeded())
                ScanRecords();
            Fire(OnAfterRecalcAll);
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

bool TDBSumListProducer::FollowsExactly() const {
    for (int i = 0; i < sums_.Count(); ++i) {
        const TDBSum* sum = sums_.Items(i);
        if (sum->Counted() && sum->groupOperation_ != goCount && !sum->exact_)
            return false;
    }
    return true;
}

bool TDBSumListProducer::ScanNeeded() const {
    for (int i = 0; i < sums_.Count(); ++i) {
        if (sums_.Items(i)->Counted())
            return true;
    }
    return false;
}

std::vector<TField*> TDBSumListProducer::ItemFields() const {
    std::vector<TField*> fields;
    for (int i = 0; i < sums_.Count(); ++i) {
        const TDBSum* sum = sums_.Items(i);
        fields.push_back(sum->fieldName_.isEmpty() ? nullptr
                                                   : dataSet_->FieldByName(sum->fieldName_));
    }
    return fields;
}

void TDBSumListProducer::ScanRecords() {
    const std::vector<TField*> fields = ItemFields();
    TDataSet* dataSet = dataSet_;
    dataSet->DisableControls();
    // The controls come back also when a record cannot be read.
    struct TEnableControls {
        TDataSet* dataSet;
        ~TEnableControls() { dataSet->EnableControls(); }
    } enableControls{dataSet};
    changing_ = true;
    int decimals = 0;
    struct TScanItem {
        TDBSum* sum;
        const TField* field;
        TRunningSum total;
    };
    std::vector<TScanItem> items;
    for (int i = 0; i < sums_.Count(); ++i) {
        const TField* field = fields[static_cast<std::size_t>(i)];
        if (sums_.Items(i)->Counted())
            items.push_back({sums_.Items(i), field, TRunningSum(field)});
    }
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) {
        for (TScanItem& item : items) {
            switch (item.sum->groupOperation_) {
            case goSum:
                item.total.Add(decimals);
                break;
            case goAvg: {
                if (!item.field->IsNull())
                    ++item.sum->nonNullCount_;
                item.sum->runningSum_ += AverageTerm(item.field);
                TDBSum::TDecimal term;
                item.sum->AddExactly(FieldDecimal(item.field, term), term, 1);
                break;
            }
            case goCount:
                if (CountsRecord(item.field))
                    item.sum->value_ += 1;
                break;
            }
        }
    }
    dataSet->First();
    for (TScanItem& item : items) {
        if (item.sum->groupOperation_ == goSum) {
            item.sum->value_ = item.total.Total();
            item.sum->exact_ = item.total.FollowedExactly();
            item.sum->exactTotal_ = item.total.Decimal();
        }
        item.sum->UpdateValue();
    }
}

// ---- Incremental updates ----------------------------------------------------
// Sums and averages follow each change in exact decimals as well as in
// floating point; while every value is such a decimal, the aggregates are
// those of the exact totals, the very numbers a scan gives.

void TDBSumListProducer::DataSetAfterEdit() {
    const std::vector<TField*> fields = ItemFields();
    for (int i = 0; i < sums_.Count(); ++i) {
        TDBSum* sum = sums_.Items(i);
        const TField* field = fields[static_cast<std::size_t>(i)];
        if (!sum->Counted())
            continue;
        if (sum->groupOperation_ == goCount) {
            sum->contribution_ = CountsRecord(field) ? 1 : 0;
        } else {
            sum->contribution_ = ValueOf(field);
            sum->editStartValue_ = field->AsVariant();
            if (!FieldDecimal(field, sum->exactContribution_))
                sum->exact_ = false;
        }
    }
}

void TDBSumListProducer::DataSetAfterInsert() {
    for (int i = 0; i < sums_.Count(); ++i) {
        TDBSum* sum = sums_.Items(i);
        sum->contribution_ = 0;
        sum->exactContribution_ = {};
        if (sum->groupOperation_ != goCount)
            sum->editStartValue_ = db::NullVariant();
    }
}

void TDBSumListProducer::DataSetAfterPost() {
    const std::vector<TField*> fields = ItemFields();
    for (int i = 0; i < sums_.Count(); ++i) {
        TDBSum* sum = sums_.Items(i);
        const TField* field = fields[static_cast<std::size_t>(i)];
        if (!sum->Counted())
            continue;
        if (sum->groupOperation_ != goCount) {
            TDBSum::TDecimal value;
            sum->AddExactly(true, sum->exactContribution_, -1);
            sum->AddExactly(FieldDecimal(field, value), value, 1);
        }
        switch (sum->groupOperation_) {
        case goSum:
            sum->value_ = sum->value_ - sum->contribution_ + ValueOf(field);
            break;
        case goAvg: {
            const bool wasNull = db::VarIsNullOrEmpty(sum->editStartValue_);
            if (field->IsNull()) {
                if (!wasNull)
                    --sum->nonNullCount_;
                sum->runningSum_ -= sum->contribution_;
            } else {
                if (wasNull)
                    ++sum->nonNullCount_;
                sum->runningSum_ = sum->runningSum_ - sum->contribution_ + field->AsFloat();
            }
            break;
        }
        case goCount:
            sum->value_ = sum->value_ - sum->contribution_ + (CountsRecord(field) ? 1 : 0);
            break;
        }
        sum->UpdateValue();
    }
    Fire(SumListChanged);
}

void TDBSumListProducer::DataSetBeforeDelete() {
    const std::vector<TField*> fields = ItemFields();
    for (int i = 0; i < sums_.Count(); ++i) {
        TDBSum* sum = sums_.Items(i);
        const TField* field = fields[static_cast<std::size_t>(i)];
        if (!sum->Counted())
            continue;
        if (sum->groupOperation_ != goCount) {
            TDBSum::TDecimal value;
            sum->AddExactly(FieldDecimal(field, value), value, -1);
        }
        switch (sum->groupOperation_) {
        case goSum:
            sum->value_ -= ValueOf(field);
            break;
        case goAvg:
            sum->runningSum_ -= ValueOf(field);
            if (!field->IsNull())
                --sum->nonNullCount_;
            break;
        case goCount:
            if (CountsRecord(field))
                sum->value_ -= 1;
            break;
        }
        sum->UpdateValue();
    }
    Fire(SumListChanged);
}

void TDBSumListProducer::DataSetAfterScroll() {
    if (changing_)
        return;
    const bool filterChanged = dataSet_->Filtered() && dataSet_->Filter() != notedFilter_;
    if (filterChanged || dataSet_->Filtered() != notedFiltered_)
        RecalculateSums();
}

void TDBSumListProducer::DataSetAfterClose() {
    ResetSums();
    Fire(SumListChanged);
    changing_ = false;
}

void TDBSumListProducer::MasterAfterScroll() {
    if (!changing_)
        RecalculateSums();
}

} // namespace kx

#include "moc_dbsumlist.cpp"
