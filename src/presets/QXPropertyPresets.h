/// \file
/// The built-in presets: BuiltInPresetCount preset classes whose constructors fill in a match rule,
/// actions and handlers, so that an object inspector edits component references, fonts, colours, cursors,
/// string lists, pictures, collections, dates and times, modal results, file names, list items and tree nodes
/// with a drop-down list or a dialog.
///
/// The classes register with the preset registry when the library loads, in the order of
/// TQXPresetDefaultType, and unregister when it unloads; every inspector made in between starts with one
/// preset of each. All matching presets apply in collection order, so a later preset overrides an earlier
/// one for what both set (the INI strings preset overrides the strings preset for "Strings" properties).
#pragma once

#include "QXPropertyPreset.h"

#include <QFileDialog>
#include <QPointer>

class TfrmDateEditor;

#include <iterator>

/// The built-in presets, in registration order; pdNone names none.
enum TQXPresetDefaultType {
    pdNone,
    pdTComponentDD,
    pdTFilenameDlg,
    pdTFontNameDD,
    pdTFontDlg,
    pdTColorDD,
    pdTCursorDD,
    pdTStringsDlg,
    pdTCollectionDlg,
    pdTPictureDlg,
    pdTDateDlg,
    pdTTimeDlg,
    pdTDateTimeDlg,
    pdTModalResultDD,
    pdTINIStringsDlg,
    pdTListItemsDlg,
    pdTTreeNodesDlg,
    pdTParentComponent,
    pdFilenamePropNameDlg,
};

/// How many built-in presets there are (pdNone not counted): the last of TQXPresetDefaultType, so that
/// the tables indexed by it, the registration list and the tests follow when a preset is added.
inline constexpr int BuiltInPresetCount = pdFilenamePropNameDlg;

/// The display names of the built-in presets, indexed by TQXPresetDefaultType: each is the Name its preset
/// gives itself. Vocabulary for applications; nothing in the library looks presets up through it.
inline constexpr const char *PresetDefaultTypeNames[] = {
    "None",
    "TComponent Drop Down List Property Editor",
    "TFilename Dialog Property editor",
    "Font Drop Down List Property Editor",
    "Font Editor Dialog Property Editor",
    "Color Drop Down List Property Editor",
    "Cursor Drop Down List Property Editor",
    "TStrings Property Editor",
    "TCollection Property Editor",
    "TPicture Property Editor",
    "TDate Property Editor",
    "TTime Property Editor",
    "TDateTime Property Editor",
    "TModalResult Property Editor",
    "INI TStrings Property Editor",
    "TListItems Dialog Property Editor",
    "TTreeNodes Dialog Property Editor",
    "TComponent Subcomponent Properties Font",
    "Filename property Dialog Property Editor",
};
static_assert(std::size(PresetDefaultTypeNames) == BuiltInPresetCount + 1);

/// The date part of the date and date-time presets' edit masks; read when such a preset is made.
QXINSPECTORCORE_EXPORT extern QString DateMaskFormat;
/// The time part of the time and date-time presets' edit masks; read when such a preset is made.
QXINSPECTORCORE_EXPORT extern QString TimeMaskFormat;

/// Which views the strings editor offers (bit n is value n), declared in a gadget so that a set of them
/// is a Q_FLAG a preset can publish and store.
struct QXINSPECTORCORE_EXPORT TStringsViews_
{
    Q_GADGET
public:
    /// One view of the strings editor (bit n is value n).
    enum TStringsView : quint32 {
        svNormal = 1u << 0, ///< the lines as free text in a memo
        svINI = 1u << 1 ///< the lines as name=value pairs in an item list editor grid
    };
    Q_DECLARE_FLAGS(TStringsViews, TStringsView)
    Q_FLAG(TStringsViews)
};
/// TStringsViews_::TStringsView at namespace level.
using TStringsView = TStringsViews_::TStringsView;
/// A set of strings editor views.
using TStringsViews = TStringsViews_::TStringsViews;
using enum TStringsViews_::TStringsView;
Q_DECLARE_OPERATORS_FOR_FLAGS(TStringsViews)

/// 1: component references pick a component of the property's class among those the inspector's owner
/// holds; their row names are maroon.
class QXINSPECTORCORE_EXPORT TQXTComponentPropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle,pftValidate,pftFont]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkClass]")
public:
    /// Matches class-typed rows of any component class; a drop-down list of GetPickList, written through
    /// SetComponent.
    Q_INVOKABLE explicit TQXTComponentPropertyPreset(QXPlatform::TCollection *Collection);

    /// The names of the components the owner of the inspector holds that are of the row's property
    /// class, in the owner's order; one empty line when there are none.
    virtual void GetPickList(QObject *Sender, const QString &PropName, QXPlatform::TStrings *Values);
    /// Empty text clears the reference; a name no such component has raises EPropertyConvertError.
    virtual void SetComponent(QObject *Sender, QObject *Instance, const QString &PropName,
                              const QString &Value);

