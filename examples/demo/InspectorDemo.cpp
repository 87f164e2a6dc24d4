#include "InspectorDemo.h"

#include "DemoComponent.h"

#include <QXInspector/QXInspectorSearchBox.h>
#include <QXInspector/QXObjectInspector.h>
#include <QXInspector/Streaming.h>
#include <QXInspector/StringList.h>

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace QXPlatform;

TInspectorDemo::TInspectorDemo(QWidget *parent)
    : TGuarded<QWidget>(parent)
{
    m_component = Create<TDemoComponent>(this);
    m_component->setObjectName(QStringLiteral("Demo1"));
    m_component->SetAlign(TDemoComponent::alClient);
    m_component->SetAnchors(TDemoComponent::akLeft | TDemoComponent::akTop | TDemoComponent::akRight);
    m_component->SetCapacity(Q_INT64_C(6000000000));
    m_component->SetOpacity(0.75);
    m_component->SetDue(QDate(2024, 12, 31));
    m_component->SetCaption(QStringLiteral("Subscribe"));
    m_component->SetHint(QStringLiteral("Sends the form"));
    m_component->SetData(QVariant(42));
    m_component->SetLines({ QStringLiteral("[Mail]"), QStringLiteral("Server=mail.example.org"),
                            QStringLiteral("Port=587"), QStringLiteral("Sender=ada@example.org"),
                            QStringLiteral("[Print]"), QStringLiteral("Copies=2") });
    m_component->SetModified(QDateTime(QDate(2024, 12, 2), QTime(16, 45, 10)));
    m_component->SetDocument(QDir::home().filePath(QStringLiteral("letters.txt")));
    m_component->AddTask(QStringLiteral("Collect names"), 100, true);
    m_component->AddTask(QStringLiteral("Check addresses"), 40, false);
    m_component->AddTask(QStringLiteral("Send letters"), 0, false);
    m_component->OnClick = [](QObject *) {};

    m_inspector = Create<TQXObjectInspector>(this);
    m_inspector->setObjectName(QStringLiteral("Inspector"));
    // Events are hidden by default; the demo lists its component's OnClick too.
    m_inspector->SetDisplayKinds(m_inspector->DisplayKinds() | tkMethod);
    m_inspector->SetInplaceCollections(true);
    m_inspector->SetHideSelection(false);
    // Edits undo with Ctrl+Z, values the widgets change themselves show at once, a click on another
    // control keeps the rows that were open, and screen readers see the rows as a table.
    m_inspector->SetUndoEnabled(true);
    m_inspector->SetLiveUpdate(true);
    m_inspector->SetKeepExpansion(true);
    m_inspector->SetAccessibleTable(true);
    // The Qt look: values of Qt's types summed up, colour swatches, picture thumbnails, check boxes, a menu
    // and a tool tip on each row (SetQtLook would turn on the bands by class as well).
    m_inspector->SetValueSummaries(TQXObjectInspector::vsQtTypes);
    m_inspector->SetColorSwatches(true);
    m_inspector->SetThumbnails(true);
    m_inspector->SetDynamicProperties(true);
    m_inspector->SetRowMenu(true);
    m_inspector->SetRowToolTips(true);
    m_inspector->SetCheckBoxes(true);
    m_search = new TQXInspectorSearchBox;
    m_search->setObjectName(QStringLiteral("SearchBox"));
    m_search->SetInspector(m_inspector);
    m_inspector->OnAfterScan = [this](QObject *, TQXItemProperty *Item) {
        if (!Item)
            showInspected();
    };

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(buildForm(), 2);
    auto *right = new QVBoxLayout;
    right->addWidget(buildOptions());
    m_inspected = new QLabel;
    right->addWidget(m_inspected);
    right->addWidget(m_search);
    right->addWidget(m_inspector, 1);
    layout->addLayout(right, 3);

    m_component->SetBuddy(FormWidget(QStringLiteral("OkButton")));
    m_component->SetDefaultButton(qobject_cast<QPushButton *>(FormWidget(QStringLiteral("OkButton"))));
    Inspect(FormWidget(QStringLiteral("OkButton")), false);
}

