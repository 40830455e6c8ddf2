#include "frame/app/formbuttons.h"

#include "frame/app/kxchild.h"

#include <Qt>

#include <array>
#include <utility>

namespace kx {

TRightButtons RightButtonsOf(const TRights& rights) {
    return {rights.Add, rights.Add, rights.Add, rights.Print, rights.Verify};
}

bool NamesProgram(const QString& groupName, const QString& programName) {
    return !groupName.isEmpty() && !programName.isEmpty();
}

TRights UnnamedProgramRights() {
    TRights rights;
    rights.Add = true;
    return rights;
}

QString FunctionKeyButton(TFormKind kind, int key) {
    using Entry = std::pair<int, const char*>;
    static const std::array<Entry, 8> appForm{{{Qt::Key_F5, "button_add"},
                                               {Qt::Key_F6, "button_edit"},
                                               {Qt::Key_F7, "button_delete"},
                                               {Qt::Key_F8, "button_save"},
                                               {Qt::Key_F9, "button_cancel"},
                                               {Qt::Key_F10, "button_find"},
                                               {Qt::Key_F11, "button_print"},
                                               {Qt::Key_F12, "button_close"}}};
    static const std::array<Entry, 8> popEditor{{{Qt::Key_F3, "button_Ok"},
                                                 {Qt::Key_F5, "Button_add"},
                                                 {Qt::Key_F6, "button_edit"},
                                                 {Qt::Key_F7, "button_delete"},
                                                 {Qt::Key_F8, "button_save"},
                                                 {Qt::Key_F9, "button_cancel"},
                                                 {Qt::Key_F11, "Button_Print"},
                                                 {Qt::Key_F12, "button_close"}}};
    static const std::array<Entry, 9> popList{{{Qt::Key_F3, "button_Ok"},
                                               {Qt::Key_F5, "button_add"},
                                               {Qt::Key_F6, "button_edit"},
                                               {Qt::Key_F7, "button_delete"},
                                               {Qt::Key_F8, "button_save"},
                                               {Qt::Key_F9, "button_cancel"},
                                               {Qt::Key_F10, "button_find"},
                                               {Qt::Key_F11, "Button_Print"},
                                               {Qt::Key_F12, "button_close"}}};
    const auto find = [key](const auto& table) {
        for (const auto& [entryKey, name] : table)
            if (entryKey == key)
                return QString::fromLatin1(name);
        return QString();
    };
    switch (kind) {
    case TFormKind::AppForm:
        return find(appForm);
    case TFormKind::PopEditor:
        return find(popEditor);
    case TFormKind::PopList:
        return find(popList);
    }
    return {};
}

QString YearMonthPrefixOf(const QString& today) {
    return today.left(4) + today.mid(5, 2);
}

} // namespace kx
