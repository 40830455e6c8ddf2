#include "frame/admin/userrightsboxes.h"

namespace kx {
namespace {

const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");

// The order "全选" and "反选" go through the boxes: browsing last, so that
// it follows the others.
constexpr std::array<TUserRightsBoxes::TBox, TUserRightsBoxes::kBoxCount> kSweepOrder = {
    TUserRightsBoxes::CB1, TUserRightsBoxes::CB3, TUserRightsBoxes::CB4, TUserRightsBoxes::CB2};

} // namespace

void TUserRightsBoxes::Clear() {
    loaded_ = false;
    panelEnabled_ = false;
    ticked_.fill(false);
}

void TUserRightsBoxes::Load(const std::array<bool, kBoxCount>& allowed, const QString& userId,
                            const QString& groupId, const QString& programId) {
    loaded_ = false;
    ticked_.fill(false);
    panelEnabled_ = true;
    enabled_ = allowed;
    const QString missing = userId.isEmpty()      ? QStringLiteral("用户编号为空")
                            : groupId.isEmpty()   ? QStringLiteral("程序组编号为空")
                            : programId.isEmpty() ? QStringLiteral("程序编号为空")
                                                  : QString();
    if (!missing.isEmpty()) {
        Prompt(missing);
        return;
    }
    for (int box = 0; box < kBoxCount; ++box)
        ticked_[box] = enabled_[box] && GetRight(kRightOf[box]) == kYes;
    loaded_ = true;
}

void TUserRightsBoxes::Change(TBox box, bool ticked) {
    ticked_[box] = ticked;
    if (!loaded_)
        return;
    if (box != CB2) {
        Write(box, ticked);
        if (ticked)
            Tick(CB2, true);
        return;
    }
    if (AnyBeyondBrowse())
        ticked_[CB2] = true;
    Write(CB2, ticked_[CB2]);
}

void TUserRightsBoxes::SelectAll() {
    for (TBox box : kSweepOrder)
        Tick(box, enabled_[box]);
}

void TUserRightsBoxes::Invert() {
    for (TBox box : kSweepOrder) {
        if (enabled_[box])
            Change(box, !ticked_[box]);
    }
}

// A box set by the window acts only when its state changes, as a click.
void TUserRightsBoxes::Tick(TBox box, bool ticked) {
    if (ticked_[box] != ticked)
        Change(box, ticked);
}

void TUserRightsBoxes::Write(TBox box, bool granted) {
    SetRight(kRightOf[box], granted ? kYes : kNo);
}

bool TUserRightsBoxes::AnyBeyondBrowse() const {
    return ticked_[CB1] || ticked_[CB3] || ticked_[CB4];
}

} // namespace kx
