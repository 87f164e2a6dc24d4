#include "QXObjectInspectorReg.h"

#include "Component.h"
#include "QXCollectionPropertyEditorDcl.h"
#include "QXDBInspector.h"
#include "QXItemListEditor.h"
#include "QXObjectInspector.h"

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

using namespace QXPlatform;

namespace {

constexpr int IconSize = 24;

// A grid sheet: frame, title line, a key column and value lines with text marks.
void paintGrid(QPainter &p, const QColor &title)
{
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 21, 21);
    p.fillRect(2, 2, 20, 4, title);
    p.setPen(QColor(0xb0, 0xb0, 0xb0));
    for (int y = 10; y < 22; y += 4)
        p.drawLine(2, y, 21, y);
    p.drawLine(9, 6, 9, 21);
    p.setPen(QColor(0x30, 0x30, 0x90));
    for (int y = 8; y < 22; y += 4) {
        p.drawLine(3, y, 7, y);
        p.drawLine(11, y, 11 + (y % 8 == 0 ? 8 : 5), y);
    }
}

QPixmap itemListEditorPixmap()
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintGrid(p, QColor(0x3a, 0x6e, 0xc8));
    // An open node: a minus box in the key column.
    p.setPen(QColor(0x20, 0x20, 0x20));
    p.setBrush(Qt::white);
    p.drawRect(3, 11, 4, 4);
    p.drawLine(4, 13, 6, 13);
    return pixmap;
}

QPixmap objectInspectorPixmap()
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintGrid(p, QColor(0x2e, 0x8b, 0x57));
    // A magnifying glass over the lower right corner.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2));
    p.setBrush(QColor(0xd8, 0xec, 0xff, 0xe0));
    p.drawEllipse(QRectF(11.5, 11.5, 7, 7));
    p.setPen(QPen(QColor(0x80, 0x50, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 18), QPointF(22, 22));
    return pixmap;
}

QPixmap dbInspectorPixmap()
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintGrid(p, QColor(0xb0, 0x5a, 0x1e));
    // A database drum over the lower right corner.
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body(0xf2, 0xc0, 0x4c);
    p.setPen(QPen(QColor(0x50, 0x38, 0x10), 1));
    p.setBrush(body);
    QPainterPath drum;
    drum.moveTo(12.5, 14.5);
    drum.lineTo(12.5, 21);
    drum.arcTo(QRectF(12.5, 19, 10, 4), 180, 180);
    drum.lineTo(22.5, 14.5);
    drum.closeSubpath();
    p.drawPath(drum);
    p.drawEllipse(QRectF(12.5, 12.5, 10, 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12.5, 15.5, 10, 4), 180 * 16, 180 * 16);
    return pixmap;
}

} // namespace

QIcon QXDesignerIcon(const QString &ClassName)
{
    if (ClassName == QLatin1String("TQXItemListEditor"))
        return QIcon(itemListEditorPixmap());
    if (ClassName == QLatin1String("TQXObjectInspector"))
        return QIcon(objectInspectorPixmap());
    if (ClassName == QLatin1String("TQXDBInspector"))
        return QIcon(dbInspectorPixmap());
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

namespace {

template<class T> QWidget *create(QWidget *parent)
{
    return Create<T>(parent);
}

// The snippet Designer drops for a new widget: its default size and, for the object inspector, the
// presets text kept untranslated and edited as several lines.
QString domXml(const QString &ClassName, const QString &Name, int Width, int Height,
               const QString &Specifications = QString())
{
    QString xml = QStringLiteral("<ui language=\"c++\">\n"
                                 " <widget class=\"%1\" name=\"%2\">\n"
                                 "  <property name=\"geometry\">\n"
                                 "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                                 "  </property>\n"
                                 " </widget>\n")
                      .arg(ClassName, Name)
                      .arg(Width)
                      .arg(Height);
    if (!Specifications.isEmpty())
        xml += QStringLiteral(" <customwidgets>\n"
                              "  <customwidget>\n"
                              "   <class>%1</class>\n"
                              "   <propertyspecifications>\n"
                              "%2"
                              "   </propertyspecifications>\n"
                              "  </customwidget>\n"
                              " </customwidgets>\n")
                   .arg(ClassName, Specifications);
    return xml + QStringLiteral("</ui>\n");
}

} // namespace

TQXInspectorDesignCollection::TQXInspectorDesignCollection(QObject *parent)
    : QObject(parent)
{
    const QString listEditor = QStringLiteral("TQXItemListEditor");
    m_widgets.append(new TQXWidgetPlugin(
        listEditor, QStringLiteral("<QXInspector/QXItemListEditor.h>"), QXDesignerIcon(listEditor),
        QStringLiteral("A tree of named values, edited in a grid"),
        domXml(listEditor, QStringLiteral("itemListEditor"), 200, 160), create<TQXItemListEditor>));
    const QString inspector = QStringLiteral("TQXObjectInspector");
    m_widgets.append(new TQXWidgetPlugin(
        inspector, QStringLiteral("<QXInspector/QXObjectInspector.h>"), QXDesignerIcon(inspector),
        QStringLiteral("The published properties of live objects, edited in a grid"),
        domXml(inspector, QStringLiteral("objectInspector"), 240, 300,
               QStringLiteral("    <stringpropertyspecification name=\"PresetsStream\" notr=\"true\" "
                              "type=\"multiline\"/>\n")),
        create<TQXObjectInspector>));
    // The presets of an inspector on a form open in the design-time collection editor.
    m_widgets.last()->SetInitializer([](QDesignerFormEditorInterface *core) {
        if (QExtensionManager *manager = core ? core->extensionManager() : nullptr)
            manager->registerExtensions(new TQXPresetsTaskMenuFactory(manager),
                                        Q_TYPEID(QDesignerTaskMenuExtension));
    });
    const QString dbInspector = QStringLiteral("TQXDBInspector");
    m_widgets.append(new TQXWidgetPlugin(
        dbInspector, QStringLiteral("<QXInspector/QXDBInspector.h>"), QXDesignerIcon(dbInspector),
        QStringLiteral("The fields of a dataset's records, edited in a grid"),
        domXml(dbInspector, QStringLiteral("dbInspector"), 240, 200), create<TQXDBInspector>));
}

TQXInspectorDesignCollection::~TQXInspectorDesignCollection()
{
    qDeleteAll(m_widgets);
}

QList<QDesignerCustomWidgetInterface *> TQXInspectorDesignCollection::customWidgets() const
{
    return { m_widgets.cbegin(), m_widgets.cend() };
}
