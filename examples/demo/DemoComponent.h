// The demo form's one non-visual component: it publishes a property of every kind the object inspector
// shows (enumeration, set, Boolean, character, integer, 64-bit, float, date, string, variant, a font
// sub-object, a collection, a string list, a component reference and an event), so that the inspector
// has one of each to list, edit and sort into categories. Its colour, cursor, time, date-time, file name
// and button reference are the properties the built-in presets serve with a drop-down list or a dialog.
// TDemoButton is the form's push button with a modal result.
#pragma once

#include <QXInspector/Collection.h>
#include <QXInspector/Component.h>
#include <QXInspector/Events.h>

#include <QColor>
#include <QCursor>
#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QVariant>

/// One step of the component's task list: a collection item the inspector lists with its own rows.
class TDemoTask : public QXPlatform::TCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(int Progress READ Progress WRITE SetProgress)
    Q_PROPERTY(bool Done READ Done WRITE SetDone)
    QX_DEFAULT(Progress, "0")
    QX_DEFAULT(Done, "False")

public:
    Q_INVOKABLE explicit TDemoTask(QXPlatform::TCollection *Collection);
    ~TDemoTask() override;
    Q_DISABLE_COPY_MOVE(TDemoTask)

    QString Title() const { return m_title; }
    void SetTitle(const QString &Value);
    int Progress() const { return m_progress; }
    void SetProgress(int Value);
    bool Done() const { return m_done; }
    void SetDone(bool Value);
    /// The title, so that the collection row names its items.
    QString GetDisplayName() const override;

private:
    QString m_title;
    int m_progress = 0;
    bool m_done = false;
};

class TDemoComponent : public QObject, public QXPlatform::TComponent
{
    Q_OBJECT
public:
    enum TDemoAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
    Q_ENUM(TDemoAlign)
    enum TDemoAnchor { akLeft = 0x1, akTop = 0x2, akRight = 0x4, akBottom = 0x8 };
    Q_DECLARE_FLAGS(TDemoAnchors, TDemoAnchor)
    Q_FLAG(TDemoAnchors)

private:
    // Names the inspector's category table knows (Align, Caption, Enabled, Font, Hint, Visible, Width)
    // spread the component over several categories; the rest land in the default one.
    Q_PROPERTY(TDemoAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(TDemoAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(char Accelerator READ Accelerator WRITE SetAccelerator)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(qint64 Capacity READ Capacity WRITE SetCapacity)
    Q_PROPERTY(double Opacity READ Opacity WRITE SetOpacity)
    Q_PROPERTY(QDate Due READ Due WRITE SetDue)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(QVariant Data READ Data WRITE SetData)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(QXPlatform::TCollection *Tasks READ Tasks)
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(QObject *Buddy READ Buddy WRITE SetBuddy)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QCursor Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(QTime Start READ Start WRITE SetStart)
    Q_PROPERTY(QDateTime Modified READ Modified WRITE SetModified)
    Q_PROPERTY(QString Document READ Document WRITE SetDocument)
    Q_PROPERTY(QPushButton *DefaultButton READ DefaultButton WRITE SetDefaultButton)
    QX_TYPE_NAME(Document, "TFileName")
    QX_DEFAULT(Align, "alNone")
    QX_DEFAULT(Anchors, "[akLeft,akTop]")
    QX_DEFAULT(Enabled, "True")
    QX_DEFAULT(Visible, "True")
    QX_DEFAULT(Width, "100")

public:
    explicit TDemoComponent(QObject *Owner = nullptr);
    ~TDemoComponent() override;
    Q_DISABLE_COPY_MOVE(TDemoComponent)

    TDemoAlign Align() const { return m_align; }
    void SetAlign(TDemoAlign Value) { m_align = Value; }
    TDemoAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TDemoAnchors Value) { m_anchors = Value; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool Value) { m_enabled = Value; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool Value) { m_visible = Value; }
    char Accelerator() const { return m_accelerator; }
    void SetAccelerator(char Value) { m_accelerator = Value; }
    int Width() const { return m_width; }
    void SetWidth(int Value) { m_width = Value; }
    qint64 Capacity() const { return m_capacity; }
    void SetCapacity(qint64 Value) { m_capacity = Value; }
    double Opacity() const { return m_opacity; }
    void SetOpacity(double Value) { m_opacity = Value; }
    QDate Due() const { return m_due; }
    void SetDue(const QDate &Value) { m_due = Value; }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &Value) { m_caption = Value; }
    QString Hint() const { return m_hint; }
    void SetHint(const QString &Value) { m_hint = Value; }
    QVariant Data() const { return m_data; }
    void SetData(const QVariant &Value) { m_data = Value; }
    QFont Font() const { return m_font; }
    void SetFont(const QFont &Value) { m_font = Value; }
    QXPlatform::TCollection *Tasks() const { return m_tasks; }
    QStringList Lines() const { return m_lines; }
    void SetLines(const QStringList &Value) { m_lines = Value; }
    /// A widget of the form the component works with; a guarded reference, since the form owns it.
    QObject *Buddy() const { return m_buddy; }
    void SetBuddy(QObject *Value) { m_buddy = Value; }
    TDemoTask *AddTask(const QString &Title, int Progress, bool Done);
    QColor Color() const { return m_color; }
    void SetColor(const QColor &Value) { m_color = Value; }
    QCursor Cursor() const { return m_cursor; }
    void SetCursor(const QCursor &Value) { m_cursor = Value; }
    QTime Start() const { return m_start; }
    void SetStart(const QTime &Value) { m_start = Value; }
    QDateTime Modified() const { return m_modified; }
    void SetModified(const QDateTime &Value) { m_modified = Value; }
    /// The file the component reads its lines from.
    QString Document() const { return m_document; }
    void SetDocument(const QString &Value) { m_document = Value; }
    /// The button the component presses on Enter; one of the form's push buttons.
    QPushButton *DefaultButton() const { return m_defaultButton; }
    void SetDefaultButton(QPushButton *Value) { m_defaultButton = Value; }

    QXPlatform::TNotifyEvent OnClick;

private:
    QXPlatform::TCollection *m_tasks;
    TDemoAlign m_align = alNone;
    TDemoAnchors m_anchors = TDemoAnchors(akLeft | akTop);
    bool m_enabled = true;
    bool m_visible = true;
    char m_accelerator = 'S';
    int m_width = 100;
    qint64 m_capacity = 0;
    double m_opacity = 1.0;
    QDate m_due;
    QString m_caption;
    QString m_hint;
    QVariant m_data;
    QFont m_font;
    QStringList m_lines;
    QPointer<QObject> m_buddy;
    QColor m_color = QColor(0, 128, 128);
    QCursor m_cursor = QCursor(Qt::PointingHandCursor);
    QTime m_start = QTime(9, 30);
    QDateTime m_modified;
    QString m_document;
    QPointer<QPushButton> m_defaultButton;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TDemoComponent::TDemoAnchors)

/// A push button that closes its dialog with a result, as the form's OK and Cancel buttons do.
class TDemoButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    QX_TYPE_NAME(ModalResult, "TModalResult")
    QX_DEFAULT(ModalResult, "0")

public:
    explicit TDemoButton(const QString &Text, int ModalResult, QWidget *parent = nullptr)
        : QPushButton(Text, parent)
        , m_modalResult(ModalResult)
    { }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int Value) { m_modalResult = Value; }

private:
    int m_modalResult = 0;
};
