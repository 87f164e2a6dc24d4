// Registration of the library's widgets with Qt Designer: one plugin collection that puts the item list
// editor, the object inspector and the data-aware inspector into the widget box group "VESK", each with its
// own icon and a default size, and gives the object inspector the "Edit Presets..." task menu. Qt Designer
// loads the collection from its "designer" plugin folder.
#pragma once

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <functional>

/// The widget box group of the library's widgets.
inline constexpr const char *QXDesignerGroup = "VESK";

/// One widget of the collection, described by its class, its icon, its tool tip and its form snippet.
class TQXWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using TFactory = std::function<QWidget *(QWidget *parent)>;
    using TInitializer = std::function<void(QDesignerFormEditorInterface *core)>;

    /// ClassName is the widget's class; DomXml the form snippet Designer drops (its default size and
    /// the specifications of its text properties); Factory makes a widget.
    TQXWidgetPlugin(const QString &ClassName, const QString &Header, const QIcon &Icon,
                    const QString &ToolTip, const QString &DomXml, TFactory Factory,
                    QObject *parent = nullptr);
    ~TQXWidgetPlugin() override;
    Q_DISABLE_COPY_MOVE(TQXWidgetPlugin)

    /// Runs once Designer's core is there, before the widget's first use (extensions register here).
    void SetInitializer(TInitializer Initializer) { m_initializer = std::move(Initializer); }

    QString name() const override { return m_className; }
    QString group() const override { return QString::fromLatin1(QXDesignerGroup); }
    QString toolTip() const override { return m_toolTip; }
    QString whatsThis() const override { return m_toolTip; }
    QString includeFile() const override { return m_header; }
    QIcon icon() const override { return m_icon; }
    bool isContainer() const override { return false; }
    /// A new widget; in design state when Designer's core initialized the plugin, so that a form loaded
    /// by a program (QUiLoader, which gives no core) gets widgets that behave as at run time.
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface *core) override;
    QString domXml() const override { return m_domXml; }

private:
    QString m_className;
    QString m_header;
    QIcon m_icon;
    QString m_toolTip;
    QString m_domXml;
    TFactory m_factory;
    TInitializer m_initializer;
    QPointer<QDesignerFormEditorInterface> m_core;
    bool m_initialized = false;
};

/// The collection Qt Designer loads: the library's widgets in widget box order.
class TQXInspectorDesignCollection : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit TQXInspectorDesignCollection(QObject *parent = nullptr);
    ~TQXInspectorDesignCollection() override;
    Q_DISABLE_COPY_MOVE(TQXInspectorDesignCollection)

    QList<QDesignerCustomWidgetInterface *> customWidgets() const override;

private:
    QList<TQXWidgetPlugin *> m_widgets;
};

/// The widget box icon of ClassName (24 by 24 pixels, a picture in the plugin's resources) for the
/// library's widgets; a null icon for any other class.
QIcon QXDesignerIcon(const QString &ClassName);