TInspectorDemo::~TInspectorDemo()
{
    for (auto it = m_targets.cbegin(); it != m_targets.cend(); ++it)
        it.key()->removeEventFilter(this);
    // The inspector goes first: freeing the component tells every inspector still showing it.
    FreeAndNil(m_inspector);
    FreeAndNil(m_component);
    delete std::exchange(m_search, nullptr);
}

QWidget *TInspectorDemo::buildForm()
{
    m_form = new QGroupBox(QStringLiteral("Sample form"));
    auto *form = new QFormLayout(m_form);
    auto named = [](QWidget *widget, const char *name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };
    auto *nameEdit = new QLineEdit(QStringLiteral("Ada Lovelace"));
    form->addRow(QStringLiteral("Name"), named(nameEdit, "NameEdit"));
    auto *cityEdit = new QLineEdit(QStringLiteral("London"));
    cityEdit->setPlaceholderText(QStringLiteral("City"));
    cityEdit->setMaxLength(40);
    form->addRow(QStringLiteral("City"), named(cityEdit, "CityEdit"));
    auto *age = new QSpinBox;
    age->setRange(0, 130);
    age->setValue(36);
    form->addRow(QStringLiteral("Age"), named(age, "AgeSpin"));
    auto *subscribe = new QCheckBox(QStringLiteral("Send me the newsletter"));
    subscribe->setChecked(true);
    form->addRow(QString(), named(subscribe, "SubscribeCheck"));
    auto *languages = new QListWidget;
    languages->addItems({ QStringLiteral("English"), QStringLiteral("French"), QStringLiteral("Italian") });
    languages->setCurrentRow(0);
    form->addRow(QStringLiteral("Languages"), named(languages, "LanguageList"));
    auto *topics = new QTreeWidget;
    topics->setHeaderHidden(true);
    auto *science = new QTreeWidgetItem(topics, { QStringLiteral("Science") });
    new QTreeWidgetItem(science, { QStringLiteral("Mathematics") });
    new QTreeWidgetItem(science, { QStringLiteral("Engines") });
    new QTreeWidgetItem(topics, { QStringLiteral("Poetry") });
    topics->expandAll();
    form->addRow(QStringLiteral("Topics"), named(topics, "TopicTree"));
    auto *buttons = new QHBoxLayout;
    // The results a dialog's buttons close it with: 1 (OK) and 2 (Cancel).
    auto *ok = new TDemoButton(QStringLiteral("OK"), 1);
    ok->setIcon(ok->style()->standardIcon(QStyle::SP_DialogApplyButton)); // the icon row shows it small
    ok->setProperty("helpTopic", QStringLiteral("confirm")); // a dynamic property, listed after the others
    buttons->addWidget(named(ok, "OkButton"));
    auto *cancel = new TDemoButton(QStringLiteral("Cancel"), 2);
    buttons->addWidget(named(cancel, "CancelButton"));
    form->addRow(QString(), buttons);

    // The component has no face of its own: the tray shows it the way a designer shows non-visual ones.
    auto *tray = new QGroupBox(QStringLiteral("Components"));
    auto *trayLayout = new QHBoxLayout(tray);
    auto *componentButton = new QToolButton;
    componentButton->setText(QStringLiteral("Demo1: TDemoComponent"));
    componentButton->setObjectName(QStringLiteral("Demo1Tray"));
    trayLayout->addWidget(componentButton);
    trayLayout->addStretch();
    form->addRow(tray);
    auto *help = new QLabel(
        QStringLiteral("Click a control to inspect it; Ctrl+click adds it to the inspected ones."));
    help->setWordWrap(true);
    form->addRow(help);

    QWidget *const controls[] = { nameEdit, cityEdit, age, subscribe, languages, topics, ok, cancel };
    for (QWidget *control : controls)
        watch(control, control);
    watch(componentButton, m_component);
    return m_form;
}

