#include "grid/editors/calculatorx.h"

#include "grid/editors/speedbuttonx.h"
#include "platform/ui/application.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QWheelEvent>

namespace kx {

namespace {

struct TKeyLayout {
    const char* caption;
    int tag;
    int left;
    int top;
    bool red;
    int width = 27;
    int height = 22;
};

constexpr TKeyLayout KeyLayouts[] = {
    {"7", 1, 6, 29, false},      {"8", 2, 35, 29, false},
    {"9", 3, 64, 29, false},     {"/", 4, 93, 29, true},
    {"sqrt", 5, 122, 29, false}, {"C", 6, 151, 29, true, 27, 46},
    {"4", 7, 6, 53, false},      {"5", 8, 35, 53, false},
    {"6", 9, 64, 53, false},     {"*", 10, 93, 53, true},
    {"%", 11, 122, 53, false},   {"1", 13, 6, 77, false},
    {"2", 14, 35, 77, false},    {"3", 15, 64, 77, false},
    {"-", 16, 93, 77, true},     {"1/x", 17, 122, 77, false},
    {"<-", 18, 151, 77, true},   {"0", 19, 6, 101, false},
    {"+/-", 20, 35, 101, false}, {".", 21, 64, 101, false},
    {"+", 22, 93, 101, true},    {"Ok", 23, 122, 101, true, 56, 22},
};

constexpr int EqualTag = 23;

QChar CharOfTag(int tag) {
    switch (tag) {
    case 4:
        return u'/';
    case 5:
        return u'S';
    case 6:
        return u'C';
    case 10:
        return u'*';
    case 11:
        return u'%';
    case 16:
        return u'-';
    case 17:
        return u'R';
    case 18:
        return QChar(8);
    case 20:
        return u'I';
    case 21:
        return u'.';
    case 22:
        return u'+';
    case 23:
        return u'=';
    default:
        break;
    }
    // The digit keys: 1-3 are 7-9, 7-9 are 4-6, 13-15 are 1-3, 19 is 0.
    constexpr int digits[] = {0, 7, 8, 9, 0, 0, 0, 4, 5, 6, 0, 0, 0, 1, 2, 3, 0, 0, 0, 0};
    return QChar(u'0' + digits[tag]);
}

template <typename F> void Guarded(F&& function) {
    try {
        function();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

} // namespace

TCalculatorX::TCalculatorX(QWidget* parent) : QFrame(parent) {
    QFont calculatorFont = font();
    calculatorFont.setPixelSize(11);
    setFont(calculatorFont);
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setFocusPolicy(Qt::StrongFocus);

    panel1_ = new QFrame(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setGeometry(6, 4, 171, 19);
    panel1_->setAutoFillBackground(true);
    QPalette window = panel1_->palette();
    window.setColor(QPalette::Window, window.color(QPalette::Base));
    panel1_->setPalette(window);
    textBox_ = new QLabel(panel1_);
    textBox_->setObjectName(QStringLiteral("TextBox"));
    textBox_->setGeometry(2, 1, 166, 17);
    textBox_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CreateKeys();

    engine_.OnCopy = [](const QString& text) { QGuiApplication::clipboard()->setText(text); };
    engine_.OnPaste = []() -> std::optional<QString> {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (!data || !data->hasText())
            return std::nullopt;
        return data->text();
    };
    ShowState();
    UpdateSize();
}

void TCalculatorX::CreateKeys() {
    for (const TKeyLayout& layout : KeyLayouts) {
        auto* button = new TSpeedButtonX(this);
        button->setGeometry(layout.left, layout.top, layout.width, layout.height);
        button->SetCaption(QString::fromLatin1(layout.caption));
        button->SetFontColor(layout.red ? ui::clRed : ui::clBlue);
        button->SetStyle(ebsGlyphX);
        button->SetFlat(true);
        button->SetActive(true);
        button->Tag = layout.tag;
        button->OnClick = [this](QObject* sender) { SpeedButtonClick(sender); };
        if (layout.tag == EqualTag) {
            button->setObjectName(QStringLiteral("spEqual"));
            spEqual_ = button;
        }
        buttons_.push_back(button);
    }
}

void TCalculatorX::SpeedButtonClick(QObject* sender) {
    ProcessKey(CharOfTag(static_cast<TSpeedButtonX*>(sender)->Tag));
}

void TCalculatorX::SetBorderStyle(ui::TBorderStyle style) {
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    setFrameStyle(style == ui::TBorderStyle::bsSingle ? QFrame::StyledPanel | QFrame::Sunken
                                                      : QFrame::NoFrame);
    UpdateSize();
}

int TCalculatorX::FrameWidth() const {
    return borderStyle_ == ui::TBorderStyle::bsSingle ? QFrame::frameWidth() : 0;
}

// The keys keep their places; the frame grows the control around them.
void TCalculatorX::UpdateSize() {
    const int frame = FrameWidth();
    setContentsMargins(frame, frame, frame, frame);
    setFixedSize(StoredClientSize.width() + 2 * frame, StoredClientSize.height() + 2 * frame);
    const QPoint offset(frame, frame);
    panel1_->move(QPoint(6, 4) + offset);
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->move(QPoint(KeyLayouts[i].left, KeyLayouts[i].top) + offset);
}

void TCalculatorX::ShowState() {
    textBox_->setText(engine_.Display());
    spEqual_->SetCaption(engine_.EqualCaption());
}

void TCalculatorX::ProcessKey(QChar key) {
    try {
        engine_.ProcessKey(key);
    } catch (...) {
        ShowState();
        throw;
    }
    ShowState();
}

void TCalculatorX::KeyDown(int& key, ui::TShiftState) {
    if (key == Qt::Key_Delete)
        ProcessKey(u'C');
}

void TCalculatorX::KeyPress(QChar& key) {
    ProcessKey(key);
}

void TCalculatorX::keyPressEvent(QKeyEvent* event) {
    Guarded([&] {
        int key = ui::KeyCode(event);
        KeyDown(key, ui::ShiftState(event->modifiers()));
        QChar typed = ui::TypedChar(event);
        if (key != 0 && !typed.isNull())
            KeyPress(typed);
    });
}

void TCalculatorX::wheelEvent(QWheelEvent* event) {
    Guarded([&] {
        if (engine_.Status() == TCalculatorEngine::csError || event->angleDelta().y() == 0)
            return;
        const double step = event->angleDelta().y() < 0 ? -1 : 1;
        engine_.SetDisplayValue(engine_.DisplayValue() + step);
        ShowState();
    });
    event->accept();
}

} // namespace kx

#include "moc_calculatorx.cpp"
