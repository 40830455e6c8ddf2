#pragma once
// The small window in which the plain data grid shows a whole memo or a
// picture of the record: one memo and one picture box over the whole client
// area, one of them shown; it stays on top and is reused for every cell.

#include <QDialog>
#include <QPointer>

namespace kx {

class TDBImage;
class TDBMemo;

class TFormMemo : public QDialog {
public:
    explicit TFormMemo(QWidget* parent = nullptr);

    TDBMemo* DBMemo1;
    TDBImage* DBImage1;
};

// The one memo window while it lives.
inline QPointer<TFormMemo> FormMemo;

} // namespace kx
