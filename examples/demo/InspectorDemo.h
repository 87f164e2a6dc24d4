// The object inspector page of the demo: a sample form of live Qt widgets and one component of ours on
// the left, an object inspector with a few of its options on the right. A click on the form inspects what
// was clicked; Ctrl+click adds it to the inspected objects, and the inspector lists what they share.
#pragma once

#include <QXInspector/Guarded.h>

#include <QHash>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class TDemoComponent;
class TQXInspectorSearchBox;
class TQXObjectInspector;

class TInspectorDemo : public QXPlatform::TGuarded<QWidget>
{
public:
    explicit TInspectorDemo(QWidget *parent = nullptr);
    ~TInspectorDemo() override;
    Q_DISABLE_COPY_MOVE(TInspectorDemo)

    TQXObjectInspector *Inspector() const { return m_inspector; }
    TDemoComponent *Component() const { return m_component; }
    TQXInspectorSearchBox *SearchBox() const { return m_search; }
    /// The form's widget of that object name, or null.
    QWidget *FormWidget(const QString &Name) const;
    /// Inspects Target alone, or (Add, as a Ctrl+click does) together with what is inspected already.
    void Inspect(QObject *Target, bool Add);
    /// The option controls, set as a user would set them.
    void SetMultiValues(bool On);
    void SetArrangeByCategory(bool On);
    void SetArrangeByClass(bool On);
    void SetFilterText(const QString &Text);
    /// Two example rules: labels renamed and described, font parts read-only, their names green.
    void SetExampleRules(bool On);
    /// The inspector's settings (options, rules, rows) to and from a JSON file; false with a message
    /// in the status line when that fails.
    bool SaveSettings(const QString &FileName);
    bool LoadSettings(const QString &FileName);

protected:
    bool GuardedEventFilter(QObject *Watched, QEvent *Event) override;

private:
    QWidget *buildForm();
    QWidget *buildOptions();
    /// Clicks on Widget and on everything inside it (a spin box's editor, a list's viewport) inspect
    /// Target.
    void watch(QWidget *Widget, QObject *Target);
    void showInspected();

    TQXObjectInspector *m_inspector = nullptr;
    TDemoComponent *m_component = nullptr;
    TQXInspectorSearchBox *m_search = nullptr;
    QWidget *m_form = nullptr;
    QCheckBox *m_multiValues = nullptr;
    QCheckBox *m_byCategory = nullptr;
    QCheckBox *m_byClass = nullptr;
    QCheckBox *m_onlyFiltered = nullptr;
    QCheckBox *m_exampleRules = nullptr;
    QLineEdit *m_filters = nullptr;
    QLabel *m_inspected = nullptr;
    // Watched widget to inspected object. The keys are the form's own widgets, which live as long as the
    // page; the destructor takes the filter off them.
    QHash<QObject *, QPointer<QObject>> m_targets;
};