protected:
    /// The named components held by the inspector's owner that are of class AClass, in the owner's order.
    QList<QObject *> Candidates(const QMetaObject *AClass) const;
};

/// 2: the sub-properties of a component reference are drawn green.
class QXINSPECTORCORE_EXPORT TQXTParentComponentPropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftFont]")
    QX_DEFAULT(ParentTypeKinds, "[tkClass]")
public:
    /// Matches every row whose nearest class-typed parent row is of a component class, and gives it a
    /// green name font.
    Q_INVOKABLE explicit TQXTParentComponentPropertyPreset(QXPlatform::TCollection *Collection);
};

/// 3: font names pick from the font families installed.
class QXINSPECTORCORE_EXPORT TQXTFontNamePropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkString,tkLString,tkWString]")
public:
    /// Matches string rows of type TFontName; a drop-down list of GetPickList.
    Q_INVOKABLE explicit TQXTFontNamePropertyPreset(QXPlatform::TCollection *Collection);
    /// Replaces Values with the names of the font families installed, for a row at PropName.
    virtual void GetPickList(QObject *Sender, const QString &PropName, QXPlatform::TStrings *Values);
};

/// 4: colours show and take their names ("clRed"); a QColor with alpha shows and takes "#aarrggbb".
class QXINSPECTORCORE_EXPORT TQXTColorPropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle,pftValidate]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkInteger]")
    QX_DEFAULT(EditStyle, "esPickList")
public:
    /// Matches integer rows of type TColor; a drop-down list of the colour names, read and written
    /// through GetColorProperty and SetColorProperty.
    Q_INVOKABLE explicit TQXTColorPropertyPreset(QXPlatform::TCollection *Collection);
    /// Adds the name of every colour of the colour table to Values.
    virtual void GetPickList(QObject *Sender, const QString &PropName, QXPlatform::TStrings *Values);
    /// The colour's name, else "$" and its hex digits (ColorToString); a partly transparent QColor
    /// property shows "#aarrggbb".
    virtual void GetColorProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                  QString &Value);
    /// A text starting with "#" is read as a QColor name (EConvertError when it is none) and written as
    /// a QColor or a colour value, whichever the property holds; any other text is a colour name or a
    /// number (StringToColor).
    virtual void SetColorProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                  const QString &Value);
};

/// 5: cursors show and take their names ("crIBeam").
class QXINSPECTORCORE_EXPORT TQXTCursorPropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle,pftValidate]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkInteger]")
    QX_DEFAULT(EditStyle, "esPickList")
public:
    /// Matches integer rows of type TCursor; a drop-down list of the cursor names, read and written
    /// through GetCursorProperty and SetCursorProperty.
    Q_INVOKABLE explicit TQXTCursorPropertyPreset(QXPlatform::TCollection *Collection);
    /// Adds the name of every cursor of the cursor table to Values.
    virtual void GetPickList(QObject *Sender, const QString &PropName, QXPlatform::TStrings *Values);
    /// The cursor's name, else its decimal number (CursorToString).
    virtual void GetCursorProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                   QString &Value);
    /// A cursor name or a number (StringToCursor); EConvertError for anything else.
    virtual void SetCursorProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                   const QString &Value);
};

/// 6: fonts open QFontDialog.
class QXINSPECTORCORE_EXPORT TQXTFontDlgPropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkClass]")
    QX_DEFAULT(EditStyle, "esEllipsis")
public:
    /// Matches class-typed rows of type TFont; an ellipsis button that opens EditButtonClick.
    Q_INVOKABLE explicit TQXTFontDlgPropertyPreset(QXPlatform::TCollection *Collection);
    /// Shows the row's font; a confirmed font is written to the row's objects.
    virtual void EditButtonClick(QObject *Sender);
};

/// 7: string lists open the strings editor, and a row's hint shows the first lines of its list.
class QXINSPECTORCORE_EXPORT TQXTStringsPropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    Q_PROPERTY(TStringsViews_::TStringsViews StringsViews READ StringsViews WRITE SetStringsViews)
    QX_DEFAULT(Actions, "[pftHint,pftEditStyle]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkClass]")
    QX_DEFAULT(EditStyle, "esEllipsis")
    QX_DEFAULT(StringsViews, "[svNormal]")
