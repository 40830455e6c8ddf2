#pragma once
// The users window's printout: the user list as a banded report ruled down
// to 38 rows a page, prepared once for its page count and then previewed.

#include "bandreport/bandrep.h"

namespace kx {

class TBRLabel;
class TBRSysData;
class TUserForm;

class TUserListReport : public TBandRep {
    Q_OBJECT
public:
    TUserListReport(QObject* owner, db::TDataSet* users);

    // Fonts by the program's language: "GB" prints in the simplified
    // Chinese font, any other in the traditional one.
    void ApplyLanguage(const QString& language);

    TBRSysData* Title;
    TBRLabel* PageCountLabel;

private:
    void BuildPageHeader();
    void BuildDetail(db::TDataSet* users);
    void BuildPageFooter();
    void Preview(QObject* printer);
};

// The print hook of the users window.
void PrintUserList(TUserForm& window);

} // namespace kx
