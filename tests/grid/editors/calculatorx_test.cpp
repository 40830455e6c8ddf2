#include "grid/editors/calculatorengine.h"
#include "grid/editors/calculatorx.h"
#include "grid/editors/dropdownownerx.h"
#include "grid/editors/popupcalculatorx.h"
#include "grid/editors/speedbuttonx.h"
#include "platform/sys/exception.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <vector>

namespace kx {
namespace {

// Keys as a string: B is Backspace, E Enter, X Esc; anything else is itself.
void Type(TCalculatorEngine& engine, const QString& keys) {
    for (QChar key : keys) {
        if (key == u'B')
            key = QChar(8);
        else if (key == u'E')
            key = QChar(13);
        else if (key == u'X')
            key = QChar(27);
        engine.ProcessKey(key);
    }
}

struct KeyCase {
    const char* keys;
    const char* display;
    const char* equalCaption;
};

class CalculatorKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(CalculatorKeys, ShowTheExpectedDisplay) {
    TCalculatorEngine engine;
    Type(engine, QString::fromLatin1(GetParam().keys));
    EXPECT_EQ(engine.Display().toStdString(), GetParam().display) << GetParam().keys;
    EXPECT_EQ(engine.EqualCaption().toStdString(), GetParam().equalCaption) << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, CalculatorKeys,
    ::testing::Values(
        KeyCase{"1+2=", "3", "Ok"}, KeyCase{"1+2==", "3", "Ok"}, KeyCase{"2+3*4=", "20", "Ok"},
        KeyCase{"8/0=", "Error", "Ok"}, KeyCase{"8/0=5", "Error", "Ok"},
        KeyCase{"8/0=5I+", "Error", "Ok"}, KeyCase{"8/0=5C", "0", "Ok"},
        KeyCase{"8/0=c", "0", "Ok"}, KeyCase{"8/0=X", "Error", "Ok"},
        KeyCase{"200+5%", "210", "Ok"}, KeyCase{"200+5%=", "210", "Ok"},
        KeyCase{"100-10%", "90", "Ok"}, KeyCase{"50*10%", "5", "Ok"},
        KeyCase{"50/10%", "500", "Ok"}, KeyCase{"7IB", "0", "Ok"}, KeyCase{"12B", "1", "Ok"},
        KeyCase{"1+2=B", "0", "Ok"}, KeyCase{"1234567890123456789", "123456789012345", "Ok"},
        KeyCase{"123456789012345I6", "-123456789012345", "Ok"},
        KeyCase{"123456789012345I", "-123456789012345", "Ok"}, KeyCase{"1.5.2", "1.52", "Ok"},
        KeyCase{",5", "0.5", "Ok"}, KeyCase{"007", "7", "Ok"}, KeyCase{"9s", "3", "Ok"},
        KeyCase{"9IS", "Error", "Ok"}, KeyCase{"4r", "0.25", "Ok"}, KeyCase{"0R", "Error", "Ok"},
        KeyCase{"5I", "-5", "Ok"}, KeyCase{"0I", "0", "Ok"}, KeyCase{"3+", "3", "Ok"},
        KeyCase{"3+4", "4", "="}, KeyCase{"3+4X", "0", "Ok"},
        // A left operand of 0 still waits for its right operand.
        KeyCase{"0-5", "5", "="}, KeyCase{"0-5=", "-5", "Ok"}, KeyCase{"0*5", "5", "="},
        KeyCase{"1E", "1", "Ok"}, KeyCase{"2*3E", "6", "Ok"},
        KeyCase{"99999999*99999999=", "9.9999998E15", "Ok"},
        KeyCase{"99999999*99999999=1", "1", "Ok"}));

TEST(CalculatorEngine, AnEntryWithAnExponentTakesNoFurtherDigits) {
    TCalculatorEngine engine;
    engine.OnPaste = [] { return std::optional<QString>(QStringLiteral("1e20")); };
    Type(engine, QStringLiteral("1"));
    engine.ProcessKey(QChar(22));
    EXPECT_EQ(engine.Display(), QStringLiteral("1E20"));
    EXPECT_EQ(engine.Status(), TCalculatorEngine::csValid);
    Type(engine, QStringLiteral("5"));
    EXPECT_EQ(engine.Display(), QStringLiteral("1E20"));
    Type(engine, QStringLiteral("B"));
    EXPECT_EQ(engine.Display(), QStringLiteral("1E2"));
    Type(engine, QStringLiteral("*2="));
    EXPECT_EQ(engine.Display(), QStringLiteral("200"));
}

TEST(CalculatorEngine, CopyAndPasteGoThroughTheClipboardHooks) {
    TCalculatorEngine engine;
    QString copied;
    std::optional<QString> clipboard = QStringLiteral(" 42.5 ");
    engine.OnCopy = [&copied](const QString& text) { copied = text; };
    engine.OnPaste = [&clipboard] { return clipboard; };
    Type(engine, QStringLiteral("7"));
    engine.ProcessKey(QChar(3));
    EXPECT_EQ(copied, QStringLiteral("7"));
    engine.ProcessKey(QChar(22));
    EXPECT_EQ(engine.Display(), QStringLiteral("42.5"));
    EXPECT_EQ(engine.Status(), TCalculatorEngine::csValid);

    clipboard = QStringLiteral("abc");
    EXPECT_THROW(engine.ProcessKey(QChar(22)), EConvertError);
    EXPECT_EQ(engine.Display(), QStringLiteral("42.5"));
    clipboard.reset();
    engine.ProcessKey(QChar(22));
    EXPECT_EQ(engine.Display(), QStringLiteral("42.5"));
}

class TOwner : public QWidget, public IDropDownOwnerX {
public:
    void CloseUp(bool accept) override { closes.push_back(accept); }
    std::vector<bool> closes;
};

void Press(TCalculatorX& calculator, int qtKey, QChar ch = QChar()) {
    int key = qtKey;
    calculator.KeyDown(key, 0);
    if (key != 0 && !ch.isNull())
        calculator.KeyPress(ch);
}

TEST(PopupCalculatorX, EnterAcceptsOnlyWhenNoComputationIsPending) {
    TOwner owner;
    TPopupCalculatorX popup(&owner);
    popup.SetValue(12);
    Press(popup, Qt::Key_Return, QChar(13));
    EXPECT_EQ(owner.closes, std::vector<bool>{true});
    EXPECT_EQ(popup.GetValue(), QVariant(12.0));

    owner.closes.clear();
    popup.SetValue(12);
    for (QChar key : QStringLiteral("+3"))
        popup.ProcessKey(key);
    EXPECT_EQ(popup.EqualButton()->Caption(), QStringLiteral("="));
    Press(popup, Qt::Key_Return, QChar(13));
    EXPECT_TRUE(owner.closes.empty());
    EXPECT_EQ(popup.TextBox()->text(), QStringLiteral("15"));
    Press(popup, Qt::Key_Return, QChar(13));
    EXPECT_EQ(owner.closes, std::vector<bool>{true});
    EXPECT_EQ(popup.GetValue(), QVariant(15.0));
}

TEST(PopupCalculatorX, ZeroMinusFiveAcceptsMinusFive) {
    TOwner owner;
    TPopupCalculatorX popup(&owner);
    popup.SetValue(0);
    for (QChar key : QStringLiteral("-5"))
        popup.ProcessKey(key);
    popup.ProcessKey(u'=');
    EXPECT_TRUE(owner.closes.empty());
    popup.ProcessKey(u'=');
    EXPECT_EQ(owner.closes, std::vector<bool>{true});
    EXPECT_EQ(popup.GetValue(), QVariant(-5.0));
}

TEST(PopupCalculatorX, EscClosesWithoutAcceptingAndErrorsAreNoNumber) {
    TOwner owner;
    TPopupCalculatorX popup(&owner);
    popup.SetValue(QStringLiteral("8"));
    for (QChar key : QStringLiteral("/0="))
        popup.ProcessKey(key);
    EXPECT_FALSE(popup.GetValue().isValid());
    Press(popup, Qt::Key_Escape, QChar(27));
    EXPECT_EQ(owner.closes, std::vector<bool>{false});
    EXPECT_EQ(popup.TextBox()->text(), QStringLiteral("Error"));
    Press(popup, Qt::Key_Delete);
    EXPECT_EQ(popup.TextBox()->text(), QStringLiteral("0"));
    EXPECT_THROW(popup.SetValue(QStringLiteral("x")), EConvertError);
}

TEST(CalculatorX, KeyClicksTypeTheirCharacters) {
    TCalculatorX calculator;
    calculator.show();
    const auto click = [&calculator](const QString& caption) {
        for (TSpeedButtonX* button : calculator.Buttons())
            if (button->Caption() == caption)
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    };
    for (const char* caption : {"9", "+/-", "-", "1", "."})
        click(QString::fromLatin1(caption));
    click(QStringLiteral("5"));
    EXPECT_EQ(calculator.EqualButton()->Caption(), QStringLiteral("="));
    click(QStringLiteral("="));
    EXPECT_EQ(calculator.TextBox()->text(), QStringLiteral("-10.5"));
    EXPECT_EQ(calculator.size(), TCalculatorX::StoredClientSize);
}

TEST(CalculatorX, TheWheelStepsTheShownNumberOutsideAnError) {
    TCalculatorX calculator;
    const auto wheel = [&calculator](int delta) {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&calculator, &event);
    };
    calculator.ProcessKey(u'7');
    wheel(120);
    EXPECT_EQ(calculator.TextBox()->text(), QStringLiteral("8"));
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(calculator.TextBox()->text(), QStringLiteral("6"));
    calculator.ProcessKey(u'R');
    calculator.ProcessKey(u'0');
    calculator.ProcessKey(u'R');
    EXPECT_EQ(calculator.TextBox()->text(), QStringLiteral("Error"));
    wheel(120);
    EXPECT_EQ(calculator.TextBox()->text(), QStringLiteral("Error"));
}

} // namespace
} // namespace kx
