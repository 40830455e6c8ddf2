#include "frame/app/enrolrows.h"

#include "core/sqlfunctions.h"
#include "frame/data/kxquery.h"
#include "platform/db/database.h"
#include "platform/db/session.h"

namespace kx {
namespace {

const QString kCompanyFailed = QStringLiteral("企业名称注册错误");
const QString kUserFailed = QStringLiteral("用户注册错误");

// Every statement takes the trimmed texts.
QString Value(const QString& text) {
    return QuotedStr(text.trimmed());
}

QString CompanyRootSql(const TEnrolEntries& e, bool rootExists, const QString& date) {
    if (rootExists)
        return QStringLiteral("UPDATE SYS_COMPANY_TABLE SET PRIOR_ID = 'G002',ORDER_ID = "
                              "1,COMPANY_NAME = ") +
               Value(e.CompanyName) + QStringLiteral(",COMPANY_POSTCODE = ") + Value(e.PostCode) +
               QStringLiteral(",COMPANY_FAX = ") + Value(e.Fax) +
               QStringLiteral(",COMPANY_PHONE = ") + Value(e.Phone) +
               QStringLiteral(",COMPANY_ADDRESS = ") + Value(e.Address) +
               QStringLiteral(",CREATE_NAME = ") + Value(e.UserName) +
               QStringLiteral(",CREATE_DATE = ") + SqlDateLiteral(date) +
               QStringLiteral("  WHERE COMPANY_ID = 'G001'");
    return QStringLiteral("INSERT INTO "
                          "SYS_COMPANY_TABLE(ORDER_ID,PRIOR_ID,COMPANY_ID,COMPANY_NAME,COMPANY_"
                          "POSTCODE,COMPANY_FAX,COMPANY_PHONE,COMPANY_ADDRESS,CREATE_NAME,CREATE_"
                          "DATE) VALUES(1,'G002','G001',") +
           Value(e.CompanyName) + u',' + Value(e.PostCode) + u',' + Value(e.Fax) + u',' +
           Value(e.Phone) + u',' + Value(e.Address) + u',' + Value(e.UserName) + u',' +
           SqlDateLiteral(date) + u')';
}

QString InsertUserSql(const TEnrolEntries& e, const QString& date) {
    return QStringLiteral("INSERT INTO "
                          "SYS_USER_TABLE(USE_PASSWORD,USE_ID,USE_NAME,SYS_USER,STOP_RIGHT,CREATE_"
                          "NAME,CREATE_DATE) VALUES(") +
           Value(e.Password) + u',' + Value(e.UserId) + u',' + Value(e.UserName) +
           QStringLiteral(",'是','有效',") + Value(e.UserName) + u',' + SqlDateLiteral(date) + u')';
}

QString InsertRightsSql(const QString& userId, const TRightsPair& pair) {
    return QStringLiteral("INSERT INTO "
                          "SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,EDIT_RIGHT,"
                          "DElETE_RIGHT,BROWSE_RIGHT,PRINT_RIGHT,VERIFY_RIGHT,CURRENCY_RIGHT)"
                          "VALUES(") +
           Value(userId) + u',' + QString::number(pair.ComposeId) + u',' +
           QString::number(pair.ProgramId) + QStringLiteral(",'是','是','是','是','是','是','是')");
}

// The statements in their order; the message of the first that fails. A
// statement runs only inside the transaction: an error that ends it early
// must not let the rest be written on their own.
QString RunEnrolStatements(db::TDatabase& database, const TEnrolEntries& e,
                           const QString& companyDate, const QString& userDate) {
    const QString& name = database.DatabaseName();
    const auto run = [&](const QString& sql) {
        return database.InTransaction() && ExecSqlText(name, sql);
    };
    const bool rootExists =
        GetSqlFirstFloat(name, QStringLiteral("SELECT Count(COMPANY_ID) FROM SYS_COMPANY_TABLE "
                                              "WHERE COMPANY_ID = 'G001'")) > 0;
    if (!run(CompanyRootSql(e, rootExists, companyDate)))
        return kCompanyFailed;
    // Whether an old user of this id went is told by the insert that follows.
    run(QStringLiteral("DELETE  FROM SYS_USER_TABLE WHERE USE_ID = ") + Value(e.UserId));
    if (!run(InsertUserSql(e, userDate)))
        return kUserFailed;
    // A system user without rights could open no window at all: the rights
    // belong to the user's registration.
    if (!run(QStringLiteral("DELETE FROM SYS_RIGHT_TABLE")))
        return kUserFailed;
    for (const TRightsPair& pair : kEnrolRights) {
        if (!run(InsertRightsSql(e.UserId, pair)))
            return kUserFailed;
    }
    return {};
}

} // namespace

std::optional<TEnrolRefusal> CheckEnrolEntries(const TEnrolEntries& entries) {
    const struct {
        const QString& text;
        const char16_t* message;
        TEnrolEntry entry;
    } required[] = {
        {entries.CompanyName, u"必须输入企业名称", TEnrolEntry::CompanyName},
        {entries.Phone, u"必须输入电话", TEnrolEntry::Phone},
        {entries.Address, u"必须输入地址", TEnrolEntry::Address},
        {entries.UserId, u"必须输入用户编号", TEnrolEntry::UserId},
        {entries.UserName, u"必须输入用户姓名", TEnrolEntry::UserName},
        {entries.Password, u"必须输入用户口令", TEnrolEntry::Password},
        {entries.Confirmation, u"必须确认用户口令", TEnrolEntry::Confirmation},
    };
    for (const auto& entry : required) {
        if (entry.text.trimmed().isEmpty())
            return TEnrolRefusal{QString::fromUtf16(entry.message), entry.entry};
    }
    if (entries.Password.trimmed() != entries.Confirmation.trimmed())
        return TEnrolRefusal{QStringLiteral("口令确认错误"), TEnrolEntry::Password};
    return std::nullopt;
}

QString WriteEnrolRows(const QString& databaseName, const TEnrolEntries& entries,
                       const QString& companyDate, const QString& userDate) {
    db::TDatabase* database = db::TSession::Default().OpenDatabase(databaseName);
    database->StartTransaction();
    try {
        const QString failure = RunEnrolStatements(*database, entries, companyDate, userDate);
        if (failure.isEmpty())
            database->Commit();
        else
            database->Rollback();
        return failure;
    } catch (...) {
        database->Rollback();
        throw;
    }
}

} // namespace kx
