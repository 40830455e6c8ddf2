#pragma once
// The picture viewer: one bitmap or JPEG picture in a maximised window,
// centred, and dragged around with the left mouse button to see the parts of
// a picture larger than the screen.

#include <QDialog>
#include <QPoint>

class QFrame;
class QLabel;

namespace kx {

class TShowPictureForm : public QDialog {
    Q_OBJECT
public:
    explicit TShowPictureForm(QWidget* parent = nullptr);

    // The decoder comes from TypeName's extension, not FileName's: stored
    // pictures are copies named without one. Another type loads nothing and
    // still succeeds; a file the decoder cannot read is reported and fails.
    bool LoadPicture(const QString& FileName, const QString& TypeName);

    QFrame* Panel2;
    QLabel* Image1;
    // Lies over the picture and takes the mouse for dragging.
    QLabel* Label1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CentreImage();
    void MousePressed(QPoint at);
    void MouseMoved(QPoint at);

    bool dragging_ = false;
    // Until the first drag the picture stays centred as the window resizes.
    bool centred_ = true;
    QPoint pressedAt_;
    QPoint topLeftAtPress_;
};

// Shows the picture modally under the caption, or says that it cannot be
// opened.
void ShowPictureFile(const QString& Caption, const QString& FileName, const QString& TypeName);

} // namespace kx
