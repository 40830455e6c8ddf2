#pragma once
// Deleting an employee with its attached documents and pictures: the
// attachment rows and the employee row go in one transaction, all or none.
// The stored copies are named afterwards, for the caller to remove once the
// rows are gone: the employee's own and those of attachment rows whose
// employee vanished earlier (such rows themselves stay).

#include <QString>
#include <QStringList>

namespace kx::staff {

struct TEmployeeKey {
    QString CompanyId;
    QString RecordId;
    QString EmployeeId;
};

struct TEmployeeDeleteResult {
    bool Deleted = false;
    QString Message; // why nothing was deleted
    // The record ids whose stored copies are to be removed.
    QStringList StoredCopies;
};

TEmployeeDeleteResult DeleteEmployeeWithAttachments(const TEmployeeKey& key);

} // namespace kx::staff