public:
    /// Matches class-typed rows of type TStrings; a hint of the first lines and an ellipsis button that
    /// opens EditButtonClick.
    Q_INVOKABLE explicit TQXTStringsPropertyPreset(QXPlatform::TCollection *Collection);

    ///@{
    /// The views the strings editor offers (svNormal by default).
    TStringsViews StringsViews() const { return m_stringsViews; }
    void SetStringsViews(TStringsViews Value);
    ///@}

    /// The hint of a string-list row: with one inspected object (or none), up to four lines, "..." after
    /// a fifth.
    void CopyPreset(TQXItemProperty *Item) override;
    /// As TQXPropertyPreset::Assign; from a strings preset also StringsViews.
    void Assign(const QObject *Source) override;
    /// Opens the strings editor on the row's list in the views StringsViews names; the lines confirmed
    /// are written to the row's objects.
    virtual void EditButtonClick(QObject *Sender);

private:
    TStringsViews m_stringsViews = svNormal;
};

/// 8: pictures load an image file chosen in a QFileDialog.
class QXINSPECTORCORE_EXPORT TQXTPicturePropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkClass]")
    QX_DEFAULT(EditStyle, "esEllipsis")
public:
    /// Matches class-typed rows of type TPicture or TBitmap; an ellipsis button that opens
    /// EditButtonClick.
    Q_INVOKABLE explicit TQXTPicturePropertyPreset(QXPlatform::TCollection *Collection);
    /// Loads the image file chosen in an open dialog (of ImageFilter) into the row's picture.
    virtual void EditButtonClick(QObject *Sender);
    /// The file filter of every image format Qt reads, then all files.
    static QString ImageFilter();
};

/// 9: collections open the collection editor.
class QXINSPECTORCORE_EXPORT TQXTCollectionPropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkClass]")
    QX_DEFAULT(EditStyle, "esEllipsis")
public:
    /// Matches class-typed rows of type TCollection; an ellipsis button that opens EditButtonClick.
    Q_INVOKABLE explicit TQXTCollectionPropertyPreset(QXPlatform::TCollection *Collection);
    /// Shows the collection editor for the row's collection, reusing one already open for it.
    virtual void EditButtonClick(QObject *Sender);
};

/// 10: dates show and take the short date format, behind an edit mask.
class QXINSPECTORCORE_EXPORT TQXTDatePropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle,pftEditMask,pftValidate]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkFloat]")
    QX_DEFAULT(EditStyle, "esEllipsis")
public:
    /// Matches float rows of type TDate; an edit mask of DateMaskFormat, the value read and written
    /// through GetDateProperty and SetDateProperty, and an ellipsis button that opens EditButtonClick.
    Q_INVOKABLE explicit TQXTDatePropertyPreset(QXPlatform::TCollection *Collection);
    ~TQXTDatePropertyPreset() override;
    Q_DISABLE_COPY_MOVE(TQXTDatePropertyPreset)

    /// The property's date in the short date format.
    virtual void GetDateProperty(QObject *Sender, QObject *Instance, const QString &PropName, QString &Value);
    /// EConvertError for a text that is no date.
    virtual void SetDateProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                 const QString &Value);
    /// Opens the date editor at the mouse cursor on the row's date; a day chosen is written.
    virtual void EditButtonClick(QObject *Sender);

protected:
    /// The date editor, made on first use with the inspector as its parent and kept until the preset goes.
    virtual TfrmDateEditor *CreateEditor();

private:
    QPointer<TfrmDateEditor> m_editor;
};

/// 11: times show and take the long time format, behind an edit mask.
class QXINSPECTORCORE_EXPORT TQXTTimePropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditMask,pftValidate]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkFloat]")
public:
    /// Matches float rows of type TTime; an edit mask of TimeMaskFormat, the value read and written
    /// through GetTimeProperty and SetTimeProperty.
    Q_INVOKABLE explicit TQXTTimePropertyPreset(QXPlatform::TCollection *Collection);
    /// The property's time of day in the long time format.
    virtual void GetTimeProperty(QObject *Sender, QObject *Instance, const QString &PropName, QString &Value);
    /// EConvertError for a text that is no time.
    virtual void SetTimeProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                 const QString &Value);
};

/// 12: dates with times show and take both formats, behind an edit mask.
class QXINSPECTORCORE_EXPORT TQXTDateTimePropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle,pftEditMask,pftValidate]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkFloat]")
    QX_DEFAULT(EditStyle, "esEllipsis")
