#pragma once
// The four rights boxes of the users window for one user and program:
// which may be ticked, which are, and the rights a tick writes at once.
// Editing, printing and verifying each need browsing, so browsing is
// ticked with them and cannot be taken away while one of them is given.

#include <QString>

#include <array>
#include <functional>

namespace kx {

class TUserRightsBoxes {
public:
    // The boxes in the window's order: " 编辑", " 浏览", " 打印", " 审核".
    enum TBox { CB1 = 0, CB2 = 1, CB3 = 2, CB4 = 3 };
    static constexpr int kBoxCount = 4;
    // The right each box reads and writes: add (which governs add, edit and
    // delete), browse, print and verify.
    static constexpr std::array<int, kBoxCount> kRightOf = {0, 3, 4, 5};

    // The remembered user's right of that number, "是" or "否".
    std::function<QString(int right)> GetRight;
    std::function<void(int right, const QString& value)> SetRight;
    std::function<void(const QString& text)> Prompt;

    bool PanelEnabled() const { return panelEnabled_; }
    bool Enabled(TBox box) const { return enabled_[box]; }
    bool Ticked(TBox box) const { return ticked_[box]; }

    // No user or program chosen: every box unticked and the panel disabled.
    void Clear();
    // A program's boxes: each enabled when the program has that right at
    // all (allowed), ticked when the user holds it. An empty id is told and
    // leaves the boxes unticked and unwritable.
    void Load(const std::array<bool, kBoxCount>& allowed, const QString& userId,
              const QString& groupId, const QString& programId);

    // The user ticked or unticked a box.
    void Change(TBox box, bool ticked);
    // "全选": each box ticked when enabled, unticked when not.
    void SelectAll();
    // "反选": each enabled box toggled.
    void Invert();

private:
    void Tick(TBox box, bool ticked);
    void Write(TBox box, bool granted);
    bool AnyBeyondBrowse() const;

    bool panelEnabled_ = false;
    bool loaded_ = false;
    std::array<bool, kBoxCount> enabled_{};
    std::array<bool, kBoxCount> ticked_{};
};

} // namespace kx
