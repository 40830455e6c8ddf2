#include "core/exceptionhandler.h"

#include "core/messages.h"
#include "platform/db/dberrors.h"
#include "platform/sys/dateformat.h"

#include <cxxabi.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace kx {
namespace {

struct KnownEngineError {
    quint16 code;
    int category;
    int subCode;
    const char* prompt;
};

// Tested in this order; a match also needs native code 0.
const std::array<KnownEngineError, 6> kKnownEngineErrors{{
    {9734, 38, 6, "其它的数据库表中存在对该纪录的引用,纪录不能删除"},
    {10770, 42, 18, "数据库打开过程发生错误"},
    {9729, 38, 1, "数据库主键重复"},
    {10763, 42, 11, "数据已被其它用户修改,请重新查找刷新该记录,查看其它用户修改后的数据"},
    {10029, 39, 45, "数据太大,不能保存数据"},
    {10243, 40, 3, "有未关闭的数据表"},
}};

QString TypeName(const std::exception& error) {
    const char* mangled = typeid(error).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return QString::fromLatin1(status == 0 ? demangled.get() : mangled);
}

void ShowEngineError(const db::EDBEngineError& error) {
    QString detail = QStringLiteral("ErrorCode:");
    QString message;
    if (error.ErrorCount() > 0) {
        const db::TDBError& first = error.Errors().first();
        message = first.Message + u'\r';
        detail += QStringLiteral(" (%1,%2,%3,%4)")
                      .arg(first.ErrorCode)
                      .arg(first.Category)
                      .arg(first.SubCode)
                      .arg(first.NativeError);
        ShowBdeErrorMessage(error, 0);
    }
    ShowExceptionDetail(error.ClassName() + u':' + detail + u'\t' + message);
}

QString ConversionPrompt(const QString& message) {
    if (message.contains(QLatin1String("is not a valid date")))
        return QStringLiteral("请按格式YYYY%1MM%1DD 输入日期").arg(sys::kDateSeparator);
    if (message.contains(QLatin1String("Format '%d' invalid or incompatible with argument")))
        return QStringLiteral("指定的格式与参数类型不匹配!");
    return message;
}

} // namespace

void HandleApplicationException(const std::exception_ptr& error) {
    ExceptionShown = false;
    try {
        std::rethrow_exception(error);
    } catch (const db::EDBEngineError& e) {
        ShowEngineError(e);
    } catch (const db::EDatabaseError& e) {
        ShowExceptionDetail(e.ClassName() + u':' + e.Message());
    } catch (const EConvertError& e) {
        ShowPromptMessage(ConversionPrompt(e.Message()));
        ExceptionShown = true;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        ShowExceptionDetail(e.ClassName() + u':' + e.Message());
    } catch (const std::exception& e) {
        ShowExceptionDetail(TypeName(e) + u':' + QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowExceptionDetail(QStringLiteral("Exception:unknown exception"));
    }
}

void ShowBdeErrorMessage(const db::EDBEngineError& error, int index) {
    const db::TDBError& entry = error.Errors().at(index);
    for (const KnownEngineError& known : kKnownEngineErrors) {
        if (entry.ErrorCode == known.code && entry.Category == known.category &&
            entry.SubCode == known.subCode && entry.NativeError == 0) {
            ShowPromptMessage(QString::fromUtf8(known.prompt));
            ExceptionShown = true;
            return;
        }
    }
    ShowPromptMessage(QStringLiteral("数据库操作错误"));
    ExceptionShown = false;
}

void ShowExceptionDetail(const QString& text) {
    if (!ExceptionShown)
        ShowErrorMessage(text);
    ExceptionShown = false;
}

} // namespace kx
