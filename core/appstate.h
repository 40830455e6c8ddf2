#pragma once
// Program-wide state of a run: who is logged on, the company, the folders,
// the working date and the display settings. Set at start and log-on (and by
// a few commands), read by the windows of every subsystem; nothing here is
// saved, the lasting values come from the database and the settings store.

#include "platform/ui/colors.h"

#include <QHash>
#include <QString>

namespace kx {

inline QString AppImeName;
inline QString AppCompanyName = QStringLiteral("岚衡软件有限公司");
inline QString AppProgramFolder;
inline QString AppUserName = QStringLiteral("未登录用户");
inline QString AppUserId = QStringLiteral("G001");
inline QString AppToday; // the working date, "YYYY-MM-DD"

inline ui::TColor AppBrowseColor = 0xF1FAFE;
inline ui::TColor AppFocusColor = 0xF8F7C7;
inline ui::TColor AppEditColor = 0xFDFDEE;
inline ui::TColor AppLabelColor = 0xB7FDBE;

inline QString AppHelpFile = QStringLiteral("岚衡出纳记账管理系统帮助.html");
inline QString AppLanguage = QStringLiteral("GB");
inline QString AppDataFolder;
inline QString AppTempFolder;
inline int AppChildTop = 90;
inline int AppScreenWidth = 0;
inline int AppNumberingMode = 0;
inline bool AppAliasMissing = false;
inline bool AppAdaptScreen = false;
inline bool AppFinancialFormat = false;
inline bool AppSystemUser = false;
inline bool AppFirstRunDone = false;
inline int AppMainClientHeight = 0;
inline int AppMainClientWidth = 0;

// Nesting counters of SetChildToolbarState and SetChildMenuState.
inline int AppChildToolCount1 = 0;
inline int AppChildToolCount2 = 0;
inline int AppChildMenuCount1 = 0;
inline int AppChildMenuCount2 = 0;

// Display captions of the configurable columns, by column name.
inline QHash<QString, QString> AppFieldCaptions;

} // namespace kx
