#pragma once
// The folder picker: shows TDirOpenForm and hands back the chosen folder.

#include "frame/dialogs/dialogfont.h"

#include <QObject>

#include <memory>

namespace kx {

class TDirOpenForm;

enum TDialogType { Open, Save };

class TOpenDirDialog : public QObject {
    Q_OBJECT
public:
    explicit TOpenDirDialog(QObject* owner = nullptr);
    ~TOpenDirDialog() override;

    TLanguage Language = GB;
    TDialogType DialogType = Open;

    // True when a folder was chosen.
    bool Execute();
    // The chosen folder with one trailing "/".
    QString GetDirectory() const;

    TDirOpenForm* Form() const { return form_.get(); }

private:
    std::unique_ptr<TDirOpenForm> form_;
};

} // namespace kx
