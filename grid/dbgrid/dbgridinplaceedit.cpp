#include "grid/dbgrid/dbgridinplaceedit.h"

#include "grid/base/wrappedtext.h"
#include "grid/dbgrid/columndropdownboxx.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgriddataservice.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/popupdatagridx.h"
#include "grid/editors/cellbuttons.h"
#include "grid/editors/dropdowndrag.h"
#include "grid/editors/dropdownplacement.h"
#include "grid/editors/editbuttoncontrolx.h"
#include "grid/editors/editbuttonx.h"
#include "grid/editors/extrarowx.h"
#include "grid/editors/mrulistboxx.h"
#include "grid/editors/popupcalculatorx.h"
#include "grid/editors/popuplistboxx.h"
#include "grid/editors/popupmonthcalendarx.h"
#include "grid/editors/sizegripx.h"
#include "platform/db/datasource.h"
#include "platform/sys/numberformat.h"
#include "platform/ui/application.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <utility>

namespace kx {

using namespace ui;

namespace {

bool IsNumericType(db::TFieldType type) {
    switch (type) {
    case db::ftSmallint:
    case db::ftInteger:
    case db::ftWord:
    case db::ftFloat:
    case db::ftCurrency:
    case db::ftBCD:
        return true;
    default:
        return false;
    }
}

QVariant KeyValuesOf(const QList<db::TField*>& keys) {
    if (keys.size() == 1)
        return keys.front()->Value();
    QVariantList values;
    for (const db::TField* key : keys)
        values.append(key->Value());
    return values;
}

bool KeysModifiable(const db::TField* field) {
    const QList<db::TField*> keys = field->DataSet()->GetFieldList(field->KeyFields());
    return !keys.isEmpty() && std::all_of(keys.begin(), keys.end(),
                                          [](const db::TField* key) { return key->CanModify(); });
}

QKeyCombination Combination(int key, TShiftState shift) {
    Qt::KeyboardModifiers modifiers;
    if (shift & ssShift)
        modifiers |= Qt::ShiftModifier;
    if (shift & ssCtrl)
        modifiers |= Qt::ControlModifier;
    if (shift & ssAlt)
        modifiers |= Qt::AltModifier;
    return QKeyCombination(modifiers, Qt::Key(key));
}

} // namespace

TDBGridInplaceEdit::TDBGridInplaceEdit(QWidget* parent)
    : TInplaceEdit(parent), lookupSource_(new db::TDataSource(this)) {
    connect(this, &QLineEdit::textEdited, this, Guard([this] { TextEdited(); }));
    // A text the lists or the completion put in shows its image as well.
    connect(this, &QLineEdit::textChanged, this, Guard([this] { UpdateImageIndex(); }));
    // The line edit repaints only its own single line; wrapped text moves
    // the caret and the selection anywhere.
    const auto repaintWrapped = [this] {
        if (wordWrap_)
            update();
    };
    connect(this, &QLineEdit::cursorPositionChanged, this, repaintWrapped);
    connect(this, &QLineEdit::selectionChanged, this, repaintWrapped);
}

TDBGridInplaceEdit::~TDBGridInplaceEdit() = default;

TCustomDBGridX* TDBGridInplaceEdit::Grid() const {
    return static_cast<TCustomDBGridX*>(TInplaceEdit::Grid());
}

TColumnX* TDBGridInplaceEdit::Column() const {
    const TCustomDBGridX* grid = Grid();
    if (!grid)
        return nullptr;
    const int index = grid->CurrentDataColumn();
    if (index < 0 || index >= grid->Columns()->Count())
        return nullptr;
    return grid->Columns()->GetColumn(index);
}

// ---- Style and loading --------------------------------------------------

void TDBGridInplaceEdit::SetEditStyle(TDBGridEditStyle style) {
    editStyle_ = style;
    TColumnX* column = Column();
    switch (style) {
    case gesPickList:
        if (!pickList_) {
            pickList_ = new TPopupListboxX(this);
            pickList_->hide();
            pickList_->viewport()->installEventFilter(this);
        }
        pickList_->SetImages(column ? column->ImageList() : nullptr);
        activeList_ = pickList_;
        break;
    case gesDate:
        if (!calendar_) {
            calendar_ = new TPopupMonthCalendarX(this);
            calendar_->hide();
        }
        activeList_ = calendar_;
        break;
    case gesLookup:
        if (!lookupGrid_) {
            lookupGrid_ = new TPopupDataGridX(this);
            lookupGrid_->hide();
            lookupGrid_->OnCloseUp = [this](TPopupDataGridX*, bool accept) { CloseList(accept); };
            lookupGrid_->OnColumnMoved = [this](QObject*, int, int) { lookupColumnsMoved_ = true; };
        }
        activeList_ = lookupGrid_;
        break;
    case gesDropDown:
        if (column && column->Field() && IsNumericType(column->Field()->DataType())) {
            if (!calculator_) {
                calculator_ = new TPopupCalculatorX(this);
                calculator_->hide();
            }
            activeList_ = calculator_;
        } else {
            activeList_ = nullptr;
        }
        break;
    default:
        activeList_ = nullptr;
        break;
    }
    if (column)
        setReadOnly(column->ReadOnly());
}

void TDBGridInplaceEdit::LoadCellContents() {
    TColumnX* column = Column();
    readOnlyOverridden_ = false;
    if (!column) {
        wordWrap_ = false;
        TInplaceEdit::LoadCellContents();
        return;
    }
    SetEditStyle(ColumnEditStyle(column));
    TCustomDBGridX* grid = Grid();
    setFont(column->Font());
    TColCellParamsX params;
    grid->EditorCellParams(grid->Col(), params, true);
    const bool readOnly = !column->CellEditable(false);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ToQColor(params.CellColor, palette()));
    setPalette(colours);
    imageIndex_ = params.CellImageIndex;
    if (params.CellReadOnly != readOnly) {
        setReadOnly(params.CellReadOnly);
        readOnlyOverridden_ = true;
    }
    wordWrap_ = column->WordWrap() && grid->WrapAllowed();
    SetText(QString());
    SetEditMask(grid->GetEditMask(grid->Col(), grid->Row()));
    SetText(params.CellText);
    SetMaxLength(grid->GetEditLimit());
    const db::TField* field = column->Field();
    if (field && field->Lookup() && field->DataSet()) {
        grid->editKeyValue_ = KeyValuesOf(field->DataSet()->GetFieldList(field->KeyFields()));
        grid->editKeySet_ = false;
    }
    mruColumn_ = column;
    mruList_.Assign(*column->MRUList());
    LayoutButtons();
}

