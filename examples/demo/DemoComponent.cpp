#include "DemoComponent.h"

using namespace QXPlatform;

TDemoTask::TDemoTask(TCollection *Collection)
    : TCollectionItem(Collection)
{ }

TDemoTask::~TDemoTask() = default;

void TDemoTask::SetTitle(const QString &Value)
{
    if (Value == m_title)
        return;
    m_title = Value;
    Changed(false);
}

void TDemoTask::SetProgress(int Value)
{
    if (Value == m_progress)
        return;
    m_progress = Value;
    Changed(false);
}

void TDemoTask::SetDone(bool Value)
{
    if (Value == m_done)
        return;
    m_done = Value;
    Changed(false);
}

QString TDemoTask::GetDisplayName() const
{
    return m_title.isEmpty() ? TCollectionItem::GetDisplayName() : m_title;
}

TDemoComponent::TDemoComponent(QObject *Owner)
    : TComponent(this, Owner)
    , m_tasks(Create<TCollection>(&TDemoTask::staticMetaObject))
{ }

TDemoComponent::~TDemoComponent()
{
    Free(m_tasks);
}

TDemoTask *TDemoComponent::AddTask(const QString &Title, int Progress, bool Done)
{
    auto *task = static_cast<TDemoTask *>(m_tasks->Add());
    task->SetTitle(Title);
    task->SetProgress(Progress);
    task->SetDone(Done);
    return task;
}