public:
    /// Matches float rows of type TDateTime; an edit mask of DateMaskFormat and TimeMaskFormat, the value
    /// read and written through GetDateTimeProperty and SetDateTimeProperty, and an ellipsis button that
    /// opens EditButtonClick.
    Q_INVOKABLE explicit TQXTDateTimePropertyPreset(QXPlatform::TCollection *Collection);
    ~TQXTDateTimePropertyPreset() override;
    Q_DISABLE_COPY_MOVE(TQXTDateTimePropertyPreset)

    /// The property's date and time in the short date and long time formats; the time is left out at
    /// midnight.
    virtual void GetDateTimeProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                     QString &Value);
    /// EConvertError for a text that is no date and time.
    virtual void SetDateTimeProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                     const QString &Value);
    /// Opens the date editor at the mouse cursor, wholly on the screen; a day chosen replaces the row's
    /// date and keeps its time of day.
    virtual void EditButtonClick(QObject *Sender);
    /// Where a dialog of Size opens for a cursor at CursorPos on a screen of Available geometry: at the
    /// cursor, moved left and up as far as needed to be wholly on the screen.
    static QPoint PlaceOnScreen(const QPoint &CursorPos, const QSize &Size, const QRect &Available);

protected:
    /// The date editor, made on first use with the inspector as its parent and kept until the preset goes.
    virtual TfrmDateEditor *CreateEditor();

private:
    QPointer<TfrmDateEditor> m_editor;
};

/// 13: file names choose a file in a QFileDialog with the preset's settings.
class QXINSPECTORCORE_EXPORT TQXTFilenamePropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    Q_PROPERTY(QString DefaultExt READ DefaultExt WRITE SetDefaultExt)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(int FilterIndex READ FilterIndex WRITE SetFilterIndex)
    Q_PROPERTY(QString InitialDir READ InitialDir WRITE SetInitialDir)
    Q_PROPERTY(QFileDialog::Options Options READ Options WRITE SetOptions)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QFileDialog::AcceptMode AcceptMode READ AcceptMode WRITE SetAcceptMode)
    Q_PROPERTY(QFileDialog::FileMode FileMode READ FileMode WRITE SetFileMode)
    QX_DEFAULT(DefaultExt, "")
    QX_DEFAULT(Filter, "")
    QX_DEFAULT(FilterIndex, "1")
    QX_DEFAULT(InitialDir, "")
    QX_DEFAULT(Options, "[]")
    QX_DEFAULT(Title, "")
    QX_DEFAULT(AcceptMode, "AcceptOpen")
    QX_DEFAULT(FileMode, "ExistingFile")
public:
    /// Matches string rows of type TFilename; an ellipsis button that opens EditButtonClick, by default
    /// an open dialog for an existing file.
    Q_INVOKABLE explicit TQXTFilenamePropertyPreset(QXPlatform::TCollection *Collection);

    ///@{
    /// Added to a chosen name that has no suffix.
    QString DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const QString &Value);
    ///@}
    ///@{
    /// Name filters separated by ";;" ("Images (*.png *.jpg);;All files (*)").
    QString Filter() const { return m_filter; }
    void SetFilter(const QString &Value);
    ///@}
    ///@{
    /// The filter selected first, counted from 1; a number outside the filters changes nothing.
    int FilterIndex() const { return m_filterIndex; }
    void SetFilterIndex(int Value);
    ///@}
    ///@{
    /// The folder the dialog opens in (empty: the current folder). One trailing path delimiter is
    /// removed, unless the value is one character long or the delimiter follows a colon (`C:\` and `/`
    /// stay, `C:\Data\` becomes `C:\Data`).
    QString InitialDir() const { return m_initialDir; }
    void SetInitialDir(const QString &Value);
    ///@}
    ///@{
    /// The dialog's options.
    QFileDialog::Options Options() const { return m_options; }
    void SetOptions(QFileDialog::Options Value);
    ///@}
    ///@{
    /// The dialog's window title (empty: the dialog's own).
    QString Title() const { return m_title; }
    void SetTitle(const QString &Value);
    ///@}
    ///@{
    /// AcceptSave makes it a save dialog: any name may be chosen (an output or log file), and an existing
    /// file is confirmed before it is taken unless Options holds DontConfirmOverwrite.
    QFileDialog::AcceptMode AcceptMode() const { return m_acceptMode; }
    void SetAcceptMode(QFileDialog::AcceptMode Value);
    ///@}
    ///@{
    /// What an open dialog accepts: ExistingFile (the default) or AnyFile, a name that need not exist yet;
    /// the modes for several files or a folder count as ExistingFile, since the row holds one file name.
    /// A save dialog accepts any name whatever this says.
    QFileDialog::FileMode FileMode() const { return m_fileMode; }
    void SetFileMode(QFileDialog::FileMode Value);
    ///@}

    /// As TQXPropertyPreset::Assign; from a file name preset also the dialog's settings.
    void Assign(const QObject *Source) override;
    /// Opens the dialog of CreateDialog at the row's file name; the file chosen is written to the row.
    virtual void EditButtonClick(QObject *Sender);