// ---- Buttons and text area -------------------------------------------------

int TDBGridInplaceEdit::DefaultButtonWidth() const {
    return Grid() && Grid()->Flat()
               ? FlatButtonWidth()
               : QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

TEditButtonControlX* TDBGridInplaceEdit::CreateButtonControl() {
    auto* button = new TEditButtonControlX(this);
    button->resize(10, 17);
    button->setCursor(Qt::ArrowCursor);
    button->OnButtonDown = [this, button](QObject*, bool top, bool& repeat, bool& handled) {
        ButtonPressed(button, top, repeat, handled);
    };
    button->OnClick = [this, button](QObject*) { ButtonClicked(button); };
    button->OnMouseMove = [this, button](QObject*, TShiftState shift, int x, int y) {
        ButtonMouseMoved(button, shift, x, y);
    };
    button->OnMouseUp = [this, button](QObject*, TMouseButton, TShiftState, int x, int y) {
        ButtonReleased(button, x, y);
    };
    return button;
}

void TDBGridInplaceEdit::LayoutButtons() {
    const TColumnX* column = Column();
    const TEditButtonsX* extras = column ? column->EditButtons() : nullptr;
    const int wanted = 1 + (extras ? extras->Count() : 0);
    while (int(buttons_.size()) > wanted) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (int(buttons_.size()) < wanted) {
        buttons_.push_back(CreateButtonControl());
        buttons_.back()->Tag = int(buttons_.size()) - 1;
    }
    const bool flat = Grid() && Grid()->Flat();
    const int defaultWidth = DefaultButtonWidth();
    std::vector<int> widths(buttons_.size(), 0);
    TEditButtonControlX* first = buttons_.front();
    first->setVisible(editStyle_ != gesPlain);
    first->SetStyle(editStyle_ == gesEllipsis ? ebsEllipsisX
                    : editStyle_ == gesUpDown ? ebsUpDownX
                                              : ebsDropDownX);
    first->SetFlat(flat);
    widths[0] = editStyle_ != gesPlain ? defaultWidth : 0;
    for (int i = 1; i < wanted; ++i) {
        const TEditButtonX* source = extras->ButtonAt(i - 1);
        TEditButtonControlX* button = buttons_[i];
        button->setVisible(source->Visible());
        button->setEnabled(source->Enabled());
        button->SetStyle(source->Style());
        button->SetGlyph(source->Glyph());
        button->SetNumGlyphs(source->NumGlyphs());
        button->setToolTip(source->Hint());
        button->SetFlat(flat);
        widths[i] = source->Visible() ? (source->Width() > 0 ? source->Width() : defaultWidth) : 0;
    }
    const int clientHeight = height();
    int buttonHeight = clientHeight;
    for (int width : widths) {
        if (width <= 0)
            continue;
        const int tall = std::lround(width * 1.5) >= clientHeight
                             ? clientHeight
                             : EditButtonHeightFor(width, flat);
        buttonHeight = std::min(buttonHeight, tall);
    }
    const bool rightToLeft = column && column->RightToLeftAlignment();
    int taken = 0;
    for (int i = wanted - 1; i >= 0; --i) {
        if (widths[i] <= 0)
            continue;
        const int x = rightToLeft ? taken : width() - taken - widths[i];
        buttons_[i]->setGeometry(x, 0, widths[i], buttonHeight);
        buttons_[i]->setEnabled(true);
        buttons_[i]->SetActive(true);
        taken += widths[i] + (flat ? 1 : 0);
    }
    buttonsWidth_ = taken;
}

TRect TDBGridInplaceEdit::TextRect() const {
    const bool flat = Grid() && Grid()->Flat();
    TRect rect{2, flat ? 1 : 2, width() - 2, flat ? height() - 1 : height()};
    if (rect.Height() < fontMetrics().height() && rect.Bottom + 1 <= height())
        rect.Bottom += 1;
    const TColumnX* column = Column();
    const bool rightToLeft = column && column->RightToLeftAlignment();
    if (rightToLeft) {
        rect.Left += buttonsWidth_;
        rect.Right -= ImageStripWidth();
    } else {
        rect.Right -= buttonsWidth_;
        rect.Left += ImageStripWidth();
    }
    return rect;
}

int TDBGridInplaceEdit::ImageStripWidth() const {
    const TColumnX* column = Column();
    return column && column->ImageList() && column->ShowImageAndText()
               ? column->ImageList()->Width() + 5
               : 0;
}

void TDBGridInplaceEdit::BoundsUpdated() {
    LayoutButtons();
    const TRect rect = TextRect();
    setTextMargins(rect.Left, rect.Top, width() - rect.Right, height() - rect.Bottom);
}

void TDBGridInplaceEdit::SetPressedLook(bool pressed) {
    if (!buttons_.empty())
        buttons_.front()->SetPressedLook(pressed);
}

void TDBGridInplaceEdit::ButtonPressed(TEditButtonControlX* button, bool topButton,
                                       bool& autoRepeat, bool& handled) {
    setFocus(Qt::MouseFocusReason);
    TColumnX* column = Column();
    if (button->Tag == 0) {
        if (column && column->OnEditButtonDown)
            column->OnEditButtonDown(column, topButton, autoRepeat, handled);
        if (!handled)
            DefaultButtonPressed(!topButton);
        handled = true;
        return;
    }
    TEditButtonX* source = column->EditButtons()->ButtonAt(button->Tag - 1);
    if (source->OnDown)
        source->OnDown(source->EditControl(), topButton, autoRepeat, handled);
    if (!handled && source->DropdownMenu) {
        source->DropdownMenu->popup(button->mapToGlobal(QPoint(0, button->height())));
        handled = true;
    }
}

void TDBGridInplaceEdit::DefaultButtonPressed(bool down) {
    if (editStyle_ == gesUpDown) {
        StepValue(down);
        return;
    }
    if (!buttons_.front()->PressedLook()) {
        OpenList();
        justOpened_ = listVisible_;
    }
}

void TDBGridInplaceEdit::ButtonClicked(TEditButtonControlX* button) {
    TCustomDBGridX* grid = Grid();
    TColumnX* column = Column();
    bool handled = false;
    if (button->Tag == 0) {
        if (editStyle_ == gesEllipsis || editStyle_ == gesDropDown)
            grid->FireEditButtonClick();
        if (column && column->OnEditButtonClick) {
            column->OnEditButtonClick(column);
            handled = true;
        }
    } else if (column) {
        column->EditButtons()->ButtonAt(button->Tag - 1)->Click(this, handled);
    }
    if (!handled && button->Tag == 0 && listVisible_ && !justOpened_)
        CloseList(false);
    justOpened_ = false;
}

void TDBGridInplaceEdit::ButtonMouseMoved(TEditButtonControlX* button, TShiftState shift, int x,
                                          int y) {
    Q_UNUSED(shift);
    if (button->Tag != 0 || !listVisible_ || !activeList_ || !button->Dragging())
        return;
    QRect area = activeList_->rect();
    if (activeList_ == lookupGrid_) {
        const TGridRect rows = lookupGrid_->DataRect();
        area = lookupGrid_->BoxRect(rows.Left, rows.Top, rows.Right, rows.Bottom)
                   .ToQRect()
                   .translated(lookupGrid_->viewport()->pos());
    }
    const QPoint at = button->mapToGlobal(QPoint(x, y));
    if (!area.contains(activeList_->mapFromGlobal(at)))
        return;
    button->CancelDrag();
    justOpened_ = false;
    HandDragToDropDown(activeList_, area, at);
}

void TDBGridInplaceEdit::ButtonReleased(TEditButtonControlX* button, int x, int y) {
    if (!button->rect().contains(x, y))
        justOpened_ = false;
}

void TDBGridInplaceEdit::StepValue(bool down) {
    TColumnX* column = Column();
    TCustomDBGridX* grid = Grid();
    if (!column || !column->CellEditable(true))
        return;
    if (grid->EditText() != Text()) {
        grid->UpdateText();
        grid->UpdateData();
    }
    double step = down ? -column->Increment() : column->Increment();
    if (column->ReadCellKind() != cellPlain)
        step = -step;
    column->StepCellValue(step);
    SetText(grid->GetEditText(grid->Col(), grid->Row()));
    selectAll();
}

// ---- Lists -----------------------------------------------------------------

void TDBGridInplaceEdit::OpenList() {
    if (listVisible_ || !activeList_)
        return;
    if (activeList_ == lookupGrid_)
        OpenLookupGrid();
    else if (activeList_ == pickList_)
        OpenPickList();
    else if (activeList_ == calendar_)
        OpenCalendar();
    else if (activeList_ == calculator_)
        OpenCalculator();
    if (!activeList_)
        return;
    CloseMRUList(false);
    const TCustomDBGridX* grid = Grid();
    const bool rightToLeft = grid && grid->layoutDirection() == Qt::RightToLeft;
    activeList_->move(PlaceDropDownWindow(this, activeList_, rightToLeft ? ddaRight : ddaLeft));
    activeList_->show();
    const bool sizing = Column() && Column()->DropDownSizing();
    if (activeList_ == lookupGrid_) {
        lookupGrid_->SizeGrip()->setVisible(sizing);
        lookupGrid_->SetRowCount(lookupGrid_->ListRowCount());
    } else if (activeList_ == pickList_) {
        pickList_->SizeGrip()->setVisible(sizing);
    }
    // Only the user's own sizing counts from here on.
    if (pickList_)
        pickList_->SizeChanged = false;
    if (lookupGrid_)
        lookupGrid_->Sized = false;
    listVisible_ = true;
    update();
    setFocus(Qt::OtherFocusReason);
    SetPressedLook(true);
}

void TDBGridInplaceEdit::OpenLookupGrid() {
    TColumnX* column = Column();
    const db::TField* field = column ? column->Field() : nullptr;
    db::TDataSet* list = column ? column->LookupListDataSet() : nullptr;
    if (!field || !list) {
        activeList_ = nullptr;
        return;
    }
    lookupGrid_->setFont(font());
    lookupGrid_->AssignSpecRow(*column->DropDownSpecRow());
    lookupSource_->SetDataSet(list);
    lookupGrid_->SetListSource(lookupSource_);
    lookupGrid_->SetKeyFieldName(field->LookupKeyFields());
    lookupGrid_->SetListFieldName(column->LookupDisplayFields().isEmpty()
                                      ? field->LookupResultField()
                                      : column->LookupDisplayFields());
    lookupGrid_->SetShowTitles(column->DropDownShowTitles());
    lookupGrid_->SetUseMultiTitle(column->DropDownBox()->UseMultiTitle);
    const int records = list->RecordCount();
    lookupGrid_->SetRowCount(
        records >= 1 && records < column->DropDownRows() ? records : column->DropDownRows());
    int listWidth = column->DropDownWidth();
    if (listWidth == -1)
        listWidth = lookupGrid_->ColumnsWidth();
    else if (listWidth <= 0)
        listWidth = width();
    lookupGrid_->resize(std::max(listWidth, width()), lookupGrid_->height());
    lookupGrid_->SetKeyValue(Grid()->editKeyValue_);
    lookupColumnsMoved_ = false;
    lookupGrid_->SetAutoFitWidths(column->DropDownBox()->AutoFitColWidths);
    lookupGrid_->Sized = false;
}

void TDBGridInplaceEdit::OpenPickList() {
    const TColumnX* column = Column();
    const QStringList picks = column->PickList();
    const QStringList keys = column->KeyList();
    pickItems_ = keys.isEmpty() ? picks : picks.mid(0, std::min(keys.size(), picks.size()));
    pickList_->setFont(font());
    pickList_->clear();
    pickList_->addItems(pickItems_);
    pickList_->SetRowCount(DropDownListRows(int(pickItems_.size()), column->DropDownRows()));
    const db::TField* field = column->Field();
    const int selected = !field || field->IsNull() ? -1 : int(pickItems_.indexOf(Text()));
    pickList_->setCurrentRow(selected);
    int widest = pickList_->viewport()->width();
    for (const QString& item : pickItems_)
        widest = std::max(widest, pickList_->fontMetrics().horizontalAdvance(item));
    pickList_->resize(std::max(width(), widest + 4 + 2 * pickList_->BorderWidth()),
                      pickList_->height());
    pickList_->SizeChanged = false;
}

void TDBGridInplaceEdit::OpenCalendar() {
    calendar_->setFont(font());
    const db::TField* field = Column() ? Column()->Field() : nullptr;
    const QDate fieldDate =
        field && !field->IsNull() ? field->AsDateTime().date() : QDate::currentDate();
    const QString text = Text().trimmed();
    QDate date;
    if (text.isEmpty())
        date = QDate::currentDate();
    else if (field && text == field->EditText().trimmed())
        date = fieldDate;
    else
        date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        date = QLocale().toDate(text, QLocale::ShortFormat);
    calendar_->setSelectedDate(date.isValid() ? date : fieldDate);
    calendar_->resize(calendar_->MinimumCalendarSize());
}

void TDBGridInplaceEdit::OpenCalculator() {
    const QString text = Text().trimmed();
    calculator_->SetValue(text.isEmpty() ? 0.0 : sys::StrToFloat(text));
    calculator_->SetFlat(Grid()->Flat());
    deselect();
}

void TDBGridInplaceEdit::CloseList(bool accept) {
    if (activeList_ && QApplication::focusWidget() && ListOwns(QApplication::focusWidget()))
        setFocus(Qt::OtherFocusReason);
    if (!listVisible_ || closing_)
        return;
    SetPressedLook(false);
    // Storing a user-sized list's size in the column relays the grid out,
    // which takes the editor text as the cell's; the text to put back is
    // the one from before.
    const QString pendingText = Grid()->EditText();
    closing_ = true;
    chosenValue_ = QVariant();
    QWidget* list = activeList_;
    TColumnX* column = Column();
    if (list == lookupGrid_) {
        chosenValue_ = lookupGrid_->KeyValue();
        if (lookupGrid_->Sized && column) {
            column->SetDropDownRows(lookupGrid_->ListRowCount());
            column->SetDropDownWidth(lookupGrid_->width());
        }
        if (lookupColumnsMoved_ && column)
            column->DropDownSpecRow()->SetCellsText(lookupGrid_->SpecRow()->CellsText());
    } else if (list == pickList_) {
        const int row = pickList_->currentRow();
        if (row >= 0) {
            const QStringList keys = column->KeyList();
            chosenValue_ = !keys.isEmpty() && row < keys.size() ? keys[row] : pickItems_[row];
        }
        if (pickList_->SizeChanged && pickList_->ItemHeight() > 0) {
            column->SetDropDownRows(pickList_->viewport()->height() / pickList_->ItemHeight());
            column->SetDropDownWidth(pickList_->width());
        }
    }
    list->hide();
    listVisible_ = false;
    closing_ = false;
    update();
    try {
        if (!accept) {
            if (list == lookupGrid_ || list == pickList_)
                SetPendingText(pendingText);
        } else if (list == lookupGrid_) {
            AcceptLookup();
        } else if (list == calendar_) {
            AcceptCalendar();
        } else if (list == calculator_) {
            AcceptCalculator();
        } else if (list == pickList_) {
            AcceptPickList();
        }
    } catch (...) {
        if (lookupGrid_) {
            lookupGrid_->SetAutoFitWidths(false);
            lookupGrid_->SetListSource(nullptr);
        }
        lookupSource_->SetDataSet(nullptr);
        throw;
    }
    if (list == lookupGrid_) {
        lookupGrid_->SetAutoFitWidths(false);
        lookupGrid_->SetListSource(nullptr);
        lookupSource_->SetDataSet(nullptr);
    }
}

void TDBGridInplaceEdit::AcceptLookup() {
    TColumnX* column = Column();
    const db::TField* field = column ? column->Field() : nullptr;
    if (!field || !KeysModifiable(field) || !Grid()->CanEditModify() || !column->CellEditable(true))
        return;
    const QString text = lookupGrid_->DisplayText();
    try {
        SetPendingKey(chosenValue_);
        SetPendingText(text);
    } catch (...) {
        SetText(field->EditText() + u' ');
        throw;
    }
    selectAll();
}

void TDBGridInplaceEdit::AcceptCalendar() {
    TColumnX* column = Column();
    if (!column || !Grid()->CanEditModify() || !column->CellEditable(true))
        return;
    const QDate date = calendar_->selectedDate();
    const QString text = QLocale().toString(date, QLocale::ShortFormat);
    column->WriteCellValue(text, QDateTime(date, QTime()), false);
    SetText(Grid()->GetEditText(Grid()->Col(), Grid()->Row()));
    selectAll();
}

void TDBGridInplaceEdit::AcceptCalculator() {
    TColumnX* column = Column();
    if (!column || !Grid()->CanEditModify() || !column->CellEditable(true))
        return;
    const QVariant value = calculator_->GetValue();
    bool number = false;
    const double amount = value.toDouble(&number);
    if (!value.isValid() || !number)
        return;
    SetPendingText(sys::FloatToStr(amount));
    selectAll();
}

void TDBGridInplaceEdit::AcceptPickList() {
    TColumnX* column = Column();
    if (!chosenValue_.isValid() || !column || !Grid()->CanEditModify())
        return;
    const int row = pickList_->currentRow();
    const bool keyList = !column->KeyList().isEmpty();
    SetPendingText(keyList && row >= 0 ? pickItems_[row] : chosenValue_.toString());
    selectAll();
    UpdateImageIndex();
}

// A release in the pick list, after a click or a drag begun on the button,
// picks the entry under the pointer; a release outside it closes it.
bool TDBGridInplaceEdit::eventFilter(QObject* watched, QEvent* event) {
    if (pickList_ && watched == pickList_->viewport() &&
        event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        const bool inside = pickList_->viewport()->rect().contains(at);
        if (inside && pickList_->indexAt(at).isValid())
            pickList_->setCurrentIndex(pickList_->indexAt(at));
        try {
            CloseList(inside);
        } catch (...) {
            HandleCurrentException();
        }
        return true;
    }
    return TInplaceEdit::eventFilter(watched, event);
}

bool TDBGridInplaceEdit::ListOwns(QWidget* widget) const {
    return activeList_ && (widget == activeList_ || activeList_->isAncestorOf(widget));
}

// ---- Pending text and key ---------------------------------------------------

void TDBGridInplaceEdit::SetPendingText(const QString& text) {
    SetText(text);
    Grid()->SetEditText(Grid()->Col(), Grid()->Row(), text);
}

void TDBGridInplaceEdit::SetPendingKey(const QVariant& key) {
    TCustomDBGridX* grid = Grid();
    grid->editKeyValue_ = key;
    grid->editKeySet_ = true;
    grid->DataLink()->MarkEditorChanged();
    if (lookupGrid_ && editStyle_ == gesLookup)
        lookupGrid_->SetKeyValue(key);
}

QVariant TDBGridInplaceEdit::LookupKeyForText(const QString& text) const {
    const TColumnX* column = Column();
    db::TDataSet* list = column->LookupListDataSet();
    const db::TField* field = column->Field();
    if (!list || text.isEmpty() ||
        !list->Locate(field->LookupResultField(), text, db::loCaseInsensitive))
        return QVariant();
    return KeyValuesOf(list->GetFieldList(field->LookupKeyFields()));
}

void TDBGridInplaceEdit::StorePendingText() {
    TColumnX* column = Column();
    if (!column || !column->CellEditable(true))
        return;
    Grid()->SetEditText(Grid()->Col(), Grid()->Row(), Text());
    if (editStyle_ == gesLookup)
        SetPendingKey(LookupKeyForText(Text()));
}

bool TDBGridInplaceEdit::LinkEditable() const {
    const TColumnX* column = Column();
    return column && column->CellEditable(false) && Grid()->CanEditModify();
}

bool TDBGridInplaceEdit::KeyListColumn() const {
    const TColumnX* column = Column();
    return column && column->ReadCellKind() == cellKeyToPick;
}

bool TDBGridInplaceEdit::ListCell() const {
    return editStyle_ == gesLookup || KeyListColumn();
}

// ---- Keys -------------------------------------------------------------------

void TDBGridInplaceEdit::keyPressEvent(QKeyEvent* event) {
    bool taken = false;
    try {
        taken = RouteListKey(event) || RouteMRUKey(event);
        if (!taken && event->matches(QKeySequence::Paste) && ListCell() && LinkEditable()) {
            PasteCompleted();
            taken = true;
        }
    } catch (...) {
        HandleCurrentException();
        return;
    }
    if (taken) {
        event->accept();
        return;
    }
    TInplaceEdit::keyPressEvent(event);
}

bool TDBGridInplaceEdit::RouteListKey(QKeyEvent* event) {
    const bool listStyle = editStyle_ == gesPickList || editStyle_ == gesLookup ||
                           editStyle_ == gesDate ||
                           (editStyle_ == gesDropDown && calculator_ && activeList_ == calculator_);
    if (!listStyle || !activeList_)
        return false;
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool alt = mods & Qt::AltModifier;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((enter || key == Qt::Key_Escape) && listVisible_ && activeList_ != calculator_ && !alt) {
        CloseList(enter);
        return true;
    }
    if (enter && mods == Qt::ControlModifier && !listVisible_) {
        OpenList();
        return true;
    }
    if (alt && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        if (listVisible_)
            CloseList(true);
        else
            OpenList();
        return true;
    }
    const QString typed = event->text();
    if (!listVisible_) {
        TColumnX* column = Column();
        if (!typed.isEmpty() && typed[0].unicode() >= 32 && column && column->AutoDropDown())
            OpenList();
        return false;
    }
    if (activeList_ == calculator_) {
        if (enter) {
            calculator_->ProcessKey(QChar(13));
            return true;
        }
        if (key == Qt::Key_Escape) {
            int code = key;
            calculator_->KeyDown(code, ShiftState(mods));
            return true;
        }
        if (!typed.isEmpty() && typed[0].unicode() >= 32 && typed[0].unicode() <= 126) {
            calculator_->ProcessKey(typed[0]);
            return true;
        }
        return false;
    }
    const bool noShift = !(mods & Qt::ShiftModifier);
    const bool ctrl = mods & Qt::ControlModifier;
    const bool listKey = ((key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up ||
                           key == Qt::Key_Down) &&
                          noShift) ||
                         ((key == Qt::Key_Home || key == Qt::Key_End) && ctrl) ||
                         ((key == Qt::Key_Left || key == Qt::Key_Right) && editStyle_ == gesDate);
    if (!listKey)
        return false;
    if (activeList_ == calendar_) {
        const QDate date = calendar_->selectedDate();
        const int days = key == Qt::Key_Left    ? -1
                         : key == Qt::Key_Right ? 1
                         : key == Qt::Key_Up    ? -7
                         : key == Qt::Key_Down  ? 7
                                                : 0;
        const int months = key == Qt::Key_PageUp ? -1 : key == Qt::Key_PageDown ? 1 : 0;
        calendar_->setSelectedDate(date.addDays(days).addMonths(months));
        return true;
    }
    if (activeList_ == lookupGrid_) {
        int code = key;
        lookupGrid_->KeyDown(code, ShiftState(mods));
    } else {
        QKeyEvent copy(event->type(), key, mods);
        QCoreApplication::sendEvent(activeList_, &copy);
    }
    ShowListText();
    return true;
}

void TDBGridInplaceEdit::ShowListText() {
    if (activeList_ == lookupGrid_) {
        SetText(lookupGrid_->DisplayText());
        selectAll();
    } else if (activeList_ == pickList_ && pickList_->currentItem() &&
               pickList_->currentItem()->text() != Text()) {
        SetText(pickList_->currentItem()->text());
        selectAll();
    }
}

bool TDBGridInplaceEdit::RouteMRUKey(QKeyEvent* event) {
    if (!MRUListShown())
        return false;
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        CloseMRUList(key != Qt::Key_Escape);
        return true;
    }
    const bool navigation =
        ((key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up ||
          key == Qt::Key_Down) &&
         !(mods & Qt::AltModifier)) ||
        ((key == Qt::Key_Home || key == Qt::Key_End) && (mods & Qt::ControlModifier));
    if (!navigation)
        return false;
    QKeyEvent copy(event->type(), key, mods);
    QCoreApplication::sendEvent(mruListBox_, &copy);
    return true;
}

