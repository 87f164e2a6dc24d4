#include "QXObjectInspectorReg.h"

#include "QXCollectionPropertyEditorDcl.h"

#include <QXInspector/Component.h>
#include <QXInspector/QXDBInspector.h>
#include <QXInspector/QXItemListEditor.h>
#include <QXInspector/QXObjectInspector.h>

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

using namespace QXPlatform;

namespace {

template<class T> QWidget *create(QWidget *parent)
{
    return Create<T>(parent);
}

// The presets of an inspector on a form open in the design-time collection editor.
void registerPresetsTaskMenu(QDesignerFormEditorInterface *core)
{
    if (QExtensionManager *manager = core ? core->extensionManager() : nullptr)
        manager->registerExtensions(new TQXPresetsTaskMenuFactory(manager),
                                    Q_TYPEID(QDesignerTaskMenuExtension));
}

// One widget of the collection: what the widget box shows of it, the snippet Designer drops for a new
// one (its object name and default size, the specifications of its text properties) and how it is made.
// The icon is a picture of the plugin's resources (:/qxinspector/design/<Icon>.png).
struct WidgetRow
{
    const char *ClassName;
    const char *Header;
    const char *ToolTip;
    const char *ObjectName;
    int Width;
    int Height;
    const char *Icon;
    const char *Specifications;
    QWidget *(*Factory)(QWidget *parent);
    void (*Initializer)(QDesignerFormEditorInterface *core);
};

// The widgets in widget box order. The object inspector's presets text is kept untranslated and edited
// as several lines.
constexpr WidgetRow Widgets[] = {
    { "TQXItemListEditor", "<QXInspector/QXItemListEditor.h>", "A tree of named values, edited in a grid",
      "itemListEditor", 200, 160, "itemlisteditor", nullptr, create<TQXItemListEditor>, nullptr },
    { "TQXObjectInspector", "<QXInspector/QXObjectInspector.h>",
      "The published properties of live objects, edited in a grid", "objectInspector", 240, 300,
      "objectinspector",
      "    <stringpropertyspecification name=\"PresetsStream\" notr=\"true\" type=\"multiline\"/>\n",
      create<TQXObjectInspector>, registerPresetsTaskMenu },
    { "TQXDBInspector", "<QXInspector/QXDBInspector.h>",
      "The fields of a dataset's records, edited in a grid", "dbInspector", 240, 200, "dbinspector", nullptr,
      create<TQXDBInspector>, nullptr },
};

QIcon rowIcon(const WidgetRow &Row)
{
    return QIcon(QStringLiteral(":/qxinspector/design/%1.png").arg(QLatin1String(Row.Icon)));
}

// The snippet Designer drops for a new widget.
QString domXml(const WidgetRow &Row)
{
    const QString className = QLatin1String(Row.ClassName);
    QString xml = QStringLiteral("<ui language=\"c++\">\n"
                                 " <widget class=\"%1\" name=\"%2\">\n"
                                 "  <property name=\"geometry\">\n"
                                 "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                                 "  </property>\n"
                                 " </widget>\n")
                      .arg(className, QLatin1String(Row.ObjectName))
                      .arg(Row.Width)
                      .arg(Row.Height);
    if (Row.Specifications)
        xml += QStringLiteral(" <customwidgets>\n"
                              "  <customwidget>\n"
                              "   <class>%1</class>\n"
                              "   <propertyspecifications>\n"
                              "%2"
                              "   </propertyspecifications>\n"
                              "  </customwidget>\n"
                              " </customwidgets>\n")
                   .arg(className, QLatin1String(Row.Specifications));
    return xml + QStringLiteral("</ui>\n");
}

} // namespace

QIcon QXDesignerIcon(const QString &ClassName)
{
    for (const WidgetRow &row : Widgets)
        if (ClassName == QLatin1String(row.ClassName))
            return rowIcon(row);
    return QIcon();
}

// ---------------------------------------------------------------------------------------------------
// TQXWidgetPlugin

TQXWidgetPlugin::TQXWidgetPlugin(const QString &ClassName, const QString &Header, const QIcon &Icon,
                                 const QString &ToolTip, const QString &DomXml, TFactory Factory,
                                 QObject *parent)
    : QObject(parent)
    , m_className(ClassName)
    , m_header(Header)
    , m_icon(Icon)
    , m_toolTip(ToolTip)
    , m_domXml(DomXml)
    , m_factory(std::move(Factory))
{ }

TQXWidgetPlugin::~TQXWidgetPlugin() = default;

QWidget *TQXWidgetPlugin::createWidget(QWidget *parent)
{
    QWidget *widget = nullptr;
    // Designer calls in from its event loop: a failing constructor is reported, not raised.
    Guarded([&] {
        widget = m_factory(parent);
        if (TComponent *component = AsComponent(widget); component && m_core)
            component->SetDesigning(true);
    });
    return widget;
}

void TQXWidgetPlugin::initialize(QDesignerFormEditorInterface *core)
{
    if (m_initialized)
        return;
    m_initialized = true;
    m_core = core;
    if (m_initializer)
        Guarded([&] { m_initializer(core); });
}

// ---------------------------------------------------------------------------------------------------
// TQXInspectorDesignCollection

TQXInspectorDesignCollection::TQXInspectorDesignCollection(QObject *parent)
    : QObject(parent)
{
    for (const WidgetRow &row : Widgets) {
        auto *widget
            = new TQXWidgetPlugin(QLatin1String(row.ClassName), QLatin1String(row.Header), rowIcon(row),
                                  QLatin1String(row.ToolTip), domXml(row), row.Factory);
        if (row.Initializer)
            widget->SetInitializer(row.Initializer);
        m_widgets.append(widget);
    }
}

TQXInspectorDesignCollection::~TQXInspectorDesignCollection()
{
    qDeleteAll(m_widgets);
}

QList<QDesignerCustomWidgetInterface *> TQXInspectorDesignCollection::customWidgets() const
{
    return { m_widgets.cbegin(), m_widgets.cend() };
}
