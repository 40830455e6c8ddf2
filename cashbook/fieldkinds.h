#pragma once
// The kinds of field a record slot can hold: each kind stands for one
// column of the record pool and fixes the type, widths and input mode the
// slot's row is written with.

#include <QString>
#include <QStringList>

#include <optional>

namespace kx {

inline const QString kDirectInput = QStringLiteral("直接输入");
inline const QString kChoiceInput = QStringLiteral("选择输入");

// The 20 kinds in the order the slot dialog lists them.
const QStringList& FieldKinds();
// The column of a kind; empty for any other text.
QString FieldKindColumn(const QString& kind);
// The kind of a column; empty for a column outside the pool.
QString ColumnFieldKind(const QString& column);

// What a slot row of a column is written with; the find type is the
// column's default, before the input mode is applied.
struct TFieldKindDefaults {
    QString FieldType;
    QString FieldWidth;
    QString DisplayWidth;
    QString FindType;
};
// Nothing for a name outside the pool, the empty one included.
std::optional<TFieldKindDefaults> FieldKindDefaults(const QString& column);

// The find type a slot row is written with: the default, or "DT" for a
// text kind entered by choice.
QString WrittenFindType(const TFieldKindDefaults& defaults, const QString& inputMode);

// What the input-mode box does when the kind text changes: take Mode (when
// not empty) and lock, or stay enabled with its item.
struct TInputModeRule {
    QString Mode;
    bool Locked = false;
};
TInputModeRule InputModeForKind(const QString& kindText);

// How the slot dialog opens on a slot's column and find type.
struct TSlotDialogStart {
    QString Kind; // empty for an undefined slot
    bool KindEnabled = true;
    QString Mode;
    bool ModeEnabled = true;
};
TSlotDialogStart SlotDialogStart(const QString& column, const QString& findType);

} // namespace kx