void TDBGridInplaceEdit::KeyDown(int& key, TShiftState shift) {
    TCustomDBGridX* grid = Grid();
    TColumnX* column = Column();
    const bool noModifiers = (shift & (ssShift | ssCtrl | ssAlt)) == 0;
    discardPendingChar_ = false;
    if ((editStyle_ == gesEllipsis || editStyle_ == gesDropDown) &&
        (key == Qt::Key_Return || key == Qt::Key_Enter) && (shift & ssCtrl)) {
        key = 0;
        discardPendingChar_ = true;
        grid->FireEditButtonClick();
        return;
    }
    if (key == Qt::Key_Delete && noModifiers && ListCell() && column) {
        DeleteInListCell();
        key = 0;
        return;
    }
    if (key == Qt::Key_Backspace && ListCell() && column) {
        if (column->OnNotInList)
            BackspaceInListCell();
        else
            cursorBackward(false);
        key = 0;
        return;
    }
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && wordWrap_ && WrappedLineKey(key, shift)) {
        key = 0;
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !MRUListShown() &&
        (grid->OptionsX() & dghEnterAsTab)) {
        grid->KeyDown(key, shift);
        key = 0;
        return;
    }
    if (key == Qt::Key_Apostrophe && (shift & ssCtrl)) {
        grid->KeyDown(key, shift);
        key = 0;
        return;
    }
    if (key == Qt::Key_F && (shift & (ssShift | ssCtrl | ssAlt)) == ssCtrl &&
        (grid->OptionsX() & (dghIncSearch | dghDialogFind))) {
        const bool incSearch = grid->OptionsX() & dghIncSearch;
        const bool dialog = grid->OptionsX() & dghDialogFind;
        if (incSearch && !(grid->IncSearchActive() && dialog)) {
            grid->KeyDown(key, shift);
        } else {
            grid->StopIncSearch();
            if (TDBGridXDataService* service = GridDataService())
                service->OpenFindDialog(grid, selectedText(),
                                        column ? column->FieldName() : QString(), false);
        }
        key = 0;
        return;
    }
    if (editStyle_ == gesLookup && column && column->DropDownSpecRow()->Visible() &&
        Combination(key, shift) == column->DropDownSpecRow()->ShortCut()) {
        key = 0;
        if (column->CellEditable(true)) {
            const TSpecRowX* specialRow = column->DropDownSpecRow();
            SetPendingKey(specialRow->Value());
            SetPendingText(specialRow->CellsText().section(u';', 0, 0));
            selectAll();
        }
        return;
    }
    if (column) {
        const TEditButtonsX* extras = column->EditButtons();
        for (int i = 0; i < extras->Count(); ++i) {
            const QKeyCombination shortCut = extras->ButtonAt(i)->ShortCut();
            if (shortCut.toCombined() != 0 && Combination(key, shift) == shortCut) {
                key = 0;
                bool repeat = false;
                bool handled = false;
                ButtonPressed(buttons_[i + 1], true, repeat, handled);
                ButtonClicked(buttons_[i + 1]);
                return;
            }
        }
    }
    TInplaceEdit::KeyDown(key, shift);
}

