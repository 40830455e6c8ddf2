#include "platform/ui/passwordecho.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>

namespace kx::ui {
namespace {

class StarEchoStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// One style for every password box, owned by the application so that it
// outlives the boxes that use it.
QStyle* StarEcho() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new StarEchoStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(qApp);
    }
    return style;
}

} // namespace

void EchoAsStars(QLineEdit* edit) {
    edit->setStyle(StarEcho());
    edit->setEchoMode(QLineEdit::Password);
}

} // namespace kx::ui
