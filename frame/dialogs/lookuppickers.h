#pragma once
// The find dialogs' look-up pickers: a code-list value containing the typed
// text, and a fund account. Each shows the row picker and frees it again.

#include <QString>

namespace kx {

// Text is the search text on entry and the picked value on OK, when Code
// becomes "0"; both stay unchanged otherwise. A list without a matching
// value says so with the caption.
void PickTextValue(const QString& column, const QString& table, QString& Text, QString& Code,
                   const QString& Caption);

void PickEmployeeTextValue1(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue2(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue3(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue4(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue5(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue6(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue7(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue8(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue9(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue10(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue11(QString& Text, QString& Code, const QString& Caption);
void PickEmployeeTextValue12(QString& Text, QString& Code, const QString& Caption);
void PickMoneyTextValue1(QString& Text, QString& Code, const QString& Caption);
void PickMoneyTextValue2(QString& Text, QString& Code, const QString& Caption);
void PickMoneyTextValue3(QString& Text, QString& Code, const QString& Caption);
void PickMoneyTextValue4(QString& Text, QString& Code, const QString& Caption);
void PickMoneyTextValue5(QString& Text, QString& Code, const QString& Caption);
void PickMoneyTextValue6(QString& Text, QString& Code, const QString& Caption);
void PickMoneyTextValue7(QString& Text, QString& Code, const QString& Caption);

// On OK fills Name and AccountId of the chosen account and answers false;
// true when cancelled or when there is no account.
bool SelectMoneyAccount(QString& Name, QString& AccountId);

} // namespace kx