protected:
    /// The dialog set up from the settings, opening at FileName; the caller owns it.
    virtual QFileDialog *CreateDialog(const QString &FileName) const;

private:
    QString m_defaultExt;
    QString m_filter;
    QString m_initialDir;
    QString m_title;
    QFileDialog::Options m_options;
    QFileDialog::AcceptMode m_acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode m_fileMode = QFileDialog::ExistingFile;
    int m_filterIndex = 1;
};

/// 14: modal results show and take their names ("mrCancel"); other values their decimal number.
class QXINSPECTORCORE_EXPORT TQXTModalResultPropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle,pftValidate]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkInteger]")
    QX_DEFAULT(EditStyle, "esPickList")
public:
    /// Matches integer rows of type TModalResult; a drop-down list of the result names (line n names
    /// result n), read and written through GetResultProperty and SetResultProperty.
    Q_INVOKABLE explicit TQXTModalResultPropertyPreset(QXPlatform::TCollection *Collection);
    /// The name of the property's result, the pick list's line of that number; else its decimal number.
    virtual void GetResultProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                   QString &Value);
    /// A name of the pick list (any case) or a decimal number is stored; any other text is ignored.
    virtual void SetResultProperty(QObject *Sender, QObject *Instance, const QString &PropName,
                                   const QString &Value);
};

/// 15: the "Strings" property of a value-list or item-list editor opens the strings editor in its INI view.
class QXINSPECTORCORE_EXPORT TQXTINIStringsPropertyPreset : public TQXTStringsPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(MatchTypes, "[mtPropertyName,mtPropertyType,mtClassName]")
    QX_DEFAULT(StringsViews, "[svINI]")
public:
    /// Matches rows named Strings of type TStrings while a TValueListEditor or TQXCustomItemListEditor is
    /// inspected, and opens them in the INI view only.
    Q_INVOKABLE explicit TQXTINIStringsPropertyPreset(QXPlatform::TCollection *Collection);
};

/// 16: list views' items open the list items dialog.
class QXINSPECTORCORE_EXPORT TQXTListItemsDlgPropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkClass]")
    QX_DEFAULT(EditStyle, "esEllipsis")
public:
    /// Matches class-typed rows of type TListItems; an ellipsis button that opens EditButtonClick.
    Q_INVOKABLE explicit TQXTListItemsDlgPropertyPreset(QXPlatform::TCollection *Collection);
    /// Opens the list view's items in the list items dialog, which writes its changes to the view.
    virtual void EditButtonClick(QObject *Sender);
};

/// 17: tree views' nodes open the tree nodes dialog.
class QXINSPECTORCORE_EXPORT TQXTTreeNodesDlgPropertyPreset : public TQXPropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(Actions, "[pftEditStyle]")
    QX_DEFAULT(MatchTypes, "[mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkClass]")
    QX_DEFAULT(EditStyle, "esEllipsis")
public:
    /// Matches class-typed rows of type TTreeNodes; an ellipsis button that opens EditButtonClick.
    Q_INVOKABLE explicit TQXTTreeNodesDlgPropertyPreset(QXPlatform::TCollection *Collection);
    /// Opens the tree view's nodes in the tree nodes dialog, which writes its changes to the view.
    virtual void EditButtonClick(QObject *Sender);
};

/// 18: any string property named FileName (any case) chooses a file, whatever its type name.
class QXINSPECTORCORE_EXPORT TQXFilenamePropPropertyPreset : public TQXTFilenamePropertyPreset
{
    Q_OBJECT
    QX_DEFAULT(MatchTypes, "[mtPropertyName,mtPropertyType]")
    QX_DEFAULT(TypeKinds, "[tkLString]")
public:
    /// Matches string rows named FileName (any case) whatever their type name, with the file name
    /// preset's dialog.
    Q_INVOKABLE explicit TQXFilenamePropPropertyPreset(QXPlatform::TCollection *Collection);
};