// Up and Down move between the wrapped lines; with the editor always shown
// they leave for the grid from the first line up, the last line down, or
// when the whole text is selected.
bool TDBGridInplaceEdit::WrappedLineKey(int key, TShiftState shift) {
    const bool down = key == Qt::Key_Down;
    const QRect area = TextRect().ToQRect();
    const bool wholeText = !text().isEmpty() && selectedText() == text();
    const bool edge =
        down ? WrappedCaretOnLastLine(*this, area) : WrappedCaretOnFirstLine(*this, area);
    if ((Grid()->Options() & dgAlwaysShowEditor) && (wholeText || edge))
        return false;
    MoveWrappedCaret(*this, area, down, shift & ssShift);
    return true;
}

bool TDBGridInplaceEdit::DeleteInListCell() {
    TColumnX* column = Column();
    TCustomDBGridX* grid = Grid();
    if (!column->CellEditable(false))
        return false;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const bool wholeText = start == 0 && end == int(Text().size());
    if (wholeText && column->CellEditable(true)) {
        if (editStyle_ == gesLookup) {
            if (KeysModifiable(column->Field())) {
                SetPendingKey(QVariant());
                SetPendingText(QString());
            }
        } else if (KeyListColumn()) {
            SetPendingText(QString());
        }
        return true;
    }
    if (!column->OnNotInList)
        return false;
    if (start == end)
        end = std::min(start + 1, int(Text().size()));
    QString text = Text();
    text.remove(start, end - start);
    SetText(text);
    setCursorPosition(start);
    StorePendingText();
    if (pickList_ && editStyle_ != gesLookup)
        pickList_->setCurrentRow(int(column->PickList().indexOf(grid->EditText())));
    return true;
}