QWidget *TInspectorDemo::buildOptions()
{
    auto *box = new QWidget;
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    m_multiValues = new QCheckBox(QStringLiteral("One value line per object"));
    connect(m_multiValues, &QCheckBox::toggled, this, [this](bool on) {
        TILEDisplayOptions options = m_inspector->DisplayOptions();
        options.setFlag(TQXCustomItemListEditor::doMultiColValues, on);
        m_inspector->SetDisplayOptions(options);
        // The value lines are titled by the objects they show.
        m_inspector->SetDynamicTitleCaptions(on);
    });
    grid->addWidget(m_multiValues, 0, 0);
    m_byCategory = new QCheckBox(QStringLiteral("Arrange by category"));
    connect(m_byCategory, &QCheckBox::toggled, this,
            [this](bool on) { m_inspector->SetArrangeByCategory(on); });
    // Bands by declaring class are categories too: turning them on ticks the category box, and a category
    // box cleared ends them.
    m_byClass = new QCheckBox(QStringLiteral("by class"));
    connect(m_byClass, &QCheckBox::toggled, this, [this](bool on) {
        m_inspector->SetArrangeByClass(on);
        m_byCategory->setChecked(m_inspector->ArrangeByCategory());
    });
    connect(m_byCategory, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            m_byClass->setChecked(false);
    });
    auto *arrange = new QHBoxLayout;
    arrange->addWidget(m_byCategory);
    arrange->addWidget(m_byClass);
    arrange->addStretch(1);
    grid->addLayout(arrange, 0, 1);
    m_filters = new QLineEdit;
    m_filters->setObjectName(QStringLiteral("FilterEdit"));
    m_filters->setPlaceholderText(QStringLiteral("Filters: property names, e.g. geometry, palette"));
    m_filters->setClearButtonEnabled(true);
    // Commas and spaces both separate names.
    connect(m_filters, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_inspector->Filters()->SetCommaText(text); });
    grid->addWidget(m_filters, 1, 0);
    m_onlyFiltered = new QCheckBox(QStringLiteral("Show only these"));
    connect(m_onlyFiltered, &QCheckBox::toggled, this, [this](bool on) {
        m_inspector->SetFilterOptions(on ? TILEFilterOptions(TQXCustomItemListEditor::foInclusive)
                                         : TILEFilterOptions());
    });
    grid->addWidget(m_onlyFiltered, 1, 1);

    auto *settings = new QHBoxLayout;
    m_exampleRules = new QCheckBox(QStringLiteral("Example rules"));
    m_exampleRules->setToolTip(
        QStringLiteral("Renames and describes text and Caption; makes font parts read-only "
                       "and green"));
    connect(m_exampleRules, &QCheckBox::toggled, this, [this](bool on) { SetExampleRules(on); });
    settings->addWidget(m_exampleRules);
    settings->addStretch(1);
    const QString settingsFile
        = QDir::current().absoluteFilePath(QStringLiteral("qxinspector-settings.json"));
    auto *saveButton = new QPushButton(QStringLiteral("Save settings"));
    connect(saveButton, &QPushButton::clicked, this, [this, settingsFile] { SaveSettings(settingsFile); });
    settings->addWidget(saveButton);
    auto *loadButton = new QPushButton(QStringLiteral("Load settings"));
    connect(loadButton, &QPushButton::clicked, this, [this, settingsFile] { LoadSettings(settingsFile); });
    settings->addWidget(loadButton);
    grid->addLayout(settings, 2, 0, 1, 2);
    return box;
}

void TInspectorDemo::SetExampleRules(bool On)
{
    QSignalBlocker blocker(m_exampleRules);
    m_exampleRules->setChecked(On);
    TQXPropertyPresets *presets = m_inspector->Presets();
    const QString labels = QStringLiteral("Example: labels");
    const QString fonts = QStringLiteral("Example: fonts");
    InUpdate(*presets, [&] {
        for (const QString &name : { labels, fonts })
            while (presets->IndexOf(name) >= 0)
                presets->Delete(presets->IndexOf(name));
        if (!On)
            return;
        TQXPropertyPreset *rename = presets->Add();
        rename->SetName(labels);
        rename->PropNames()->SetCommaText(QStringLiteral("text,Caption"));
        rename->SetAlias(QStringLiteral("Label"));
        rename->SetHint(QStringLiteral("The text a person reads on the control"));
        TQXPropertyPreset *lock = presets->Add();
        lock->SetName(fonts);
        lock->SetParentTypeKinds(QXPlatform::tkClass);
        lock->ParentTypeNames()->Add(QStringLiteral("TFont"));
        lock->SetActions(lock->Actions() | pftReadOnly);
        lock->Font()->SetColor(0x008000); // the names of the font's parts
    });
    // Renamed rows keep their new names until the next scan.
    m_inspector->Rescan();
}

