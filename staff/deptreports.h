#pragma once
// The printed department list over the department window's print buffer:
// RepDept lists the names as the buffer numbers them, RepDeptOrder adds a
// number column of its own. Each page is ruled down to 35 rows.

#include "bandreport/bandrep.h"

namespace kx {

class TBRLabel;

namespace staff {

class TDeptReport : public TBandRep {
    Q_OBJECT
public:
    TDeptReport(QObject* owner, db::TDataSet* buffer, bool numberColumn);

    // The company's name in the page header.
    TBRLabel* CompanyLabel;
    // The page count of the footer, known once the pages were prepared.
    TBRLabel* PageCountLabel;

private:
    void BuildPageHeader(bool numberColumn);
    void BuildDetail(db::TDataSet* buffer, bool numberColumn);
    void BuildPageFooter();
};

} // namespace staff
} // namespace kx