void TDBGridInplaceEdit::BackspaceInListCell() {
    TColumnX* column = Column();
    if (!column->CellEditable(true))
        return;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const int from = std::max(0, start - 1);
    QString text = Text();
    text.remove(from, end - from);
    SetText(text);
    setCursorPosition(from);
    StorePendingText();
}

void TDBGridInplaceEdit::KeyPress(QChar& key) {
    if (std::exchange(discardPendingChar_, false)) {
        key = QChar();
        return;
    }
    if (!key.isNull() && FilterTypedText(key)) {
        key = QChar();
        return;
    }
    if (key == QChar(10)) {
        // Ctrl+Enter breaks the line of a wrapped text; elsewhere it types
        // nothing.
        if (wordWrap_ && EditCanModify() && !isReadOnly()) {
            insert(QStringLiteral("\n"));
            TextEdited();
        }
        key = QChar();
        return;
    }
    const bool wasEmpty = Text().isEmpty();
    if (key == QChar(8) && wasEmpty && mruList_.Active() && isModified() &&
        !(buttons_.size() && buttons_.front()->PressedLook())) {
        TInplaceEdit::KeyPress(key);
        ShowMRUList();
        return;
    }
    TInplaceEdit::KeyPress(key);
}

void TDBGridInplaceEdit::KeyUp(int& key, TShiftState shift) {
    if (editStyle_ == gesLookup && listVisible_ && key == Qt::Key_Control) {
        int code = key;
        lookupGrid_->KeyDown(code, shift);
    }
    TInplaceEdit::KeyUp(key, shift);
}

