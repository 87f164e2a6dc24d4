// The built-in presets (src/presets/QXPropertyPresets.*): what a new inspector holds, the drop-down lists
// and value texts they give rows on a sample form, the dialogs they open, and their stored form.
#include "QXTestSupport.h"

#include <QXInspector/Cursors.h>
#include <QXInspector/FormatSettings.h>
#include <QXInspector/ListViews.h>
#include <QXInspector/QXCustomItemsDialog.h>
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/QXPropertyPresets.h>
#include <QXInspector/QXTDateEditor.h>
#include <QXInspector/QXTStringsEditor.h>
#include <QXInspector/Streaming.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <optional>

using namespace QXPlatform;
using QXTest::settle;

/// A component of the sample form publishing one property for each kind of preset.
class Gadget : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QColor Colour MEMBER Colour)
    Q_PROPERTY(QCursor Pointer MEMBER Pointer)
    Q_PROPERTY(QDate Day MEMBER Day)
    Q_PROPERTY(QTime Hour MEMBER Hour)
    Q_PROPERTY(QDateTime Stamp MEMBER Stamp)
    Q_PROPERTY(int ModalResult MEMBER ModalResult)
    Q_PROPERTY(QString Document MEMBER Document)
    Q_PROPERTY(QString FileName MEMBER FileName)
    Q_PROPERTY(QFont Font MEMBER Font)
    Q_PROPERTY(QStringList Lines MEMBER Lines)
    Q_PROPERTY(QAbstractButton *Button MEMBER Button)
    Q_PROPERTY(QTreeWidget *Tree MEMBER Tree)
    Q_PROPERTY(QXPlatform::TListItems *Entries READ Entries)
    Q_PROPERTY(QPixmap Picture READ picture WRITE setPicture)
    QX_TYPE_NAME(ModalResult, "TModalResult")
    QX_TYPE_NAME(Document, "TFileName")
public:
    explicit Gadget(QObject *parent = nullptr)
        : QObject(parent)
    { }
    QColor Colour = Qt::red;
    QCursor Pointer = QCursor(Qt::IBeamCursor);
    QDate Day = QDate(2024, 2, 29);
    QTime Hour = QTime(13, 30, 15);
    QDateTime Stamp = QDateTime(QDate(2024, 2, 29), QTime(13, 30, 15));
    int ModalResult = 2;
    QString Document;
    QString FileName;
    QFont Font;
    QStringList Lines;
    QAbstractButton *Button = nullptr;
    QTreeWidget *Tree = nullptr;
    QListWidget *List = nullptr;
    QPixmap Picture;
    QPixmap picture() const { return Picture; }
    void setPicture(const QPixmap &Value) { Picture = Value; }
    QXPlatform::TListItems *Entries() const { return List ? QXPlatform::ListItemsOf(List) : nullptr; }
};

class tst_BuiltInPresets : public QObject
{
    Q_OBJECT

    QWidget *form = nullptr;
    Gadget *gadget = nullptr;
    QPushButton *okButton = nullptr;
    QCheckBox *checkBox = nullptr;
    TQXObjectInspector *inspector = nullptr;
    QStringList errors;
    QTimer *answerTimer = nullptr;

    TQXItemProperty *row(const QString &path) const
    {
        return inspector->GetItems()->FindItemByFullPathName(path);
    }
    /// The drop-down list the grid offers for the value cell of the row at path.
    QStringList pickList(const QString &path)
    {
        inspector->SetSelected(row(path));
        TStringList *values = Create<TStringList>();
        const auto freeValues = qScopeGuard([values] { Free(values); });
        inspector->EditListGetItems(1, inspector->FixedRows() + inspector->AbsoluteVIndexOf(row(path)),
                                    values);
        QStringList lines;
        for (int i = 0; i < values->Count(); ++i)
            lines << values->Strings(i);
        return lines;
    }
    /// Types text into the value cell of the row at path and presses Enter.
    void typeInto(const QString &path, const QString &text)
    {
        inspector->SetSelected(row(path));
        inspector->SetGridCount(1, 1);
        inspector->ShowEditor();
        QLineEdit *editor = inspector->InplaceEditor();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    }
    /// Writes text to the row at path as the grid does once a cell is left.
    void write(const QString &path, const QString &text)
    {
        row(path)->SetValue(text);
        row(path)->Validate();
        settle();
    }
    /// The gadget's property at path as plain text, to compare with what a row wrote.
    QString stored(const QString &path) const
    {
        const QVariant value = gadget->property(qPrintable(path));
        if (value.metaType() == QMetaType::fromType<QColor>())
            return value.value<QColor>().name();
        if (value.metaType() == QMetaType::fromType<QCursor>())
            return QString::number(value.value<QCursor>().shape());
        if (value.metaType() == QMetaType::fromType<QDate>())
            return value.toDate().toString(Qt::ISODate);
        if (value.metaType() == QMetaType::fromType<QTime>())
            return value.toTime().toString(Qt::ISODate);
        if (value.metaType().flags().testFlag(QMetaType::PointerToQObject))
            return value.value<QObject *>() ? value.value<QObject *>()->objectName() : QString();
        return value.toString();
    }
    /// Presses the ellipsis button of the row at path.
    void clickEllipsis(const QString &path)
    {
        inspector->SetSelected(row(path));
        inspector->EditButtonClick(inspector);
    }
    /// Runs answer on the next modal dialog of class Dialog, once it is shown.
    template<class Dialog> void answerNextDialog(std::function<void(Dialog *)> answer)
    {
        answerWhenReady<Dialog>([answer](Dialog *dialog) {
            answer(dialog);
            return true;
        });
    }
    /// Runs answer on the next modal dialog of class Dialog until it says it has answered.
    template<class Dialog> void answerWhenReady(std::function<bool(Dialog *)> answer)
    {
        delete answerTimer; // a test may answer several dialogs in turn
        answerTimer = new QTimer;
        QObject::connect(answerTimer, &QTimer::timeout, answerTimer, [this, answer] {
            if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget()))
                if (answer(dialog))
                    answerTimer->stop();
        });
        answerTimer->start(10);
    }

    /// Answers the next file dialog with Chosen typed in as its file name, once Look has seen it.
    void answerFileDialog(const QString &Chosen, const std::function<void(QFileDialog *)> &Look = {})
    {
        answerWhenReady<QFileDialog>([Chosen, Look](QFileDialog *dialog) {
            if (Look)
                Look(dialog);
            // Typed as a user types it: selecting through the file system model waits for its thread.
            if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->setText(Chosen);
            if (dialog->selectedFiles() != QStringList { Chosen })
                return false;
            // done, not accept: accept would ask the model again, which may still be reading (and takes
            // a name that does not exist only in AnyFile mode).
            static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
            return true;
        });
    }