bool TInspectorDemo::SaveSettings(const QString &FileName)
{
    try {
        QXPlatform::WriteComponentFile(FileName, m_inspector);
        m_inspected->setText(QStringLiteral("Settings saved to %1").arg(FileName));
        return true;
    } catch (const QXPlatform::Exception &error) {
        m_inspected->setText(error.Message());
        return false;
    }
}

bool TInspectorDemo::LoadSettings(const QString &FileName)
{
    try {
        QXPlatform::ReadComponentFile(FileName, m_inspector);
        m_exampleRules->setChecked(m_inspector->Presets()->IndexOf(QStringLiteral("Example: labels")) >= 0);
        m_inspected->setText(QStringLiteral("Settings loaded from %1").arg(FileName));
        return true;
    } catch (const QXPlatform::Exception &error) {
        m_inspected->setText(error.Message());
        return false;
    }
}

QWidget *TInspectorDemo::FormWidget(const QString &Name) const
{
    return m_form->findChild<QWidget *>(Name);
}

void TInspectorDemo::watch(QWidget *Widget, QObject *Target)
{
    QList<QWidget *> widgets = Widget->findChildren<QWidget *>();
    widgets.prepend(Widget);
    for (QWidget *widget : std::as_const(widgets)) {
        m_targets.insert(widget, Target);
        widget->installEventFilter(this);
    }
}

void TInspectorDemo::Inspect(QObject *Target, bool Add)
{
    if (!Target)
        return;
    TQXInspectorObjects *objects = m_inspector->Objects();
    if (Add) {
        objects->Add(Target);
        return;
    }
    // One batch: the inspector drops its rows once and rescans once.
    InUpdate(*objects, [&] {
        objects->Clear();
        objects->Add(Target);
    });
}

void TInspectorDemo::SetMultiValues(bool On)
{
    m_multiValues->setChecked(On);
}

void TInspectorDemo::SetArrangeByCategory(bool On)
{
    m_byCategory->setChecked(On);
}

void TInspectorDemo::SetArrangeByClass(bool On)
{
    m_byClass->setChecked(On);
}

void TInspectorDemo::SetFilterText(const QString &Text)
{
    m_filters->setText(Text);
}

void TInspectorDemo::showInspected()
{
    QStringList names;
    for (int i = 0; i < m_inspector->ShownObjectCount(); ++i)
        if (QObject *object = m_inspector->ShownObject(i))
            names << QStringLiteral("%1: %2").arg(object->objectName(), ClassNameOf(object));
    m_inspected->setText(names.isEmpty() ? QStringLiteral("Nothing inspected")
                                         : QStringLiteral("Inspecting ") + names.join(QStringLiteral(", ")));
}

bool TInspectorDemo::GuardedEventFilter(QObject *Watched, QEvent *Event)
{
    const auto target = m_targets.constFind(Watched);
    if (target == m_targets.cend())
        return TGuarded<QWidget>::GuardedEventFilter(Watched, Event);
    switch (Event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(Event);
        if (mouse->button() == Qt::LeftButton)
            Inspect(target->data(), mouse->modifiers() & Qt::ControlModifier);
        break;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        // The control may have changed its own state (a check box, a list's current row): read the
        // values again once the control has handled the event.
        QTimer::singleShot(0, m_inspector, [inspector = m_inspector] { inspector->RefreshProperties(); });
        break;
    default:
        break;
    }
    // The form stays live: the control handles its clicks and keys as usual.
    return false;
}