// ---- Completion -----------------------------------------------------------

bool TDBGridInplaceEdit::FilterTypedText(QChar key) {
    if (key.unicode() < 32 && key != QChar(8))
        return false;
    if (key == QChar(8))
        return false;
    if (!ListCell() && editStyle_ != gesPickList)
        return false;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const QString typed = Text().left(start) + key;
    return CompleteText(typed, false);
}

bool TDBGridInplaceEdit::CompleteText(const QString& typed, bool paste) {
    if (editStyle_ == gesLookup) {
        const TColumnX* column = Column();
        if (!Grid()->CanEditModify() || !column->CellEditable(false) ||
            !column->LookupListDataSet())
            return paste;
        return CompleteLookup(typed);
    }
    if (!Grid()->CanEditModify())
        return paste;
    return CompleteKeyList(typed) || paste;
}

bool TDBGridInplaceEdit::CompleteLookup(const QString& typed) {
    TColumnX* column = Column();
    const db::TField* field = column->Field();
    db::TDataSet* list = column->LookupListDataSet();
    if (list->Locate(field->LookupResultField(), typed, db::loCaseInsensitive | db::loPartialKey)) {
        if (!column->CellEditable(true))
            return true;
        const QString text = list->FieldByName(field->LookupResultField())->EditText();
        SetPendingKey(KeyValuesOf(list->GetFieldList(field->LookupKeyFields())));
        SetPendingText(text);
        setSelection(int(typed.size()), int(text.size() - typed.size()));
        return true;
    }
    if (!column->OnNotInList)
        return true;
    if (!column->CellEditable(true))
        return true;
    SetPendingKey(QVariant());
    SetPendingText(typed);
    setCursorPosition(int(typed.size()));
    return true;
}

