#include "frame/dialogs/runquerywithbusywindow.h"

#include "core/messages.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/kxthread.h"
#include "platform/ui/screencursor.h"

namespace kx {
namespace {

// The busy window and the wait cursor, taken back on every way out.
class TBusyScope {
public:
    TBusyScope() {
        ui::SetScreenCursor(Qt::WaitCursor);
        busy_.SetCaption(QStringLiteral("正在读取数据，请稍候....."));
        busy_.SetKind(TOptionKind::crFind);
        busy_.Start();
    }
    ~TBusyScope() {
        busy_.Stop();
        ui::SetScreenCursor(Qt::ArrowCursor);
    }
    void Stop() { busy_.Stop(); }

private:
    TKXThread busy_;
};

} // namespace

void RunQueryWithBusyWindow(TKXQuery& query, const QString& sqlText) {
    TBusyScope busy;
    query.CloseQuery();
    query.SQL().SetText(sqlText);
    query.OpenQuery();
    busy.Stop();
    if (query.IsEmpty()) {
        ShowPromptMessageTo(nullptr, QStringLiteral("没有找到符合条件的纪录"));
        return;
    }
    query.Next();
    query.Prior();
    ShowPromptMessageTo(nullptr, QStringLiteral("共找到 ") + QString::number(query.RecordCount()) +
                                     QStringLiteral(" 个符合条件的纪录"));
}

} // namespace kx
