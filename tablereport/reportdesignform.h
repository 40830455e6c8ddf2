#pragma once
// The window in which users lay out table-report templates: the page, its
// menu and tool bars, the font bar, the number-format and variable boxes and
// the lists of printable fields. It opens and saves a template file, a
// caller's stream or the body of a catalogue row.

#include "tablereport/designerlogic.h"
#include "tablereport/printfields.h"
#include "tablereport/qttextmeasurer.h"
#include "tablereport/reportruntime.h"

#include <QDialog>

#include <array>

class QAction;
class QButtonGroup;
class QComboBox;
class QHBoxLayout;
class QListWidget;
class QMenuBar;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace kx::db {
class TDataSet;
class TUpdateSQL;
} // namespace kx::db

namespace kx {

class TKXQuery;
class TPrintCatalogue;

class TReportControl;
class TReportControlWidget;

class TReportDesignForm : public QDialog {
    // Declared first: the filler measures with it from its construction on.
    TQtTextMeasurer measurer_;

public:
    explicit TReportDesignForm(QWidget* parent = nullptr);
    ~TReportDesignForm() override;

    TPrintFieldsArray PrintFields;
    QString DatabaseName = QStringLiteral("RUReravezDataBase");
    QString PrintIndex;
    QString PrintType;
    QString PrintId;
    QString ReportTitle;
    QString TemplateDir;
    QString TemplateTable;
    QString DataSetLine1;
    QString DataSetLine2;
    QString CompanyName;
    db::TDataSet* ReportDataSet = nullptr;

    TReportControlWidget* Page;
    // Prints and previews the template as it stands.
    TReportRunTime Filler{&measurer_};
    QScrollArea* ScrollBox;
    QMenuBar* MainMenu;
    QComboBox* FontBox;
    QComboBox* SizeBox;
    std::array<QToolButton*, 3> StyleButtons{};
    std::array<QToolButton*, 3> HorzButtons{};
    std::array<QToolButton*, 3> VertButtons{};
    QComboBox* FormatBox;
    QComboBox* VariableBox;
    QListWidget* MasterList;
    QListWidget* DetailList;

    QAction* OpenAction;
    QAction* CloseAction;
    QAction* SaveAction;
    QAction* SaveAsAction;
    QAction* PropertiesAction;
    QAction* ExitAction;
    QAction* NewTableAction;
    QAction* InsertLineAction;
    QAction* AddLineAction;
    QAction* DeleteLineAction;
    QAction* InsertCellAction;
    QAction* AddCellAction;
    QAction* DeleteCellAction;
    QAction* CombineAction;
    QAction* VSplitAction;
    QAction* SplitAction;
    QAction* BordersAction;
    QAction* DiagonalAction;
    QAction* FontAction;
    QAction* ColorAction;
    QAction* FitAction;
    QAction* ZoomInAction;
    QAction* ZoomOutAction;
    QAction* PictureAction;
    QAction* ClearPictureAction;
    QAction* MasterFieldAction;
    QAction* DetailFieldAction;
    QAction* PrintAction;
    QAction* PreviewAction;

    TReportControl& Control() const;
    const TDesignerDocument& Document() const { return document_; }
    int Zoom() const;
    bool Saved() const { return document_.Saved; }

    void OpenTemplateFile(const QString& path);
    void OpenTemplateStream(QByteArray* stream);
    // False, with the prompt shown, when the template file or row is missing.
    bool OpenCatalogueTemplate();
    // True only when the template was written where it belongs.
    bool SaveTemplate();
    void FitToWindow();
    void UpdateOldies();
    void SetZoom(int percent);

    // The window's commands, as its menu and buttons run them.
    void Open();
    // Into the catalogue: the first save in a window makes a row, later ones
    // retitle and rewrite it, until another template is opened or this one
    // closed.
    bool SaveAs();
    void CloseTemplate();
    void EditProperties();
    void PrintTemplate();
    void PreviewTemplate();
    void NewTable();
    void EditBorders();
    void EditDiagonal();
    void EditFont();
    void EditColors();
    void SplitVertically();
    void LoadPicture();
    void ClearPicture();
    void InsertField(bool master);
    void ApplyFontBar();
    void ApplyAlignment();
    void ApplyFormat(const QString& format);
    void ApplyVariable(const QString& item);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    void LayOutPage();
    void BuildMenu();
    void BuildToolBars(QVBoxLayout* layout);
    void BuildSideBar(QHBoxLayout* layout);
    void FillFontBox();
    QAction* AddCommand(const QString& text, const QString& hint, void (TReportDesignForm::*run)());
    void EditPage(void (TReportControl::*operation)());
    bool HasLastSelected() const;
    bool SaveToFile(const QString& path);
    bool SaveCatalogueBody();
    bool LoadCatalogueBody();
    TPrintCatalogue Catalogue() const;
    void OpenFromCatalogue();
    void OpenFromFile();
    bool SaveIntoCatalogue();
    bool SaveAsFile();
    bool SaveCatalogueTitle(const QString& title, bool& added);
    void DropNewCatalogueRow();
    // The next save into the catalogue makes a row of its own.
    void ForgetCatalogueRow();
    void Centre();
    void MarkUnsaved() { document_.Saved = false; }
    void MarkSaved() { document_.Saved = true; }
    void SetCaption(const QString& caption);
    void OpenStartupArgument();
    bool LoadIntoFiller();
    bool AskToClose();

    TDesignerDocument document_;
    // The catalogue row this window saved into; closed while there is none.
    TKXQuery* catalogue_;
    db::TUpdateSQL* catalogueUpdate_;
};

// Opens a page of a preview in a designer of its own, without the designer's
// preview; saving there writes the page back.
void EditPageInDesigner(QWidget* owner, QByteArray& page);

} // namespace kx