bool TDBGridInplaceEdit::CompleteKeyList(const QString& typed) {
    TColumnX* column = Column();
    const TCompletion completion = CompleteFromList(column->PickList(), typed);
    if (completion.Found) {
        if (!column->CellEditable(true))
            return true;
        SetPendingText(completion.Text);
        setSelection(completion.SelStart, completion.SelLength);
        if (pickList_)
            pickList_->setCurrentRow(completion.Index);
        return true;
    }
    if (!KeyListColumn())
        return false;
    if (column->OnNotInList && column->CellEditable(true)) {
        SetPendingText(typed);
        setCursorPosition(int(typed.size()));
        if (pickList_)
            pickList_->setCurrentRow(-1);
    }
    return true;
}

void TDBGridInplaceEdit::PasteCompleted() {
    const QString clip = QApplication::clipboard()->text();
    if (clip.isEmpty())
        return;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const QString typed = Text().left(start) + clip + Text().mid(end);
    CompleteText(typed, true);
}

// ---- MRU list --------------------------------------------------------------

void TDBGridInplaceEdit::TextEdited() {
    UpdateImageIndex();
    if (MRUListShown() && Text().isEmpty()) {
        CloseMRUList(false);
        return;
    }
    if (mruList_.Active() && isModified() && !Text().isEmpty() &&
        !(buttons_.size() && buttons_.front()->PressedLook()))
        ShowMRUList();
}

bool TDBGridInplaceEdit::MRUItemMatches(const QString& item) const {
    const Qt::CaseSensitivity cs =
        mruList_.CaseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (!item.startsWith(Text(), cs))
        return false;
    bool accept = true;
    if (mruList_.OnItemFilter)
        mruList_.OnItemFilter(&mruList_, item, accept);
    return accept;
}

void TDBGridInplaceEdit::MRUListResized() {
    if (!mruListBox_ || !mruColumn_)
        return;
    mruColumn_->MRUList()->SetRows(mruListBox_->RowsFit());
    mruColumn_->MRUList()->SetWidth(mruListBox_->width());
    mruList_.SetRows(mruListBox_->RowsFit());
}

bool TDBGridInplaceEdit::MRUListShown() const {
    return mruListBox_ && mruListBox_->isVisible();
}

void TDBGridInplaceEdit::ShowMRUList() {
    QStringList items;
    for (const QString& item : mruList_.Items()) {
        if (MRUItemMatches(item))
            items.append(item);
    }
    if (items.isEmpty()) {
        CloseMRUList(false);
        return;
    }
    if (!mruListBox_) {
        mruListBox_ = new TMRUListboxX(this);
        mruListBox_->setSortingEnabled(true);
        mruListBox_->hide();
        connect(mruListBox_, &QListWidget::itemClicked, this,
                Guard([this] { CloseMRUList(true); }));
        mruListBox_->SizeGrip()->OnParentResized = [this](TSizeGripX*) { MRUListResized(); };
    }
    mruListBox_->setFont(font());
    mruListBox_->clear();
    mruListBox_->addItems(items);
    mruListBox_->ItemsChanged();
    mruListBox_->SetRowCount(std::min(int(items.size()), mruList_.Rows()));
    const int storedWidth = mruColumn_ ? mruColumn_->MRUList()->Width() : 0;
    mruListBox_->resize(storedWidth > width() ? storedWidth : width(), mruListBox_->height());
    mruListBox_->SizeGrip()->setVisible(true);
    mruListBox_->move(PlaceDropDownWindow(this, mruListBox_, ddaLeft));
    mruListBox_->show();
}

