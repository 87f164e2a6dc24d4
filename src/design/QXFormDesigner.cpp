#include "QXFormDesigner.h"

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>

TQXDesigner::TQXDesigner(QObject *parent)
    : QObject(parent)
{ }

TQXDesigner::~TQXDesigner() = default;

TQXFormWindowDesigner::TQXFormWindowDesigner(QDesignerFormWindowInterface *FormWindow, QWidget *Designed,
                                             const QByteArray &Property, QObject *parent)
    : TQXDesigner(parent)
    , m_formWindow(FormWindow)
    , m_designed(Designed)
    , m_property(Property)
{
    if (!FormWindow) {
        m_closed = true;
        return;
    }
    connect(FormWindow, &QDesignerFormWindowInterface::widgetRemoved, this,
            [this](QWidget *widget) { emit ItemDeleted(widget); });
    connect(FormWindow, &QDesignerFormWindowInterface::objectRemoved, this, [this](QObject *object) {
        if (!object->isWidgetType())
            emit ItemDeleted(object);
    });
    connect(FormWindow, &QDesignerFormWindowInterface::changed, this, [this] { emit ItemsModified(); });
    connect(FormWindow, &QDesignerFormWindowInterface::selectionChanged, this,
            [this] { emit SelectionChanged(GetSelections()); });
    connect(FormWindow, &QObject::destroyed, this, &TQXFormWindowDesigner::close);
    if (QDesignerFormWindowManagerInterface *manager = FormWindow->core()->formWindowManager())
        connect(manager, &QDesignerFormWindowManagerInterface::formWindowRemoved, this,
                [this](QDesignerFormWindowInterface *removed) {
                    if (removed == m_formWindow)
                        close();
                });
}

TQXFormWindowDesigner::~TQXFormWindowDesigner() = default;

QDesignerFormWindowInterface *TQXFormWindowDesigner::FormWindow() const
{
    return m_formWindow;
}

QObject *TQXFormWindowDesigner::Form() const
{
    return m_formWindow;
}

void TQXFormWindowDesigner::close()
{
    if (m_closed)
        return;
    m_closed = true;
    emit DesignerClosed();
}

void TQXFormWindowDesigner::Activate()
{
    if (m_closed || !m_formWindow)
        return;
    if (QDesignerFormWindowManagerInterface *manager = m_formWindow->core()->formWindowManager())
        manager->setActiveFormWindow(m_formWindow);
}

void TQXFormWindowDesigner::Modified()
{
    if (m_closed || !m_formWindow)
        return;
    QDesignerFormEditorInterface *core = m_formWindow->core();
    if (m_designed) {
        const QString name = QString::fromLatin1(m_property);
        auto *sheet = qt_extension<QDesignerPropertySheetExtension *>(core->extensionManager(), m_designed);
        if (const int index = sheet ? sheet->indexOf(name) : -1; index >= 0)
            sheet->setChanged(index, true);
        QDesignerPropertyEditorInterface *editor = core->propertyEditor();
        if (editor && editor->object() == m_designed)
            editor->setPropertyValue(name, m_designed->property(m_property.constData()), true);
    }
    m_formWindow->setDirty(true);
}

bool TQXFormWindowDesigner::IsActive() const
{
    if (m_closed || !m_formWindow)
        return false;
    QDesignerFormWindowManagerInterface *manager = m_formWindow->core()->formWindowManager();
    return !manager || manager->activeFormWindow() == m_formWindow;
}

QList<QObject *> TQXFormWindowDesigner::GetSelections() const
{
    QList<QObject *> selection;
    if (m_closed || !m_formWindow)
        return selection;
    QDesignerFormWindowCursorInterface *cursor = m_formWindow->cursor();
    for (int i = 0; i < cursor->selectedWidgetCount(); ++i)
        selection.append(cursor->selectedWidget(i));
    return selection;
}
