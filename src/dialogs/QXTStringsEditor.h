/// \file
/// The strings editor: a modal dialog that edits a string list as free text in a memo or, as name=value
/// pairs, in an item list editor grid, counts the lines as the user types, and loads and saves text files.
/// The strings preset opens it: it writes Lines and the views, shows the dialog and reads Lines on OK.
#pragma once

#include "Guarded.h"
#include "StringList.h"

#include <QDialog>
#include <QList>
#include <QPointer>

class QFileDialog;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class TQXItemListEditor;
class TQXItemProp;
namespace Ui {
class frmQXStringsEditor;
}

/// The strings editor: a memo and, for name=value lines, an INI view in an item list editor.
class QXINSPECTORCORE_EXPORT TfrmQXStringsEditor : public QXPlatform::TGuarded<QDialog>
{
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(bool MemoView READ MemoView WRITE SetMemoView)
    Q_PROPERTY(bool INIView READ INIView WRITE SetINIView)

public:
    /// The help contexts the Help button, and F1 in the open and save dialogs, hand to the help hook.
    enum { HelpContext = 26000, OpenHelpContext = 26040, SaveHelpContext = 26050 };
    /// The filter of the open and save dialogs.
    static QString FileFilter();

    /// A strings editor with both views on and no lines.
    explicit TfrmQXStringsEditor(QWidget *parent = nullptr);
    ~TfrmQXStringsEditor() override;
    Q_DISABLE_COPY_MOVE(TfrmQXStringsEditor)

    /// The memo's lines: what the caller reads after OK.
    QStringList Lines() const;
    /// Fills the memo and the INI view with Value.
    void SetLines(const QStringList &Value);
    /// Fills the memo and the INI view with the lines of Value.
    void SetLines(const QXPlatform::TStrings *Value);
    ///@{
    /// Whether the memo view is on.
    bool MemoView() const { return m_memoView; }
    void SetMemoView(bool Value);
    ///@}
    ///@{
    /// Whether the INI view is on.
    bool INIView() const { return m_iniView; }
    void SetINIView(bool Value);
    ///@}

    /// The lines as the INI view shows them: name=value for every row, a line without "=" kept as it
    /// came while its row has no value.
    QStringList INILines() const;

    /// The memo of the form.
    QPlainTextEdit *Memo() const;
    /// The item list editor of the INI view.
    TQXItemListEditor *INIEditor() const { return m_iniEditor; }
    /// The tab widget that holds the two views.
    QTabWidget *Pages() const;
    /// The menu of the memo (load, save).
    QMenu *StringEditorMenu() const { return m_menu; }
    ///@{
    /// The open and save dialogs, kept from one use to the next (the save dialog starts with the file
    /// last opened).
    QFileDialog *OpenDialog() const { return m_openDialog; }
    QFileDialog *SaveDialog() const { return m_saveDialog; }
    ///@}

    /// Takes the INI view's lines into the memo first when it is the page shown; closes only when that
    /// works.
    void done(int r) override;

protected:
    /// Shows both tabs, or hides them and shows the one view that is on.
    virtual void SetTabs();
    /// Loads the file chosen in the open dialog into the memo (and the INI view while it is shown).
    virtual void LoadFromFile();
    /// Saves the memo (brought in step with the INI view while it is shown) to the file chosen.
    virtual void SaveToFile();
    /// Esc in the memo cancels the dialog.
    bool GuardedEventFilter(QObject *watched, QEvent *e) override;

private:
    void SetINIStrings(const QStringList &Lines);
    void UpdateLineCount();
    void PageChanged(int Index);
    bool INIPageActive() const;

    Ui::frmQXStringsEditor *m_ui;
    TQXItemListEditor *m_iniEditor = nullptr; // owned, freed in the destructor
    QMenu *m_menu = nullptr;
    QFileDialog *m_openDialog = nullptr;
    QFileDialog *m_saveDialog = nullptr;
    // Rows made from lines without "=": they go back without one while they have no value.
    QList<QPointer<TQXItemProp>> m_bareRows;
    bool m_memoView = true;
    bool m_iniView = true;
};
