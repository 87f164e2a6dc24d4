// The designer of one designed form, as the design-time collection editor sees it: it activates the
// form, records that the form was modified, and tells of what happens to the form (a widget removed, the
// form changed, its selection changed, the form closed). TQXFormWindowDesigner maps it onto a Qt Designer
// form window; anything else that designs forms can implement it too.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QDesignerFormWindowInterface;

class TQXDesigner : public QObject
{
    Q_OBJECT

public:
    explicit TQXDesigner(QObject *parent = nullptr);
    ~TQXDesigner() override;
    Q_DISABLE_COPY_MOVE(TQXDesigner)

    /// The designed form: two designers of one form are the same designer.
    virtual QObject *Form() const = 0;
    /// Makes the form the active one of the environment.
    virtual void Activate() = 0;
    /// Records that the designed widget's settings changed: the form is modified and will save them.
    virtual void Modified() = 0;
    /// Whether the form is the active one of the environment (selection news of other forms is ignored).
    virtual bool IsActive() const = 0;
    /// The objects selected in the form.
    virtual QList<QObject *> GetSelections() const = 0;

signals:
    /// Object left the form (the designed widget itself, or another one).
    void ItemDeleted(QObject *Object);
    /// The form changed (an undo, a property set elsewhere): what is shown of it must be read again.
    void ItemsModified();
    /// The form's selection changed to Selection.
    void SelectionChanged(const QList<QObject *> &Selection);
    /// The form is going away; the designer answers nothing afterwards.
    void DesignerClosed();
};

/// The designer of a Qt Designer form window for one designed widget, whose settings property (the
/// object inspector's PresetsStream) keeps what the editor changes.
class TQXFormWindowDesigner : public TQXDesigner
{
    Q_OBJECT

public:
    TQXFormWindowDesigner(QDesignerFormWindowInterface *FormWindow, QWidget *Designed,
                          const QByteArray &Property, QObject *parent = nullptr);
    ~TQXFormWindowDesigner() override;
    Q_DISABLE_COPY_MOVE(TQXFormWindowDesigner)

    QDesignerFormWindowInterface *FormWindow() const;
    QWidget *Designed() const { return m_designed; }

    QObject *Form() const override;
    void Activate() override;
    /// Marks the property changed in the widget's property sheet, so that the form file keeps it, shows
    /// its new value in Designer's property editor and marks the form dirty. No undo step is recorded:
    /// the editor changes the live collection, so there is no earlier value left to go back to.
    void Modified() override;
    bool IsActive() const override;
    QList<QObject *> GetSelections() const override;

private:
    void close();

    QPointer<QDesignerFormWindowInterface> m_formWindow;
    QPointer<QWidget> m_designed;
    QByteArray m_property;
    bool m_closed = false;
};
