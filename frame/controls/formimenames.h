#pragma once
// Input-method names for all input controls of a form at once.

#include <QString>

class QObject;

namespace kx {

// Every edit, combo box, button edit and look-up box the form owns, in
// component order, gets the name.
void SetFormImeName(QObject* form, const QString& imeName);

// As SetFormImeName, except that boxes for numbers, dates, times and
// telephone numbers get no name, and the form's find dialogs get it as
// their ImeName; controls with Tag 100 are left alone.
void ApplyImeToForm(QObject* form, const QString& imeName);

} // namespace kx