void TDBGridInplaceEdit::CloseMRUList(bool accept) {
    if (!MRUListShown())
        return;
    const QListWidgetItem* item = mruListBox_->currentItem();
    const QString chosen = item ? item->text() : QString();
    mruListBox_->hide();
    if (!accept || chosen.isEmpty() || isReadOnly() || !Column() || !Column()->CellEditable(true))
        return;
    SetPendingText(chosen);
    if (hasFocus())
        QLineEdit::selectAll();
}

// ---- Painting and mouse ------------------------------------------------------

void TDBGridInplaceEdit::UpdateImageIndex() {
    const TColumnX* column = Column();
    int index = -1;
    if (column && column->ImageList()) {
        if (!column->PickList().isEmpty()) {
            index = int(column->PickList().indexOf(Text()));
        } else if (const db::TField* field = column->Field();
                   field && IsNumericType(field->DataType()) && !field->IsNull()) {
            index = field->AsInteger();
        }
        if (index == -1)
            index = column->NotInKeyListIndex();
    }
    if (index != imageIndex_) {
        imageIndex_ = index;
        update();
    }
}

bool TDBGridInplaceEdit::RequiredMarkWanted() const {
    TColumnX* column = Column();
    const TCustomDBGridX* grid = Grid();
    if (!column || !grid)
        return false;
    const db::TField* field = column->Field();
    const db::TDataSet* set = field ? field->DataSet() : nullptr;
    bool wanted = column->HighlightRequired() && grid->DataLink()->Active() && set &&
                  (set->State() == db::dsEdit || set->State() == db::dsInsert) &&
                  field->Required() && field->IsNull();
    if (column->OnCheckDrawRequiredState)
        column->OnCheckDrawRequiredState(column, wanted);
    return wanted;
}

void TDBGridInplaceEdit::paintEvent(QPaintEvent* event) {
    if (!wordWrap_)
        TInplaceEdit::paintEvent(event);
    try {
        QPainter painter(this);
        if (wordWrap_) {
            painter.fillRect(rect(), palette().brush(QPalette::Base));
            DrawWrappedEdit(painter, *this, TextRect().ToQRect());
        }
        PaintImage(painter);
        if (!RequiredMarkWanted())
            return;
        QPen pen(Qt::red);
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        const TRect area = TextRect();
        painter.drawLine(area.Left + 2, height() - 2, area.Right - 3, height() - 2);
    } catch (...) {
        HandleCurrentException();
    }
}

void TDBGridInplaceEdit::PaintImage(QPainter& painter) {
    const TColumnX* column = Column();
    const TGridPictureList* images = column ? column->ImageList() : nullptr;
    if (!images || imageIndex_ < 0 || imageIndex_ >= images->Count())
        return;
    const int left = column->RightToLeftAlignment() ? width() - 2 - images->Width() : 2;
    const QRect strip(left, 0, images->Width(), height());
    const QImage& picture = images->Picture(imageIndex_);
    painter.save();
    painter.setClipRect(strip);
    painter.drawImage(strip.left() + (strip.width() - picture.width()) / 2,
                      (strip.height() - picture.height()) / 2, picture);
    painter.restore();
}

void TDBGridInplaceEdit::mousePressEvent(QMouseEvent* event) {
    TInplaceEdit::mousePressEvent(event);
    const QRect area = TextRect().ToQRect();
    if (!wordWrap_ || event->button() != Qt::LeftButton || !area.contains(event->pos()))
        return;
    const int position = WrappedEditPosition(*this, area, event->pos());
    if (event->modifiers() & Qt::ShiftModifier)
        ExtendEditSelection(*this, position);
    else
        setCursorPosition(position);
}

void TDBGridInplaceEdit::mouseMoveEvent(QMouseEvent* event) {
    if (!wordWrap_ || !(event->buttons() & Qt::LeftButton)) {
        TInplaceEdit::mouseMoveEvent(event);
        return;
    }
    ExtendEditSelection(*this, WrappedEditPosition(*this, TextRect().ToQRect(), event->pos()));
}

void TDBGridInplaceEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    TColumnX* column = Column();
    if (column && column->DblClickNextVal() && column->CellEditable(false)) {
        try {
            const double step = (event->modifiers() & Qt::ShiftModifier) ? -1 : 1;
            column->StepCellValue(step);
            SetText(Grid()->GetEditText(Grid()->Col(), Grid()->Row()));
            QLineEdit::selectAll();
        } catch (...) {
            HandleCurrentException();
        }
        return;
    }
    TInplaceEdit::mouseDoubleClickEvent(event);
}

void TDBGridInplaceEdit::wheelEvent(QWheelEvent* event) {
    if (listVisible_) {
        event->accept();
        return;
    }
    TInplaceEdit::wheelEvent(event);
}

void TDBGridInplaceEdit::focusOutEvent(QFocusEvent* event) {
    try {
        QWidget* now = QApplication::focusWidget();
        if (listVisible_ && !(now && ListOwns(now)))
            CloseList(false);
        else if (MRUListShown() && now != mruListBox_)
            CloseMRUList(false);
    } catch (...) {
        HandleCurrentException();
    }
    TInplaceEdit::focusOutEvent(event);
}

void TDBGridInplaceEdit::CMCancelMode(QWidget* sender) {
    if (sender == this || (sender && isAncestorOf(sender)))
        return;
    if (listVisible_ && !(sender && ListOwns(sender)))
        CloseList(false);
    if (MRUListShown() && sender != mruListBox_ && !(sender && mruListBox_->isAncestorOf(sender)))
        CloseMRUList(false);
}

} // namespace kx

#include "moc_dbgridinplaceedit.cpp"