private slots:
    void init()
    {
        form = new QWidget;
        form->resize(500, 900);
        okButton = new QPushButton(form);
        okButton->setObjectName(QStringLiteral("okButton"));
        new QLabel(form); // unnamed: never offered
        auto *label = new QLabel(form);
        label->setObjectName(QStringLiteral("label1"));
        checkBox = new QCheckBox(form);
        checkBox->setObjectName(QStringLiteral("checkBox1"));
        gadget = new Gadget(form);
        gadget->setObjectName(QStringLiteral("gadget1"));
        inspector = Create<TQXObjectInspector>(form);
        inspector->setGeometry(0, 0, 400, 900);
        form->show();
        QApplication::setActiveWindow(form);
        inspector->setFocus();
        errors.clear();
        inspector->OnValidateError
            = [this](QObject *, TQXItemProp *, int, const Exception &E) { errors << E.Message(); };
        inspector->Objects()->Add(gadget);
        settle();
    }
    void cleanup()
    {
        delete answerTimer;
        answerTimer = nullptr;
        Free(inspector);
        delete form;
    }

    // What a new inspector holds
    void newInspectorHoldsTheBuiltInsInOrder()
    {
        const char *const expected[][2] = {
            { "TQXTComponentPropertyPreset", "TComponent Drop Down List Property Editor" },
            { "TQXTFilenamePropertyPreset", "TFilename Dialog Property editor" },
            { "TQXTFontNamePropertyPreset", "Font Drop Down List Property Editor" },
            { "TQXTFontDlgPropertyPreset", "Font Editor Dialog Property Editor" },
            { "TQXTColorPropertyPreset", "Color Drop Down List Property Editor" },
            { "TQXTCursorPropertyPreset", "Cursor Drop Down List Property Editor" },
            { "TQXTStringsPropertyPreset", "TStrings Property Editor" },
            { "TQXTCollectionPropertyPreset", "TCollection Property Editor" },
            { "TQXTPicturePropertyPreset", "TPicture Property Editor" },
            { "TQXTDatePropertyPreset", "TDate Property Editor" },
            { "TQXTTimePropertyPreset", "TTime Property Editor" },
            { "TQXTDateTimePropertyPreset", "TDateTime Property Editor" },
            { "TQXTModalResultPropertyPreset", "TModalResult Property Editor" },
            { "TQXTINIStringsPropertyPreset", "INI TStrings Property Editor" },
            { "TQXTListItemsDlgPropertyPreset", "TListItems Dialog Property Editor" },
            { "TQXTTreeNodesDlgPropertyPreset", "TTreeNodes Dialog Property Editor" },
            { "TQXTParentComponentPropertyPreset", "TComponent Subcomponent Properties Font" },
            { "TQXFilenamePropPropertyPreset", "Filename property Dialog Property Editor" },
        };
        static_assert(std::size(expected) == BuiltInPresetCount);
        TQXPropertyPresets *presets = inspector->Presets();
        QStringList actual, wanted;
        for (int i = 0; i < presets->Count(); ++i)
            actual << ClassNameOf(presets->Items(i)) + QLatin1Char(' ') + presets->Items(i)->Name();
        for (const auto &[className, name] : expected)
            wanted << QLatin1String(className) + QLatin1Char(' ') + QLatin1String(name);
        QCOMPARE(actual, wanted);
    }

    void onlyChangedSettingsAreStored_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("stored");
        // Of the settings the classes fill in, these differ from what the class declares as default.
        const QStringList none;
        for (int type = pdTComponentDD; type <= BuiltInPresetCount; ++type) {
            QStringList stored;
            switch (type) {
            case pdTComponentDD:
            case pdTFontNameDD:
                stored = QStringList { "EditStyle" };
                break;
            case pdTParentComponent:
                stored = QStringList { "MatchTypes" };
                break;
            case pdTFilenameDlg:
                stored = QStringList { "Actions", "MatchTypes", "TypeKinds", "EditStyle" };
                break;
            case pdFilenamePropNameDlg:
                stored = QStringList { "Actions", "EditStyle" };
                break;
            default:
                break;
            }
            QTest::newRow(PresetDefaultTypeNames[type]) << type << stored;
        }
    }
    void onlyChangedSettingsAreStored()
    {
        QFETCH(int, type);
        QFETCH(QStringList, stored);
        const TQXPropertyPreset *preset = inspector->Presets()->Items(type - 1);
        QStringList actual;
        for (const char *name : { "Actions", "MatchTypes", "TypeKinds", "ParentTypeKinds", "EditStyle" })
            if (!IsDefaultValue(preset, QString::fromLatin1(name)))
                actual << QString::fromLatin1(name);
        QCOMPARE(actual.join(QLatin1Char(',')), stored.join(QLatin1Char(',')));
    }

    // Drop-down lists and value texts
    void colourChosenByNameIsStored()
    {
        QStringList names;
        GetColorValues([&names](const QString &ident) { names << ident; });
        QCOMPARE(pickList("Colour"), names);
        QCOMPARE(row("Colour")->GetValue(), QStringLiteral("clRed"));
        typeInto("Colour", QStringLiteral("clNavy"));
        QCOMPARE(gadget->Colour, QColor(0, 0, 128));
        QCOMPARE(row("Colour")->GetValue(), QStringLiteral("clNavy"));
    }

    void colourKeepsItsAlpha()
    {
        gadget->Colour = QColor(0x11, 0x22, 0x33, 0x80);
        inspector->RefreshProperties();
        QCOMPARE(row("Colour")->GetValue(), QStringLiteral("#80112233"));
        typeInto("Colour", QStringLiteral("#40aabbcc"));
        QCOMPARE(gadget->Colour, QColor(0xaa, 0xbb, 0xcc, 0x40));
        QCOMPARE(row("Colour")->GetValue(), QStringLiteral("#40aabbcc"));
        typeInto("Colour", QStringLiteral("#zz"));
        QCOMPARE(errors.size(), 1);
        QCOMPARE(gadget->Colour, QColor(0xaa, 0xbb, 0xcc, 0x40));
    }

    void cursorChosenByName()
    {
        QStringList names;
        GetCursorValues([&names](const QString &ident) { names << ident; });
        QCOMPARE(pickList("Pointer"), names);
        QCOMPARE(row("Pointer")->GetValue(), QStringLiteral("crIBeam"));
        typeInto("Pointer", QStringLiteral("crCross"));
        QCOMPARE(gadget->Pointer.shape(), Qt::CrossCursor);
    }

    void fontNamesOfferTheInstalledFamilies()
    {
        row("Font")->SetExpanded(true);
        settle();
        QCOMPARE(row("Font.Name")->TypeName(), QStringLiteral("TFontName"));
        QCOMPARE(pickList("Font.Name"), QFontDatabase::families());
    }

    void componentListFilteredByClass()
    {
        // Only the owner's named components of the property's class, in the owner's order.
        QCOMPARE(pickList("Button"), QStringList({ "okButton", "checkBox1" }));
        typeInto("Button", QStringLiteral("checkBox1"));
        QCOMPARE(gadget->Button, checkBox);
        // No component of the class: one empty line, and choosing it clears the reference.
        QTreeWidget looseTree; // not on the form
        looseTree.setObjectName(QStringLiteral("looseTree"));
        gadget->Tree = &looseTree;
        inspector->RefreshProperties();
        QCOMPARE(pickList("Tree"), QStringList({ QString() }));
        typeInto("Tree", QString());
        QCOMPARE(gadget->Tree, nullptr);
        QVERIFY(errors.isEmpty());
    }

    void componentNameThatFitsNothingIsRejected_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown") << "cancelButton";
        QTest::newRow("other class") << "label1";
        QTest::newRow("not owned") << "gadget1";
    }
    void componentNameThatFitsNothingIsRejected()
    {
        QFETCH(QString, text);
        gadget->Button = okButton;
        inspector->RefreshProperties();
        typeInto("Button", text);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(text), qPrintable(errors.first()));
        QCOMPARE(gadget->Button, okButton);
        QCOMPARE(row("Button")->GetValue(), QStringLiteral("okButton"));
    }

    void inspectorWithoutOwnerFindsNoComponent()
    {
        TQXObjectInspector *loose = Create<TQXObjectInspector>();
        const auto freeLoose = qScopeGuard([loose] { Free(loose); });
        QStringList looseErrors;
        loose->OnValidateError = [&looseErrors](QObject *, TQXItemProp *, int, const Exception &E) {
            looseErrors << E.Message();
        };
        gadget->Button = okButton;
        loose->Objects()->Add(gadget);
        settle();
        TQXItemProperty *button = loose->GetItems()->FindItemByFullPathName(QStringLiteral("Button"));
        loose->SetSelected(button);
        TStringList *values = Create<TStringList>();
        const auto freeValues = qScopeGuard([values] { Free(values); });
        loose->GetPickList(button, values, true);
        QCOMPARE(values->Text(), QStringLiteral("\n"));
        button->SetValue(QStringLiteral("okButton"));
        button->Validate();
        QCOMPARE(looseErrors.size(), 1);
        QCOMPARE(gadget->Button, okButton);
    }

    void componentSubPropertiesAreGreenAndFontPartsAreNot()
    {
        gadget->Button = okButton;
        inspector->RefreshProperties();
        inspector->Rescan();
        row("Button")->SetExpanded(true);
        row("Font")->SetExpanded(true);
        settle();
        QCOMPARE(row("Button")->EffectiveFont()->Color(), clMaroon);
        QCOMPARE(row("Button.text")->EffectiveFont()->Color(), clGreen);
        QCOMPARE(row("Button.checkable")->EffectiveFont()->Color(), clGreen);
        QVERIFY(row("Font.Size")->EffectiveFont()->Color() != clGreen);
        QCOMPARE(row("Font.Size")->EffectiveFont()->Color(), inspector->Font()->Color());

        // The colours are all the presets change: face and size follow the inspector's font.
        const QString family = inspector->Font()->Name() == QLatin1String("Courier")
            ? QStringLiteral("Serif")
            : QStringLiteral("Courier");
        inspector->Font()->SetName(family);
        inspector->Font()->SetSize(inspector->Font()->Size() + 5);
        settle();
        for (const char *path : { "Button", "Button.text" }) {
            QCOMPARE(row(path)->EffectiveFont()->Name(), inspector->Font()->Name());
            QCOMPARE(row(path)->EffectiveFont()->Size(), inspector->Font()->Size());
        }
        QCOMPARE(row("Button")->EffectiveFont()->Color(), clMaroon);
        QCOMPARE(row("Button.text")->EffectiveFont()->Color(), clGreen);
    }

    // Rows after a change to the set of presets
    void editsReachTheObjectAfterThePresetsChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        const struct
        {
            const char *path;
            QString typed;
            const char *written;
        } kinds[] = {
            { "Colour", QStringLiteral("#0000ff"), "#0000ff" },
            { "Pointer", QStringLiteral("crCross"), "2" },
            { "Day", DateToStr(QDate(2023, 12, 1)), "2023-12-01" },
            { "Hour", TimeToStr(QTime(8, 5, 0)), "08:05:00" },
            { "ModalResult", QStringLiteral("mrYes"), "6" },
            { "Button", QStringLiteral("checkBox1"), "checkBox1" },
            { "Document", QStringLiteral("out.log"), "out.log" },
        };
        for (const char *change : { "clear", "delete its preset", "from another inspector", "from a stream" })
            for (const auto &kind : kinds)
                QTest::addRow("%s, %s", change, kind.path)
                    << change << kind.path << kind.typed << kind.written;
    }
    void editsReachTheObjectAfterThePresetsChange()
    {
        QFETCH(QString, change);
        QFETCH(QString, path);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        TQXPropertyPresets *presets = inspector->Presets();
        if (change == QLatin1String("clear")) {
            presets->Clear();
        } else if (change == QLatin1String("delete its preset")) {
            for (int i = presets->Count() - 1; i >= 0; --i)
                if (presets->Items(i)->Matches(row(path)))
                    presets->Delete(i);
        } else if (change == QLatin1String("from another inspector")) {
            // From an inspector on another form, which goes before the edits: the copies serve this one.
            QWidget elsewhere;
            TQXObjectInspector *other = Create<TQXObjectInspector>(&elsewhere);
            inspector->SetPresets(other->Presets());
            Free(other);
        } else {
            inspector->setPresetsStream(inspector->PresetsStream());
        }
        const QVariant original = gadget->property(qPrintable(path));
        const QString before = stored(path);
        // The edit arrives before the rows are brought in step with the presets...
        write(path, typed);
        QVERIFY2(stored(path) == written || (errors.size() == 1 && stored(path) == before),
                 qPrintable(stored(path) + QLatin1Char('/') + errors.join(QLatin1Char('/'))));
        // ...which they are once the events ran: a rescan changes nothing more.
        const TEditStyle style = row(path)->EditStyle();
        const QString mask = row(path)->EditMask();
        inspector->Rescan();
        QCOMPARE(row(path)->EditStyle(), style);
        QCOMPARE(row(path)->EditMask(), mask);

        // In step, the presets in place serve the edit: copies and presets read back belong to this
        // inspector, whatever became of the ones they came from.
        gadget->setProperty(qPrintable(path), original);
        inspector->RefreshProperties();
        errors.clear();
        write(path, typed);
        if (change == QLatin1String("from another inspector") || change == QLatin1String("from a stream")) {
            QCOMPARE(stored(path), written);
            QCOMPARE(errors, QStringList());
        } else {
            QVERIFY2(stored(path) == written || (errors.size() == 1 && stored(path) == before),
                     qPrintable(stored(path) + QLatin1Char('/') + errors.join(QLatin1Char('/'))));
        }
    }

    void copiedPresetsKeepTheirClassesAndSettings()
    {
        QWidget elsewhere;
        TQXObjectInspector *source = Create<TQXObjectInspector>(&elsewhere);
        auto *file = static_cast<TQXTFilenamePropertyPreset *>(source->Presets()->Items(pdTFilenameDlg - 1));
        file->SetFilter(QStringLiteral("Texts (*.txt)"));
        auto *ini = static_cast<TQXTStringsPropertyPreset *>(source->Presets()->Items(pdTINIStringsDlg - 1));
        ini->SetStringsViews(TStringsViews(svINI) | svNormal);
        source->Presets()->Items(pdTComponentDD - 1)->Font()->SetStyle(fsItalic);
        QStringList classes;
        for (int i = 0; i < source->Presets()->Count(); ++i)
            classes << ClassNameOf(source->Presets()->Items(i));
        inspector->SetPresets(source->Presets());
        settle();
        // The components offered are this inspector's owner's, not those of the source's.
        QCOMPARE(pickList("Button"), QStringList({ "okButton", "checkBox1" }));
        Free(source);
        gadget->Button = okButton;
        inspector->Rescan();

        QStringList copied;
        for (int i = 0; i < inspector->Presets()->Count(); ++i)
            copied << ClassNameOf(inspector->Presets()->Items(i));
        QCOMPARE(copied, classes);
        QCOMPARE(static_cast<TQXTFilenamePropertyPreset *>(inspector->Presets()->Items(pdTFilenameDlg - 1))
                     ->Filter(),
                 QStringLiteral("Texts (*.txt)"));
        QCOMPARE(static_cast<TQXTStringsPropertyPreset *>(inspector->Presets()->Items(pdTINIStringsDlg - 1))
                     ->StringsViews(),
                 TStringsViews(svINI) | svNormal);
        QCOMPARE(row("Button")->EffectiveFont()->Color(), clMaroon);
        QCOMPARE(row("Button")->EffectiveFont()->Style(), TFontStyles(fsItalic));
        // The copied date preset opens its own editor, on this inspector.
        QObject *parent = nullptr;
        answerNextDialog<TfrmDateEditor>([&parent](TfrmDateEditor *dialog) {
            parent = dialog->parent();
            dialog->Calendar()->setSelectedDate(QDate(2023, 7, 14));
            dialog->accept();
        });
        clickEllipsis(QStringLiteral("Day"));
        QCOMPARE(parent, inspector);
        QCOMPARE(gadget->Day, QDate(2023, 7, 14));
    }

    void modalResultTexts_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("after");
        QTest::newRow("name in any case") << 2 << "mrCancel"
                                          << "MRYES" << 6;
        QTest::newRow("text that is no result") << 2 << "mrCancel"
                                                << "maybe" << 2;
        QTest::newRow("last name") << 0 << "mrNone"
                                   << "mrYesToAll" << 10;
        // An application's own results lie past the names and show as numbers.
        QTest::newRow("own result") << 42 << "42"
                                    << "12" << 12;
        QTest::newRow("negative") << -1 << "-1"
                                  << "mrOk" << 1;
    }
    void modalResultTexts()
    {
        QFETCH(int, before);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(int, after);
        gadget->ModalResult = before;
        inspector->RefreshProperties();
        QCOMPARE(row("ModalResult")->GetValue(), shown);
        QCOMPARE(pickList("ModalResult").size(), 11);
        typeInto("ModalResult", typed);
        QCOMPARE(gadget->ModalResult, after);
        QVERIFY(errors.isEmpty());
    }

    void dateAndTimeTexts_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("mask");
        QTest::newRow("date") << "Day" << DateToStr(QDate(2024, 2, 29)) << DateToStr(QDate(2023, 12, 1))
                              << "!90/00/0000;1;_";
        QTest::newRow("time") << "Hour" << TimeToStr(QTime(13, 30, 15)) << TimeToStr(QTime(8, 5, 0))
                              << "!90:00:00 >LL;1;_";
        QTest::newRow("date and time")
            << "Stamp" << DateTimeToStr(QDateTime(QDate(2024, 2, 29), QTime(13, 30, 15)))
            << DateTimeToStr(QDateTime(QDate(2023, 12, 1), QTime(8, 5, 0))) << "!90/00/0000 90:00:00 >LL;1;_";
    }
    void dateAndTimeTexts()
    {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QString, mask);
        QCOMPARE(row(path)->GetValue(), shown);
        QCOMPARE(row(path)->EditMask(), mask);
        write(path, typed);
        QCOMPARE(row(path)->GetValue(), typed);
        write(path, QStringLiteral("31/31/31x"));
        QCOMPARE(errors.size(), 1);
        QCOMPARE(row(path)->GetValue(), typed);
    }

    // Strings
    void stringsHintShowsTheFirstLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("hint");
        QTest::newRow("six lines") << QStringList { "one", "two", "three", "four", "five", "six" }
                                   << "one\ntwo\nthree\nfour\n...";
        QTest::newRow("four lines, blanks trimmed")
            << QStringList { "one", "two", "three", "four  " } << "one\ntwo\nthree\nfour";
        QTest::newRow("empty") << QStringList() << "";
    }
    void stringsHintShowsTheFirstLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, hint);
        gadget->Lines = lines;
        inspector->Rescan();
        QCOMPARE(row("Lines")->Hint(), hint);
    }

    void noStringsHintWithTwoObjects()
    {
        Gadget other(form);
        gadget->Lines = other.Lines = QStringList { "one", "two" };
        inspector->Objects()->Add(&other);
        settle();
        QVERIFY(row("Lines"));
        QCOMPARE(row("Lines")->Hint(), QString());
        inspector->Objects()->Clear();
        settle();
    }

    void stringsEditorViews()
    {
        // The INI preset follows the strings preset: for an item list editor's Strings it has the last
        // word, and the editor opens in its INI view; other string lists open in the memo.
        TQXItemListEditor *editor = Create<TQXItemListEditor>(form);
        const auto freeEditor = qScopeGuard([editor] { Free(editor); });
        inspector->Objects()->Clear();
        inspector->Objects()->Add(editor);
        settle();
        bool ini = false, memo = false;
        const auto views = [&](TfrmQXStringsEditor *dialog) {
            ini = dialog->INIView();
            memo = dialog->MemoView();
            dialog->reject();
        };
        answerNextDialog<TfrmQXStringsEditor>(views);
        clickEllipsis(QStringLiteral("Strings"));
        QVERIFY(ini && !memo);
        answerNextDialog<TfrmQXStringsEditor>(views);
        clickEllipsis(QStringLiteral("TitleCaptions"));
        QVERIFY(!ini && memo);
        inspector->Objects()->Clear();
        inspector->Objects()->Add(gadget);
        settle();

        gadget->Lines = QStringList { "one" };
        inspector->RefreshProperties();
        answerNextDialog<TfrmQXStringsEditor>([](TfrmQXStringsEditor *dialog) {
            dialog->SetLines(QStringList { "one", "two" });
            dialog->accept();
        });
        clickEllipsis(QStringLiteral("Lines"));
        QCOMPARE(gadget->Lines, QStringList({ "one", "two" }));
    }

    // Dialogs
    void fontDialogWritesTheChosenFont()
    {
        QFont chosen = gadget->Font;
        chosen.setPointSize(23);
        chosen.setItalic(true);
        answerNextDialog<QFontDialog>([chosen](QFontDialog *dialog) {
            dialog->setCurrentFont(chosen);
            dialog->accept();
        });
        clickEllipsis(QStringLiteral("Font"));
        settle();
        QCOMPARE(gadget->Font.pointSize(), 23);
        QVERIFY(gadget->Font.italic());
    }

    void fileDialogTakesItsSettingsAndWritesTheChosenName()
    {
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("chosen.txt"));
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        auto *preset
            = static_cast<TQXTFilenamePropertyPreset *>(inspector->Presets()->Items(pdTFilenameDlg - 1));
        preset->SetTitle(QStringLiteral("Pick a document"));
        preset->SetFilter(QStringLiteral("Pictures (*.png);;Texts (*.txt)"));
        preset->SetFilterIndex(2);
        preset->SetInitialDir(dir.path() + QLatin1Char('/'));
        settle();
        QString title, filter, directory;
        answerFileDialog(chosen, [&](QFileDialog *dialog) {
            title = dialog->windowTitle();
            filter = dialog->selectedNameFilter();
            directory = dialog->directory().absolutePath();
        });
        clickEllipsis(QStringLiteral("Document"));
        settle();
        QCOMPARE(title, QStringLiteral("Pick a document"));
        QCOMPARE(filter, QStringLiteral("Texts (*.txt)"));
        QCOMPARE(directory, QDir(dir.path()).absolutePath());
        QCOMPARE(gadget->Document, chosen);
        // A string property called FileName gets the dialog whatever its type.
        QCOMPARE(row("FileName")->EditStyle(), esEllipsis);
    }

    void fileDialogTakesANameThatNeedNotExist_data()
    {
        QTest::addColumn<QFileDialog::AcceptMode>("acceptMode");
        QTest::addColumn<QFileDialog::FileMode>("fileMode");
        QTest::newRow("save dialog") << QFileDialog::AcceptSave << QFileDialog::ExistingFile;
        QTest::newRow("open dialog for any file") << QFileDialog::AcceptOpen << QFileDialog::AnyFile;
    }
    void fileDialogTakesANameThatNeedNotExist()
    {
        QFETCH(QFileDialog::AcceptMode, acceptMode);
        QFETCH(QFileDialog::FileMode, fileMode);
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("run.log"));
        auto *preset
            = static_cast<TQXTFilenamePropertyPreset *>(inspector->Presets()->Items(pdTFilenameDlg - 1));
        preset->SetAcceptMode(acceptMode);
        preset->SetFileMode(fileMode);
        preset->SetInitialDir(dir.path());
        settle();
        std::optional<std::pair<QFileDialog::AcceptMode, QFileDialog::FileMode>> shown;
        answerFileDialog(chosen, [&](QFileDialog *dialog) {
            shown = { dialog->acceptMode(), dialog->fileMode() };
        });
        clickEllipsis(QStringLiteral("Document"));
        settle();
        QVERIFY(shown);
        QCOMPARE(shown->first, acceptMode);
        QCOMPARE(shown->second, QFileDialog::AnyFile);
        QCOMPARE(gadget->Document, chosen);
    }

    void pictureDialogLoadsTheChosenImage()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("dot.png"));
        QImage image(3, 2, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(file));
        QString filter;
        answerFileDialog(
            file, [&](QFileDialog *dialog) { filter = dialog->nameFilters().join(QLatin1String(";;")); });
        clickEllipsis(QStringLiteral("Picture"));
        QVERIFY2(filter.contains(QLatin1String("*.png")), qPrintable(filter));
        QCOMPARE(gadget->Picture.size(), QSize(3, 2));
        QCOMPARE(gadget->Picture.toImage().pixelColor(0, 0), QColor(Qt::red));
    }

    void initialDirLosesOneTrailingDelimiter_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("kept");
        QTest::newRow("drive root") << "C:\\"
                                    << "C:\\";
        QTest::newRow("folder") << "C:\\Temp\\"
                                << "C:\\Temp";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("posix folder") << "/tmp/"
                                      << "/tmp";
        QTest::newRow("two delimiters") << "/tmp//"
                                        << "/tmp/";
        QTest::newRow("none") << "/tmp"
                              << "/tmp";
    }
    void initialDirLosesOneTrailingDelimiter()
    {
        QFETCH(QString, value);
        QFETCH(QString, kept);
        auto *preset
            = static_cast<TQXTFilenamePropertyPreset *>(inspector->Presets()->Items(pdTFilenameDlg - 1));
        preset->SetInitialDir(value);
        QCOMPARE(preset->InitialDir(), kept);
    }

    void dateTimeDialogKeptOnScreen_data()
    {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("room enough") << QPoint(100, 100) << QPoint(100, 100);
        QTest::newRow("right edge") << QPoint(1000, 100) << QPoint(824, 100);
        QTest::newRow("bottom edge") << QPoint(100, 760) << QPoint(100, 618);
        QTest::newRow("corner") << QPoint(1023, 767) << QPoint(824, 618);
    }
    void dateTimeDialogKeptOnScreen()
    {
        QFETCH(QPoint, cursor);
        QFETCH(QPoint, expected);
        // A screen of 1024 x 768 whose task bar takes the bottom 18 pixels.
        const QRect available(0, 0, 1024, 768 - 18);
        QCOMPARE(TQXTDateTimePropertyPreset::PlaceOnScreen(cursor, QSize(200, 132), available), expected);
    }

    void dateDialogsOpenAtTheCursor()
    {
        // Near the bottom right corner: the date editor opens at the cursor all the same, the date-time
        // editor moves up and left to be wholly on the screen.
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint corner = available.bottomRight() - QPoint(5, 5);
        QCursor::setPos(corner);
        QRect shown;
        answerNextDialog<TfrmDateEditor>([&shown](TfrmDateEditor *dialog) {
            shown = dialog->frameGeometry();
            dialog->reject();
        });
        clickEllipsis(QStringLiteral("Day"));
        QCOMPARE(shown.topLeft(), corner);

        answerNextDialog<TfrmDateEditor>([&shown](TfrmDateEditor *dialog) {
            shown = dialog->frameGeometry();
            dialog->Calendar()->setSelectedDate(QDate(2023, 7, 14));
            dialog->accept();
        });
        clickEllipsis(QStringLiteral("Stamp"));
        QVERIFY2(available.contains(shown),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(shown.x())
                                .arg(shown.y())
                                .arg(shown.width())
                                .arg(shown.height())));
        // Only the day changed: the time of day stayed.
        QCOMPARE(gadget->Stamp, QDateTime(QDate(2023, 7, 14), QTime(13, 30, 15)));
    }

    void dialogAnswerReachesTheRowBuiltWhileItWasOpen()
    {
        // A rescan queued before the dialog opens runs while it is open: the answer goes to the new row.
        const QPointer<TQXItemProperty> before = row("Day");
        answerNextDialog<TfrmDateEditor>([](TfrmDateEditor *dialog) {
            dialog->Calendar()->setSelectedDate(QDate(2023, 7, 14));
            dialog->accept();
        });
        inspector->InvalidateScan();
        clickEllipsis(QStringLiteral("Day"));
        QVERIFY(!before);
        QCOMPARE(gadget->Day, QDate(2023, 7, 14));
        QVERIFY(errors.isEmpty());
    }

    void listItemsDialogShowsTheViewsItems()
    {
        QListWidget list(form);
        list.addItems({ "red", "green", "blue" });
        gadget->List = &list;
        inspector->Rescan();
        QCOMPARE(row("Entries")->TypeName(), QStringLiteral("TListItems"));
        int shown = -1;
        answerNextDialog<TfrmTListItemsDlg>([&shown](TfrmTListItemsDlg *dialog) {
            shown = dialog->TreeView()->topLevelItemCount();
            dialog->reject();
        });
        clickEllipsis(QStringLiteral("Entries"));
        QCOMPARE(shown, 3);
        gadget->List = nullptr;
    }

    // Stored form
    void storedInspectorKeepsItsPresets()
    {
        TQXPropertyPreset *colour = inspector->Presets()->Items(pdTColorDD - 1);
        colour->TypeNames()->Clear();
        auto *ini
            = static_cast<TQXTStringsPropertyPreset *>(inspector->Presets()->Items(pdTINIStringsDlg - 1));
        ini->SetStringsViews(TStringsViews(svINI) | svNormal);
        inspector->Presets()->Items(pdTModalResultDD - 1)->PickList()->Clear();
        auto *file
            = static_cast<TQXTFilenamePropertyPreset *>(inspector->Presets()->Items(pdTFilenameDlg - 1));
        file->SetFilter(QStringLiteral("Texts (*.txt)"));
        const QByteArray data = WriteComponent(inspector);

        TQXObjectInspector *target = Create<TQXObjectInspector>(form);
        const auto freeTarget = qScopeGuard([target] { Free(target); });
        ReadComponent(target, data);
        QCOMPARE(target->Presets()->Count(), inspector->Presets()->Count());
        for (int i = 0; i < target->Presets()->Count(); ++i)
            QCOMPARE(target->Presets()->Items(i)->metaObject(), inspector->Presets()->Items(i)->metaObject());
        TQXPropertyPreset *readColour = target->Presets()->Items(pdTColorDD - 1);
        QCOMPARE(readColour->TypeNames()->Count(), 0);
        QVERIFY(!readColour->MatchTypes().testFlag(mtPropertyType));
        QCOMPARE(static_cast<TQXTStringsPropertyPreset *>(target->Presets()->Items(pdTINIStringsDlg - 1))
                     ->StringsViews(),
                 TStringsViews(svINI) | svNormal);
        QCOMPARE(target->Presets()->Items(pdTModalResultDD - 1)->PickList()->Count(), 0);
        QCOMPARE(
            static_cast<TQXTFilenamePropertyPreset *>(target->Presets()->Items(pdTFilenameDlg - 1))->Filter(),
            QStringLiteral("Texts (*.txt)"));
        QCOMPARE(WriteComponent(target), data);
    }

    // Matching kept cheap: what the presets make of each row is worked out once per type, not per row
    void rowsAreThoseTheRulesGive_data()
    {
        QTest::addColumn<QString>("object");
        QTest::newRow("gadget") << "gadget1";
        QTest::newRow("push button") << "okButton";
    }
    void rowsAreThoseTheRulesGive()
    {
        // Every row with what the presets gave it, after the first scan and after a rescan, against the
        // rows recorded from matching each row against each preset's lists (QX_RECORD_ROWS=1 records).
        QFETCH(QString, object);
        inspector->Objects()->Clear();
        inspector->Objects()->Add(form->findChild<QObject *>(object));
        settle();
        const QString first = rowsText();
        inspector->Rescan();
        settle();
        QCOMPARE(rowsText(), first);
        const QString name = object + QLatin1String(".rows");
        if (qEnvironmentVariableIntValue("QX_RECORD_ROWS")) { // into the working folder, for data/
            QFile recorded(name);
            QVERIFY(recorded.open(QIODevice::WriteOnly | QIODevice::Truncate));
            recorded.write(first.toUtf8());
            return;
        }
        QFile recorded(QStringLiteral(QX_TEST_SOURCE_DIR "/data/") + name);
        QVERIFY2(recorded.open(QIODevice::ReadOnly), qPrintable(recorded.fileName()));
        const QStringList expected = QString::fromUtf8(recorded.readAll()).split(QLatin1Char('\n'));
        const QStringList actual = first.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < qMax(expected.size(), actual.size()); ++i)
            QCOMPARE(actual.value(i), expected.value(i));
    }

    void presetChangesReachEveryMatchingRow()
    {
        // A preset for class-typed rows, whose answer per type name is kept: it must follow the lists. A
        // change re-applies the presets to the rows (a row that stops matching keeps what it was given
        // until the next scan).
        auto *preset = inspector->Presets()->Add(&TQXPropertyPreset::staticMetaObject);
        preset->SetTypeKinds(tkClass);
        preset->TypeNames()->Add(QStringLiteral("TFont"));
        preset->SetHint(QStringLiteral("marked"));
        preset->SetActions(pftHint);
        settle();
        const auto marked
            = [this](const QString &path) { return row(path)->Hint() == QLatin1String("marked"); };
        const auto rescan = [this] {
            inspector->Rescan();
            settle();
        };
        QVERIFY(marked("Font") && !marked("Lines"));
        preset->TypeNames()->SetStrings(0, QStringLiteral("TStrings"));
        settle();
        QVERIFY(marked("Lines"));
        rescan();
        QVERIFY(!marked("Font"));
        // Object references match the names of their classes' ancestors.
        preset->TypeNames()->Add(QStringLiteral("QWidget"));
        settle();
        QVERIFY(marked("Button") && marked("Tree") && marked("Lines"));
        preset->SetActive(false);
        rescan();
        QVERIFY(!marked("Button") && !marked("Lines"));
        preset->SetActive(true);
        settle();
        QVERIFY(marked("Button") && marked("Lines"));
        Free(preset);
        settle();
        QVERIFY(!marked("Button") && !marked("Lines"));
    }

private:
    /// One line per row, depth first: what the scan and the presets made of it.
    QString rowsText() const
    {
        inspector->FullExpand();
        QStringList lines;
        std::function<void(TQXItemProperties *)> walk = [&](TQXItemProperties *rows) {
            for (int i = 0; i < rows->Count(); ++i) {
                TQXItemProperty *item = rows->Items(i);
                const auto fontText = [](const TFont *font) {
                    return font ? ColorToString(font->Color()) + QLatin1Char('/')
                            + QString::number(int(font->Style()))
                                : QStringLiteral("-");
                };
                lines << QStringList { item->GetFullPathName(),
                                       TypeKindName(item->TypeKind()),
                                       item->TypeName(),
                                       QString::number(int(item->EditStyle())),
                                       QString::number(int(item->IsReadOnly())),
                                       QString::number(int(item->GetVisible())),
                                       item->Hint(),
                                       item->EditMask(),
                                       fontText(item->EffectiveFont()),
                                       fontText(item->EffectiveValueFont()),
                                       QString::number(int(bool(item->OnEditButtonClick))),
                                       QString::number(int(bool(item->OnGetPickList))),
                                       QString::number(int(bool(item->OnSetProperty))),
                                       item->GetValue() }
                             .join(QLatin1Char('\t'));
                walk(item->GetItems());
            }
        };
        walk(inspector->GetItems());
        return lines.join(QLatin1Char('\n'));
    }
};

QTEST_MAIN(tst_BuiltInPresets)
#include "tst_builtinpresets.moc"
